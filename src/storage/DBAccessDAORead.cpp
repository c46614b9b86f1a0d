#include "storage/DBAccessDAO.h"

#include "model/Campaign.h"
#include "platform/FormatString.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "storage/CampaignRecordsets.h"

#include <sqlite3.h>

using namespace pelko_wave;

namespace {

// The volume that holds the matching of a row: the volume of the row before when it is the
// same, else looked up. A volume the campaign does not hold fails the read.
CVolume& HoldingVolume(const CCampaign& campaign, CVolume*& last, const char* table, qint64 rowId,
                       int volumeId)
{
    if (!last || last->GetVolumeId() != volumeId) {
        last = campaign.FindVolume(volumeId);
        if (!last)
            throw CSqliteError(
                SQLITE_CONSTRAINT_FOREIGNKEY,
                QStringLiteral("%1 row %2 names the volume %3, which the file does not hold")
                    .arg(QLatin1String(table))
                    .arg(rowId)
                    .arg(volumeId));
    }
    return *last;
}

} // namespace

bool CDBAccessDAO::ReadCampaign(CCampaign& campaign)
{
    return RunRead("ReadCampaign", [&] {
        CCampaignsRS rs(m_database);
        rs.Open(QStringLiteral("ORDER BY rowid LIMIT 1"));
        if (!rs.MoveNext())
            return; // an empty table: the campaign keeps the program's own version
        campaign.SetName(rs.m_Name);
        campaign.SetDescription(rs.m_Description);
        campaign.SetVersionNumber(rs.m_VersionNumber);
    });
}

bool CDBAccessDAO::ReadLanguages(CCampaign& campaign)
{
    return RunRead("ReadLanguages", [&] {
        CLanguagesRS rs(m_database);
        rs.Open(QStringLiteral("ORDER BY rowid"));
        while (rs.MoveNext()) {
            // The system's name and abbreviation of the id, unless the file keeps a name.
            auto language = std::make_unique<CLanguage>(rs.m_LanguageID);
            if (!rs.m_LanguageName.isEmpty())
                language->SetLanguageName(rs.m_LanguageName);
            language->SetIsDefault(rs.m_IsDefault);
            if (rs.m_IsDefault) {
                campaign.SetDefaultLanguageId(rs.m_LanguageID);
                campaign.SetCurrentLanguageId(rs.m_LanguageID);
            }
            campaign.AddLanguage(std::move(language));
        }
    });
}

bool CDBAccessDAO::ReadWaves(CCampaign& campaign)
{
    return RunRead("ReadWaves", [&] {
        CWavesRS rs(m_database);
        // In order, so that inserting each wave by its order keeps every order as it is.
        rs.Open(QStringLiteral("ORDER BY \"WaveOrder\", rowid"));
        while (rs.MoveNext()) {
            auto wave = std::make_unique<CWave>();
            wave->SetWaveId(rs.m_WaveID);
            wave->SetWaveOrder(rs.m_WaveOrder);
            wave->SetName(rs.m_Name);
            wave->SetDescription(rs.m_Description);
            wave->SetWaveStart(rs.m_WaveStart);
            wave->SetWaveEnd(rs.m_WaveEnd);
            wave->SetWaveMidpoint(rs.m_WaveMidpoint);
            campaign.InsertWave(std::move(wave));
        }
    });
}

bool CDBAccessDAO::ReadVolumes(CCampaign& campaign)
{
    return RunRead("ReadVolumes", [&] {
        // Columns that files of older versions do not have are left at their defaults.
        const CPlimVersionUtils version(campaign.GetVersionNumber());
        const bool hasCaseSensitive =
            !version.IsFileOlderThan(CPlimVersionUtils::VERSION_CASE_SENSITIVE);
        const bool hasAncestorValues =
            !version.IsFileOlderThan(CPlimVersionUtils::VERSION_ANCESTOR_VALUES);
        CVolumesRS rs(m_database, campaign.GetVersionNumber());
        // A wave's volumes in the order in which they were written.
        rs.Open(QStringLiteral("WHERE \"WaveID\" = ?1 ORDER BY rowid"));
        for (int w = 0; w < campaign.GetWaveCount(); ++w) {
            CWave* wave = campaign.GetWave(w);
            rs.SetParameter(0, wave->GetWaveId());
            while (rs.MoveNext()) {
                auto volume = std::make_unique<CVolume>();
                volume->SetVolumeId(rs.m_VolumeID);
                volume->SetName(rs.m_Name);
                volume->SetWaveId(rs.m_WaveID);
                volume->SetInheritsFromVolumeId(rs.m_InheritsFromVolumeID);
                volume->SetSourceType(rs.m_SourceType);
                volume->SetIsMatchingStrict(rs.m_IsMatchingStrict);
                QList<quint32> methods;
                ReadMethodIds(rs.m_QuestionMatchingMethods, methods);
                volume->SetQuestionMatchingMethods(methods);
                ReadMethodIds(rs.m_ResponseMatchingMethods, methods);
                volume->SetResponseMatchingMethods(methods);
                volume->SetIsMainVolume(rs.m_IsMainVolume);
                volume->SetInterviewMergeMethod(rs.m_InterviewMergeMethod);
                volume->SetMainVolumeLinkQuestionId(rs.m_MainVolumeLinkQuestionID);
                volume->SetThisVolumeLinkQuestionId(rs.m_ThisVolumeLinkQuestionID);
                volume->SetStatus(rs.m_Status);
                // Older files hold bare paths; whether they do is seen from MetaData alone.
                if (IsSourcePathList(rs.m_MetaData)) {
                    ReadSourcePathList(rs.m_MetaData, volume->GetMetaData());
                    ReadSourcePathList(rs.m_CaseData, volume->GetCaseData());
                } else {
                    ResolveVolumePath(volume->GetMetaData(), rs.m_MetaData);
                    ResolveVolumePath(volume->GetCaseData(), rs.m_CaseData);
                }
                if (hasCaseSensitive)
                    volume->SetCaseSensitiveMatching(rs.m_CaseSensitiveMatching);
                if (hasAncestorValues)
                    volume->SetMatchUsingAncestorValues(rs.m_MatchUsingAncestorValues);
                wave->AddVolume(std::move(volume));
            }
        }

        // The volume tree is linked once every volume is there, so that a parent may come
        // later in the file than its child. A parent that the campaign does not hold makes the
        // volume a root.
        for (int w = 0; w < campaign.GetWaveCount(); ++w) {
            const CWave* wave = campaign.GetWave(w);
            for (int v = 0; v < wave->GetVolumeCount(); ++v) {
                CVolume* volume = wave->GetVolume(v);
                if (volume->IsRoot())
                    continue;
                CVolume* parent = campaign.FindVolume(volume->GetInheritsFromVolumeId());
                if (parent) {
                    volume->SetParent(parent);
                    parent->AddChildVolume(volume);
                    continue;
                }
                AddWarning(FormatString(
                    LoadString(IDS_DB_PARENT_VOLUME_MISSING),
                    {volume->GetName(), volume->GetVolumeId(), volume->GetInheritsFromVolumeId()}));
                volume->SetInheritsFromVolumeId(volume->GetVolumeId());
            }
        }
    });
}

bool CDBAccessDAO::ReadQuestions(CCampaign& campaign)
{
    return RunRead("ReadQuestions", [&] {
        CQuestionsRS rs(m_database, campaign.GetVersionNumber());
        // In order; the questions go into the campaign together, each keeping its order. Put in
        // one by one by their orders, a question of the same order as the one before would
        // push that one and every later question an order up (orders can be equal: the order
        // is a property the user may set), and the campaign would come back reordered.
        rs.Open(QStringLiteral("ORDER BY \"Order\", rowid"));
        std::optional<int> firstVolumeId;
        std::vector<std::unique_ptr<CQuestion>> questions;
        while (rs.MoveNext()) {
            auto question = std::make_unique<CQuestion>();
            question->SetQuestionId(rs.m_QuestionID);
            question->SetIsDeleted(rs.m_IsDeleted);
            question->SetOrder(rs.m_Order);
            question->SetShortcut(rs.m_Shortcut);
            question->SetIndent(rs.m_Indent);
            question->SetElementType(rs.m_ElementType);
            question->SetQuestionType(rs.m_QuestionType);
            question->SetIsDontKnow(rs.m_IsDontKnow);
            question->SetIsSemiOpen(rs.m_IsSemiOpen);
            question->SetIsScale(rs.m_IsScale);
            question->SetIsMultiple(rs.m_IsMultiple);
            question->SetIsRanked(rs.m_IsRanked);
            question->SetMaxResponseCount(rs.m_MaxResponseCount);
            question->SetDecimals(rs.m_Decimals);
            question->SetMinValue(rs.m_MinValue);
            question->SetMaxValue(rs.m_MaxValue);
            question->SetIsLevelLink(rs.m_IsLevelLink);
            question->SetLinkQuestionId(rs.m_LinkQuestionID);
            question->SetIsProbabilityQuestion(rs.m_IsProbabilityQuestion);
            question->SetDateType(rs.m_DateType);
            question->SetQuestionClassId(rs.m_QuestionClassID);
            question->SetVersions(rs.m_Versions);
            question->SetUserData(rs.m_UserData);
            question->SetIsDevelopLevels(rs.m_IsDevelopLevels != 0 ? 1 : 0);
            if (rs.m_AppearanceVolumeID) {
                question->SetAppearanceVolumeId(*rs.m_AppearanceVolumeID);
            } else {
                if (!firstVolumeId)
                    firstVolumeId = campaign.GetFirstVolumeId();
                question->SetAppearanceVolumeId(*firstVolumeId);
            }
            question->SetDeletionWaveId(rs.m_DeletionWaveID.value_or(NO_WAVE_ID));
            questions.push_back(std::move(question));
        }
        campaign.InsertQuestions(std::move(questions));
    });
}

bool CDBAccessDAO::ReadQuestionMatchings(CCampaign& campaign)
{
    return RunRead("ReadQuestionMatchings", [&] {
        CQuestionMatchingsRS rs(m_database);
        rs.Open(QStringLiteral("ORDER BY rowid"));
        CVolume* volume = nullptr;
        while (rs.MoveNext()) {
            CVolume& holder =
                HoldingVolume(campaign, volume, "QuestionMatchings", rs.GetRowId(), rs.m_VolumeID);
            auto matching = std::make_unique<CQuestionMatching>();
            matching->SetQuestionId(rs.m_QuestionID);
            matching->SetVolumeId(rs.m_VolumeID);
            matching->SetSourceId(rs.m_SourceID);
            matching->SetStartVolumeId(rs.m_StartVolumeID);
            matching->SetEndVolumeId(rs.m_EndVolumeID);
            holder.AddQuestionMatching(std::move(matching));
        }
    });
}

bool CDBAccessDAO::ReadQuestionClasses(CCampaign& campaign)
{
    return RunRead("ReadQuestionClasses", [&] {
        CQuestionClassesRS rs(m_database);
        rs.Open(QStringLiteral("ORDER BY rowid"));
        while (rs.MoveNext()) {
            auto questionClass = std::make_unique<CQuestionClass>();
            questionClass->SetQuestionClassId(rs.m_QuestionClassID);
            questionClass->SetCaption(rs.m_Caption);
            campaign.AddQuestionClass(std::move(questionClass));
        }
    });
}

bool CDBAccessDAO::ReadVersions(CCampaign& campaign)
{
    return RunRead("ReadVersions", [&] {
        CVersionsRS rs(m_database);
        rs.Open(QStringLiteral("ORDER BY rowid"));
        while (rs.MoveNext()) {
            auto version = std::make_unique<CVersion>();
            version->SetVersionId(rs.m_VersionID);
            version->SetLongCaption(rs.m_LongCaption);
            version->SetShortCaption(rs.m_ShortCaption);
            campaign.AddVersion(std::move(version));
        }
    });
}

bool CDBAccessDAO::ReadQuestionCaptions(CCampaign& campaign)
{
    return RunRead("ReadQuestionCaptions", [&] {
        CQuestionCaptionsRS rs(m_database);
        // Each question's captions in the order in which they were written; captions of
        // questions that the campaign does not hold are passed over.
        rs.Open(QStringLiteral("ORDER BY rowid"));
        CQuestion* question = nullptr;
        while (rs.MoveNext()) {
            if (!question || question->GetQuestionId() != rs.m_QuestionID)
                question = campaign.GetQuestionById(rs.m_QuestionID);
            if (!question)
                continue;
            auto caption = std::make_unique<CQuestionCaption>();
            caption->SetQuestionId(rs.m_QuestionID);
            caption->SetLanguageId(rs.m_LanguageID);
            caption->SetLongCaption(rs.m_LongCaption);
            caption->SetShortCaption(rs.m_ShortCaption);
            question->AddCaption(std::move(caption));
        }
    });
}

bool CDBAccessDAO::ReadModalities(CCampaign& campaign)
{
    return RunRead("ReadModalities", [&] {
        CModalitiesRS rs(m_database);
        rs.Open(QStringLiteral("ORDER BY \"QuestionID\", \"ModalityOrder\", rowid"));
        CQuestion* question = nullptr;
        while (rs.MoveNext()) {
            if (!question || question->GetQuestionId() != rs.m_QuestionID)
                question = campaign.GetQuestionById(rs.m_QuestionID);
            if (!question)
                continue; // a response of a question the campaign does not hold
            auto modality = std::make_unique<CModality>();
            modality->SetModalityId(rs.m_ModalityID);
            modality->SetQuestionId(rs.m_QuestionID);
            modality->SetIsDeleted(rs.m_IsDeleted);
            modality->SetModalityOrder(rs.m_ModalityOrder);
            modality->SetValue(rs.m_Value);
            modality->SetEntryCode(rs.m_EntryCode);
            modality->SetIsExclusive(rs.m_IsExclusive);
            modality->SetRotationBehaviour(rs.m_RotationBehaviour);
            modality->SetVersions(rs.m_Versions);
            modality->SetUserData(rs.m_UserData);
            modality->SetAppearanceVolumeId(
                rs.m_AppearanceVolumeID.value_or(question->GetAppearanceVolumeId()));
            modality->SetDeletionWaveId(
                rs.m_DeletionWaveID.value_or(question->GetDeletionWaveId()));
            CModality* added = modality.get();
            campaign.AddModality(std::move(modality));
            // The rows come in response order: appended, responses of equal order keep theirs.
            question->AppendModalityInOrder(added);
        }
    });
}

bool CDBAccessDAO::ReadModalityMatchings(CCampaign& campaign)
{
    return RunRead("ReadModalityMatchings", [&] {
        CModalityMatchingsRS rs(m_database);
        rs.Open(QStringLiteral("ORDER BY rowid"));
        CVolume* volume = nullptr;
        while (rs.MoveNext()) {
            CVolume& holder =
                HoldingVolume(campaign, volume, "ModalityMatchings", rs.GetRowId(), rs.m_VolumeID);
            auto matching = std::make_unique<CModalityMatching>();
            matching->SetModalityId(rs.m_ModalityID);
            matching->SetQuestionId(rs.m_QuestionID);
            matching->SetVolumeId(rs.m_VolumeID);
            matching->SetModalitySourceId(rs.m_ModalitySourceID);
            matching->SetStartVolumeId(rs.m_StartVolumeID);
            matching->SetEndVolumeId(rs.m_EndVolumeID);
            holder.AddModalityMatching(std::move(matching));
        }
    });
}

bool CDBAccessDAO::ReadModalityCaptions(CCampaign& campaign)
{
    return RunRead("ReadModalityCaptions", [&] {
        CModalityCaptionsRS rs(m_database);
        rs.Open(QStringLiteral("ORDER BY rowid"));
        CModality* modality = nullptr;
        while (rs.MoveNext()) {
            if (!modality || modality->GetModalityId() != rs.m_ModalityID)
                modality = campaign.GetModalityById(rs.m_ModalityID);
            if (!modality)
                continue;
            auto caption = std::make_unique<CModalityCaption>();
            caption->SetModalityId(rs.m_ModalityID);
            caption->SetQuestionId(rs.m_QuestionID);
            caption->SetLanguageId(rs.m_LanguageID);
            caption->SetShortCaption(rs.m_ShortCaption);
            modality->AddCaption(std::move(caption));
        }
    });
}

bool CDBAccessDAO::ReadModalityMergings(CCampaign& campaign)
{
    return RunRead("ReadModalityMergings", [&] {
        CModalityMergingsRS rs(m_database);
        rs.Open(QStringLiteral("ORDER BY rowid"));
        while (rs.MoveNext()) {
            auto merging = std::make_unique<CModalityMerging>();
            merging->SetMasterModalityId(rs.m_MasterModalityID);
            merging->SetChildModalityId(rs.m_ChildModalityID);
            merging->SetMergeVolumeId(rs.m_MergeVolumeID);
            campaign.AddModalityMerging(std::move(merging));
        }
    });
}
