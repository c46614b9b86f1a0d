#include "views/RightReconciliationPage.h"

#include "controls/SplitterBar.h"
#include "grid/DrawTextFormat.h"
#include "menus/CommandActions.h"
#include "menus/MulDiv.h"
#include "model/Campaign.h"
#include "model/Wave.h"
#include "platform/AppServices.h"
#include "res/CommandIds.h"
#include "views/OverviewBar.h"
#include "views/ReconColumnLayout.h"
#include "views/ReconPictures.h"
#include "views/WaveGridCtrl.h"

#include <QFontInfo>

using namespace pelko_wave;

const QString CRightReconciliationPage::kNoSourceKey = QStringLiteral("-999999999");

namespace {

// What the rows of a grid need of its columns: where the source side starts and which columns
// show only an image.
CReconRows::SColumns RowColumns(recon_columns::EGrid grid)
{
    using namespace recon_columns;
    CReconRows::SColumns columns{FirstColumnOf(grid, ESide::Source), {}};
    for (int col = 0; col < ColumnCount(grid); ++col)
        if (Column(grid, col).Text == ETextMode::Image)
            columns.Images.push_back(col);
    return columns;
}

// The face of the headings; without it they take the page's font in bold.
const QString kHeadingFace = QStringLiteral("Calibri");

} // namespace

CRightReconciliationPage::CRightReconciliationPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ReconciliationPage"));
    setAutoFillBackground(true);
    m_overviewQuestions = new COverviewBar(this);
    m_overviewResponses = new COverviewBar(this);
    m_gridQuestions = new CWaveGridCtrl(CWaveGridCtrl::QuestionGrid, this);
    m_gridResponses = new CWaveGridCtrl(CWaveGridCtrl::ResponseGrid, this);
    const std::pair<QWidget*, const char*> names[] = {{m_overviewQuestions, "QuestionOverview"},
                                                      {m_overviewResponses, "ResponseOverview"},
                                                      {m_gridQuestions, "QuestionGrid"},
                                                      {m_gridResponses, "ResponseGrid"}};
    for (const auto& [control, name] : names)
        control->setObjectName(QLatin1String(name));
    m_overviewQuestions->SetDlgCtrlID(kQuestionBarId);
    m_overviewResponses->SetDlgCtrlID(kResponseBarId);
    m_gridQuestions->SetDlgCtrlID(kQuestionGridId);
    m_gridResponses->SetDlgCtrlID(kResponseGridId);
    for (COverviewBar* bar : {m_overviewQuestions, m_overviewResponses})
        bar->SetOwner(this);
    for (CWaveGridCtrl* grid : {m_gridQuestions, m_gridResponses})
        grid->SetOwner(this);
    // The rows of each grid keep its bar's bands and its fades; the page's timer runs the fades.
    m_questionRows.Attach(*m_gridQuestions, *m_overviewQuestions,
                          RowColumns(recon_columns::EGrid::Questions),
                          [this] { StartFadeTimer(); });
    m_responseRows.Attach(*m_gridResponses, *m_overviewResponses,
                          RowColumns(recon_columns::EGrid::Responses),
                          [this] { StartFadeTimer(); });

    // Fonts: data cells in the page's font, difference rows in bold, headings and row numbers
    // in bold Calibri of 10 points (or the page's bold font where Calibri is missing).
    m_fontNormal = QFontToLogFont(font());
    m_fontBold = m_fontNormal;
    m_fontBold.lfWeight = FW_BOLD;
    m_fontHeading = m_fontBold;
    QFont heading(kHeadingFace);
    heading.setPixelSize(menus::MulDiv(10, logicalDpiY(), 72));
    heading.setBold(true);
    if (QFontInfo(heading).family().compare(kHeadingFace, Qt::CaseInsensitive) == 0) {
        m_fontHeading = LOGFONT();
        m_fontHeading.lfHeight = -menus::MulDiv(10, logicalDpiY(), 72);
        m_fontHeading.lfWeight = FW_BOLD;
        m_fontHeading.lfFaceName = kHeadingFace;
    }

    InitialiseGrid(*m_gridQuestions, recon_columns::kQuestionColumns);
    InitialiseGrid(*m_gridResponses, recon_columns::kResponseColumns);
    m_gridQuestions->SetImageList(&QuestionGridImages());
    m_gridResponses->SetImageList(&ResponseGridImages());

    m_splitter = new CSplitterBar;
    m_splitter->Create(this, QRect(), kSplitterId, true);
    m_splitter->setObjectName(QStringLiteral("Splitter"));
    m_splitter->SetPanes({m_overviewQuestions, m_gridQuestions},
                         {m_overviewResponses, m_gridResponses});
    connect(m_splitter, &CSplitterBar::SplitterMoved, this, [this] {
        // The split the user chose is the one the grids keep through resizes.
        if (const int grids = GetGridsHeight(); grids > 0)
            m_questionShare = double(m_gridQuestions->height()) / grids;
        UpdateOverviewHeights();
    });

    // The page takes the keys in its question grid.
    setFocusProxy(m_gridQuestions);
    RegisterCommands();
    RegisterNotifyHandlers();
    if (IWaveApp* app = GetWaveApp())
        app->AddHistoryListener(this, [this] { OnHistoryStep(); });
    m_initialised = true;
}

CRightReconciliationPage::~CRightReconciliationPage()
{
    // The controls go with the page: they report to nobody while it is taken apart.
    for (COverviewBar* bar : {m_overviewQuestions, m_overviewResponses})
        bar->SetOwner(nullptr);
    for (CWaveGridCtrl* grid : {m_gridQuestions, m_gridResponses})
        grid->SetOwner(nullptr);
}

void CRightReconciliationPage::InitialiseGrid(CWaveGridCtrl& grid, int columns)
{
    grid.EnableScrollBars(SB_VERT, true);
    grid.SetGridFont(m_fontNormal);
    // Heading rows and the row-number column: the heading font, centred. Every row takes the
    // height of the data rows, which leaves room for the images.
    const int height = std::max(grid.GetDefaultCell(false, false)->GetHeight(), 20);
    for (const auto& [fixedRow, fixedCol] : {std::pair(true, true), std::pair(true, false),
                                             std::pair(false, true), std::pair(false, false)}) {
        CGridDefaultCell* cell = grid.GetDefaultCell(fixedRow, fixedCol);
        if (fixedRow || fixedCol) {
            cell->SetFont(&m_fontHeading);
            cell->SetFormat(cell->GetFormat() | DT_CENTER | DT_VCENTER);
        }
        cell->SetHeight(height);
    }
    grid.SetTrackFocusCell(false);
    grid.EnableDragAndDrop(true);
    grid.SetDoubleBuffering(true);
    grid.SetFixedRowSelection(false);
    grid.SetFixedColumnSelection(false);
    grid.SetColumnCount(columns);
    grid.SetFixedColumnCount(kFixedColumns);
    // The columns a view mode hides stay hidden.
    grid.EnableHiddenColUnhide(false);
}

CCampaign* CRightReconciliationPage::AppCampaign()
{
    IWaveApp* app = GetWaveApp();
    return app ? app->GetCampaign() : nullptr;
}

const LOGFONT* CRightReconciliationPage::CellFont(const LOGFONT* font) const
{
    // The grids' own font is the page's: a cell in it keeps no font of its own.
    return font == &m_fontNormal ? nullptr : font;
}

// The host's requests -----------------------------------------------------------------------

void CRightReconciliationPage::ShowWave(int waveId)
{
    LoadWave(waveId);
}

void CRightReconciliationPage::ForgetWave()
{
    ClearPage();
    m_waveId = -1;
    m_newQuestionId = -1;
    m_newResponseId = -1;
}

void CRightReconciliationPage::OnHistoryStep()
{
    EndPickModes();
    const CWave* wave = CurrentWave();
    if ((!wave || wave->GetVolumeCount() == 0) &&
        m_gridQuestions->GetRowCount() > m_gridQuestions->GetFixedRowCount())
        ClearPage();
}

int CRightReconciliationPage::GetCurrentQuestionId() const
{
    return GetCurrentQuestion() ? m_curQuestionId : -1;
}

int CRightReconciliationPage::GetFocusedModalityId() const
{
    return int(GetFocusedResponseId());
}

void CRightReconciliationPage::SelectQuestion(int questionId)
{
    SelectCampaignQuestion(questionId);
}

void CRightReconciliationPage::RefreshQuestionGrid()
{
    RelayoutQuestionColumns();
}

void CRightReconciliationPage::RefillFromFocusedQuestion()
{
    RefreshResponses();
}

void CRightReconciliationPage::ReloadWave()
{
    ResetPage();
    LoadWave(m_waveId);
}

// Commands and reports ----------------------------------------------------------------------

void CRightReconciliationPage::AddCommand(unsigned id, CommandHandler onCommand,
                                          UpdateHandler onUpdate)
{
    m_commands[id] = {std::move(onCommand), std::move(onUpdate)};
}

void CRightReconciliationPage::AddNotifyHandler(int controlId, int code, NotifyHandler handler)
{
    m_notifyHandlers[{controlId, code}] = std::move(handler);
}

void CRightReconciliationPage::SetCommandStateListener(std::function<void()> listener)
{
    m_commandStateListener = std::move(listener);
}

void CRightReconciliationPage::NotifyCommandState()
{
    if (m_commandStateListener)
        m_commandStateListener();
}

void CRightReconciliationPage::OnCommand(unsigned id)
{
    const auto it = m_commands.find(id);
    if (it != m_commands.end() && it->second.OnCommand)
        it->second.OnCommand();
}

void CRightReconciliationPage::OnUpdateCommand(CCmdUI& ui)
{
    const auto it = m_commands.find(ui.m_nID);
    if (it == m_commands.end())
        ui.Enable(false);
    else if (it->second.OnUpdate)
        it->second.OnUpdate(ui);
    else
        ui.Enable(true);
}

LRESULT CRightReconciliationPage::OnNotify(NMHDR& header)
{
    const auto it = m_notifyHandlers.find({int(header.idFrom), header.code});
    const LRESULT result = it == m_notifyHandlers.end() ? 0 : it->second(header);
    // A new selection or focus cell changes what the commands act on.
    if (header.code == GVN_SELCHANGED)
        NotifyCommandState();
    return result;
}

void CRightReconciliationPage::RegisterCommands()
{
    RegisterLayoutCommands();
    RegisterSelectionCommands();
    RegisterDifferenceCommands();
    RegisterQuestionCommands();
    RegisterMoveCommands();
    RegisterQuestionActions();
    RegisterResponseCommands();
    AddCommand(ID_APPLY_CAPTION_LIBRARIES, [this] { OnApplyCaptionLibraries(); });
    AddCommand(ID_VALIDATE_MATCHES, [this] { OnValidateMatches(); });
    AddCommand(ID_FIND_QUESTION, [this] { OnFindQuestion(); });
    // "Re-apply Matches" keeps nothing to re-apply: it only refills the responses.
    AddCommand(
        ID_REAPPLY_MATCHES, [this] { RefreshResponses(); }, [](CCmdUI& ui) { ui.Enable(false); });
}

void CRightReconciliationPage::RegisterNotifyHandlers()
{
    // The cells are never edited in place.
    for (int grid : {kQuestionGridId, kResponseGridId})
        AddNotifyHandler(grid, GVN_BEGINLABELEDIT, [](NMHDR&) -> LRESULT { return -1; });
    RegisterDragPickHandlers();
    RegisterMenuHandlers();
    AddNotifyHandler(kQuestionGridId, GVN_SELCHANGED, [this](NMHDR& header) {
        const auto& report = static_cast<const GRIDNOTIFY&>(header);
        return OnQuestionSelChanged(report.iRow, report.iColumn);
    });
    AddNotifyHandler(kResponseGridId, GVN_SELCHANGED, [this](NMHDR& header) -> LRESULT {
        OnResponseSelChanged(static_cast<const GRIDNOTIFY&>(header).iRow);
        return 0;
    });
    AddNotifyHandler(kQuestionBarId, NM_CLICK, [this](NMHDR& header) -> LRESULT {
        OnOverviewClick(m_questionRows, static_cast<const NMOVERVIEWCLICK&>(header).iRow, QColCode);
        return 0;
    });
    AddNotifyHandler(kResponseBarId, NM_CLICK, [this](NMHDR& header) -> LRESULT {
        OnOverviewClick(m_responseRows, static_cast<const NMOVERVIEWCLICK&>(header).iRow, RColCode);
        return 0;
    });
}
