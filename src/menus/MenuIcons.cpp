#include "menus/MenuIcons.h"

#include "menus/DerivedImages.h"
#include "res/MenuTables.h"

#include <QImage>

#include <memory>

using namespace menus;

namespace {
std::vector<std::unique_ptr<CNewMenuIcons>>& IconSets()
{
    static std::vector<std::unique_ptr<CNewMenuIcons>> sets; // never emptied
    return sets;
}

CNewMenuIcons* FindSet(unsigned resourceId, COLORREF transparent,
                       std::span<const unsigned> commands)
{
    for (const auto& set : IconSets()) {
        if (set->ResourceId() == resourceId && set->TransparentColour() == transparent &&
            std::equal(set->Commands().begin(), set->Commands().end(), commands.begin(),
                       commands.end()))
            return set.get();
    }
    return nullptr;
}

std::vector<unsigned> ToolBarCommands(const SToolBarResource& toolbar)
{
    std::vector<unsigned> ids;
    for (unsigned id : toolbar.Buttons) {
        if (id != 0)
            ids.push_back(id);
    }
    return ids;
}
} // namespace

bool CNewMenuIcons::LoadToolBar(unsigned toolbarId, COLORREF transparent)
{
    const SToolBarResource* toolbar = FindToolBarResource(toolbarId);
    if (!toolbar)
        return false;
    const std::vector<unsigned> ids = ToolBarCommands(*toolbar);
    const QImage strip(ToolBarBitmapPath(toolbarId));
    if (!LoadBitmap(strip, QSize(toolbar->ButtonWidth, toolbar->ButtonHeight), ids, transparent))
        return false;
    m_resourceId = toolbarId;
    return true;
}

bool CNewMenuIcons::LoadBitmap(const QImage& strip, QSize imageSize, std::span<const unsigned> ids,
                               COLORREF transparent)
{
    if (strip.isNull() || imageSize.isEmpty() || strip.height() < imageSize.height())
        return false;
    const QImage keyed = ApplyTransparentColour(strip, transparent);
    const int count = strip.width() / imageSize.width();
    std::vector<unsigned> commands;
    std::vector<QPixmap> images;
    for (std::size_t i = 0; i < ids.size() && int(i) < count; ++i) {
        commands.push_back(ids[i]);
        images.push_back(QPixmap::fromImage(
            keyed.copy(int(i) * imageSize.width(), 0, imageSize.width(), imageSize.height())));
    }
    if (commands.empty())
        return false;
    m_transparent = transparent;
    m_imageSize = imageSize;
    m_commands = std::move(commands);
    m_images = std::move(images);
    return true;
}

int CNewMenuIcons::AddImage(const QImage& image, unsigned id)
{
    if (image.isNull())
        return -1;
    if (m_imageSize.isValid() && !m_images.empty() && image.size() != m_imageSize)
        return -1;
    if (!m_imageSize.isValid() || m_images.empty())
        m_imageSize = image.size();
    const QPixmap pixmap = QPixmap::fromImage(image.convertToFormat(QImage::Format_ARGB32));
    const int position = id != 0 ? FindCommand(id) : -1;
    if (position >= 0) {
        m_images[std::size_t(position)] = pixmap;
        return 3 * position;
    }
    m_commands.push_back(id);
    m_images.push_back(pixmap);
    return 3 * int(m_images.size() - 1);
}

int CNewMenuIcons::FindCommand(unsigned id) const
{
    for (int i = int(m_commands.size()) - 1; i >= 0; --i) {
        if (m_commands[std::size_t(i)] == id)
            return i;
    }
    return -1;
}

QPixmap CNewMenuIcons::Image(unsigned id) const
{
    const int position = FindCommand(id);
    return position < 0 ? QPixmap() : m_images[std::size_t(position)];
}

CNewMenuIcons* CNewMenuIcons::FindOrLoad(unsigned toolbarId, COLORREF transparent)
{
    const SToolBarResource* toolbar = FindToolBarResource(toolbarId);
    if (!toolbar)
        return nullptr;
    const std::vector<unsigned> ids = ToolBarCommands(*toolbar);
    if (CNewMenuIcons* set = FindSet(toolbarId, transparent, ids))
        return set;
    auto set = std::make_unique<CNewMenuIcons>();
    if (!set->LoadToolBar(toolbarId, transparent))
        return nullptr;
    IconSets().push_back(std::move(set));
    return IconSets().back().get();
}

CNewMenuIcons* CNewMenuIcons::FindOrLoad(unsigned bitmapId, std::span<const unsigned> ids,
                                         COLORREF transparent)
{
    if (CNewMenuIcons* set = FindSet(bitmapId, transparent, ids))
        return set;
    const SToolBarResource* toolbar = FindToolBarResource(bitmapId);
    const QSize size = toolbar ? QSize(toolbar->ButtonWidth, toolbar->ButtonHeight) : QSize(16, 15);
    auto set = std::make_unique<CNewMenuIcons>();
    if (!set->LoadBitmap(QImage(ToolBarBitmapPath(bitmapId)), size, ids, transparent))
        return nullptr;
    set->m_resourceId = bitmapId;
    IconSets().push_back(std::move(set));
    return IconSets().back().get();
}

std::size_t CNewMenuIcons::SetCount()
{
    return IconSets().size();
}
