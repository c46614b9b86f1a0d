#include "storage/DBAccessDAO.h"

#include "model/Campaign.h"
#include "storage/CampaignRecordsets.h"
#include "storage/SqliteStatement.h"
#include "storage/SqliteTransaction.h"

#include <QHash>
#include <QSet>
#include <algorithm>

using namespace pelko_wave;

namespace {

// The end of a matching that older versions left behind; such a matching is not written.
constexpr int kDeadEnd = -1;

// The volume id to write for a question's or response's appearance volume: NULL when the
// campaign holds no such volume (a reader gives it the campaign's first volume, or the
// question's).
std::optional<int> AppearanceVolume(const CCampaign& campaign, int volumeId)
{
    if (campaign.FindVolume(volumeId))
        return volumeId;
    return std::nullopt;
}

} // namespace

bool CDBAccessDAO::Save(const CCampaign& campaign)
{
    if (!Open())
        return false;
    std::optional<CSqliteTransaction> transaction;
    // A file of an older version gets the columns that the campaign is written with first, in
    // the same transaction as the rest.
    if (!Guarded("Save", [&] {
            transaction.emplace(m_database);
            if (!m_upgradeVersion.isEmpty())
                UpgradeSchema(m_upgradeVersion);
        }))
        return false;
    // Each step joins the transaction; the first that fails ends the save, and the transaction
    // is rolled back when it goes out of scope, leaving the file as it was.
    const bool written = SaveCampaign(campaign) && SaveLanguages(campaign) &&
                         SaveQuestionClasses(campaign) && SaveVersions(campaign) &&
                         SaveWaves(campaign) && SaveQuestions(campaign) &&
                         SaveModalities(campaign) && SaveModalityMergings(campaign);
    if (!written || !Guarded("Save", [&] { transaction->Commit(); }))
        return false;
    m_upgradeVersion.clear();
    return true;
}

bool CDBAccessDAO::SaveCampaign(const CCampaign& campaign)
{
    return RunWrite("SaveCampaign", [&] {
        CCampaignsRS rs(m_database);
        rs.Open(QStringLiteral("ORDER BY rowid LIMIT 1"));
        const bool exists = rs.MoveNext();
        const qint64 rowId = rs.GetRowId();
        rs.m_Name = campaign.GetName();
        rs.m_Description = campaign.GetDescription();
        rs.m_VersionNumber = campaign.GetVersionNumber();
        if (exists)
            rs.Update(rowId);
        else
            rs.AddNew();
    });
}

bool CDBAccessDAO::SaveLanguages(const CCampaign& campaign)
{
    return RunWrite("SaveLanguages", [&] {
        if (!DeleteRemovedLanguages(campaign))
            throw SNestedFailure();
        CLanguagesRS rs(m_database);
        for (int i = 0; i < campaign.GetLanguageCount(); ++i) {
            const CLanguage& language = *campaign.GetLanguage(i);
            rs.m_LanguageID = language.GetLanguageId();
            rs.m_IsDefault = language.IsDefault();
            rs.m_LanguageName = language.GetLanguageName();
            rs.AddOrUpdate();
        }
    });
}

bool CDBAccessDAO::SaveQuestionClasses(const CCampaign& campaign)
{
    return RunWrite("SaveQuestionClasses", [&] {
        if (!DeleteRemovedQuestionClasses(campaign))
            throw SNestedFailure();
        CQuestionClassesRS rs(m_database);
        for (int i = 0; i < campaign.GetQuestionClassCount(); ++i) {
            const CQuestionClass& questionClass = *campaign.GetQuestionClass(i);
            rs.m_QuestionClassID = questionClass.GetQuestionClassId();
            rs.m_Caption = questionClass.GetCaption();
            rs.AddOrUpdate();
        }
    });
}

bool CDBAccessDAO::SaveVersions(const CCampaign& campaign)
{
    return RunWrite("SaveVersions", [&] {
        if (!DeleteRemovedVersions(campaign))
            throw SNestedFailure();
        CVersionsRS rs(m_database);
        for (int i = 0; i < campaign.GetVersionCount(); ++i) {
            const CVersion& version = *campaign.GetVersion(i);
            rs.m_VersionID = version.GetVersionId();
            rs.m_LongCaption = version.GetLongCaption();
            rs.m_ShortCaption = version.GetShortCaption();
            rs.AddOrUpdate();
        }
    });
}

bool CDBAccessDAO::SaveWaves(const CCampaign& campaign)
{
    return RunWrite("SaveWaves", [&] {
        if (!DeleteRemovedWaves(campaign) || !DeleteRemovedVolumes(campaign) ||
            !DeleteRemovedQuestionMatchings(campaign) || !DeleteRemovedModalityMatchings(campaign))
            throw SNestedFailure();
        CWavesRS waves(m_database);
        CVolumesRS volumes(m_database, campaign.GetVersionNumber());
        CQuestionMatchingsRS questionMatchings(m_database);
        CModalityMatchingsRS modalityMatchings(m_database);
        for (int w = 0; w < campaign.GetWaveCount(); ++w) {
            const CWave& wave = *campaign.GetWave(w);
            waves.m_WaveID = wave.GetWaveId();
            waves.m_WaveOrder = wave.GetWaveOrder();
            waves.m_Name = wave.GetName();
            waves.m_Description = wave.GetDescription();
            waves.m_WaveStart = wave.GetWaveStart();
            waves.m_WaveEnd = wave.GetWaveEnd();
            waves.m_WaveMidpoint = wave.GetWaveMidpoint();
            waves.AddOrUpdate();

            for (int v = 0; v < wave.GetVolumeCount(); ++v) {
                const CVolume& volume = *wave.GetVolume(v);
                volumes.m_VolumeID = volume.GetVolumeId();
                volumes.m_Name = volume.GetName();
                volumes.m_WaveID = volume.GetWaveId();
                volumes.m_InheritsFromVolumeID = volume.GetInheritsFromVolumeId();
                volumes.m_SourceType = volume.GetSourceType();
                volumes.m_MetaData = WriteSourcePathList(volume.GetMetaData());
                volumes.m_CaseData = WriteSourcePathList(volume.GetCaseData());
                volumes.m_IsMatchingStrict = volume.IsMatchingStrict();
                volumes.m_QuestionMatchingMethods =
                    WriteMethodIds(volume.GetQuestionMatchingMethods());
                volumes.m_ResponseMatchingMethods =
                    WriteMethodIds(volume.GetResponseMatchingMethods());
                volumes.m_IsMainVolume = volume.IsMainVolume();
                volumes.m_InterviewMergeMethod = volume.GetInterviewMergeMethod();
                volumes.m_MainVolumeLinkQuestionID = volume.GetMainVolumeLinkQuestionId();
                volumes.m_ThisVolumeLinkQuestionID = volume.GetThisVolumeLinkQuestionId();
                volumes.m_Status = volume.GetStatus();
                // Bound only when the campaign's version has them.
                volumes.m_CaseSensitiveMatching = volume.GetCaseSensitiveMatching();
                volumes.m_MatchUsingAncestorValues = volume.GetMatchUsingAncestorValues();
                volumes.AddOrUpdate();

                // A matching is filed under the volume that holds it.
                for (int m = 0; m < volume.GetQuestionMatchingCount(); ++m) {
                    const CQuestionMatching& matching = *volume.GetQuestionMatching(m);
                    if (matching.GetEndVolumeId() == kDeadEnd)
                        continue;
                    questionMatchings.m_QuestionID = matching.GetQuestionId();
                    questionMatchings.m_VolumeID = volume.GetVolumeId();
                    questionMatchings.m_SourceID = matching.GetSourceId();
                    questionMatchings.m_StartVolumeID = matching.GetStartVolumeId();
                    questionMatchings.m_EndVolumeID = matching.GetEndVolumeId();
                    questionMatchings.AddOrUpdate();
                }
                for (int m = 0; m < volume.GetModalityMatchingCount(); ++m) {
                    const CModalityMatching& matching = *volume.GetModalityMatching(m);
                    if (matching.GetEndVolumeId() == kDeadEnd)
                        continue;
                    modalityMatchings.m_ModalityID = matching.GetModalityId();
                    modalityMatchings.m_QuestionID = matching.GetQuestionId();
                    modalityMatchings.m_VolumeID = volume.GetVolumeId();
                    modalityMatchings.m_ModalitySourceID = matching.GetModalitySourceId();
                    modalityMatchings.m_StartVolumeID = matching.GetStartVolumeId();
                    modalityMatchings.m_EndVolumeID = matching.GetEndVolumeId();
                    modalityMatchings.AddOrUpdate();
                }
            }
        }
    });
}

bool CDBAccessDAO::SaveQuestions(const CCampaign& campaign)
{
    return RunWrite("SaveQuestions", [&] {
        if (!DeleteRemovedQuestions(campaign) || !DeleteRemovedQuestionCaptions(campaign))
            throw SNestedFailure();
        CQuestionsRS questions(m_database, campaign.GetVersionNumber());
        CQuestionCaptionsRS captions(m_database);
        for (int q = 0; q < campaign.GetQuestionCount(); ++q) {
            const CQuestion& question = *campaign.GetQuestion(q);
            questions.m_QuestionID = question.GetQuestionId();
            questions.m_IsDeleted = question.IsDeleted();
            questions.m_Order = question.GetOrder();
            questions.m_Shortcut = question.GetShortcut();
            questions.m_Indent = question.GetIndent();
            questions.m_ElementType = question.GetElementType();
            questions.m_QuestionType = question.GetQuestionType();
            questions.m_IsDontKnow = question.IsDontKnow();
            questions.m_IsSemiOpen = question.IsSemiOpen();
            questions.m_IsScale = question.IsScale();
            questions.m_IsMultiple = question.IsMultiple();
            questions.m_IsRanked = question.IsRanked();
            questions.m_MaxResponseCount = question.GetMaxResponseCount();
            questions.m_Decimals = question.GetDecimals();
            questions.m_MinValue = question.GetMinValue();
            questions.m_MaxValue = question.GetMaxValue();
            questions.m_IsLevelLink = question.IsLevelLink();
            questions.m_LinkQuestionID = question.GetLinkQuestionId();
            questions.m_IsProbabilityQuestion = question.IsProbabilityQuestion();
            questions.m_DateType = question.GetDateType();
            questions.m_QuestionClassID = question.GetQuestionClassId();
            questions.m_Versions = question.GetVersions();
            questions.m_UserData = question.GetUserData();
            questions.m_IsDevelopLevels = question.IsDevelopLevels() != 0 ? 1 : 0;
            questions.m_AppearanceVolumeID =
                AppearanceVolume(campaign, question.GetAppearanceVolumeId());
            questions.m_DeletionWaveID = question.GetDeletionWaveId();
            questions.AddOrUpdate();

            for (int c = 0; c < question.GetCaptionCount(); ++c) {
                const CQuestionCaption& caption = *question.GetCaption(c);
                captions.m_QuestionID = question.GetQuestionId();
                captions.m_LanguageID = caption.GetLanguageId();
                captions.m_LongCaption = caption.GetLongCaption();
                captions.m_ShortCaption = caption.GetShortCaption();
                captions.AddOrUpdate();
            }
        }
    });
}

bool CDBAccessDAO::SaveModalities(const CCampaign& campaign)
{
    return RunWrite("SaveModalities", [&] {
        if (!DeleteRemovedModalities(campaign) || !DeleteRemovedModalityCaptions(campaign))
            throw SNestedFailure();
        CModalitiesRS modalities(m_database);
        CModalityCaptionsRS captions(m_database);
        const auto write = [&](const CModality& modality) {
            modalities.m_ModalityID = modality.GetModalityId();
            modalities.m_QuestionID = modality.GetQuestionId();
            modalities.m_IsDeleted = modality.IsDeleted();
            modalities.m_ModalityOrder = modality.GetModalityOrder();
            modalities.m_Value = modality.GetValue();
            modalities.m_EntryCode = modality.GetEntryCode();
            modalities.m_IsExclusive = modality.IsExclusive();
            modalities.m_RotationBehaviour = modality.GetRotationBehaviour();
            modalities.m_Versions = modality.GetVersions();
            modalities.m_UserData = modality.GetUserData();
            modalities.m_AppearanceVolumeID =
                AppearanceVolume(campaign, modality.GetAppearanceVolumeId());
            modalities.m_DeletionWaveID = modality.GetDeletionWaveId();
            modalities.AddOrUpdate();

            for (int c = 0; c < modality.GetCaptionCount(); ++c) {
                const CModalityCaption& caption = *modality.GetCaption(c);
                captions.m_ModalityID = modality.GetModalityId();
                captions.m_QuestionID = caption.GetQuestionId();
                captions.m_LanguageID = caption.GetLanguageId();
                captions.m_ShortCaption = caption.GetShortCaption();
                captions.AddOrUpdate();
            }
        };
        // Question by question in response order, so that a new file holds responses of equal
        // order in the rows' order in which reading gives them back; then any response that no
        // question holds.
        int written = 0;
        for (int q = 0; q < campaign.GetQuestionCount(); ++q) {
            for (const CModality* modality : campaign.GetQuestion(q)->GetModalities()) {
                write(*modality);
                ++written;
            }
        }
        if (written != campaign.GetModalityCount()) {
            QSet<const CModality*> held;
            for (int q = 0; q < campaign.GetQuestionCount(); ++q)
                for (const CModality* modality : campaign.GetQuestion(q)->GetModalities())
                    held.insert(modality);
            for (int i = 0; i < campaign.GetModalityCount(); ++i)
                if (!held.contains(campaign.GetModality(i)))
                    write(*campaign.GetModality(i));
        }
    });
}

bool CDBAccessDAO::SaveModalityMergings(const CCampaign& campaign)
{
    return RunWrite("SaveModalityMergings", [&] {
        if (!DeleteRemovedModalityMergings(campaign))
            throw SNestedFailure();
        CModalityMergingsRS rs(m_database);
        for (int i = 0; i < campaign.GetModalityMergingCount(); ++i) {
            const CModalityMerging& merging = *campaign.GetModalityMerging(i);
            rs.m_MasterModalityID = merging.GetMasterModalityId();
            rs.m_ChildModalityID = merging.GetChildModalityId();
            rs.m_MergeVolumeID = merging.GetMergeVolumeId();
            rs.AddOrUpdate();
        }
    });
}

// ---------------------------------------------------------------------------------------------
// Deletion passes

bool CDBAccessDAO::DeleteRemovedWaves(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedWaves", [&] {
        CWavesRS(m_database).DeleteRows([&](const std::vector<int>& key) {
            return !campaign.FindWave(key[0]);
        });
    });
}

bool CDBAccessDAO::DeleteRemovedVolumes(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedVolumes", [&] {
        // A wave's volumes read back in the order of their rows. Rows added by this save come
        // after every row there is; when a wave's volumes would then not come back in the
        // wave's order (a volume taken out and put back), the wave's rows are deleted too and
        // written again in order.
        QHash<int, qint64> rowIds;
        qint64 nextRowId = 0;
        {
            CSqliteStatement scan(m_database,
                                  QStringLiteral("SELECT rowid, \"VolumeID\" FROM \"Volumes\""));
            while (scan.Step()) {
                rowIds.insert(scan.ColumnInt(1), scan.ColumnInt64(0));
                nextRowId = std::max(nextRowId, scan.ColumnInt64(0) + 1);
            }
        }
        QSet<int> rewritten;
        for (int w = 0; w < campaign.GetWaveCount(); ++w) {
            const CWave& wave = *campaign.GetWave(w);
            qint64 previous = -1;
            bool inOrder = true;
            for (int v = 0; v < wave.GetVolumeCount(); ++v) {
                const qint64 rowId = rowIds.value(wave.GetVolume(v)->GetVolumeId(), nextRowId++);
                inOrder = inOrder && rowId > previous;
                previous = rowId;
            }
            if (inOrder)
                continue;
            for (int v = 0; v < wave.GetVolumeCount(); ++v)
                rewritten.insert(wave.GetVolume(v)->GetVolumeId());
        }
        CVolumesRS(m_database, campaign.GetVersionNumber())
            .DeleteRows([&](const std::vector<int>& key) {
                return !campaign.FindVolume(key[0]) || rewritten.contains(key[0]);
            });
    });
}

bool CDBAccessDAO::DeleteRemovedQuestionMatchings(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedQuestionMatchings", [&] {
        CQuestionMatchingsRS(m_database).DeleteRows([&](const std::vector<int>& key) {
            const CVolume* volume = campaign.FindVolume(key[1]);
            const CQuestionMatching* matching =
                volume ? volume->FindQuestionMatching(key[0]) : nullptr;
            return !matching || matching->GetEndVolumeId() == kDeadEnd;
        });
    });
}

bool CDBAccessDAO::DeleteRemovedModalityMatchings(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedModalityMatchings", [&] {
        CModalityMatchingsRS(m_database).DeleteRows([&](const std::vector<int>& key) {
            const CVolume* volume = campaign.FindVolume(key[2]);
            const CModalityMatching* matching =
                volume ? volume->FindModalityMatching(key[0]) : nullptr;
            return !matching || matching->GetQuestionId() != key[1] ||
                   matching->GetEndVolumeId() == kDeadEnd;
        });
    });
}

bool CDBAccessDAO::DeleteRemovedQuestions(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedQuestions", [&] {
        CQuestionsRS(m_database, campaign.GetVersionNumber())
            .DeleteRows(
                [&](const std::vector<int>& key) { return !campaign.ContainsQuestion(key[0]); });
    });
}

bool CDBAccessDAO::DeleteRemovedQuestionCaptions(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedQuestionCaptions", [&] {
        CQuestionCaptionsRS(m_database).DeleteRows([&](const std::vector<int>& key) {
            const CQuestion* question = campaign.GetQuestionById(key[0]);
            return !question || !question->FindCaption(key[1]);
        });
    });
}

bool CDBAccessDAO::DeleteRemovedModalities(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedModalities", [&] {
        CModalitiesRS(m_database).DeleteRows([&](const std::vector<int>& key) {
            return !campaign.ContainsModality(key[0]);
        });
    });
}

bool CDBAccessDAO::DeleteRemovedModalityCaptions(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedModalityCaptions", [&] {
        CModalityCaptionsRS(m_database).DeleteRows([&](const std::vector<int>& key) {
            const CModality* modality = campaign.GetModalityById(key[0]);
            return !modality || !modality->FindCaption(key[1]);
        });
    });
}

bool CDBAccessDAO::DeleteRemovedLanguages(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedLanguages", [&] {
        CLanguagesRS(m_database).DeleteRows([&](const std::vector<int>& key) {
            return !campaign.FindLanguage(key[0]);
        });
    });
}

bool CDBAccessDAO::DeleteRemovedQuestionClasses(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedQuestionClasses", [&] {
        CQuestionClassesRS(m_database).DeleteRows([&](const std::vector<int>& key) {
            return !campaign.GetQuestionClassById(key[0]);
        });
    });
}

bool CDBAccessDAO::DeleteRemovedVersions(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedVersions", [&] {
        CVersionsRS(m_database).DeleteRows([&](const std::vector<int>& key) {
            return !campaign.GetVersionById(key[0]);
        });
    });
}

bool CDBAccessDAO::DeleteRemovedModalityMergings(const CCampaign& campaign)
{
    return RunWrite("DeleteRemovedModalityMergings", [&] {
        QSet<QPair<int, int>> held;
        for (int i = 0; i < campaign.GetModalityMergingCount(); ++i) {
            const CModalityMerging& merging = *campaign.GetModalityMerging(i);
            held.insert({merging.GetMasterModalityId(), merging.GetChildModalityId()});
        }
        CModalityMergingsRS(m_database).DeleteRows([&](const std::vector<int>& key) {
            return !held.contains({key[0], key[1]});
        });
    });
}
