#pragma once

#include "commands/CmdCallBacks.h"
#include "grid/CellID.h"
#include "grid/ColorRef.h"
#include "grid/LogFont.h"
#include "grid/NotifyOwner.h"
#include "reconcile/DiffInfo.h"
#include "views/ReconColumnLayout.h"
#include "views/ReconRows.h"
#include "views/ReconciliationPage.h"

#include <QSize>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <list>
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
class CNewMenu;
class COverviewBar;
class QTimer;
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
// (ReconPageDifferences.cpp); drags, pick modes and confirmations (ReconPageDragPick.cpp); row
// fades' timer (ReconPageFades.cpp); row updates after commands (ReconPageRowUpdates.cpp); the
// command callbacks (ReconPageCallbacks.cpp); context menus (ReconPageMenus.cpp); the question
// matching commands and the removal of a campaign question (ReconPageQuestionCommands.cpp);
// question differences and question actions (ReconPageQuestionActions.cpp); moving responses
// (ReconPageMoveResponses.cpp); applying caption libraries
// (ReconPageCaptionLibraries.cpp); Validate Matches (ReconPageValidateMatches.cpp); Find Question
// (ReconPageFind.cpp); the response matching commands (ReconPageResponseCommands.cpp); response
// differences and merging (ReconPageResponseMerge.cpp). Other concerns register their commands
// (AddCommand) and control reports (AddNotifyHandler) from their own files.
//
// What each row of a grid stands for, its band, its fade and the current row are kept by the
// grid's rows (CReconRows), which insert, delete and exchange rows as one operation; the kinds
// of rows, with their images and looks, are described once for the fills and the row updates
// (QuestionRowKind, ResponseRowKind in ReconPageFill.cpp).
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
    static constexpr long kNoId = CReconRows::kNoId;
    static constexpr int kNoRow = CReconRows::kNoRow;
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
    // The columns of the two grids, named by the grids' column tables.
    using EQuestionColumn = recon_columns::EQuestionColumn;
    using EResponseColumn = recon_columns::EResponseColumn;
    using enum recon_columns::EQuestionColumn;
    using enum recon_columns::EResponseColumn;

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
    void ForgetWave() override;
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
    void SetCommandStateListener(std::function<void()> listener) override;

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
    // What each row of the question grid and of the response grid stands for.
    const CReconRows& GetQuestionRows() const { return m_questionRows; }
    const CReconRows& GetResponseRows() const { return m_responseRows; }
    long GetWaveId() const { return m_waveId; }
    const LOGFONT& GetNormalFont() const { return m_fontNormal; }
    const LOGFONT& GetBoldFont() const { return m_fontBold; }
    const LOGFONT& GetHeadingFont() const { return m_fontHeading; }

    // Filling --------------------------------------------------------------------------------

    // Fills both grids for the wave; false when the wave is unknown or has no volumes, when a
    // volume's source cannot be read, or when a matched source question is missing from its
    // source (the page is then cleared: no rows). Every pick mode and drag ends.
    bool LoadWave(long waveId);
    // Refills the response grid for a row of the question grid; the grid's fades, pick modes
    // and drags end.
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
    // After rows changed in place: the bars' band heights again, and the bars and grids repainted.
    void RepaintRows();
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
    // The text of a question-grid column that shows a text of the campaign or source question
    // (ETextMode::ItemText); empty for another column.
    static QString CampaignQuestionText(int col, const pelko_wave::CQuestion& question);
    QString SourceQuestionText(int col, const qnr::CQuestion& source,
                               const pelko_wave::CVolume* volume) const;
    void WriteResponseCampaignSide(int row, int image, COLORREF text, COLORREF back,
                                   const LOGFONT* font, const pelko_wave::CModality* response,
                                   const pelko_wave::CModality* master);
    // The caption cell's text of a campaign response's row: with its merge master, the response
    // "merged to" the master.
    static QString CampaignResponseCaption(const pelko_wave::CModality* response,
                                           const pelko_wave::CModality* master);
    void WriteResponseSourceSide(int row, int image, COLORREF text, COLORREF back,
                                 const LOGFONT* font, const qnr::CModalite* source,
                                 const pelko_wave::CVolume* volume);
    // The language in which a reconciliation compares the volume's source captions (the
    // questionnaire side of the pair chosen for the volume) when it is a variant of the campaign's
    // current language, else the current language: a source caption that the current language
    // leaves empty is shown in it. Kept for the volumes met during a fill.
    int GetSourceCaptionLanguage(const pelko_wave::CVolume& volume) const;
    QString SourceQuestionCaption(const qnr::CQuestion& source, const pelko_wave::CVolume* volume,
                                  bool longCaption) const;
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

    const pelko_wave::CQuestion* GetCampaignQuestionAtRow(int row) const;
    const qnr::CQuestion* GetSourceQuestionAtRow(int row) const;
    const pelko_wave::CModality* GetCampaignResponseAtRow(int row) const;
    const qnr::CModalite* GetSourceResponseAtRow(int row) const;
    // The volume of a question-grid row (its source side's; none for a campaign question
    // without matching).
    pelko_wave::CVolume* GetQuestionRowVolume(int row) const;
    const pelko_wave::CModality* GetFocusedCampaignResponse() const;
    // The row of the source question (or of its code's text) in the volume; kNoRow when none.
    int FindSourceQuestionRow(const qnr::CQuestion& source, int volumeId) const;
    int FindSourceQuestionRow(const QString& key, int volumeId) const;
    int FindQuestionRowForVolume(const pelko_wave::CQuestion& question, int volumeId) const;
    // The current items of the selected question row.
    const pelko_wave::CQuestion* GetCurrentQuestion() const;
    const qnr::CQuestion* GetCurrentSourceQuestion() const;
    const pelko_wave::CVolume* GetCurrentVolume() const;
    // Whether the wave (the page's when none is given) holds the volume.
    bool WaveHoldsVolume(int volumeId, const pelko_wave::CWave* wave = nullptr) const;
    // Whether the item is removed as of the page's wave (in it or before it).
    bool IsDeletedInWave(int deletionWaveId) const;

    // Enabling tests of the grids' context-menu items.
    bool CanRemoveCampaignQuestion(const CCellID& cell) const;
    bool CanReorderResponses(const CCellID& cell) const;
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
    bool RestoreResponseCell(const CCellID& cell);
    void SelectCampaignQuestion(int questionId);
    long GetFocusedResponseId() const;
    bool HasQuestionFocusCell() const;
    bool HasResponseFocusCell() const;
    // Rows of the question grid whose pair has differences; -1 when none.
    int FindFirstDifferenceRow() const;
    int FindLastDifferenceRow() const;
    int FindNextDifferenceRow(int row) const;
    int FindPrevDifferenceRow(int row) const;

    // Differences ----------------------------------------------------------------------------

    // The wave's entry of the application's difference cache; null when none.
    CWaveDiffsEntry* GetWaveDiffsEntry() const;
    // Erases the pair's question differences and those of the question's responses.
    void InvalidateQuestionPair(const pelko_wave::CQuestion& question,
                                const pelko_wave::CVolume& volume);
    // The differences recorded for a pair (the responses' marker once) and for a response.
    void CollectQuestionDiffKinds(int questionId, int volumeId, CDiffList& kinds) const;
    void CollectResponseDiffKinds(int responseId, CDiffList& kinds) const;
    // Makes the pair's markers of differing responses as many as the question's responses
    // with differences.
    void SyncResponseDiffMarkers(const pelko_wave::CQuestion& question,
                                 const pelko_wave::CVolume& volume);
    // Whether the pair (the row's campaign question and volume) has recorded differences.
    bool RowHasDifferences(int row) const;

    // Drags, pick modes and confirmations ----------------------------------------------------
    //
    // A source question (or response) is re-matched by dragging it onto another row of its
    // grid, or by a pick command followed by a click on the target row. The page says which
    // cells may be dragged and where they may go, shows the pick pointer, and asks before a
    // drop or a click changes matchings.

    bool IsSourceQuestionCell(const CCellID& cell) const;
    bool IsSourceResponseCell(const CCellID& cell) const;
    bool IsCampaignResponseCell(const CCellID& cell) const;
    // A campaign response that is neither master nor child of a merging.
    bool IsFreeCampaignResponseCell(const CCellID& cell) const;
    // A campaign response still alive after the page's wave: a source response may be dropped
    // there, and the merge pick may merge a campaign response into it.
    bool CanDropSourceResponse(const CCellID& cell) const;
    bool CanDropCampaignResponse(const CCellID& dragCell, const CCellID& cell) const;
    bool CanRematchQuestion(const CCellID& source, const CCellID& target);
    // Why the source row's question cannot go to the target row's campaign question: bits of
    // ERematchProblem, all of them when either question is missing.
    enum ERematchProblem
    {
        RematchLoops = 1,
        RematchRemoved = 2,
        RematchElementType = 4,
        RematchQuestionType = 8,
        RematchNotCampaignColumn = 16
    };
    int GetQuestionRematchProblems(const CCellID& source, const CCellID& target);
    // Tells the user the reasons, unless the target is outside the campaign columns.
    void ShowQuestionRematchProblems(const CCellID& source, const CCellID& target);

    // The pick modes: started from the focus cell of their grid, ended by a click, a drop, a
    // right click or Esc.
    void StartQuestionPick();
    void StartResponsePick();
    void StartMergePick();
    void EndQuestionPick();
    void EndResponsePick();
    void EndMergePick();
    // Ends a duplicate-merge drag of the response grid.
    void EndResponseDrag();
    // Ends the pick modes and drags of the response grid, or of both grids: what they started
    // from names a row that a refill or a step of the history gives to something else.
    void EndResponsePicks();
    void EndPickModes();
    bool IsQuestionPickOn() const { return m_pickQuestion; }
    bool IsResponsePickOn() const { return m_pickResponse; }
    bool IsMergePickOn() const { return m_mergePick; }
    bool IsQuestionDragOn() const { return m_dragQuestions; }
    bool IsResponseDragOn() const { return m_dragResponses; }
    bool IsMergeDragOn() const { return m_dragMergeResponse; }
    bool IsRematchDragOn() const { return m_dragRematchResponse; }
    const CCellID& GetQuestionPickCell() const { return m_pickQuestionCell; }
    const CCellID& GetResponsePickCell() const { return m_pickResponseCell; }
    const CCellID& GetMergePickCell() const { return m_mergePickCell; }
    const CCellID& GetDraggedCampaignResponseCell() const { return m_dragCampaignResponseCell; }
    // The pointer a pick mode shows over the hovered row; none for the default.
    std::optional<Qt::CursorShape> GetPickCursor() const { return m_hCursor; }

    // The confirmations: the matchings a drop or a click breaks, adds, merges or removes, one
    // line each, and the closing question; true for Yes.
    bool ConfirmQuestionDrop(const CCellID& dragged, const CCellID& target);
    bool ConfirmSourceResponseDrop(const CCellID& dragged, const CCellID& target);
    bool ConfirmCampaignResponseDrop(const CCellID& dragged, const CCellID& target);
    bool ConfirmMerge(const CCellID& merged, const CCellID& master);

    // Row fades --------------------------------------------------------------------------------
    //
    // A row whose state changed fades from its old background to the new one over
    // kHighlightDuration of the views' clock, a step every 100 ms.

    void StartQuestionRowFade(int row, COLORREF colour);
    void StartResponseRowFade(int row, COLORREF colour);
    void StartFadeTimer();
    void StopFades();
    // One step of every fade (the timer's tick).
    void OnFadeTimer();
    bool IsFadeTimerRunning() const;
    int GetFadeCount() const;

    // Row updates ------------------------------------------------------------------------------
    //
    // After a command's Do, Undo or Redo the page updates the rows concerned in place instead
    // of filling the grids again; each update leaves the rows as a fill would show them.

    // Rewrites the campaign side of the question's rows; a question removed as of the wave
    // turns grey (fading with fade).
    void RefreshQuestionRows(const pelko_wave::CQuestion& question, bool fade);
    // The response's row, or every row of the question, loses its campaign side; a row left
    // with no side is deleted, one left with its source side shows it as an unmatched source
    // item's.
    void DetachCampaignResponseRow(const pelko_wave::CModality& response);
    void DetachCampaignQuestionRows(const pelko_wave::CQuestion& question);
    // A campaign question, or a response of the current question, that the wave shows without
    // a matching and that no row holds gets the row a fill gives it, inserted at the row.
    void ShowQuestionAlone(const pelko_wave::CQuestion& question, int row);
    void ShowResponseAlone(const pelko_wave::CModality& response, int row);
    // Where a fill puts the response's row among the campaign responses: before the first row
    // of a later response or without one (the grid's row count after the last).
    int ResponseRowForOrder(const pelko_wave::CModality& response) const;
    // Deletes the question's row when it has no source side (after a new question is undone).
    void RemoveNewQuestionRow(const pelko_wave::CQuestion& question);
    // The source question now matched to the campaign question in the volume joins the
    // question's row (or its own row takes the question).
    void ShowQuestionMatched(const pelko_wave::CVolume& volume,
                             const pelko_wave::CQuestion& question, const qnr::CQuestion& source,
                             bool highlight);
    // The source question no longer matched to the campaign question in the volume leaves the
    // question's row for a new row right below it; when the question has another row, the row
    // becomes the source question's.
    void ShowQuestionUnmatched(const pelko_wave::CVolume& volume,
                               const pelko_wave::CQuestion& question, const qnr::CQuestion& source,
                               bool highlight);
    // Makes the question's rows show, for every volume of the wave, the source question the
    // volume matches to it now (its own matching or one it inherits), after a matching changed
    // in a volume that others inherit from.
    void FollowQuestionMatchings(const pelko_wave::CQuestion& question, bool highlight);
    // Records the differences of every matched row of the question again, one per volume of
    // the wave, and colours the rows.
    void RecomputeQuestionRows(const pelko_wave::CQuestion& question, bool highlight);
    // The question's shortcut and captions in each of its rows.
    void RewriteQuestionTexts(const pelko_wave::CQuestion& question);
    // The source response now matched to the campaign response joins the response's row.
    void ShowResponseMatched(const pelko_wave::CVolume& volume,
                             const pelko_wave::CModality& response, const qnr::CModalite& source,
                             bool highlight);
    // The response's campaign side and colours again (a change of the response).
    void RewriteResponseRow(const pelko_wave::CModality& response, bool highlight);
    // Deletes the response's row when it has no source side (after a new response is undone).
    void RemoveUnsourcedResponseRow(const pelko_wave::CModality& response);
    // The entry-code texts of the campaign responses shown, once the responses that exist or
    // their order changed.
    void RewriteEntryCodeTexts();

    // Command callbacks ------------------------------------------------------------------------
    //
    // The handlers the page gives with the commands it issues, by the kind of change record
    // they expect; each updates the rows of its record and ignores a record of another kind.

    CCmdCallBacks NewQuestionCallBacks();
    CCmdCallBacks NewModalityCallBacks();
    CCmdCallBacks ChangeQuestionCallBacks();
    CCmdCallBacks ChangeModalityCallBacks();
    CCmdCallBacks CreateQuesMatchingCallBacks();
    CCmdCallBacks BreakQuesMatchingCallBacks();
    CCmdCallBacks DeepBreakQuesMatchingCallBacks();
    CCmdCallBacks ReorderQuesModalitiesCallBacks();
    CCmdCallBacks MetaChangeQuesAppVolIDCallBacks();
    CCmdCallBacks MetaChangeModAppVolIDCallBacks();
    CCmdCallBacks CreateModMatchingCallBacks();
    CCmdCallBacks BreakModMatchingCallBacks();
    CCmdCallBacks DeepBreakModMatchingCallBacks();
    CCmdCallBacks MergeModalitiesCallBacks();
    CCmdCallBacks RemoveDuplicateModalityCallBacks();
    CCmdCallBacks MetaChangeModalityCallBacks();
    // A composite about the question: its rows in every volume of the wave (the matchings the
    // volumes hold or inherit now), texts, differences and colours again; the responses shown
    // again after Undo, and after every step when it matches the question's responses anew.
    CCmdCallBacks MetaCmdCallBacks(int questionId, bool responsesMatched = false);
    // A composite that changes a campaign question's properties: its rows' texts, differences
    // and colours again, highlighted after Do.
    CCmdCallBacks MetaChangeQuestionCallBacks();
    // A swap of two responses' order: their rows change places.
    CCmdCallBacks SwapResponseOrderCallBacks();
    // The opening and closing steps of a group: the whole wave again.
    CCmdCallBacks FixAllPlaceHolderCallBacks();
    // The campaign question and response the page's last new-question and new-response steps
    // made; -1 before any.
    long GetNewQuestionId() const { return m_newQuestionId; }
    long GetNewResponseId() const { return m_newResponseId; }

    // Question matching commands ---------------------------------------------------------------

    // "Break This Matching" on the question grid's focus row.
    void OnBreakQuestionMatching();
    // Moves the pick row's source question to the target row's campaign question in one
    // undoable step; leftQuestionId gets the campaign question the source question leaves (-1
    // for none). False when a row lacks what it needs or the command failed.
    bool RematchQuestion(const CCellID& pick, const CCellID& target, int* leftQuestionId);
    // Offers to remove the campaign question a re-matched source question left.
    void OfferRemoveOriginalQuestion(const pelko_wave::CQuestion& question);
    // The drop of a question drag, and a click of the question grid (which completes the
    // question pick mode).
    LRESULT OnQuestionGridDrop();
    LRESULT OnQuestionGridClick(int row, int col);
    // Marks the question (and, when the user wants, its sub-questions) removed as of the wave
    // and breaks its matchings there, in one undoable step; asks first when ask is set. False
    // when nothing ran or the command failed.
    bool RemoveCampaignQuestion(const pelko_wave::CQuestion* question, bool ask);

    // Question differences and question actions ----------------------------------------------

    // "View Question Differences...": the differences dialog on the focus row's pair. The values
    // chosen there change the campaign question in one undoable step; its New Question makes a
    // campaign question of the source question instead.
    void OnViewQuestionDifferences();
    // "Create New Campaign Question" on a source question that no campaign question holds: a
    // campaign question of the same shortcut and kind that first appears after the row's volume
    // and is not matched elsewhere in the wave takes it (appearing from the volume on), else a
    // new campaign question is made of it.
    void OnCreateCampaignQuestion();
    // "Re-order Campaign Responses": the current question's responses in its source's order.
    void OnReorderCampaignResponses();
    // "Update all campaign questions": the Update dialog on the wave. Whatever it fixes is one
    // undoable step; when it fixes nothing the history is as before.
    void RunUpdate();
    // Makes a campaign question of the source question at the order (-1: last), matched to it
    // in the volume from the volume on (breaking breakFrom's matching there first when given),
    // the volumes below and the new question's responses matched again: three steps that one
    // Undo takes back. When a step fails, its error is shown and the steps before it are taken
    // back. False when nothing was made.
    bool NewCampaignQuestionRoad(pelko_wave::CVolume& volume, const qnr::CQuestion& source,
                                 int order, pelko_wave::CQuestion* breakFrom);

    // Context menus ------------------------------------------------------------------------------

    // The pop-up of the grid's menu for the cell (the heading pop-up for a heading cell), its
    // items greyed where they do not apply; null when no menu is shown. The menu owns it.
    CNewMenu* LoadQuestionMenu(CNewMenu& menu, const CCellID& cell);
    CNewMenu* LoadResponseMenu(CNewMenu& menu, const CCellID& cell);

    // Moving responses -----------------------------------------------------------------------

    // Swaps the focused campaign response with the one on the row above (up) or below by an
    // undoable command; the two rows then change places without a refill.
    void MoveResponse(bool up);
    // Whether the focused campaign response can move up (down): every response filter on and
    // a response of the current question at the order above (below) it.
    bool CanMoveResponse(bool up) const;
    // After the swap's Do, Undo and Redo: the rows of the two responses change places, the
    // focus and the overview bar's bands with them, and each shows its entry code again.
    void SwapResponseRows(const pelko_wave::CModality& first, const pelko_wave::CModality& second);

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

    // Response matching commands and merging ----------------------------------------------------

    // "Break This Matching" on the response grid's focus row.
    void OnBreakResponseMatching();
    // Moves the pick row's source response to the target row's campaign response in one
    // undoable step; leftResponseId gets the campaign response the source response leaves (-1
    // for none). False when a row lacks what it needs or the command failed.
    bool RematchResponse(const CCellID& pick, const CCellID& target, int* leftResponseId);
    // Offers to remove the campaign response a re-matched source response left.
    void OfferRemoveOriginalResponse(const pelko_wave::CModality& response);
    // Marks the response removed as of the wave, its matching broken in the first of the wave's
    // volumes that matches its question, in one undoable step. False when nothing ran or the
    // command failed.
    bool RemoveCampaignResponse(const pelko_wave::CModality* response);
    // "Create New Campaign Response" for the focus row's source response: a campaign response
    // of the same caption that appears later takes it, else a new one is made.
    void OnCreateCampaignResponse();
    // "View Response Differences...": the response differences dialog, then the changes chosen
    // in one step, or a new campaign response for the source response.
    void OnViewResponseDifferences();
    // A click of the response grid (which completes the response pick and merge modes), and
    // the drop of a response drag.
    LRESULT OnResponseGridClick(int row, int col);
    LRESULT OnResponseGridDrop();
    // After the response's matching in the volume was broken: the row's source response leaves
    // for a row of its own right below, and the question's row takes its colours again.
    void RefreshResponseRow(const pelko_wave::CVolume& volume,
                            const pelko_wave::CModality& response, bool recolourQuestion,
                            bool highlight);
    // After the response changed: its caption, its and its question's differences and colours.
    void RefreshChangedResponse(const pelko_wave::CModality& response, bool highlight);
    // The response's row as merged into the master: greyed, its background fading with fade.
    void ShowResponseMerged(const pelko_wave::CModality& response,
                            const pelko_wave::CModality& master, bool fade);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Esc ends the pick modes, whichever of the page's controls has the keyboard.
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    void RegisterDragPickHandlers();
    void RegisterMenuHandlers();
    void RegisterQuestionCommands();
    void RegisterMoveCommands();
    void RegisterQuestionActions();
    void RegisterResponseCommands();
    // Handlers for the history that make every wave's differences stale and show the page's
    // wave again after each step whose change record is of the kind, for as long as the page
    // exists.
    CCmdCallBacks WaveReloadCallBacks(const std::type_info& recordKind);
    void InitialiseGrid(CWaveGridCtrl& grid, int columns);
    // Places the controls for the page's size with the question grid the given height.
    void PlaceControls(int split);
    // Places the controls with the question grid the given height, which gives the grids the
    // shares of the page's height that they keep when the page is resized.
    void PlaceControlsAndShares(int split);
    // The height the two grids share: the page's without the splitter bar.
    int GetGridsHeight() const;
    // Empties the grids and the rows' records; the fades, pick modes and drags end.
    void ClearPage();
    // After every step of the history: the pick modes and drags end, and a page whose wave is
    // gone or has no volume left is cleared.
    void OnHistoryStep();
    // Tells the command-state listener.
    void NotifyCommandState();
    // The question grid's fill of LoadWave, with the grids' painting off.
    bool FillQuestionGrid(pelko_wave::CCampaign& campaign, pelko_wave::CWave& wave);
    void WriteQuestionRows(const std::vector<SQuestionRow>& rows);
    // How a row shows its kind: its font, background, the text colours of its two sides and its
    // overview state.
    struct SRowLook
    {
        const LOGFONT* Font = nullptr;
        COLORREF Back = CLR_DEFAULT;
        COLORREF CampaignText = CLR_DEFAULT;
        COLORREF SourceText = CLR_DEFAULT;
        int State = RowUnmatched;
    };
    // Writes the row of a campaign question that no volume of the wave matches; the look to
    // give it.
    SRowLook WriteUnmatchedQuestionRow(int row, const pelko_wave::CQuestion& question);
    void AppendResponseRow(const pelko_wave::CModality* response, const qnr::CModalite* source,
                           const pelko_wave::CVolume* volume, int sourceCode, bool differs);
    // Writes a response row of a fill, enters what it holds (a row without a campaign response
    // gets an unmatched key) and gives it its look and band.
    void WriteResponseRow(int row, const pelko_wave::CModality* response,
                          const qnr::CModalite* source, const pelko_wave::CVolume* volume,
                          int sourceCode, bool differs);
    // Whether a fill lists the campaign question, or the current question's campaign response,
    // on a row without a matching of its own.
    bool IsShownUnmatched(const pelko_wave::CQuestion& question) const;
    bool IsShownUnmatched(const pelko_wave::CModality& response) const;
    // Reports a matched source response that the volume's source no longer has.
    static std::function<void(const QString&)>
    MissingResponseReport(const pelko_wave::CVolume& volume);
    void OnResponseSelChanged(int row);
    // A click in the bands of the rows' bar: the row under it is selected (in the focus cell's
    // column, else in the code column).
    void OnOverviewClick(const CReconRows& rows, int index, int codeColumn);
    void GoToDifference(unsigned id);
    // A view command: the question grid's text mode or the response grid's codes.
    void AddViewCommand(unsigned id, void (CRightReconciliationPage::*setMode)(int), int mode);
    // The copy and select-all commands of the grid that has the focus; null when neither has.
    CWaveGridCtrl* FocusedGrid() const;
    const LOGFONT* CellFont(const LOGFONT* font) const;

    // Drags and picks.
    LRESULT OnQuestionDragQuery(const CCellID& cell);
    LRESULT OnResponseDragQuery(const CCellID& cell);
    LRESULT OnQuestionDragOver(const CCellID& cell);
    LRESULT OnResponseDragOver(const CCellID& cell);
    void OnQuestionHover(const CCellID& cell);
    void OnResponseHover(const CCellID& cell);
    // Shows m_hCursor over the grid (the default pointer when none).
    void ApplyPickCursor(CWaveGridCtrl& grid);
    // Forgets the pick pointer on both grids.
    void ResetPickCursor();
    // How a confirmation names a campaign or source question (its shortcut) and a campaign or
    // source response (its caption).
    QString QuestionShortcut(const pelko_wave::CQuestion* question) const;
    QString SourceQuestionShortcut(const qnr::CQuestion* source) const;
    QString ResponseCaption(const pelko_wave::CModality* response) const;
    QString SourceResponseCaption(const qnr::CModalite* source) const;
    // Asks Yes or No; true for Yes.
    static bool AskYesNo(const QString& text);

    // Row updates.
    // Gives the row the look, its background fading to it with fade.
    void ApplyRowLook(CReconRows& rows, int row, const SRowLook& look, bool fade);
    // What a row shows of what it holds: the state images of its two sides and its look. A fill
    // and the row updates both take a row's images and look from here.
    struct SRowKind
    {
        int CampaignImage = ImageMissing;
        int SourceImage = ImageMatched;
        SRowLook Look;
    };
    // The kind of a question-grid row that holds the campaign question (none: a source question
    // alone), a source question or none, with or without differences; the wave is the page's
    // when none is given.
    SRowKind QuestionRowKind(const pelko_wave::CQuestion* question, bool hasSource, bool differs,
                             const pelko_wave::CWave* wave = nullptr) const;
    // The same for a response-grid row.
    SRowKind ResponseRowKind(const pelko_wave::CModality* response, bool hasSource,
                             bool differs) const;
    // The response a volume of the page's wave merged the response into; null when none.
    const pelko_wave::CModality* FindMergeMaster(const pelko_wave::CModality& response) const;
    // The row's fonts, colours and overview state as a fill gives its kind of row; the
    // background fading to them with fade.
    void RestyleQuestionRow(int row, bool fade);
    void RestyleResponseRow(int row, bool fade);
    // The pair's differences (its question's, its responses', their count's) recorded again.
    void RecomputePair(const pelko_wave::CQuestion& question, const pelko_wave::CVolume& volume,
                       const qnr::CQuestion& source);
    // The question's row without a source side; kNoRow when none.
    int FindUnsourcedQuestionRow(const pelko_wave::CQuestion& question) const;
    // The row of the source question in the volume that no campaign question holds.
    int FindUnmatchedSourceRow(const qnr::CQuestion& source, int volumeId) const;
    // A row other than `exceptRow` where a campaign question holds the source question in the
    // volume (a volume may give one source question to two campaign questions, one by its own
    // matching, one inherited); kNoRow when none.
    int FindHeldSourceRow(const qnr::CQuestion& source, int volumeId, int exceptRow) const;
    // Selects the question row and refills the responses even when the row number is the
    // current one (its content changed).
    void ReselectQuestionRow(int row);
    // Marks the question's differences stale in every wave.
    void InvalidateCachedQuestion(int questionId);
    // The campaign and the page's wave, null when either is missing.
    pelko_wave::CWave* CurrentWave() const;
    // The volumes of the page's wave that the deep break of the record reaches.
    std::vector<const pelko_wave::CVolume*> WaveVolumesFrom(int pivotVolumeId) const;
    void ShowDeepBreak(int questionId, int pivotVolumeId, bool broken, bool highlight);

    // Commands.
    // The callbacks of a record kind: each phase's handler runs the update with the record when
    // it is of the kind, and does nothing once the page is gone (the history keeps the
    // callbacks as long as the step).
    template <class TRecord>
    CCmdCallBacks MakeCallBacks(std::function<void(TRecord&, int phase)> update);
    // Re-matches and, when a campaign question was left that first appeared in this wave,
    // offers to remove it.
    void RematchAndOffer(const CCellID& pick, const CCellID& target);
    // The same for a source response and the campaign response it left.
    void RematchResponseAndOffer(const CCellID& pick, const CCellID& target);
    // The volume of the question grid's focus row, whose responses the response grid shows;
    // null when none.
    pelko_wave::CVolume* GetResponseVolume() const;
    // Makes a campaign response of the question from the source response in two steps that
    // undo as one: the new response (breaking breakFrom's matching first when given), then its
    // matching in the volume. When the second step fails the first is taken back. False when a
    // step failed.
    bool NewCampaignResponseRoad(pelko_wave::CVolume& volume, pelko_wave::CQuestion& question,
                                 const qnr::CQuestion& sourceQuestion, const qnr::CModalite& source,
                                 int order, pelko_wave::CModality* breakFrom);
    // Merges the merged row's campaign response into the master row's in one undoable step.
    void MergeResponse(const CCellID& merged, const CCellID& master);
    // Removes the dragged row's campaign response as a duplicate of the target row's, then
    // offers to add both captions to a caption library.
    void RemoveDuplicateResponse(const CCellID& dragged, const CCellID& target);
    // Makes the rows of the responses show what the response grid's volume matches to them:
    // a source response no longer matched leaves for a row of its own, one newly matched joins.
    void FollowResponseMatchings(std::initializer_list<const pelko_wave::CModality*> responses,
                                 bool highlight);
    // The context menu of the grid at the clicked cell (the clicked row made current first),
    // and the tracking of a loaded menu (none: nothing shows).
    void ShowQuestionMenu(const CCellID& cell);
    void ShowResponseMenu(const CCellID& cell);
    void TrackMenu(const CWaveGridCtrl& grid, CNewMenu* popup);
    // Greys the items whose command the page has no handler for.
    void GreyUnhandledItems(CNewMenu& popup) const;

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
    bool m_initialised = false;

    // The selected question row's items: campaign question, source question (by its code in
    // the volume's source), volume; -1 each for none.
    int m_curQuestionId = -1;
    std::optional<int> m_curSourceCode;
    int m_curVolumeId = -1;

    // What the rows of each grid stand for, their bands and their fades.
    CReconRows m_questionRows;
    CReconRows m_responseRows;
    // The generated entry codes ("%0*d") of source responses without one.
    std::map<SourceResponseKey, QString> m_rowLinks;
    // Volume id -> source caption language, while a fill writes its rows (the choice walks all
    // the volume's questions, so a fill makes it once per volume).
    mutable std::optional<std::map<int, int>> m_sourceCaptionLanguages;

    // Layout: the page size the controls were last placed for (invalid before the first
    // placing), the question grid's height asked for until then, and the width each grid's
    // columns were last fitted to.
    QSize m_layoutSize;
    int m_requestedSplit = -1;
    // The question grid's share of the height the grids share, kept through resizes; set where
    // the split is chosen (the layout applied, the first placing, the splitter moved).
    double m_questionShare = 2.0 / 3.0;
    int m_questionColumnsWidth = -1;
    int m_responseColumnsWidth = -1;
    // What the columns need to show their fixed texts whole, with the fonts and the cells'
    // margin it was measured in.
    struct SMeasuredNeeds
    {
        LOGFONT Normal;
        LOGFONT Bold;
        LOGFONT Heading;
        int Margin = 0;
        recon_columns::SColumnNeeds Needs;
        bool SameFonts(const SMeasuredNeeds& other) const
        {
            return Normal == other.Normal && Bold == other.Bold && Heading == other.Heading &&
                   Margin == other.Margin;
        }
    };
    std::optional<SMeasuredNeeds> m_columnNeeds;

    struct SCommand
    {
        CommandHandler OnCommand;
        UpdateHandler OnUpdate;
    };
    std::map<unsigned, SCommand> m_commands;
    std::map<std::pair<int, int>, NotifyHandler> m_notifyHandlers;
    std::function<void()> m_commandStateListener;

    // Drags and pick modes: whether a drag of each grid is under way and what it started on,
    // the pick modes with the cells they started from, and the pointer they show.
    bool m_dragQuestions = false;
    bool m_dragResponses = false;
    bool m_dragMergeResponse = false;
    bool m_dragRematchResponse = false;
    bool m_pickQuestion = false;
    CCellID m_pickQuestionCell;
    bool m_pickResponse = false;
    CCellID m_pickResponseCell;
    CCellID m_dragCampaignResponseCell;
    bool m_mergePick = false;
    CCellID m_mergePickCell;
    std::optional<Qt::CursorShape> m_hCursor;

    // The items the page's last new-question and new-response steps made.
    long m_newQuestionId = -1;
    long m_newResponseId = -1;

    // The timer that steps the fades of both grids' rows.
    QTimer* m_fadeTimer = nullptr;
};
