#pragma once

#include "controls/TreeCtrl.h"

#include <QWidget>

#include <map>
#include <memory>

namespace pelko_wave {
class CQuestion;
class CVolume;
} // namespace pelko_wave

class CAutoRepeatButton;
class CCallBackInfo;
class CQuestionTreeCtrl;
struct NMTREEVIEW;

// The page of the right-hand host that shows the campaign questionnaire as a tree of chapters
// and questions (nesting by each question's indent). For the whole campaign it is editable:
// questions are renamed in place (F2), moved up, down, left (out of their parent) and right
// (into the previous sibling) with five auto-repeating buttons in a strip on the left, and
// chapters are added; each edit is an undoable command, and the tree follows the change records
// of Do, Undo and Redo. For a wave or a volume it shows, read-only, the campaign questions that
// the reconciled volumes match; renaming still works there.
class CRightTreePage : public QWidget
{
    Q_OBJECT

public:
    enum EMode
    {
        ModeCampaign = 0,
        ModeWave = 1,
        ModeVolume = 2
    };
    enum EButton
    {
        ButtonUp = 0,
        ButtonDown = 1,
        ButtonLeft = 2,
        ButtonRight = 3,
        ButtonAddChapter = 4,
        ButtonCount = 5
    };
    // Control ids of the buttons, in the order of EButton, and of the tree.
    static constexpr int kButtonIds[ButtonCount] = {1235, 1236, 1237, 1238, 1239};
    static constexpr int kTreeId = 1117;
    // Width of the strip that holds the buttons, left of the tree.
    static constexpr int kButtonStripWidth = 30;
    // The buttons' repeat: the first click after this many milliseconds held, then one every
    // kRepeatInterval.
    static constexpr int kInitialDelay = 300;
    static constexpr int kRepeatInterval = 150;

    explicit CRightTreePage(QWidget* parent = nullptr);
    ~CRightTreePage() override;

    // The fills: the whole campaign (editable), the questions matched by the wave's reconciled
    // volumes, or by the volume (nothing while it is unreconciled).
    void ShowCampaign();
    void ShowWave(int waveId);
    void ShowVolume(int volumeId);
    int GetMode() const { return m_nMode; }

    CQuestionTreeCtrl* GetTree() const { return m_tree; }
    CAutoRepeatButton* GetButton(EButton button) const { return m_buttons[button]; }

    // The buttons' actions.
    void MoveUp();
    void MoveDown();
    void MoveLeft();
    void MoveRight();
    void AddChapter();
    // Enables the buttons for the mode and the selection.
    void UpdateButtons();

    // Each item's expanded and selected bits, by question id.
    std::map<int, int> GetItemStates() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class EMove
    {
        Up,
        Down,
        Left,
        Right
    };
    void BeginFill(int mode);
    // Ends a fill; the buttons are left for the caller to enable.
    void EndFill();
    // The campaign fill without enabling the buttons, so that a button held down stays down
    // through the refill that follows each of its moves.
    void FillCampaign();
    // The end of a fill and of what the caller restores after it: the buttons follow the
    // selection again.
    void FinishFill();
    // Builds the tree of the questions (plan from the model) in one go.
    void InsertQuestions(const std::vector<const pelko_wave::CQuestion*>& questions);
    void FillMatched(const std::vector<const pelko_wave::CVolume*>& volumes);
    void LayoutPage();
    void Move(EMove move);
    bool MoveItem(HTREEITEM item, EMove move);
    // Numbers the campaign's questions after the tree's new order and depths, as one undoable
    // step.
    void CommitMove();
    void RestoreItemStates(const std::map<int, int>& states);
    void OnEndLabelEdit(HTREEITEM item, const QString& text);
    void OnTreeNotified(const NMTREEVIEW& report);

    // Callbacks of the commands.
    void OnQuestionRenamed(std::unique_ptr<CCallBackInfo> record);
    void OnQuestionsMoved(std::unique_ptr<CCallBackInfo> record, bool undone);
    void OnChapterCreated(std::unique_ptr<CCallBackInfo> record, bool editLabel);
    void OnChapterRemoved(std::unique_ptr<CCallBackInfo> record);

    CQuestionTreeCtrl* m_tree = nullptr;
    CAutoRepeatButton* m_buttons[ButtonCount] = {};
    int m_nMode = ModeCampaign;
    // While the tree is filled and its states restored, its selection reports leave the buttons
    // alone.
    bool m_bFilling = false;
    // The item states before the move in progress, handed to its command.
    std::map<int, int> m_itemStates;
};
