#pragma once

#include "menus/NewFrameWnd.h"
#include "shell/LockKeys.h"
#include "shell/ShellPanes.h"

#include <QTimer>

#include <functional>
#include <memory>

class CCommandActions;
class CFlatSplitterWnd;
class CNewToolBar;
class QLabel;

// The main window: the main menu, three toolbars side by side in one row (the main one, the
// reconciliation page's and the options one), a status bar with the message pane, the language
// pane and, where the platform tells their state, the lock-key panes, and two flat splitters
// holding the three panes: the campaign tree on the left, the right-hand host above the
// property pane on the right. A change of the window's height goes to the right-hand host; the
// property pane and the campaign tree keep their sizes.
class CMainFrame : public CNewFrameWnd
{
    Q_OBJECT

public:
    // The property pane's height at the first start.
    static constexpr int kBottomPaneHeight = 240;

    // Builds the menu, toolbars, status bar and splitters with the panes (the frame owns them).
    CMainFrame(CCommandActions& actions, std::unique_ptr<IShellPanes> panes,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    IShellPanes& GetPanes() const { return *m_panes; }
    CFlatSplitterWnd* GetOuterSplitter() const { return m_outer; }
    CFlatSplitterWnd* GetInnerSplitter() const { return m_inner; }
    CNewToolBar* GetToolBar(int index) const { return m_toolBars[index]; }
    QLabel* GetMessagePane() const { return m_messagePane; }
    QLabel* GetLanguagePane() const { return m_languagePane; }

    // The caps-lock, num-lock and scroll-lock panes after the language pane: "CAP", "NUM" and
    // "SCRL" while the key is on, blank while off. They are there only with a reader (the
    // platform's, from the start); an empty reader takes them away.
    enum ELockKey : int
    {
        CapsLockPane = 0,
        NumLockPane = 1,
        ScrollLockPane = 2
    };
    void SetLockKeyReader(LockKeyReader reader);
    // Reads the lock keys into their panes (done every fifth of a second while there is a
    // reader).
    void UpdateLockKeyPanes();
    // A lock-key pane; null when there are none.
    QLabel* GetLockKeyPane(ELockKey key) const { return m_lockKeyPanes[key]; }

    // Asked on every close request; a false answer keeps the window open.
    void SetCloseQuery(std::function<bool()> query) { m_closeQuery = std::move(query); }

    // Puts the window, still hidden, where the last run left it ("Layout"/"WindowPlacement";
    // a minimised one shows normal), so that the dialogs of the start centre on it; a placement
    // that cannot be used is ignored.
    void RestorePlacement();
    // Shows the window the first time, then sets the panes' sizes: those they stored, or (at the
    // first start, or after a minimised placement) a campaign tree of a fifth of the width and a
    // property pane of kBottomPaneHeight; then each pane applies its own layout. The campaign
    // tree's width and the property pane's height are given again at every size the window
    // takes until the user moves a splitter, so that they hold once the window has its final
    // size (maximised by the window manager after it is shown, or not).
    void ShowFirstTime();
    // Writes the window's placement and has each pane store its size (profile section
    // "Layout"); done when the window closes.
    void SaveLayout();

    // The document's title in the window's caption.
    void SetDocumentTitle(const QString& title);

Q_SIGNALS:
    // The window was closed (its close request accepted): the program ends.
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void TrimEditMenu();
    // Sets the splitters to the campaign tree's width and the property pane's height; the
    // right-hand host takes the rest.
    void ApplyPaneSizes();

    std::unique_ptr<IShellPanes> m_panes;
    CFlatSplitterWnd* m_outer = nullptr;
    CFlatSplitterWnd* m_inner = nullptr;
    CNewToolBar* m_toolBars[3] = {};
    QLabel* m_messagePane = nullptr;
    QLabel* m_languagePane = nullptr;
    QLabel* m_lockKeyPanes[3] = {};
    LockKeyReader m_lockKeyReader;
    QTimer m_lockKeyTimer;
    std::function<bool()> m_closeQuery;
    bool m_placementRestored = false;
    // The placement was stored while minimised: the panes take their default sizes.
    bool m_wasMinimised = false;
    // The campaign tree's width and the property pane's height that the first show gives them,
    // and whether they are still given again at each size the window takes.
    int m_leftWidth = 0;
    int m_bottomHeight = kBottomPaneHeight;
    bool m_paneSizesPending = false;
};
