#pragma once

#include "grid/ColorRef.h"
#include "grid/WinGeometry.h"

#include <QImage>
#include <QString>
#include <QWidget>

class QPainter;

namespace TreePropSheet {

// The frame around the pages of a tree property sheet: a caption bar above them with the text
// (and optional icon) of the chosen tree node, and a message drawn in the page area when the node
// has no page. This is the frame's interface with its caption and message state; the sheet's
// pages are laid over the message area.
class CPropPageFrame
{
public:
    virtual ~CPropPageFrame();

    // Makes the frame's window as a child of the parent at the rectangle.
    virtual bool Create(const QRect& rect, QWidget* parent, int id) = 0;
    virtual QWidget* GetWindow() = 0;

    virtual void SetCaptionVisible(bool visible);
    virtual void SetCaptionHeight(int height);
    // The icon is not owned; a null image means none.
    virtual void SetCaption(const QString& text, const QImage& icon = QImage());
    virtual void SetMessageText(const QString& text);
    // DT_* flags of the message (centred on one line, without prefixes, by default).
    virtual void SetMessageFormat(unsigned format);

    // Draws the caption (when visible) and the message.
    virtual void Paint(QPainter& painter);
    // The client rectangle below the caption band (all of it while the caption is hidden).
    virtual CRect GetMessageArea() const;
    virtual void DrawMessage(QPainter& painter, CRect rect, const QString& text, unsigned format);
    // The caption band at the top: caption height high while visible, empty otherwise.
    virtual CRect GetCaptionArea() const;
    virtual void DrawCaption(QPainter& painter, CRect rect, const QString& text,
                             const QImage& icon);

    bool IsCaptionVisible() const { return m_captionVisible; }
    int GetCaptionHeight() const { return m_captionHeight; }
    QString GetCaptionText() const { return m_captionText; }
    QString GetMessageText() const { return m_messageText; }
    unsigned GetMessageFormat() const { return m_messageFormat; }

protected:
    // The frame window's client rectangle (empty before the window exists).
    CRect ClientRect() const;
    // Repaints that part of the frame window, when it exists; and re-lays out the pages.
    virtual void InvalidateArea(const CRect& area);

    bool m_captionVisible = false;
    int m_captionHeight = 0;
    QString m_captionText;
    QImage m_captionIcon;
    QString m_messageText;
    unsigned m_messageFormat = 0x825;
};

// The standard frame window: the caption bar is a horizontal gradient from the active caption
// colour to the face colour, with the node's icon, and its text in the application's font at 18
// pixels, weight 600, ending in an ellipsis when too long. Its child widgets (the sheet's pages)
// fill the message area.
class CPropPageFrameDefault : public QWidget, public CPropPageFrame
{
    Q_OBJECT

public:
    explicit CPropPageFrameDefault(QWidget* parent = nullptr);

    bool Create(const QRect& rect, QWidget* parent, int id) override;
    QWidget* GetWindow() override { return this; }
    void SetCaption(const QString& text, const QImage& icon = QImage()) override;
    CRect GetMessageArea() const override;
    CRect GetCaptionArea() const override;
    void DrawCaption(QPainter& painter, CRect rect, const QString& text,
                     const QImage& icon) override;

    // The font of the caption text.
    static QFont CaptionFont();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void InvalidateArea(const CRect& area) override;

private:
    void LayOutPages();
};

// Fills the rectangle with vertical lines whose colour runs from the left colour to the right
// one, channel by channel in even steps, the last column included.
void FillHorizontalGradient(QPainter& painter, const CRect& rect, COLORREF left, COLORREF right);

} // namespace TreePropSheet
