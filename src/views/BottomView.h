#pragma once

#include "controls/PropertyGrid.h"
#include "views/LanguagesItem.h"
#include "views/MatchingMethodsItem.h"
#include "views/ViewLayout.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class CCallBackInfo;
class CCmdVirtual;
class CLeftView;

// The lower right pane of the main window: the properties of the object selected in the
// campaign tree (the campaign, a wave or a volume) in a property grid. Facts such as ids and
// counts are read-only; every other value is edited in place, and each edit the user confirms
// becomes one undoable command whose handlers refresh the campaign tree and this pane after Do,
// Undo and Redo. The pane keeps the handle of the item shown for each property in one slot
// table per kind of object, and its size in the profile.
class CBottomView : public QWidget, public CViewLayout
{
    Q_OBJECT

public:
    enum EShownKind
    {
        ShownCampaign = 0,
        ShownWave = 1,
        ShownVolume = 2,
        ShownNothing = 3
    };

    // The slots of the campaign's, a wave's and a volume's items; a slot holds NO_ITEM while its
    // property is not shown.
    enum ECampaignSlot
    {
        CampaignName = 0,
        CampaignDescription = 1,
        CampaignWaveCount = 2,
        CampaignLastDateText = 3, // "Last wave date" while no wave has a start date
        CampaignLastDate = 4,
        CampaignLanguage = 5,
        CampaignFirstDate = 6, // either form
        CampaignSlotCount = 7
    };
    enum EWaveSlot
    {
        WaveName = 0,
        WaveDescription = 1,
        WaveId = 2,
        WaveOrder = 3,
        WaveVolumeCount = 4,
        WaveStart = 5,
        WaveMidpoint = 6,
        WaveEnd = 7,
        WaveSlotCount = 8
    };
    enum EVolumeSlot
    {
        VolumeName = 0,
        VolumeId = 1,
        VolumeStatus = 2,
        VolumeInheritsFrom = 3,
        VolumeType = 4,
        VolumePathFormat = 5,
        VolumeQuestionFile = 6,
        VolumeQuestionDb = 7,
        VolumeQuestionSurvey = 8,
        VolumeInterviewFile = 9,
        VolumeInterviewDb = 10,
        VolumeInterviewSurvey = 11,
        VolumeQuestionMethods = 12,
        VolumeResponseMethods = 13,
        VolumeStrict = 14,
        VolumeCaseSensitive = 15,
        VolumeParentValues = 16,
        VolumeSlotCount = 17
    };

    explicit CBottomView(QWidget* parent = nullptr);
    ~CBottomView() override;

    // The campaign tree that the edit handlers redraw (not owned; may be null).
    void SetCampaignTree(CLeftView* tree);

    // CViewLayout: "BottomViewWidth" and "BottomViewHeight"; nothing to apply.
    void SaveLayout() override;
    void ReadLayout(int& width, int& height) override;
    void ApplyLayout() override {}

    // Each fill replaces the whole grid with the object's section. An id the campaign does not
    // know leaves the grid empty.
    void ShowCampaignProperties();
    void ShowWaveProperties(int waveId);
    void ShowVolumeProperties(int volumeId);
    // Empties the grid and the slot tables.
    void ClearProperties();
    // Shows the object shown again as the campaign now holds it.
    void Refill();

    // What the pane shows: 0 campaign, 1 wave, 2 volume, 3 nothing.
    int GetShownKind() const { return m_nShownKind; }
    // The wave or volume shown; -1 when none.
    int GetShownWaveId() const { return m_nWaveId; }
    int GetShownVolumeId() const { return m_nVolumeId; }

    CPropertyGrid* GetGrid() const { return m_grid; }
    // The item handle of a slot of the kind shown (ECampaignSlot, EWaveSlot or EVolumeSlot);
    // NO_ITEM when the property is not shown.
    HITEM GetSlotItem(int slot) const;

    CLanguagesItem& GetLanguagesItem() { return m_languagesItem; }
    CMatchingMethodsItem& GetQuestionMethodsItem() { return m_questionMethodsItem; }
    CMatchingMethodsItem& GetResponseMethodsItem() { return m_responseMethodsItem; }

    // The grid's report that the user changed an item: turns the edit into a command.
    void OnPropertyItemChanged(HITEM item);
    // Applies the languages dialog's choice (positions in the campaign's language list).
    void BuildLanguageChangeCommand(int defaultPosition, int currentPosition);

private:
    enum EEditTarget
    {
        EditCampaign = 0,
        EditWave = 1,
        EditVolume = 2,
        EditNothing = 3
    };

    void BeginFill(int kind, int slotCount);
    std::vector<HITEM>& SlotTable();
    const std::vector<HITEM>& SlotTable() const;

    void OnCampaignItemChanged(int slot);
    void OnWaveItemChanged(int slot);
    void OnVolumeItemChanged(int slot);
    // Whether a typed text changes the property: not when it is the current value or the
    // "(Not set)" text.
    bool IsTextChange(const QString& text, const QString& current) const;
    // The question source (question) or interview source file: confirmation, existence and
    // likeness to the reconciled source; false when the change is refused.
    bool CheckSourceFile(const QString& path, bool question);

    // Runs the command with the handlers of the object kind; false when it failed.
    bool IssueCampaignCommand(std::unique_ptr<CCmdVirtual> command);
    bool IssueWaveCommand(std::unique_ptr<CCmdVirtual> command);
    bool IssueVolumeCommand(std::unique_ptr<CCmdVirtual> command);

    // The handlers of the commands.
    void OnCampaignChangeDone(std::unique_ptr<CCallBackInfo> record);
    void OnCampaignChangeUndone(std::unique_ptr<CCallBackInfo> record);
    void BeforeCampaignStep(std::unique_ptr<CCallBackInfo> record);
    void OnWaveChangeDone(std::unique_ptr<CCallBackInfo> record);
    void OnWaveChangeUndone(std::unique_ptr<CCallBackInfo> record);
    void BeforeWaveStep(std::unique_ptr<CCallBackInfo> record);
    void OnVolumeChangeDone(std::unique_ptr<CCallBackInfo> record, bool refill);
    void BeforeVolumeStep(std::unique_ptr<CCallBackInfo> record);
    void RedrawTree();
    void RepaintGrid();

    CPropertyGrid* m_grid = nullptr;
    std::vector<HITEM> m_campaignItems;
    std::vector<HITEM> m_waveItems;
    std::vector<HITEM> m_volumeItems;
    CLanguagesItem m_languagesItem;
    CMatchingMethodsItem m_questionMethodsItem;
    CMatchingMethodsItem m_responseMethodsItem;
    int m_nEditKind = EditNothing;
    int m_nShownKind = ShownNothing;
    // The object shown, looked up in the campaign at each edit.
    int m_nWaveId = -1;
    int m_nVolumeId = -1;
    QString m_notSet;
    QPointer<CLeftView> m_tree;
};
