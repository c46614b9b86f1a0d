#pragma once

#include "grid/ColorRef.h"
#include "grid/LogFont.h"
#include "grid/WinGeometry.h"

#include <QFont>
#include <QWidget>

// The pop-up that shows the whole text of a cell whose text is cut off, laid over the cell while
// the mouse rests on it. The mouse and the keyboard pass through it to the window beneath: it
// never takes the focus and its owner hides it when the mouse leaves the cell, a key is pressed,
// the view scrolls or an edit starts.
class CTitleTip : public QWidget
{
    Q_OBJECT

public:
    // A tip over the client area (the widget whose coordinates Show takes); no window is shown
    // yet.
    explicit CTitleTip(QWidget* client);

    // Shows the whole text, with a blank on each side, when it is wider than the title rectangle
    // (client coordinates: the room the client draws the text in, so it is drawn cut there). The
    // tip is laid over the hover rectangle (the title rectangle when none is given), its text
    // where the client's starts, and stays while the mouse is over that rectangle. No font takes
    // the client's; a colour that is the marker takes the tool-tip colours. The x offset moves
    // the tip to the right.
    void Show(CRect rectTitle, const QString& title, int xOffset = 0,
              const CRect* hoverRect = nullptr, const LOGFONT* logFont = nullptr,
              COLORREF textColour = CLR_DEFAULT, COLORREF backColour = CLR_DEFAULT);
    void Hide();
    // The mouse moved over the client area: the tip goes when it left the hover rectangle.
    void OnMouseMove(CPoint point);

    QString GetTitle() const { return m_strTitle; }
    CRect GetHoverRect() const { return m_rectHover; }
    // Whether the mouse pointer is over the hover rectangle: a window system that counts the
    // pointer as over the tip tells the client that the pointer left it, though it did not.
    bool IsPointerOverHoverRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* m_pClient;
    CRect m_rectHover; // client coordinates
    QString m_strTitle;
    QFont m_Font;
    COLORREF m_crText = CLR_DEFAULT;
    COLORREF m_crBack = CLR_DEFAULT;
};
