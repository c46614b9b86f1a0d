// File > New: an empty campaign in place of the open one.

#include "app/WaveApp.h"

#include "app/ShellWindow.h"
#include "model/Campaign.h"
#include "storage/DBAccess.h"

void CWaveApp::OnFileNew()
{
    if (!SaveModified())
        return;
    SaveLocalOptionsIfUsed();
    DestroyCampaignObjects();
    CreateCampaignObjects(nullptr, nullptr);
    AddProgramLanguage();
    if (m_shellWindow)
        m_shellWindow->NewDocument();
    SetOptionMode(false, true);
    if (m_shellWindow)
        m_shellWindow->ResetViewsAfterLoad();
}

void CWaveApp::AddProgramLanguage()
{
    auto language = std::make_unique<pelko_wave::CLanguage>(m_versionInfo.GetLanguageId());
    language->SetIsDefault(1);
    m_pCampaign->AddLanguage(std::move(language));
}
