#pragma once

#include "dialogs/FindQuestionIndex.h"
#include "menus/NewDialog.h"

#include <QString>

#include <map>
#include <set>
#include <vector>

class CXListCtrl;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qnr {
class CQuestion;
}

// "Find Question": jumps to a question of the wave the reconciliation page shows. The user types
// the beginning of a shortcut, short caption or long caption and sees the campaign questions and
// the source questions (with their volumes) whose text matches; Go To, or a double click, picks
// one. The search starts with the application's last one and is kept for the next opening.
class CFindQuestionDlg : public CNewDialog
{
    Q_OBJECT

public:
    // The dialog template and its controls.
    enum : int
    {
        IDD = 133,
        IDC_CANCEL = 2,
        IDC_FIND_WHAT = 1033,
        IDC_SHORTCUT = 1101,
        IDC_CAMPAIGN_LIST = 1142,
        IDC_STATUS_LINE = 1143,
        IDC_GOTO = 1144,
        IDC_SOURCE_LIST = 1167,
        IDC_SHORT_CAPTION = 1185,
        IDC_LONG_CAPTION = 1201
    };
    // Where the search looks.
    enum ELocation : int
    {
        LocationShortcut = 0,
        LocationShortCaption = 1,
        LocationLongCaption = 2
    };

    explicit CFindQuestionDlg(QWidget* parent = nullptr);
    ~CFindQuestionDlg() override;

    // Before the dialog is shown: the wave, the campaign questions the page shows, and each of
    // the page's source question rows, filed at once under its shortcut and its captions as the
    // page shows them. The question is borrowed for the dialog's lifetime.
    void SetWaveId(int waveId) { m_waveId = waveId; }
    void SetCampaignQuestionIds(const std::set<int>& ids) { m_allowedIds = ids; }
    void AddSourceQuestion(int volumeId, const QString& sourceId, const qnr::CQuestion& question);

    // After Go To or a double click: a campaign question, or a source question of a volume.
    bool IsCampaignQuestionChosen() const { return m_chosenKind == 1; }
    int GetCampaignQuestionId() const { return m_chosenQuestionId; }
    const QString& GetSourceId() const { return m_chosenSourceId; }
    int GetVolumeId() const { return m_chosenVolumeId; }

    // Fills both lists with the entries of the current location that match the edit's text.
    void Search();

    QLineEdit* GetEdit() const { return m_edit; }
    QRadioButton* GetLocationButton(int location) const { return m_locations[location]; }
    CXListCtrl* GetCampaignList() const { return m_campaignList; }
    CXListCtrl* GetSourceList() const { return m_sourceList; }
    QPushButton* GetGoToButton() const { return m_goTo; }

public Q_SLOTS:
    // Go To: keeps the search and ends with IDOK, only while a question is chosen.
    void accept() override;
    // Cancel, Escape and the close box: keep the search and end with IDCANCEL.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct SSource
    {
        QString SourceId;
        int VolumeId = -1;
    };

    // The first showing: the campaign indexes, the lists' columns and the last search.
    void OnInitDialog();
    void BuildCampaignIndexes();
    void FillCampaignList();
    void FillSourceList();
    void OnCampaignSelection();
    void OnSourceSelection();
    void OnCampaignDoubleClick(int row);
    void OnSourceDoubleClick();
    void OnLocationClicked(int location);
    // The choice of the list that has a question chosen last.
    void UpdateGoTo();
    // Writes the location and the edit's text into the application's find record.
    void StoreSearch();
    QString VolumeName(int volumeId);

    QLineEdit* m_edit = nullptr;
    QRadioButton* m_locations[3] = {};
    CXListCtrl* m_campaignList = nullptr;
    CXListCtrl* m_sourceList = nullptr;
    QPushButton* m_goTo = nullptr;

    int m_waveId = -1;
    std::set<int> m_allowedIds;
    int m_location = LocationShortcut;
    // By location: campaign question ids, and source question numbers into m_sources.
    CFindQuestionIndex m_campaignIndexes[3];
    CFindQuestionIndex m_sourceIndexes[3];
    std::vector<SSource> m_sources;
    std::map<int, QString> m_volumeNames;
    // The source list's rows: what each stands for.
    std::map<int, SSource> m_sourceRows;

    // 1 a campaign question, 0 a source question.
    int m_chosenKind = 1;
    int m_chosenQuestionId = -1;
    QString m_chosenSourceId;
    int m_chosenVolumeId = -1;
    bool m_initialised = false;
    // Set while the lists are refilled: their selections are looked at afterwards.
    bool m_filling = false;
};
