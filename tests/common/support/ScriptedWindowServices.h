#pragma once

#include "platform/ViewState.h"
#include "platform/WindowServices.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

// Test double of the window services: records every prompt, progress window and report, and
// answers message boxes from a script (IDOK/IDYES by default when the script is empty).
// Installs itself for its lifetime.
class CScriptedWindowServices : public IWindowServices
{
public:
    struct SReport
    {
        QString Title;
        int Kind = 0;
        QString Html;
    };

    CScriptedWindowServices();
    ~CScriptedWindowServices() override;

    // Answers for the next message boxes, in order.
    void QueueAnswers(std::initializer_list<int> answers);

    int MessageBox(const QString& text, unsigned type) override;
    std::unique_ptr<IProgressWindow> CreateProgressDlg(const QString& caption, const QString& text,
                                                       int range) override;
    void ShowReport(const QString& title, int kind, const QString& html) override;
    void BeginWaitCursor() override { ++WaitCursorDepth; ++WaitCursorCount; }
    void EndWaitCursor() override { --WaitCursorDepth; }
    void PumpMessages() override { ++PumpCount; }
    std::unique_ptr<CViewState> CaptureViewState() override;
    void RestoreViewState(const CViewState& state) override;

    QStringList Prompts;            // every message-box text, in order
    std::vector<unsigned> PromptTypes;
    QStringList ProgressCaptions;   // caption of each progress window made
    QStringList ProgressMessages;   // every message text set on a progress window
    int OpenProgressWindows = 0;    // progress windows not yet destroyed
    int LastProgressPos = 0;
    std::vector<SReport> Reports;
    int WaitCursorDepth = 0;
    int WaitCursorCount = 0;
    int PumpCount = 0;
    CViewState CurrentView;         // what CaptureViewState returns
    std::vector<CViewState> Restored;

private:
    std::deque<int> m_answers;
};
