#pragma once

#include <functional>

class CCmdUI;
class QWidget;

// What the right-hand host asks of the reconciliation page that it shows as its page 1: filling
// it with a wave, its current question and focused response, selecting and refreshing, the
// height of its question grid, and the commands of the main menu and toolbar that the host
// hands on to it.
class IReconciliationPage
{
public:
    virtual ~IReconciliationPage() = default;

    // The page's window; null while it has none (the forwarded commands are then disabled).
    virtual QWidget* GetWindow() = 0;

    // Fills the page with the wave's reconciliation.
    virtual void ShowWave(int waveId) = 0;
    // Forgets the wave and all that was shown of it, as after New and Open: no wave, no rows,
    // no current items, no pick mode.
    virtual void ForgetWave() = 0;
    // The campaign question shown; -1 when none.
    virtual int GetCurrentQuestionId() const = 0;
    // The campaign response at the focused row of the response grid; -1 when none.
    virtual int GetFocusedModalityId() const = 0;
    // Selects the question's row.
    virtual void SelectQuestion(int questionId) = 0;
    // Refreshes and redraws the question grid.
    virtual void RefreshQuestionGrid() = 0;
    // Refills from the focused question and redraws.
    virtual void RefillFromFocusedQuestion() = 0;
    // Resets the row state and reloads the current wave.
    virtual void ReloadWave() = 0;
    // The height of the question grid's client area; the stored height to apply (-1: none).
    virtual int GetQuestionGridHeight() const = 0;
    virtual void SetQuestionGridHeight(int height) = 0;

    // A forwarded command of the main menu or toolbar, and its update.
    virtual void OnCommand(unsigned id) = 0;
    virtual void OnUpdateCommand(CCmdUI& ui) = 0;
    // Who is told each time what the page's commands act on may have changed (a grid's
    // selection or focus cell, the rows); empty for nobody.
    virtual void SetCommandStateListener(std::function<void()> listener) = 0;
};
