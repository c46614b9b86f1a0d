#pragma once

#include "commands/CmdCallBacks.h"
#include "grid/CellID.h"
#include "grid/ColorRef.h"
#include "grid/LogFont.h"
#include "grid/NotifyOwner.h"
#include "reconcile/DiffInfo.h"
#include "reconcile/RowMappers.h"
#include "views/ReconciliationPage.h"

#include <QSize>
#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <typeinfo>
#include <utility>

namespace pelko_wave {
class CCampaign;
class CModality;
class CQuestion;
class CVolume;
class CWave;
} // namespace pelko_wave
namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

class CCampaignDiffsCache;
class COverviewBar;
class CSplitterBar;
class CWaveDiffsEntry;
class CWaveGridCtrl;

// The reconciliation page of a wave, page 1 of the right-hand host: the manual-matching screen.
// The upper grid lists every campaign question of the wave beside the source question each
// volume of the wave matches to it (and the source questions no campaign question has); the
// lower grid lists the responses of the selected row, campaign responses beside the source
// responses matched to them. Rows are marked by match state, by differences between the two
// sides (bold on yellow) and by the waves in which items appeared and were removed. An overview
// bar beside each grid shows every row as a coloured band; a splitter bar shares the height
// between the two grids.
//
// The page's work is split by concern over several files: the structure, the reports of its
// controls and its commands here; layout and view modes (ReconPageLayout.cpp); the fills
// (ReconPageFill.cpp); the row writers, lookups and enabling tests (ReconPageRows.cpp);
// selection, navigation and the edit commands (ReconPageSelection.cpp); difference recording
// (ReconPageDifferences.cpp); moving responses (ReconPageMoveResponses.cpp); applying caption
// libraries (ReconPageCaptionLibraries.cpp); Validate Matches (ReconPageValidateMatches.cpp);
// Find Question (ReconPageFind.cpp). Other concerns register their commands (AddCommand) and
// control reports (AddNotifyHandler) from their own files.
//
// The page keeps ids of its wave, its current campaign question, source question and volume,
// never pointers, so that a change of the campaign cannot leave it holding a removed object.
class CRightReconciliationPage : public QWidget, public IReconciliationPage, public INotifyOwner
{
    Q_OBJECT

public:
    // Control ids.
    static constexpr int kQuestionGridId = 1119;
    static constexpr int kResponseGridId = 1121;
    static constexpr int kQuestionBarId = 1140;
    static constexpr int kResponseBarId = 1141;
    static constexpr int kSplitterId = 999;
    // The overview bars' width, and the gap between a bar and its grid.
    static constexpr int kBarWidth = 20;
    // Two heading rows and the row-number column in both grids.
    static constexpr int kFixedRows = 2;
    static constexpr int kFixedColumns = 1;
    // The not-found id and row of the row mappers.
    static constexpr long kNoId = -999999999;
    static constexpr int kNoRow = -999999999;
    static const QString kNoSourceKey; // "-999999999"

    // Overview states of a row.
    enum ERowState
    {
        RowMatched = 0,
        RowDiffers = 1,
        RowUnmatched = 2,
        RowUnmatchedDeleted = 3
    };
    // State images of the grids' image lists.
    enum EStateImage
    {
        ImageMissing = 0,
        ImageMatched = 1,
        ImageNewInWave = 2,
        ImageSourceOnly = 3,
        ImageDeleted = 4,
        ImageMerged = 5,
        ImageMissingDeleted = 6,
        // The question grid's list goes on with the question kinds.
        ImageFirstKind = 7
    };
    // Columns of the question grid (the campaign side 1-6, the source side 7-13) and of the
    // response grid (campaign 1-4, source 5-9).
    enum EQuestionColumn
    {
        QColNumber = 0,
        QColState = 1,
        QColKind = 2,
        QColCode = 3,
        QColShortcut = 4,
        QColShortCaption = 5,
        QColLongCaption = 6,
        QColSourceState = 7,
        QColSourceKind = 8,
        QColSourceCode = 9,
        QColSourceShortcut = 10,
        QColSourceShortCaption = 11,
        QColSourceLongCaption = 12,
        QColVolume = 13
    };
    enum EResponseColumn
    {
        RColNumber = 0,
        RColState = 1,
        RColCode = 2,
        RColEntryCode = 3,
        RColCaption = 4,
        RColSourceState = 5,
        RColSourceCode = 6,
        RColSourceEntryCode = 7,
        RColSourceCaption = 8,
        RColVolume = 9
    };

    using CommandHandler = std::function<void()>;
    using UpdateHandler = std::function<void(CCmdUI&)>;
    // A report's handler gets the report's record (GRIDNOTIFY from the grids, NMOVERVIEWCLICK
    // from the bars).
    using NotifyHandler = std::function<LRESULT(NMHDR&)>;

    explicit CRightReconciliationPage(QWidget* parent = nullptr);
    ~CRightReconciliationPage() override;

    // IReconciliationPage.
    QWidget* GetWindow() override { return this; }
    void ShowWave(int waveId) override;
    int GetCurrentQuestionId() const override;
    int GetFocusedModalityId() const override;
    void SelectQuestion(int questionId) override;
    void RefreshQuestionGrid() override;
    void RefillFromFocusedQuestion() override;
    void ReloadWave() override;
    int GetQuestionGridHeight() const override;
    void SetQuestionGridHeight(int height) override;
    void OnCommand(unsigned id) override;
    void OnUpdateCommand(CCmdUI& ui) override;

    // The reports of the grids and the overview bars.
    LRESULT OnNotify(NMHDR& header) override;

    // A command of the page (forwarded by the host or chosen in a context menu) with its
    // update; a command without an update is enabled.
    void AddCommand(unsigned id, CommandHandler onCommand, UpdateHandler onUpdate = {});
    bool HasCommand(unsigned id) const { return m_commands.count(id) != 0; }
    // The handler of one report code of one control; its answer is the report's.
    void AddNotifyHandler(int controlId, int code, NotifyHandler handler);

    CWaveGridCtrl* GetQuestionGrid() const { return m_gridQuestions; }
    CWaveGridCtrl* GetResponseGrid() const { return m_gridResponses; }
    COverviewBar* GetQuestionBar() const { return m_overviewQuestions; }
    COverviewBar* GetResponseBar() const { return m_overviewResponses; }
    CSplitterBar* GetSplitter() const { return m_splitter; }
    const CQuestionRowMultiMapper& GetQuestionRows() const { return m_qRows; }
    const CQuestionSourceRowMultiMapper& GetQuestionSourceRows() const { return m_qSrcRows; }
    const CModalityRowMapper& GetResponseRows() const { return m_rRows; }
    const CModalitySourceRowMultiMapper& GetResponseSourceRows() const { return m_rSrcRows; }
    long GetWaveId() const { return m_waveId; }
    const LOGFONT& GetNormalFont() const { return m_fontNormal; }
    const LOGFONT& GetBoldFont() const { return m_fontBold; }
    const LOGFONT& GetHeadingFont() const { return m_fontHeading; }

    // Filling --------------------------------------------------------------------------------

    // Fills both grids for the wave; false when the wave is unknown or has no volumes (the page
    // keeps its wave and rows), when a volume's source cannot be read, or when a matched source
    // question is missing from its source (the page is then cleared).
    bool LoadWave(long waveId);
    // Makes the wave's differences stale and fills the page again.
    void RefreshWave();
    // Refills the response grid for a row of the question grid.
    void FillResponses(int questionRow, int col);
    // Refills the response grid for the question grid's focus cell and redraws it.
    void RefreshResponses();
    // The selection of the question grid changed.
    LRESULT OnQuestionSelChanged(int row, int col);
    // The campaign questions the page shows for the wave, as (order, id) pairs; their number.
    int CollectWaveQuestions(const pelko_wave::CCampaign& campaign, int referenceVolumeId,
                             std::set<std::pair<int, int>>& questions) const;
    int CollectWaveResponses(const pelko_wave::CCampaign& campaign,
                             const pelko_wave::CQuestion& question, int referenceVolumeId,
                             std::set<std::pair<int, int>>& responses) const;
    // Forgets the rows and the current items before a fill.
    void ResetPage();

    // Layout and view modes -------------------------------------------------------------------

    // Places the bars, the grids and the splitter: the question grid the given height (-1 or
    // too tall: two thirds of the page).
    void ApplyLayout(int splitPosition);
    void RelayoutQuestionColumns();
    void LayoutQuestionColumns(bool force);
    void LayoutResponseColumns(bool force);
    // The bars' band heights from their grids.
    void UpdateOverviewHeights();
    // The height of a bar's band area beside the grid: down to where its rows end, or the
    // grid's whole height when the rows fill it.
    static int GetOverviewBandHeight(const CWaveGridCtrl& grid);
    // The view commands: the question grid's text (0 shortcuts, 1 short captions, 2 long
    // captions) and the response grid's codes (0 response codes, 1 entry codes), kept in the
    // view options.
    void SetQuestionGridViewText(int mode);
    void SetViewEntryCodes(int mode);

    // Row writers ----------------------------------------------------------------------------

    void WriteQuestionCampaignSide(int row, int image, int kind, COLORREF text, COLORREF back,
                                   const LOGFONT* font, const pelko_wave::CQuestion* question);
    void WriteQuestionSourceSide(int row, int image, int kind, COLORREF text, COLORREF back,
                                 const LOGFONT* font, const qnr::CQuestion* source,
                                 const pelko_wave::CVolume* volume);
    void WriteResponseCampaignSide(int row, int image, COLORREF text, COLORREF back,
                                   const LOGFONT* font, const pelko_wave::CModality* response,
                                   const pelko_wave::CModality* master);
    void WriteResponseSourceSide(int row, int image, COLORREF text, COLORREF back,
                                 const LOGFONT* font, const qnr::CModalite* source,
                                 const pelko_wave::CVolume* volume);
    void WriteQuestionRowNumber(int row);
    void WriteResponseRowNumber(int row);
    void SetQuestionCampaignStyle(int row, const LOGFONT* font, COLORREF back, COLORREF text);
    void SetQuestionSourceStyle(int row, const LOGFONT* font, COLORREF back, COLORREF text);
    void SetQuestionRowStyle(int row, const LOGFONT* font, COLORREF back, COLORREF text);
    void SetQuestionCampaignFont(int row, const LOGFONT* font);
    void SetQuestionSourceFont(int row, const LOGFONT* font);
    void SetQuestionRowFont(int row, const LOGFONT* font);
    void SetResponseRowStyle(int row, const LOGFONT* font, COLORREF back, COLORREF text);
    void SetResponseRowFont(int row, const LOGFONT* font);
    void BuildQuestionHeadings();
    void BuildResponseHeadings();

    // Lookups --------------------------------------------------------------------------------

    const pelko_wave::CQuestion* GetCampaignQuestionAtRow(int row);
    const qnr::CQuestion* GetSourceQuestionAtRow(int row);
    const pelko_wave::CModality* GetCampaignResponseAtRow(int row) const;
    const qnr::CModalite* GetSourceResponseAtRow(int row);
    // The volume of a question-grid row (its source side's; none for a campaign question
    // without matching).
    const pelko_wave::CVolume* GetQuestionRowVolume(int row) const;
    const pelko_wave::CVolume* FindVolumeMatchingQuestion(const pelko_wave::CQuestion& question);
    const pelko_wave::CModality* GetFocusedCampaignResponse() const;
    int FindSourceQuestionRow(const qnr::CQuestion& source, int volumeId);
    int FindQuestionRowForVolume(const pelko_wave::CQuestion& question, int volumeId);
    // The current items of the selected question row.
    const pelko_wave::CQuestion* GetCurrentQuestion() const;
    const qnr::CQuestion* GetCurrentSourceQuestion() const;
    const pelko_wave::CVolume* GetCurrentVolume() const;
    // Whether the wave (the page's when none is given) holds the volume.
    bool WaveHoldsVolume(int volumeId, const pelko_wave::CWave* wave = nullptr) const;
    // Whether the item is removed as of the page's wave (in it or before it).
    bool IsDeletedInWave(int deletionWaveId) const;

    // Enabling tests of the grids' context-menu items.
    bool CanRemoveCampaignQuestion(const CCellID& cell);
    bool CanReorderResponses(const CCellID& cell);
    bool CanRemoveCampaignResponse(const CCellID& cell) const;

    // Entry codes ----------------------------------------------------------------------------

    // The response's entry code, or its place among the current question's responses.
    QString EntryCodeText(const pelko_wave::CQuestion* question,
                          const pelko_wave::CModality* response) const;
    // The generated entry codes of a source question's responses in the volume, stored once.
    void StoreSourceEntryCodes(const qnr::CQuestion& source, int volumeId);

    // Selection ------------------------------------------------------------------------------

    void SelectQuestionRow(int row, int col);
    void SelectResponseRow(int row, int col);
    bool RestoreQuestionCell(const CCellID& cell);
    bool RestoreResponseCell(const CCellID& cell);
    void SelectCampaignQuestion(int questionId);
    long GetFocusedResponseId() const;
    bool HasQuestionFocusCell() const;
    bool HasResponseFocusCell() const;
    // Rows of the question grid whose pair has differences; -1 when none.
    int FindFirstDifferenceRow();
    int FindLastDifferenceRow();
    int FindNextDifferenceRow(int row);
    int FindPrevDifferenceRow(int row);

    // Differences ----------------------------------------------------------------------------

    // The wave's entry of the application's difference cache; null when none.
    CWaveDiffsEntry* GetWaveDiffsEntry() const;
    // Erases the pair's question differences and those of the question's responses.
    void InvalidateQuestionPair(const pelko_wave::CQuestion& question,
                                const pelko_wave::CVolume& volume);
    bool ComputeQuestionDifferences(const pelko_wave::CVolume& volume,
                                    const pelko_wave::CQuestion& question,
                                    const qnr::CQuestion& source);
    bool ComputeResponseDifferences(const pelko_wave::CVolume& volume,
                                    const pelko_wave::CQuestion& question,
                                    const qnr::CQuestion& source);
    // The differences recorded for a pair (the responses' marker once) and for a response.
    void CollectQuestionDiffKinds(int questionId, int volumeId, CDiffList& kinds) const;
    void CollectResponseDiffKinds(int responseId, CDiffList& kinds) const;
    // Makes the pair's markers of differing responses as many as the question's responses
    // with differences.
    void SyncResponseDiffMarkers(const pelko_wave::CQuestion& question,
                                 const pelko_wave::CVolume& volume);
    // Whether the pair (the row's campaign question and volume) has recorded differences.
    bool RowHasDifferences(int row);

    // Moving responses -----------------------------------------------------------------------

    // Swaps the focused campaign response with the one on the row above (up) or below by an
    // undoable command; the two rows then change places without a refill.
    void MoveResponse(bool up);
    // Whether the focused campaign response can move up (down): every response filter on and
    // a response of the current question at the order above (below) it.
    bool CanMoveResponse(bool up) const;
    // After the swap's Do, Undo and Redo: the rows of the two responses change places, the
    // focus and the overview bar's bands with them.
    void SwapResponseRows(const pelko_wave::CModality& first, const pelko_wave::CModality& second);
    // Exchanges the cells of two response rows, campaign and source side, and writes the entry
    // code of the response each row now shows.
    void SwapResponseGridRows(int rowA, int rowB, const pelko_wave::CQuestion* question,
                              const pelko_wave::CModality* nowOnRowB,
                              const pelko_wave::CModality* nowOnRowA);

    // Caption libraries, Validate Matches, Find Question -----------------------------------------

    // "Apply Caption Libraries": after the caption library dialog, merges the responses of the
    // wave's campaign questions that the libraries call the same into the one with the group's
    // base caption, all in one undoable step, and shows the wave again.
    void OnApplyCaptionLibraries();
    // "Validate Matches": in a wave of one volume, makes every question matching without
    // differences again, in one undoable step.
    void OnValidateMatches();
    // "Find Question": the find question dialog on the page's rows, then the chosen row
    // selected.
    void OnFindQuestion();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The source response keys of the generated entry codes: volume, source question code,
    // source response code.
    using SourceResponseKey = std::tuple<int, int, int>;
    // One question-grid row of a fill, before it is written.
    struct SQuestionRow;

    static pelko_wave::CCampaign* AppCampaign();
    void RegisterCommands();
    void RegisterLayoutCommands();
    void RegisterSelectionCommands();
    void RegisterDifferenceCommands();
    void RegisterNotifyHandlers();
    void RegisterMoveCommands();
    // Handlers for the history that make every wave's differences stale and show the page's
    // wave again after each step whose change record is of the kind, for as long as the page
    // exists.
    CCmdCallBacks WaveReloadCallBacks(const std::type_info& recordKind);
    void InitialiseGrid(CWaveGridCtrl& grid, int columns);
    // Places the controls for the page's size with the question grid the given height.
    void PlaceControls(int split);
    // Empties the grids and the rows' records.
    void ClearPage();
    // The question grid's fill of LoadWave, with the grids' painting off.
    bool FillQuestionGrid(pelko_wave::CCampaign& campaign, pelko_wave::CWave& wave);
    void WriteQuestionRows(const std::vector<SQuestionRow>& rows);
    void AppendResponseRow(const pelko_wave::CModality* response, const qnr::CModalite* source,
                           const pelko_wave::CVolume* volume, long key, int sourceCode, int state);
    // Reports a matched source response that the volume's source no longer has.
    static std::function<void(const QString&)>
    MissingResponseReport(const pelko_wave::CVolume& volume);
    void OnResponseSelChanged(int row);
    void OnOverviewClick(bool questions, int index);
    void GoToDifference(unsigned id);
    // A view command: the question grid's text mode or the response grid's codes.
    void AddViewCommand(unsigned id, bool questionGrid, int mode);
    // The copy and select-all commands of the grid that has the focus; null when neither has.
    CWaveGridCtrl* FocusedGrid() const;
    const LOGFONT* CellFont(const LOGFONT* font) const;

    // Controls, owned by the page as their parent.
    COverviewBar* m_overviewQuestions = nullptr;
    COverviewBar* m_overviewResponses = nullptr;
    CWaveGridCtrl* m_gridQuestions = nullptr;
    CWaveGridCtrl* m_gridResponses = nullptr;
    CSplitterBar* m_splitter = nullptr;

    // Data cells take the page's font; difference rows its bold copy; headings and row numbers
    // the heading font.
    LOGFONT m_fontNormal;
    LOGFONT m_fontBold;
    LOGFONT m_fontHeading;

    long m_waveId = -1;
    int m_curQuestionRow = -1;
    int m_curResponseRow = -1;
    bool m_initialised = false;

    // The selected question row's items: campaign question, source question (by its code in
    // the volume's source), volume; -1 each for none.
    int m_curQuestionId = -1;
    std::optional<int> m_curSourceCode;
    int m_curVolumeId = -1;

    CQuestionRowMultiMapper m_qRows{kNoId, kNoRow};
    CQuestionSourceRowMultiMapper m_qSrcRows{kNoSourceKey, kNoRow};
    CModalityRowMapper m_rRows{kNoId, kNoRow};
    CModalitySourceRowMultiMapper m_rSrcRows{kNoSourceKey, kNoRow};
    // Keys of the rows of unmatched source items: -1, -2, ... never reused by the page.
    long m_nextUnmatchedQuestionKey = -1;
    long m_nextUnmatchedResponseKey = -1;
    // The generated entry codes ("%0*d") of source responses without one.
    std::map<SourceResponseKey, QString> m_rowLinks;

    // Layout: the page size the controls were last placed for (invalid before the first
    // placing), the question grid's height asked for until then, and the width each grid's
    // columns were last fitted to.
    QSize m_layoutSize;
    int m_requestedSplit = -1;
    int m_questionColumnsWidth = -1;
    int m_responseColumnsWidth = -1;

    struct SCommand
    {
        CommandHandler OnCommand;
        UpdateHandler OnUpdate;
    };
    std::map<unsigned, SCommand> m_commands;
    std::map<std::pair<int, int>, NotifyHandler> m_notifyHandlers;
};
