#pragma once

#include "menus/NewDialog.h"
#include "model/Guid.h"
#include "reconcile/RowMultimaps.h"

#include <QString>

#include <map>
#include <set>

class CXListCtrl;
class QPushButton;
class SimpleBrowser;

// "Update": brings the campaign questions and responses of one wave into line with the source
// questions and responses they are matched to. The user ticks the question and response parts to
// copy from the sources; each Update turns every ticked difference into a change command (run at
// once, all carrying the caller's group id), writes what changed into the results, and computes
// the differences of every pair it visited anew. The results of all runs can be saved as an HTML
// file. Close is the only way out.
class CFixAllDlg : public CNewDialog
{
    Q_OBJECT

public:
    // The dialog template and its controls.
    enum : int
    {
        IDD = 140,
        IDC_CLOSE = 1058,
        IDC_SAVE = 1155,
        IDC_RESPONSE_PARTS = 1164,
        IDC_QUESTION_PARTS = 1170,
        IDC_BROWSER_PLACEHOLDER = 1172,
        IDC_UPDATE = 1173
    };
    // The list columns: the check box, the part's caption and its number of differences.
    enum EColumn : int
    {
        ColumnCheck,
        ColumnPart,
        ColumnCount
    };

    // The group id is copied into every command the dialog runs.
    CFixAllDlg(const GUID& groupId, QWidget* parent = nullptr);
    ~CFixAllDlg() override;

    // Before the dialog is shown: the wave and copies of the caller's difference maps.
    void SetWaveId(int waveId) { m_waveId = waveId; }
    void SetQuestionDifferences(const CRowMultimap& differences);
    void SetModalityDifferences(const CRowMultimapStr& differences);
    // The maps as the Update runs left them.
    const CRowMultimap& GetQuestionDifferences() const { return m_questionDiffs; }
    const CRowMultimapStr& GetModalityDifferences() const { return m_modalityDiffs; }
    // The number of commands the Update runs executed.
    int GetCommandsRun() const { return m_commandsRun; }

    // The question parts offered, and the response parts, in the order they are listed before
    // sorting.
    static const std::vector<int>& QuestionParts();
    static const std::vector<int>& ModalityParts();

    // The HTML of every run so far, without the closing tags.
    const QString& GetReport() const { return m_report; }
    // The ticked parts that have differences, of both lists; the number of them.
    const std::set<int>& GetSelectedQuestionParts() const { return m_selectedQuestionParts; }
    const std::set<int>& GetSelectedModalityParts() const { return m_selectedModalityParts; }
    int RecomputeSelection();

    // Update: fixes the ticked differences of the application's campaign and appends the run's
    // account to the results. Nothing happens when the campaign has no such wave.
    void OnUpdate();
    // Save...: the results with their closing tags, saved as every report is. False when the
    // user cancelled or the file could not be written (which is shown).
    bool OnSave();

    // The report's head: the style of its paragraphs and the opening of its body.
    static QString ReportHeader();

    CXListCtrl* GetQuestionList() const { return m_questionList; }
    CXListCtrl* GetModalityList() const { return m_modalityList; }
    SimpleBrowser* GetBrowser() const { return m_browser; }
    QPushButton* GetUpdateButton() const { return m_update; }
    QPushButton* GetSaveButton() const { return m_save; }
    QPushButton* GetCloseButton() const { return m_close; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    class CRun;

    // The first showing: fills both lists, sorted by their counts.
    void OnInitDialog();
    void FillList(CXListCtrl& list, const std::vector<int>& parts,
                  const std::map<int, int>& counts);
    // The number of differences of every part, from the maps.
    void CountParts();
    // A check box or a header click: the selection and Update follow.
    void OnListChanged();
    // A click on the check-box column's header ticks every part of the list, or unticks them all
    // when all are ticked.
    void OnHeaderClicked(CXListCtrl& list, int column);
    void ShowHeaderCheck(CXListCtrl& list);
    QString PartText(bool question, int column, quintptr part) const;

    GUID m_groupId;
    int m_waveId = -1;
    CRowMultimap m_questionDiffs;
    CRowMultimapStr m_modalityDiffs;
    // The differences per part, as the lists show them.
    std::map<int, int> m_questionCounts;
    std::map<int, int> m_modalityCounts;
    std::set<int> m_selectedQuestionParts;
    std::set<int> m_selectedModalityParts;
    QString m_report;
    int m_commandsRun = 0;
    bool m_initialised = false;

    CXListCtrl* m_questionList = nullptr;
    CXListCtrl* m_modalityList = nullptr;
    SimpleBrowser* m_browser = nullptr;
    QPushButton* m_update = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
};
