#pragma once

#include "commands/CmdCallBacks.h"
#include "dialogs/DuplicateSearch.h"
#include "dialogs/ProgressDlg.h"
#include "platform/WindowServices.h"

#include <QDialog>
#include <QPointer>

#include <atomic>
#include <optional>
#include <thread>

class CDuplicateSearchRelay;
class CXListCtrl;
class QLabel;
class QPushButton;

// Finds the application's campaign questions, and responses of one question, that duplicate each
// other, and shows each group as one ticked row; Consolidate folds every ticked group into its
// member with the lowest id, in one undoable step. The search runs on a worker thread from the
// moment the dialog is shown, behind a progress window: it only reads the campaign, reports by
// queued signals, and the dialog cannot end until it is over.
class CCheckForDuplicatesDlg : public QDialog
{
    Q_OBJECT

public:
    // The dialog template and its controls.
    enum : int
    {
        IDD = 151,
        IDC_CLOSE = 1,
        IDC_QUESTION_GROUPS = 1168,
        IDC_RESPONSE_GROUPS = 1171,
        IDC_CONSOLIDATE = 1202,
        IDC_STATUS_LINE = 1203
    };
    // The columns of the two lists.
    enum EQuestionColumn : int
    {
        QuestionColumnCheck,
        QuestionColumnName,
        QuestionColumnCount
    };
    enum EResponseColumn : int
    {
        ResponseColumnCheck,
        ResponseColumnCaption,
        ResponseColumnQuestion,
        ResponseColumnCount
    };

    explicit CCheckForDuplicatesDlg(QWidget* parent = nullptr);
    // Waits for a search still under way (which is told to stop).
    ~CCheckForDuplicatesDlg() override;

    // Whether the search has started and not yet ended.
    bool IsSearching() const { return m_searching; }
    // The groups found (rows in the same order); empty until the search has ended.
    const SDuplicateSearchResults& GetResults() const { return m_results; }

    // The handlers that the consolidation's step is given (after Do, Undo and Redo), so that
    // the opener's panes follow it; none by default.
    void SetCommandCallBacks(const CCmdCallBacks& callBacks) { m_callBacks = callBacks; }
    // Consolidate: replaces each ticked group by its member with the lowest id (the first of the
    // lowest), then greys its row. Nothing when the campaign has no wave or nothing is ticked.
    void OnConsolidate();

    CXListCtrl* GetQuestionList() const { return m_questionList; }
    CXListCtrl* GetResponseList() const { return m_responseList; }
    QPushButton* GetCloseButton() const { return m_close; }
    QPushButton* GetConsolidateButton() const { return m_consolidate; }
    // The line that says, once the search is over, that it found nothing; hidden otherwise.
    QLabel* GetOutcomeLine() const { return m_outcome; }
    // The progress window while the search runs; null otherwise.
    CProgressDlg* GetProgressWindow() const { return m_progress; }

public Q_SLOTS:
    // Close, Escape and the close box end the dialog only once the search is over.
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void StartSearch();
    void OnSearchFinished(const SDuplicateSearchResults& results);
    void FillLists();
    // Enabled exactly when a row of either list is ticked and enabled.
    void UpdateConsolidateButton();

    CXListCtrl* m_questionList = nullptr;
    CXListCtrl* m_responseList = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_consolidate = nullptr;
    QLabel* m_outcome = nullptr;
    CDuplicateSearchRelay* m_relay = nullptr;
    QPointer<CProgressDlg> m_progress;
    std::optional<CWaitCursor> m_waitCursor;
    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    bool m_started = false;
    bool m_searching = false;
    SDuplicateSearchResults m_results;
    CCmdCallBacks m_callBacks;
};
