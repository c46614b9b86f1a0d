#pragma once

#include <QBasicTimer>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

class QAction;
class QMenu;

// Where the tip of a menu item goes: at the item's top, right of the menu when it fits in the
// available area, else left of it; then moved wholly into the area.
QRect MenuTipPlace(const QRect& menu, int itemTop, const QSize& tip, const QRect& available);

// A small tip window beside an open pop-up menu that shows the prompt text of the highlighted
// item: the info-background colour, a one-pixel border and the text in the info-text colour,
// sized to its text plus a margin. It never takes the focus.
class CPopupText : public QWidget
{
    Q_OBJECT
public:
    // The room between the text and the border on either side: the text never touches it.
    static constexpr QSize kDefaultMargins{6, 3};

    explicit CPopupText(QWidget* parent = nullptr);

    // Sets the text and resizes the window to it (the text's size plus the margins), without
    // moving it.
    void SetText(const QString& text);
    QString Text() const { return m_text; }
    void SetMargins(QSize margins) { m_margins = margins; }
    QSize Margins() const { return m_margins; }
    // Shows the window after the delay (at once for 0).
    void ShowDelayed(int milliseconds);
    // Stops a pending show and hides the window.
    void Cancel();
    bool IsPending() const { return m_timer.isActive(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QString m_text;
    QSize m_margins{kDefaultMargins};
    QBasicTimer m_timer;
};

// Shows the prompt text of the highlighted item of a window's menus in a CPopupText beside the
// open pop-up, at the right edge of the pop-up level with the item. Moving to another item
// shows the new text at once when a tip was showing, else after the delay; a pop-up item hides
// the tip, a closed menu hides it and forgets everything, and a tip shown for a mouse-selected
// item goes when the mouse leaves the menu.
class MenuTipManager : public QObject
{
    Q_OBJECT
public:
    explicit MenuTipManager(QObject* parent = nullptr);
    ~MenuTipManager() override;

    // Hooks the window: the pop-ups of its menu bar (and their sub-menus) and the pop-ups
    // whose parent lies in the window get tips.
    void Install(QWidget* window);
    void SetDelay(int milliseconds) { m_nDelay = milliseconds; }
    int Delay() const { return m_nDelay; }
    // The tip window (made on first use).
    CPopupText* Tip();

    // The text shown for an item: its status tip. Override for other texts.
    virtual QString GetPromptText(const QAction* action) const;

    // Handles the highlighting of an item of a pop-up (called for the pop-ups it hooks).
    void OnItemHighlighted(QMenu* menu, QAction* action, bool mouseSelected);
    // Handles the closing of the menu: the tip hides and everything is forgotten.
    void OnMenuClosed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool BelongsToWindow(const QMenu* menu) const;
    void Hook(QMenu* menu);
    void OnHovered(QAction* action);
    void OnAboutToHide();

    QPointer<QWidget> m_window;
    std::unique_ptr<CPopupText> m_tip;
    int m_nDelay = 500;
    bool m_bMouseSelected = false;
    bool m_bWasVisible = false;
    bool m_bLastInputMouse = false;
};
