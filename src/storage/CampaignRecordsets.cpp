#include "storage/CampaignRecordsets.h"

#include "storage/SqliteDatabase.h"

namespace {

// Creates the table of that name; false when the file refused it.
bool CreateNamedTable(CSqliteDatabase& database, const char* name)
{
    try {
        CreateCampaignTable(database, GetCampaignTable(name));
        return true;
    } catch (const CSqliteError&) {
        return false;
    }
}

} // namespace

void CCampaignsRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Text("Name", m_Name);
    fx.Text("Description", m_Description);
    fx.Text("VersionNumber", m_VersionNumber);
}

bool CCampaignsRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "Campaigns");
}

void CWavesRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("WaveID", m_WaveID);
    fx.Long("WaveOrder", m_WaveOrder);
    fx.Text("Name", m_Name);
    fx.Text("Description", m_Description);
    fx.Date("WaveStart", m_WaveStart);
    fx.Date("WaveEnd", m_WaveEnd);
    fx.Date("WaveMidpoint", m_WaveMidpoint);
}

bool CWavesRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "Waves");
}

void CVolumesRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("VolumeID", m_VolumeID);
    fx.Text("Name", m_Name);
    fx.Long("WaveID", m_WaveID);
    fx.Long("InheritsFromVolumeID", m_InheritsFromVolumeID);
    fx.Long("SourceType", m_SourceType);
    fx.Text("MetaData", m_MetaData);
    fx.Text("CaseData", m_CaseData);
    fx.Bool("IsMatchingStrict", m_IsMatchingStrict);
    fx.Text("QuestionMatchingMethods", m_QuestionMatchingMethods);
    fx.Text("ResponseMatchingMethods", m_ResponseMatchingMethods);
    fx.Bool("IsMainVolume", m_IsMainVolume);
    fx.Long("InterviewMergeMethod", m_InterviewMergeMethod);
    fx.Long("MainVolumeLinkQuestionID", m_MainVolumeLinkQuestionID);
    fx.Text("ThisVolumeLinkQuestionID", m_ThisVolumeLinkQuestionID);
    fx.Long("Status", m_Status);
    if (!IsFileOlderThan(VERSION_CASE_SENSITIVE))
        fx.Bool("CaseSensitiveMatching", m_CaseSensitiveMatching);
    if (!IsFileOlderThan(VERSION_ANCESTOR_VALUES))
        fx.Bool("MatchUsingAncestorValues", m_MatchUsingAncestorValues);
}

bool CVolumesRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "Volumes");
}

void CQuestionsRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("QuestionID", m_QuestionID);
    fx.Bool("IsDeleted", m_IsDeleted);
    fx.Long("Order", m_Order);
    fx.Text("Shortcut", m_Shortcut);
    fx.Long("Indent", m_Indent);
    fx.Long("ElementType", m_ElementType);
    fx.Long("QuestionType", m_QuestionType);
    fx.Bool("IsDontKnow", m_IsDontKnow);
    fx.Bool("IsSemiOpen", m_IsSemiOpen);
    fx.Bool("IsScale", m_IsScale);
    fx.Bool("IsMultiple", m_IsMultiple);
    fx.Bool("IsRanked", m_IsRanked);
    fx.Long("MaxResponseCount", m_MaxResponseCount);
    fx.Long("Decimals", m_Decimals);
    fx.Double("MinValue", m_MinValue);
    fx.Double("MaxValue", m_MaxValue);
    fx.Bool("IsLevelLink", m_IsLevelLink);
    fx.Long("LinkQuestionID", m_LinkQuestionID);
    fx.Bool("IsProbabilityQuestion", m_IsProbabilityQuestion);
    fx.Long("DateType", m_DateType);
    fx.Long("QuestionClassID", m_QuestionClassID);
    fx.Text("Versions", m_Versions);
    fx.Text("UserData", m_UserData);
    if (!IsFileOlderThan(VERSION_DEVELOP_LEVELS))
        fx.Bool("IsDevelopLevels", m_IsDevelopLevels);
    fx.Long("AppearanceVolumeID", m_AppearanceVolumeID);
    fx.Long("DeletionWaveID", m_DeletionWaveID);
}

bool CQuestionsRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "Questions");
}

void CQuestionMatchingsRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("QuestionID", m_QuestionID);
    fx.Long("VolumeID", m_VolumeID);
    fx.Text("SourceID", m_SourceID);
    fx.Long("StartVolumeID", m_StartVolumeID);
    fx.Long("EndVolumeID", m_EndVolumeID);
}

bool CQuestionMatchingsRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "QuestionMatchings");
}

void CQuestionClassesRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("QuestionClassID", m_QuestionClassID);
    fx.Text("Caption", m_Caption);
}

bool CQuestionClassesRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "QuestionClasses");
}

void CQuestionCaptionsRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("QuestionID", m_QuestionID);
    fx.Long("LanguageID", m_LanguageID);
    fx.Text("LongCaption", m_LongCaption);
    fx.Text("ShortCaption", m_ShortCaption);
}

bool CQuestionCaptionsRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "QuestionCaptions");
}

void CModalitiesRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("ModalityID", m_ModalityID);
    fx.Long("QuestionID", m_QuestionID);
    fx.Bool("IsDeleted", m_IsDeleted);
    fx.Long("ModalityOrder", m_ModalityOrder);
    fx.Double("Value", m_Value);
    fx.Text("EntryCode", m_EntryCode);
    fx.Bool("IsExclusive", m_IsExclusive);
    fx.Long("RotationBehaviour", m_RotationBehaviour);
    fx.Text("Versions", m_Versions);
    fx.Text("UserData", m_UserData);
    fx.Long("AppearanceVolumeID", m_AppearanceVolumeID);
    fx.Long("DeletionWaveID", m_DeletionWaveID);
}

bool CModalitiesRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "Modalities");
}

void CModalityMatchingsRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("ModalityID", m_ModalityID);
    fx.Long("QuestionID", m_QuestionID);
    fx.Long("VolumeID", m_VolumeID);
    fx.Text("ModalitySourceID", m_ModalitySourceID);
    fx.Long("StartVolumeID", m_StartVolumeID);
    fx.Long("EndVolumeID", m_EndVolumeID);
}

bool CModalityMatchingsRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "ModalityMatchings");
}

void CModalityCaptionsRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("ModalityID", m_ModalityID);
    fx.Long("QuestionID", m_QuestionID);
    fx.Long("LanguageID", m_LanguageID);
    fx.Text("ShortCaption", m_ShortCaption);
}

bool CModalityCaptionsRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "ModalityCaptions");
}

void CLanguagesRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("LanguageID", m_LanguageID);
    fx.Bool("IsDefault", m_IsDefault);
    fx.Text("LanguageName", m_LanguageName);
}

bool CLanguagesRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "Languages");
}

void CVersionsRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("VersionID", m_VersionID);
    fx.Text("LongCaption", m_LongCaption);
    fx.Text("ShortCaption", m_ShortCaption);
}

bool CVersionsRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "Versions");
}

void CModalityMergingsRS::DoFieldExchange(CFieldExchange& fx)
{
    fx.Long("MasterModalityID", m_MasterModalityID);
    fx.Long("ChildModalityID", m_ChildModalityID);
    fx.Long("MergeVolumeID", m_MergeVolumeID);
}

bool CModalityMergingsRS::CreateTable(CSqliteDatabase& database)
{
    return CreateNamedTable(database, "ModalityMergings");
}
