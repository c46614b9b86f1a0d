#include "support/ScriptedWindowServices.h"

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
