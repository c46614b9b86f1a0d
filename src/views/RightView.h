#pragma once

#include "res/CommandIds.h"
#include "views/ViewLayout.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>

namespace pelko_wave {
class CWave;
} // namespace pelko_wave

class CCommandActions;
class CRightTreePage;
class IReconciliationPage;
class QStackedWidget;

// The command id lists joined into one, in order.
template <std::size_t... N>
constexpr std::array<unsigned, (N + ...)> JoinCommandIds(const unsigned (&... lists)[N])
{
    std::array<unsigned, (N + ...)> all{};
    auto out = all.begin();
    ((out = std::copy(std::begin(lists), std::end(lists), out)), ...);
    return all;
}

// The upper right pane of the main window: it shows one of its pages, the campaign question
// tree (page 0), the reconciliation page of a wave (page 1) or nothing (page 2), answers the
// queries the application shell and the campaign tree make about them, and runs fourteen
// commands of the main menu and toolbar, all but one by handing them to the reconciliation
// page.
class CRightView : public QWidget, public CViewLayout
{
    Q_OBJECT

public:
    enum EPage
    {
        PageQuestionTree = 0,
        PageReconciliation = 1,
        PageNone = 2
    };
    // The commands the view hands to the reconciliation page, each enabled only while that page
    // is the page shown: the page-enabled ones as the page's own update says, the others
    // whenever the page's window exists.
    static constexpr unsigned kPageEnabledCommands[] = {
        ID_EDIT_COPY,           ID_EDIT_SELECT_ALL,  ID_NEXT_DIFFERENCE,
        ID_PREVIOUS_DIFFERENCE, ID_LAST_DIFFERENCE,  ID_FIRST_DIFFERENCE,
        ID_RESPONSE_MOVE_DOWN,  ID_RESPONSE_MOVE_UP, ID_UPDATE_ALL_QUESTIONS,
        ID_REAPPLY_MATCHES};
    static constexpr unsigned kPageWindowCommands[] = {ID_FIND_QUESTION, ID_VALIDATE_MATCHES,
                                                       ID_APPLY_CAPTION_LIBRARIES};
    // The command the view handles itself, enabled while the page's window exists and a wave is
    // loaded.
    static constexpr unsigned kViewCommands[] = {ID_FIND_OPEN_NUMERIC};
    // Every command the view handles, in the order above.
    static constexpr auto kForwardedCommands =
        JoinCommandIds(kPageEnabledCommands, kPageWindowCommands, kViewCommands);

    // The view registers its command handlers with the actions when given.
    explicit CRightView(CCommandActions* actions = nullptr, QWidget* parent = nullptr);
    ~CRightView() override;

    // The reconciliation page (owned from now on); its window becomes page 1.
    void SetReconciliationPage(std::unique_ptr<IReconciliationPage> page);
    IReconciliationPage* GetReconciliationPage() const { return m_pReconPage.get(); }
    CRightTreePage* GetTreePage() const { return m_pTreePage; }

    // CViewLayout: "RightViewWidth", "RightViewHeight" and the reconciliation page's
    // "QuestionsGridHeight".
    void SaveLayout() override;
    void ReadLayout(int& width, int& height) override;
    void ApplyLayout() override;

    // Shows the page (0, 1 or 2); other values are stored and show nothing new.
    void ShowPage(int page);
    // After New and Open: the campaign's questions, no wave or volume, and a reconciliation
    // page that has forgotten its wave.
    void ResetAfterLoad();
    int GetShownPage() const { return m_nPage; }
    // The wave last handed to a page, and the volume last handed to the question tree; -1
    // until one is.
    int GetWaveId() const { return m_nWaveId; }
    int GetVolumeId() const { return m_nVolumeId; }

    void ShowCampaignQuestions();
    // The question tree of the wave or volume; an id of 0 or less shows the page unchanged.
    void ShowWaveQuestions(int waveId);
    void ShowVolumeQuestions(int volumeId);
    void ShowReconciliation(int waveId);

    // Queries and refreshes of the reconciliation page (-1 and nothing while it is not shown).
    int GetCurrentQuestionId() const;
    int GetFocusedModalityId() const;
    void SelectReconQuestion(int questionId);
    void RefreshReconQuestionGrid();
    void RefreshReconciliationGrids();
    void ReloadReconciliation();
    // Fills the page shown again from the campaign: the question tree in its mode (the campaign,
    // or the wave or volume it was last given), or the reconciliation page's wave.
    void RefillShownPage();
    // Whether the reconciliation page exists and has its window.
    bool IsReconciliationPageWindow() const;

    // "Find Open Numeric Equivalents": the open questions of the wave that may be numeric ones
    // read as text, in a report window, or a message that there are none. Enabled while the
    // reconciliation page's window exists and the campaign has the wave.
    void OnFindOpenNumericEquivalents();
    // The campaign's wave last handed to a page; null when none.
    const pelko_wave::CWave* FindLoadedWave() const;

private:
    void RegisterCommands(CCommandActions& actions);
    void UpdateForwardedCommands();
    // Asks the actions for an update pass: what the commands act on has changed.
    void RequestCommandUpdate();

    QPointer<CCommandActions> m_actions;
    QStackedWidget* m_stack = nullptr;
    CRightTreePage* m_pTreePage = nullptr;
    QWidget* m_reconPlace = nullptr;
    std::unique_ptr<IReconciliationPage> m_pReconPage;
    int m_nPage = PageNone;
    int m_nWaveId = -1;
    int m_nVolumeId = -1;
};
