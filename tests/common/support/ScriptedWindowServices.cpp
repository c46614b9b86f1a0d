#include "support/ScriptedWindowServices.h"

#include "platform/ProgressThreadData.h"

#include <mutex>
#include <thread>

namespace {

class CRecordingProgress final : public IProgressWindow
{
public:
    CRecordingProgress(CScriptedWindowServices& owner, int range) : m_owner(owner), m_range(range)
    {
        ++m_owner.OpenProgressWindows;
    }
    ~CRecordingProgress() override { --m_owner.OpenProgressWindows; }
    void SetPos(int position) override { m_owner.LastProgressPos = m_pos = position; }
    int GetPos() const override { return m_pos; }
    void OffsetPos(int steps) override { SetPos(m_pos + steps); }
    void SetPosToLast() override { SetPos(m_range - 1); }
    void SetMessageText(const QString& text) override { m_owner.ProgressMessages << text; }

private:
    CScriptedWindowServices& m_owner;
    int m_range;
    int m_pos = 0;
};

// The window side of a scripted progress dialog: records on the owner, and presses Cancel when
// the script says so.
class CRecordingProgressDialog final : public IProgressDialogWindow
{
public:
    CRecordingProgressDialog(CScriptedWindowServices& owner, CUPDialogUserProcData& data)
        : m_owner(owner), m_data(data)
    {
    }
    void EnableCancel(bool) override {}
    void SetPos(int position) override
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_owner.ProgressDialogPos = position;
    }
    bool SetText(const QString& text) override
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_owner.ProgressDialogTexts << text;
        if (++m_texts == m_owner.CancelProgressAfterTexts)
            m_data.Cancelled = true;
        return true;
    }

private:
    CScriptedWindowServices& m_owner;
    CUPDialogUserProcData& m_data;
    std::mutex m_lock;
    int m_texts = 0;
};

} // namespace

CScriptedWindowServices::CScriptedWindowServices()
{
    SetWindowServices(this);
}

CScriptedWindowServices::~CScriptedWindowServices()
{
    SetWindowServices(nullptr);
}

void CScriptedWindowServices::QueueAnswers(std::initializer_list<int> answers)
{
    m_answers.insert(m_answers.end(), answers);
}

int CScriptedWindowServices::MessageBox(const QString& text, unsigned type)
{
    Prompts << text;
    PromptTypes.push_back(type);
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return FirstButtonAnswer(type);
}

std::unique_ptr<IProgressWindow> CScriptedWindowServices::CreateProgressDlg(const QString& caption,
                                                                            const QString& text,
                                                                            int range)
{
    ProgressCaptions << caption;
    ProgressMessages << text;
    return std::make_unique<CRecordingProgress>(*this, range);
}

void CScriptedWindowServices::ShowReport(const QString& title, int kind, const QString& html)
{
    Reports.push_back({title, kind, html});
}

std::unique_ptr<CViewState> CScriptedWindowServices::CaptureViewState()
{
    return std::make_unique<CViewState>(CurrentView);
}

void CScriptedWindowServices::RestoreViewState(const CViewState& state)
{
    Restored.push_back(state);
    CurrentView = state;
}

QString CScriptedWindowServices::NextChoice(const QString& call, const QString& filter)
{
    ChooserCalls << call;
    ChooserFilters << filter;
    return Choices.isEmpty() ? QString() : Choices.takeFirst();
}

QString CScriptedWindowServices::ChooseFileToOpen(const QString& filter, const QString&)
{
    return NextChoice(QStringLiteral("open: "), filter);
}

QString CScriptedWindowServices::ChooseFileToSave(const QString& initialPath, const QString& filter,
                                                  const QString&)
{
    return NextChoice(QStringLiteral("save: ") + initialPath, filter);
}

QString CScriptedWindowServices::ChooseFolder(const QString&, const QString& startFolder)
{
    return NextChoice(QStringLiteral("folder: ") + startFolder);
}

int CScriptedWindowServices::RunProgressDialog(const QString& caption, bool allowCancel, int,
                                               CUPDialogUserProcData& data)
{
    ProgressDialogCaptions << caption;
    ProgressDialogCancelAllowed.push_back(allowCancel);
    CRecordingProgressDialog window(*this, data);
    if (CancelProgressAfterTexts == 0)
        data.Cancelled = true;
    data.Window = &window;
    int result = UPDIALOG_NO_THREAD;
    std::thread worker([&] { result = data.RunWorker(); });
    worker.join();
    data.Window = nullptr;
    CancelProgressAfterTexts = -1;
    return result;
}
