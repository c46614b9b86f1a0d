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
    QString ChooseFileToOpen(const QString& filter, const QString& defaultExtension) override;
    QString ChooseFileToSave(const QString& initialPath, const QString& filter,
                             const QString& defaultExtension) override;
    QString ChooseFolder(const QString& title, const QString& startFolder) override;
    // Runs the procedure on a worker thread of its own and waits for it, recording what it
    // shows; a scripted Cancel may be pressed while it runs.
    int RunProgressDialog(const QString& caption, bool allowCancel, int upperBound,
                          CUPDialogUserProcData& data) override;
    void OpenFolder(const QString& path) override { OpenedFolders << path; }

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

    // The choosers' answers, in order, whatever the chooser; an empty text, or none left, is a
    // cancelled chooser. Each call is recorded as "open|save|folder: <initial path or folder>".
    QStringList Choices;
    QStringList ChooserCalls;
    // The filter each file chooser was given, in order (empty for a folder chooser).
    QStringList ChooserFilters;

    // Progress dialogs run: their captions, every text their procedures set, the last position
    // and whether cancelling was allowed when each started.
    QStringList ProgressDialogCaptions;
    QStringList ProgressDialogTexts;
    int ProgressDialogPos = 0;
    std::vector<bool> ProgressDialogCancelAllowed;
    // The user presses Cancel in the next progress dialog once its procedure has set this many
    // texts (0: before it starts; -1: never).
    int CancelProgressAfterTexts = -1;

    QStringList OpenedFolders;

private:
    QString NextChoice(const QString& call, const QString& filter = QString());

    std::deque<int> m_answers;
};
