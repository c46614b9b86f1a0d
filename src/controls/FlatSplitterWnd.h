#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QSplitter>
#include <QSplitterHandle>

class CFlatSplitterWnd;

// A bar of the flat splitter: one flat colour with a line on each side, and in a splitter of
// stacked rows a collapse button in its middle that hides and shows the last row.
class CFlatSplitterHandle : public QSplitterHandle
{
    Q_OBJECT

public:
    CFlatSplitterHandle(Qt::Orientation orientation, CFlatSplitterWnd* splitter);

    // The button's rectangle in the bar (empty where there is none).
    QRect GetButtonRect() const;
    bool IsButtonHot() const { return m_hot; }
    bool IsButtonPressed() const { return m_pressed; }
    // The colour of the button's arrow now: halfway from the bar's face to the button-text
    // colour, three quarters under the mouse, the text colour itself while pressed there; it
    // stands out from the face whatever the desktop's colours.
    QColor GetArrowColour() const;

    // Milliseconds between checks that the cursor is still over the button.
    static constexpr int kHoverCheckInterval = 100;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    CFlatSplitterWnd* Splitter() const;
    bool OnButton(const QPoint& point) const;
    void SetHot(bool hot);

    bool m_pressed = false;
    bool m_hot = false;
    bool m_tracking = false; // a drag of the bar is under way
    QBasicTimer m_hoverTimer;
};

// A splitter drawn flat, in one colour, with 7-pixel bars and a one-pixel line around every
// pane. In a splitter of stacked rows each bar carries a button that hides the last row (the
// row above takes its height) and shows it again at the height it had.
class CFlatSplitterWnd : public QSplitter
{
    Q_OBJECT

public:
    static constexpr int kBarWidth = 7;
    static constexpr int kButtonWidth = 60;
    static constexpr int kInitialSavedHeight = 188;

    explicit CFlatSplitterWnd(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Rows stacked in one column: the only splitter whose bars carry the button.
    bool HasButton() const { return orientation() == Qt::Vertical; }
    // A row counts as hidden when its height is 0.
    bool IsLastRowHidden() const;
    // Hides the last row when it shows, shows it when it is hidden.
    void ToggleLastRow();
    int GetSavedRowHeight() const { return m_savedRowHeight; }
    // The colour of the lines and of the button's outline, read once at the first drawing.
    QColor GetLineColour() const;

protected:
    QSplitterHandle* createHandle() override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_savedRowHeight = kInitialSavedHeight;
    mutable QColor m_lineColour;
};
