#pragma once

#include "menus/ColorRef.h"

#include <QPixmap>
#include <QSize>

#include <span>
#include <vector>

class QImage;

// A set of menu images: one image per command, cut from a toolbar's strip, with its
// transparent colour applied. The shaded and disabled forms are derived when drawn
// (DerivedImages.h). Sets are kept in one process-wide list and shared: loading the same strip
// with the same colour again gives the same set.
class CNewMenuIcons
{
public:
    CNewMenuIcons() = default;

    // Loads a toolbar resource: its commands in button order (separators skipped) and its
    // strip's images. The transparent colour CLR_DEFAULT takes the strip's top-left pixel.
    // Returns false, leaving the set as it was, when the toolbar or its strip cannot be read.
    bool LoadToolBar(unsigned toolbarId, menus::COLORREF transparent);
    // Loads the images of a strip for the listed commands, one image of the given size per
    // command from the left. Returns true when at least one command was taken; a null strip
    // or image size leaves the set as it was.
    bool LoadBitmap(const QImage& strip, QSize imageSize, std::span<const unsigned> ids,
                    menus::COLORREF transparent);
    // Adds the image of a command, or replaces it when the command has one. Returns the index
    // of the command's normal image (3 x position), or -1 when the image's size differs from
    // the set's.
    int AddImage(const QImage& image, unsigned id);

    // The position of the command in the set, searched from the end; -1 when absent.
    int FindCommand(unsigned id) const;
    // The command's normal image (null when the set has none for it).
    QPixmap Image(unsigned id) const;
    QSize ImageSize() const { return m_imageSize; }
    const std::vector<unsigned>& Commands() const { return m_commands; }
    // The resource the set was loaded from, and its colour.
    unsigned ResourceId() const { return m_resourceId; }
    menus::COLORREF TransparentColour() const { return m_transparent; }

    // The set of the toolbar resource and colour from the process-wide list, loaded and added
    // to the list when missing; null when it cannot be loaded.
    static CNewMenuIcons* FindOrLoad(unsigned toolbarId, menus::COLORREF transparent);
    // The same for a strip given by its resource id and the commands of its images.
    static CNewMenuIcons* FindOrLoad(unsigned bitmapId, std::span<const unsigned> ids,
                                     menus::COLORREF transparent);
    // The number of sets in the process-wide list.
    static std::size_t SetCount();

private:
    unsigned m_resourceId = 0;
    menus::COLORREF m_transparent = menus::CLR_DEFAULT;
    QSize m_imageSize;
    std::vector<unsigned> m_commands;
    std::vector<QPixmap> m_images;
};
