#pragma once

#include "grid/ColorRef.h"

#include <QImage>
#include <QPoint>
#include <QPushButton>

// A push button that paints itself: an icon (one for the mouse-over look, one for the normal
// look), flat until the mouse is over it, optionally acting as a check box, with its own tool
// tip.
class CButtonST : public QPushButton
{
    Q_OBJECT

public:
    // Button types (the low four bits of a button style word).
    enum : unsigned
    {
        BS_PUSHBUTTON = 0x0,
        BS_DEFPUSHBUTTON = 0x1,
        BS_CHECKBOX = 0x2,
        BS_AUTOCHECKBOX = 0x3,
        BS_RADIOBUTTON = 0x4,
        BS_3STATE = 0x5,
        BS_AUTO3STATE = 0x6,
        BS_AUTORADIOBUTTON = 0x9,
        BS_TYPEMASK = 0xF,
    };
    // The second icon of SetIconHandles and LoadIcons: none, or made from the first.
    enum : int
    {
        ICON_NONE = 0,
        ICON_GREY = -2,
        ICON_DARKER = -3
    };
    // Results.
    enum : int
    {
        BTNST_OK = 0,
        BTNST_INVALIDRESOURCE = 1,
        BTNST_INVALIDPRESSEDSTYLE = 6
    };

    explicit CButtonST(QWidget* parent = nullptr);

    // Attaches the button to its style word as the dialog gives it: the type decides whether it
    // acts as a check box, and a default push button becomes the default button.
    void SubclassButton(unsigned style);
    // Changes the style: a default push button style makes it the default button, a plain push
    // button style takes that away.
    void SetButtonStyle(unsigned style);

    // Icons by picture id (0: none) at their own size.
    int SetIcon(int overId, int normalId);
    // Icons by picture id at a size (0: the picture's own); the second id may be ICON_GREY or
    // ICON_DARKER. BTNST_INVALIDRESOURCE when a picture cannot be loaded (no icons are left).
    int LoadIcons(int overId, int overWidth, int overHeight, int normalId, int normalWidth,
                  int normalHeight);
    // Replaces the icons; a null normal icon means none.
    int SetIconHandles(const QImage& overIcon, const QImage& normalIcon);
    // Replaces the icons, the normal one made from the first (ICON_GREY, ICON_DARKER) or none.
    int SetIconHandles(const QImage& overIcon, int derived);

    void SetTooltipText(const QString& text, bool activate = true);
    // The text of a string-table id; an empty text leaves the tool tip as it is.
    void SetTooltipText(unsigned stringId, bool activate = true);

    void SetCheckState(int state, bool repaint = true);
    int GetCheckState() const { return m_checkState; }
    // 0: image and caption move (1, 1) while pressed; 1: (0, 2). Other values change nothing and
    // give BTNST_INVALIDPRESSEDSTYLE.
    int SetPressedOffsetStyle(int style, bool repaint = true);
    // The six colours back to the system's.
    void ResetColours(bool repaint = true);
    void SetFlatLook(bool flat) { m_flat = flat; }

    bool IsCheckBox() const { return m_checkBox; }
    bool IsDefaultButton() const { return m_default; }
    bool IsMouseOver() const { return m_mouseOver; }
    const QImage& GetOverIcon() const { return m_overIcon; }
    const QImage& GetNormalIcon() const { return m_normalIcon; }
    QString GetTooltipText() const { return m_tooltip; }

    // The icons made from another: black pixels kept, every other pixel darker by a quarter, or
    // turned into its grey level.
    static QImage DarkerIcon(const QImage& icon);
    static QImage GreyIcon(const QImage& icon);

protected:
    struct SDrawState
    {
        bool Pressed = false;
        bool Focused = false;
        bool Disabled = false;
    };

    // The drawing steps, in order.
    virtual void DrawButtonBackground(QPainter& painter, QRect& rect, const SDrawState& state);
    virtual void DrawButtonBorder(QPainter& painter, const QRect& rect, const SDrawState& state);
    virtual void DrawButtonIcon(QPainter& painter, const QRect& item, QRect& caption,
                                const SDrawState& state);
    // No window gives a button a picture other than its icons: draws nothing.
    virtual void DrawButtonBitmap(QPainter& painter, const QRect& item, QRect& caption,
                                  const SDrawState& state);
    virtual void DrawButtonText(QPainter& painter, const QRect& caption, const SDrawState& state);

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Ends the lit-up look of a flat button.
    void EndHover();

private:
    void OnClicked();
    QRect PlaceImage(const QRect& item, QRect& caption, const QSize& size,
                     const SDrawState& state) const;

    QPoint m_imageOrigin{3, 3};
    QPoint m_pressedOffset{1, 1};
    bool m_flat = true;
    bool m_mouseOver = false;
    bool m_default = false;
    bool m_checkBox = false;
    bool m_drawBorder = true;
    bool m_drawFocusWhenFlat = false;
    COLORREF m_overBack = 0, m_overText = 0, m_normalBack = 0, m_normalText = 0, m_focusBack = 0,
             m_focusText = 0;
    QString m_tooltip;
    int m_checkState = 0;
    unsigned m_type = BS_TYPEMASK;
    QImage m_overIcon;
    QImage m_normalIcon;
};
