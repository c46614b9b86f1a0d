#include "commands/LanguageCommands.h"

#include "commands/WaveCallBackInfo.h"
#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "platform/FormatString.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "storage/DBAccess.h"

using namespace pelko_wave;

CCmdAddLanguage::CCmdAddLanguage(CCampaign* campaign, int languageId, bool isDefault,
                                 const QString& name, const QString& abbreviation)
    : CCmdVirtual(campaign), m_languageId(languageId), m_isDefault(isDefault), m_name(name),
      m_abbreviation(abbreviation)
{
}

CCmdAddLanguage::~CCmdAddLanguage() = default;

bool CCmdAddLanguage::Do(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_pCampaign)
        return false;
    // A second language of one id could not be taken out again by its id, nor saved.
    if (m_pCampaign->FindLanguage(m_languageId)) {
        SetErrorText(FormatString(LoadString(IDS_LANGUAGE_EXISTS), {m_languageId}));
        return false;
    }
    m_previousDefaultLanguageId = m_pCampaign->GetDefaultLanguageId();
    std::unique_ptr<CLanguage> language =
        MakeLanguage(m_languageId, m_isDefault ? 1 : 0, m_name, m_abbreviation);
    m_pLanguage = language.get();
    m_pCampaign->AddLanguage(std::move(language));
    record = CreateCallBackInfo();
    return true;
}

bool CCmdAddLanguage::Undo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_pLanguage || m_pCampaign->FindLanguage(m_languageId) != m_pLanguage)
        return false;
    m_language = m_pCampaign->RemoveLanguage(m_languageId);
    m_pCampaign->SetDefaultLanguageId(m_previousDefaultLanguageId);
    record = CreateCallBackInfo();
    return true;
}

bool CCmdAddLanguage::Redo(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_language)
        return false;
    m_pCampaign->AddLanguage(std::move(m_language));
    record = CreateCallBackInfo();
    return true;
}

QString CCmdAddLanguage::GetName() const
{
    return LoadString(IDS_CREATE_NEW_LANGUAGE);
}

std::unique_ptr<CCallBackInfo> CCmdAddLanguage::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoAddLanguage>(m_pLanguage);
}

// ---------------------------------------------------------------------------------------------

CCmdMoveToMostRecentVersion::CCmdMoveToMostRecentVersion(CCampaign* campaign, CDBAccess* storage)
    : CCmdVirtual(campaign), m_pStorage(storage)
{
}

bool CCmdMoveToMostRecentVersion::Do(std::unique_ptr<CCallBackInfo>& record)
{
    if (!m_pCampaign || !m_pStorage)
        return false;
    if (!m_pStorage->Upgrade(*m_pCampaign)) {
        SetErrorText(m_pStorage->GetErrorText());
        return false;
    }
    if (!m_pCampaign->MoveToMostRecentVersion())
        return false;
    record = CreateCallBackInfo();
    return true;
}

bool CCmdMoveToMostRecentVersion::Undo(std::unique_ptr<CCallBackInfo>&)
{
    return false;
}

bool CCmdMoveToMostRecentVersion::Redo(std::unique_ptr<CCallBackInfo>&)
{
    return false;
}

QString CCmdMoveToMostRecentVersion::GetName() const
{
    return LoadString(IDS_MOVE_TO_MOST_RECENT_VERSION);
}

std::unique_ptr<CCallBackInfo> CCmdMoveToMostRecentVersion::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoMoveToMostRecentVersion>();
}
