#include "shell/MainFrame.h"

#include "app/OptionsProfile.h"
#include "controls/FlatSplitterWnd.h"
#include "menus/ColorRef.h"
#include "menus/CommandActions.h"
#include "menus/NewMenu.h"
#include "menus/NewToolBar.h"
#include "res/CommandIds.h"
#include "res/MenuTables.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>

namespace {

const QString kPlacementKey = QStringLiteral("Layout/WindowPlacement");
const QString kStateKey = QStringLiteral("Layout/MainFrameState");

// The show commands kept as "MainFrameState".
enum : int
{
    SW_SHOWNORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3
};

} // namespace

CMainFrame::CMainFrame(CCommandActions& actions, std::unique_ptr<IShellPanes> panes,
                       QWidget* parent)
    : CNewFrameWnd(parent), m_panes(std::move(panes))
{
    setObjectName(QStringLiteral("MainFrame"));
    LoadFrameMenu(IDR_MAINFRAME, actions);

    // Three toolbars in one row at the top.
    const unsigned bars[3] = {IDR_MAINFRAME, IDR_RECONCILIATION_BAR, IDR_OPTIONS_BAR};
    for (int i = 0; i < 3; ++i) {
        m_toolBars[i] = new CNewToolBar(this);
        m_toolBars[i]->setObjectName(QStringLiteral("ToolBar%1").arg(bars[i]));
        m_toolBars[i]->LoadToolBarResource(bars[i], actions);
        addToolBar(Qt::TopToolBarArea, m_toolBars[i]);
    }
    GetMenu().LoadToolBar(IDR_MAINFRAME, MainMenuIconCommands(), menus::RGB(192, 192, 192));

    // The message pane, then the language pane, whose text the update pass of its command sets.
    m_messagePane = new QLabel(LoadString(IDS_READY));
    m_messagePane->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(m_messagePane, 1);
    QAction* language = actions.Action(ID_INDICATOR_LANGUAGE);
    m_languagePane = new QLabel(language->text());
    m_languagePane->setObjectName(QStringLiteral("LanguagePane"));
    m_languagePane->setTextFormat(Qt::PlainText);
    m_languagePane->setAlignment(Qt::AlignCenter);
    m_languagePane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_languagePane->setMinimumWidth(m_languagePane->fontMetrics().horizontalAdvance(
                                        QStringLiteral("English (United Kingdom)")) +
                                    8);
    statusBar()->addPermanentWidget(m_languagePane);
    connect(language, &QAction::changed, m_languagePane,
            [this, language] { m_languagePane->setText(language->text()); });
    m_lockKeyTimer.setInterval(200);
    connect(&m_lockKeyTimer, &QTimer::timeout, this, &CMainFrame::UpdateLockKeyPanes);
    SetLockKeyReader(PlatformLockKeyReader());

    // The campaign tree beside a column of the right-hand host over the property pane. The
    // tree and the property pane keep their sizes when the window's size changes.
    m_outer = new CFlatSplitterWnd(Qt::Horizontal, this);
    m_outer->setObjectName(QStringLiteral("OuterSplitter"));
    m_inner = new CFlatSplitterWnd(Qt::Vertical, m_outer);
    m_inner->setObjectName(QStringLiteral("InnerSplitter"));
    m_outer->addWidget(m_panes->GetPaneWidget(IShellPanes::LeftPane));
    m_outer->addWidget(m_inner);
    m_inner->addWidget(m_panes->GetPaneWidget(IShellPanes::RightPane));
    m_inner->addWidget(m_panes->GetPaneWidget(IShellPanes::BottomPane));
    // A splitter moved by the user ends the restoring of the stored pane sizes.
    for (CFlatSplitterWnd* splitter : {m_outer, m_inner})
        connect(splitter, &QSplitter::splitterMoved, this, [this] { m_paneSizesPending = false; });
    m_outer->setStretchFactor(0, 0);
    m_outer->setStretchFactor(1, 1);
    m_inner->setStretchFactor(0, 1);
    m_inner->setStretchFactor(1, 0);
    setCentralWidget(m_outer);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::SetLockKeyReader(LockKeyReader reader)
{
    m_lockKeyReader = std::move(reader);
    if (!m_lockKeyReader) {
        m_lockKeyTimer.stop();
        for (QLabel*& pane : m_lockKeyPanes) {
            delete pane;
            pane = nullptr;
        }
        return;
    }
    if (!m_lockKeyPanes[0]) {
        const unsigned ids[3] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
        const char* names[3] = {"CapsLockPane", "NumLockPane", "ScrollLockPane"};
        for (int i = 0; i < 3; ++i) {
            auto* pane = new QLabel;
            pane->setObjectName(QString::fromLatin1(names[i]));
            pane->setProperty("onText", LoadString(ids[i]));
            pane->setTextFormat(Qt::PlainText);
            pane->setAlignment(Qt::AlignCenter);
            pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(LoadString(ids[i])) + 8);
            statusBar()->addPermanentWidget(pane);
            m_lockKeyPanes[i] = pane;
        }
    }
    UpdateLockKeyPanes();
    m_lockKeyTimer.start();
}

void CMainFrame::UpdateLockKeyPanes()
{
    if (!m_lockKeyReader || !m_lockKeyPanes[0])
        return;
    const std::optional<SLockKeys> keys = m_lockKeyReader();
    const bool on[3] = {keys && keys->Caps, keys && keys->Num, keys && keys->Scroll};
    for (int i = 0; i < 3; ++i) {
        QLabel* pane = m_lockKeyPanes[i];
        const QString text = on[i] ? pane->property("onText").toString() : QString();
        if (pane->text() != text)
            pane->setText(text);
    }
}

void CMainFrame::SetDocumentTitle(const QString& title)
{
    setWindowTitle(title + QStringLiteral(" - ") + QApplication::applicationName());
}

void CMainFrame::RestorePlacement()
{
    m_placementRestored = true;
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    const QByteArray placement = profile->value(kPlacementKey).toByteArray();
    if (!placement.isEmpty() && restoreGeometry(placement)) {
        m_wasMinimised = profile->value(kStateKey).toInt() == SW_SHOWMINIMIZED;
        return;
    }
    // No placement, or one this program cannot take: four fifths of the screen, centred.
    m_wasMinimised = false;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        const QSize size = available.size() * 4 / 5;
        setGeometry(QRect(available.topLeft() + QPoint((available.width() - size.width()) / 2,
                                                       (available.height() - size.height()) / 2),
                          size));
    }
}

void CMainFrame::ShowFirstTime()
{
    if (!m_placementRestored)
        RestorePlacement();
    const bool wasMinimised = m_wasMinimised;
    show();
    // The bars take their final sizes before the panes are measured.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (layout())
        layout()->activate();

    // The sizes the campaign tree and the property pane are to have. They keep them whatever
    // the window's size, so they hold while the window still takes its final size (a window
    // manager maximises it only after it is shown).
    int width = -1;
    int height = -1;
    m_panes->ReadLayout(IShellPanes::LeftPane, width, height);
    m_leftWidth = std::max(width == -1 || wasMinimised ? m_outer->width() / 5 : width, 0);

    int bottomWidth = -1;
    int bottomHeight = -1;
    m_panes->ReadLayout(IShellPanes::RightPane, width, height);
    m_panes->ReadLayout(IShellPanes::BottomPane, bottomWidth, bottomHeight);
    const int innerHeight = m_inner->contentsRect().height() - m_inner->handleWidth();
    if (height == -1 || wasMinimised)
        m_bottomHeight = kBottomPaneHeight;
    else if (bottomHeight != -1)
        m_bottomHeight = bottomHeight;
    else
        m_bottomHeight = std::max(innerHeight - height, 0);

    m_paneSizesPending = true;
    ApplyPaneSizes();
    for (IShellPanes::EPane pane :
         {IShellPanes::LeftPane, IShellPanes::RightPane, IShellPanes::BottomPane})
        m_panes->ApplyLayout(pane);
}

void CMainFrame::ApplyPaneSizes()
{
    const int outerWidth = m_outer->contentsRect().width() - m_outer->handleWidth();
    m_outer->setSizes({m_leftWidth, std::max(outerWidth - m_leftWidth, 0)});
    const int innerHeight = m_inner->contentsRect().height() - m_inner->handleWidth();
    m_inner->setSizes({std::max(innerHeight - m_bottomHeight, 0), m_bottomHeight});
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    CNewFrameWnd::resizeEvent(event);
    // Until the user moves a splitter or hides the property pane, every size the window takes
    // (the window manager's maximising among them) gets the panes' sizes again: a pane
    // squeezed by a size the window had on its way is given back its own.
    if (m_paneSizesPending && m_inner->IsLastRowHidden())
        m_paneSizesPending = false;
    if (m_paneSizesPending)
        ApplyPaneSizes();
}

void CMainFrame::SaveLayout()
{
    const std::unique_ptr<QSettings> profile = OpenUserProfile();
    profile->setValue(kPlacementKey, saveGeometry());
    int state = SW_SHOWNORMAL;
    if (isMinimized())
        state = SW_SHOWMINIMIZED;
    else if (isMaximized())
        state = SW_SHOWMAXIMIZED;
    profile->setValue(kStateKey, state);
    profile->sync();
    for (IShellPanes::EPane pane :
         {IShellPanes::LeftPane, IShellPanes::RightPane, IShellPanes::BottomPane})
        m_panes->SaveLayout(pane);
}

void CMainFrame::showEvent(QShowEvent* event)
{
    CNewFrameWnd::showEvent(event);
    TrimEditMenu();
}

void CMainFrame::TrimEditMenu()
{
    // These commands stay handled but have no place in the Edit menu.
    for (QAction* item : menuBar()->actions()) {
        if (item->text() != QLatin1String("&Edit") || !item->menu())
            continue;
        const int position = int(menuBar()->actions().indexOf(item));
        if (CNewMenu* edit = GetMenu().GetSubMenuAt(position)) {
            for (unsigned id : {ID_REAPPLY_MATCHES, ID_VALIDATE_MATCHES, ID_CHECK_DUPLICATES})
                edit->RemoveMenuItem(id);
        }
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_closeQuery && !m_closeQuery()) {
        event->ignore();
        return;
    }
    SaveLayout();
    CNewFrameWnd::closeEvent(event);
    Q_EMIT Closed();
}
