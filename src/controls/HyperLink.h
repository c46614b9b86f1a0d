#pragma once

#include "grid/ColorRef.h"
#include "grid/LogFont.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

// A static text turned into a clickable link: drawn in one colour when idle, another under the
// mouse and a third while pressed, optionally underlined and with icons per state; it shows its
// target as a tool tip, opens the target when clicked and tells its parent through Clicked. It
// sizes itself to its text, keeping its top-left corner.
class CHyperLink : public QWidget
{
    Q_OBJECT

public:
    // Icon flags: for each state, show its icon, place it left and/or right of the text.
    enum : unsigned
    {
        HLINK_IDLE_SHOW = 0x0001,
        HLINK_IDLE_LEFT = 0x0002,
        HLINK_IDLE_RIGHT = 0x0004,
        HLINK_HOVER_SHOW = 0x0010,
        HLINK_HOVER_LEFT = 0x0020,
        HLINK_HOVER_RIGHT = 0x0040,
        HLINK_PRESSED_SHOW = 0x0100,
        HLINK_PRESSED_LEFT = 0x0200,
        HLINK_PRESSED_RIGHT = 0x0400,
        HLINK_DISABLED_SHOW = 0x1000,
        HLINK_DISABLED_LEFT = 0x2000,
        HLINK_DISABLED_RIGHT = 0x4000,
    };
    enum EState
    {
        Idle = 0,
        Hover = 1,
        Pressed = 2,
        Disabled = 3
    };

    // Opens a link target; true when it could be opened. The default opens it with the desktop.
    using LinkOpener = std::function<bool(const QString& target)>;
    // Replaces the opener of every link (tests); returns the one it replaces.
    static LinkOpener SetLinkOpener(LinkOpener opener);

    explicit CHyperLink(QWidget* parent = nullptr);
    ~CHyperLink() override;

    // The static's own text, drawn unless a link text is set.
    void SetWindowText(const QString& text);
    QString GetWindowText() const { return m_windowText; }
    // The text drawn instead of the window text; none goes back to the window text.
    void SetLinkText(std::optional<QString> text);

    // What a click opens; also the tool tip. An empty target clears both.
    void SetURL(const QString& target);
    QString GetURL() const { return m_target; }
    // The face where it is installed (else the application's font family), the height in
    // pixels of a 96-dpi screen turned into points.
    void SetLinkFont(const QString& face, int height, int weight, bool italic);

    void SetColours(COLORREF idle, COLORREF hover, COLORREF pressed);
    void SetUnderlineAlways(bool always);
    // Off: a click opens nothing (the parent is still told).
    void SetIsLink(bool isLink) { m_isLink = isLink; }
    void SetMultiLine(bool multiLine);
    void SetReserveIconSpace(bool reserve);
    void SetBorder(COLORREF colour, int width, Qt::PenStyle style = Qt::SolidLine);
    // Icons per state (null: none), with the flags saying where they go.
    void SetIcons(const QImage& idle, const QImage& hover, const QImage& pressed,
                  const QImage& disabled);
    void SetIconFlags(unsigned flags);
    // A disabled link without a disabled icon shows a grey copy of its idle (else hover, else
    // pressed) icon.
    void SetMakeDisabledIcon(bool make);

    EState GetState() const;
    // The size the link takes for its text, font, icons and border in its present state.
    QSize SizeForText() const;
    // The grey copy of an icon shown while disabled.
    static QImage MakeDisabledIcon(const QImage& icon);

Q_SIGNALS:
    // After a click released over the link, once its target has been opened.
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct SLayout
    {
        QStringList Lines;
        int LineHeight = 0;
        int TextHeight = 0;
        int Widest = 0;
        QSize Size;
    };
    SLayout Layout() const;
    QString Text() const;
    const QImage& StateIcon(EState state) const;
    // The state's three icon bits, shifted down to the idle ones.
    unsigned StateFlags(EState state) const;
    void OpenTarget();

    std::optional<QString> m_text;
    QString m_windowText;
    QString m_target;
    bool m_underlineAlways = false;
    bool m_isLink = true;
    bool m_reserveIconSpace = false;
    bool m_multiLine = false;
    QFont m_font;
    COLORREF m_idleColour = RGB(0, 0, 255);
    COLORREF m_hoverColour = RGB(255, 0, 0);
    COLORREF m_pressedColour = RGB(200, 0, 225);
    COLORREF m_backColour;
    COLORREF m_borderColour = 0;
    int m_borderWidth = 0;
    Qt::PenStyle m_borderStyle = Qt::SolidLine;
    QImage m_icons[4];
    unsigned m_iconFlags = 0x3333;
    bool m_makeDisabledIcon = false;
    mutable QImage m_madeDisabledIcon;
    bool m_disabled = false;
    bool m_hover = false;
    bool m_pressed = false;
    QRect m_screenRect;
};
