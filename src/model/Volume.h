#pragma once

#include "model/MatchIndexes.h"
#include "model/Matchings.h"
#include "model/SourcePath.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QVarLengthArray>
#include <memory>
#include <set>
#include <vector>

namespace qnr {
class CQuestionnaire;
}

// One data source of a wave: where its questionnaire and interviews are, how it is matched, its
// reconciliation status, its own question and response matchings (which it owns), its place in
// the volume tree (a volume may inherit from an earlier volume, its parent) and, once loaded,
// its source questionnaire. The lookups "inherited" from the ancestors start at this volume and
// walk up the tree; they never follow a missing parent and stop at a loop.
//
// The volume finds its matchings by their ids and source ids, which must not change while it
// holds them (their start and end volumes may).

namespace pelko_wave {

class CCampaign;
class CWave;

class CVolume
{
public:
    CVolume();
    // Every field, both source path records and the engine's look-up record, the wave link and
    // a deep copy of the matchings. The copy has no parent and no children (the campaign copy
    // links the tree again) and a new, unloaded questionnaire.
    CVolume(const CVolume& other);
    CVolume& operator=(const CVolume&) = delete;
    ~CVolume();

    int GetVolumeId() const { return m_volumeId; }
    void SetVolumeId(int id);
    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    int GetWaveId() const { return m_waveId; }
    void SetWaveId(int id) { m_waveId = id; }
    // The parent volume's id; the volume's own id for a root; -1 before it is set.
    int GetInheritsFromVolumeId() const { return m_inheritsFromVolumeId; }
    void SetInheritsFromVolumeId(int id) { m_inheritsFromVolumeId = id; }
    bool IsRoot() const { return m_inheritsFromVolumeId == m_volumeId; }
    // ESourceType.
    int GetSourceType() const { return m_sourceType; }
    void SetSourceType(int type) { m_sourceType = type; }
    int IsMatchingStrict() const { return m_isMatchingStrict; }
    void SetIsMatchingStrict(int strict) { m_isMatchingStrict = strict; }
    // Ordered matching-method ids (0 to 5).
    const QList<quint32>& GetQuestionMatchingMethods() const { return m_questionMatchingMethods; }
    void SetQuestionMatchingMethods(const QList<quint32>& methods)
    {
        m_questionMatchingMethods = methods;
    }
    const QList<quint32>& GetResponseMatchingMethods() const { return m_responseMatchingMethods; }
    void SetResponseMatchingMethods(const QList<quint32>& methods)
    {
        m_responseMatchingMethods = methods;
    }
    int IsMainVolume() const { return m_isMainVolume; }
    void SetIsMainVolume(int main) { m_isMainVolume = main; }
    int GetInterviewMergeMethod() const { return m_interviewMergeMethod; }
    void SetInterviewMergeMethod(int method) { m_interviewMergeMethod = method; }
    int GetMainVolumeLinkQuestionId() const { return m_mainVolumeLinkQuestionId; }
    void SetMainVolumeLinkQuestionId(int id) { m_mainVolumeLinkQuestionId = id; }
    const QString& GetThisVolumeLinkQuestionId() const { return m_thisVolumeLinkQuestionId; }
    void SetThisVolumeLinkQuestionId(const QString& id) { m_thisVolumeLinkQuestionId = id; }
    // EVolumeStatus.
    int GetStatus() const { return m_status; }
    void SetStatus(int status) { m_status = status; }
    // Where the questionnaire is.
    const CSourcePath& GetMetaData() const { return m_metaData; }
    CSourcePath& GetMetaData() { return m_metaData; }
    void SetMetaData(const CSourcePath& path) { m_metaData = path; }
    // Where the interviews are.
    const CSourcePath& GetCaseData() const { return m_caseData; }
    CSourcePath& GetCaseData() { return m_caseData; }
    void SetCaseData(const CSourcePath& path) { m_caseData = path; }
    int GetCaseSensitiveMatching() const { return m_caseSensitiveMatching; }
    void SetCaseSensitiveMatching(int flag) { m_caseSensitiveMatching = flag; }
    int GetMatchUsingAncestorValues() const { return m_matchUsingAncestorValues; }
    void SetMatchUsingAncestorValues(int flag) { m_matchUsingAncestorValues = flag; }

    // The volume tree. The parent is borrowed; children are borrowed (each belongs to its
    // wave).
    CVolume* GetParent() const { return m_parent; }
    void SetParent(CVolume* parent) { m_parent = parent; }
    void AddChildVolume(CVolume* child);
    // Puts the child at the position of the list (clamped), where it was before it was taken
    // out.
    void InsertChildVolume(int position, CVolume* child);
    // The child's position in the list; -1 when absent.
    int FindChildVolumeIndex(int volumeId) const;
    // Takes the child of that id out of the list; null when absent.
    CVolume* RemoveChildVolume(int volumeId);
    int GetChildVolumeCount() const { return int(m_childVolumes.size()); }
    CVolume* GetChildVolumeAt(int i) const;

    // The wave that holds it (null until added) and that wave's campaign.
    CWave* GetWave() const { return m_wave; }
    void SetWave(CWave* wave) { m_wave = wave; }
    CCampaign* GetCampaign() const;

    // The source questionnaire, loaded on demand (empty until read).
    qnr::CQuestionnaire& GetQuestionnaire() const { return *m_questionnaire; }
    // Puts another questionnaire object in place (a new one when null) and hands back the one
    // it held, so that the caller may keep it, and everything that points into it, alive.
    std::unique_ptr<qnr::CQuestionnaire>
    ReplaceQuestionnaire(std::unique_ptr<qnr::CQuestionnaire> questionnaire);
    // The engine's look-up record of the source questions.
    CQuestionIndex& GetQuestionIndex() { return m_questionIndex; }
    const CQuestionIndex& GetQuestionIndex() const { return m_questionIndex; }

    // Own question matchings, indexed by campaign question id.
    int GetQuestionMatchingCount() const { return int(m_questionMatchings.size()); }
    CQuestionMatching* GetQuestionMatching(int i) const { return m_questionMatchings[size_t(i)].get(); }
    // Appends the matching and returns its position. When the volume already has a matching
    // of that question, the index keeps finding the first one.
    int AddQuestionMatching(std::unique_ptr<CQuestionMatching> matching);
    CQuestionMatching* FindQuestionMatching(int questionId) const;
    // Takes the matching of the question out and hands it to the caller; null when absent.
    std::unique_ptr<CQuestionMatching> RemoveQuestionMatching(int questionId);
    // Takes that very matching out; null when the volume does not hold it.
    std::unique_ptr<CQuestionMatching> RemoveQuestionMatching(const CQuestionMatching* matching);
    // Takes those very matchings out in one pass (those the volume does not hold are skipped)
    // and hands them over in their array order.
    std::vector<std::unique_ptr<CQuestionMatching>>
    RemoveQuestionMatchings(const QSet<const CQuestionMatching*>& matchings);

    // Own response matchings, indexed by campaign response id.
    int GetModalityMatchingCount() const { return int(m_modalityMatchings.size()); }
    CModalityMatching* GetModalityMatching(int i) const { return m_modalityMatchings[size_t(i)].get(); }
    int AddModalityMatching(std::unique_ptr<CModalityMatching> matching);
    CModalityMatching* FindModalityMatching(int modalityId) const;
    std::unique_ptr<CModalityMatching> RemoveModalityMatching(int modalityId);
    // The same, only when the matching found belongs to the question.
    std::unique_ptr<CModalityMatching> RemoveModalityMatching(int questionId, int modalityId);
    std::unique_ptr<CModalityMatching> RemoveModalityMatching(const CModalityMatching* matching);
    std::vector<std::unique_ptr<CModalityMatching>>
    RemoveModalityMatchings(const QSet<const CModalityMatching*>& matchings);

    // Whether a matching holds for the volume: from StartVolumeID to EndVolumeID in campaign
    // order, both included (an open end covers every volume from the start on).
    static bool IsQuestionMatchingValidFor(const CCampaign& campaign,
                                           const CQuestionMatching& matching, int volumeId);
    static bool IsModalityMatchingValidFor(const CCampaign& campaign,
                                           const CModalityMatching& matching, int volumeId);

    // Inherited lookups: each takes the volume v for which the matching must be valid and
    // starts at this volume, then asks the ancestors up to the root.
    CQuestionMatching* FindQuestionMatchingInherited(int questionId, int volumeId) const;
    CModalityMatching* FindModalityMatchingInherited(int modalityId, int volumeId) const;
    // The source id of the question's matching valid for v whose source id is not excluded;
    // empty when none. Returns whether one was found.
    bool GetQuestionSourceId(int volumeId, int questionId, QString& sourceId,
                             const std::set<QString>* excluded = nullptr) const;
    // Response id -> source id of the question's response matchings valid for v, the nearest
    // volume winning; the ancestors only when inherited is set.
    void CollectModalitySourceIds(int volumeId, int questionId, QMap<int, QString>& sourceIds,
                                  bool inherited) const;
    // The same as source id -> response id.
    void GetModalityIdsBySource(int volumeId, int questionId, QMap<QString, int>& modalityIds,
                                bool inherited) const;
    // The campaign question matched to the source id (compared exactly) at v; -1 when none.
    // Returns whether one was found.
    bool FindQuestionIdBySource(int volumeId, const QString& sourceId, int& questionId,
                                bool inherited) const;

    // Collecting walks over this volume and its ancestors, matchings valid for v only.
    // Question id -> source id, the nearest volume winning.
    void CollectQuestionSources(int volumeId, QMap<int, QString>& sources) const;
    void CollectValidQuestionMatchings(int volumeId, QList<CQuestionMatching*>& matchings) const;
    void CollectValidModalityMatchings(int volumeId, QList<CModalityMatching*>& matchings) const;
    void CollectModalityMatchingsOfQuestion(int volumeId, int questionId,
                                            QList<CModalityMatching*>& matchings,
                                            bool inherited) const;
    void CollectMatchedQuestionIds(int volumeId, std::set<int>& questionIds) const;
    // Source id -> question id, the nearest volume winning.
    void CollectMatchedSourceCodes(int volumeId, QMap<QString, int>& sourceCodes) const;
    // The question's response matchings of this volume valid for v; with the flag, then those
    // of every descendant valid for that descendant itself.
    void CollectModalityMatchingsInSubtree(int volumeId, int questionId,
                                           QList<CModalityMatching*>& matchings,
                                           bool descend) const;
    // Over this volume and its descendants, the latest volume (campaign order) that comes
    // before v; -1 when none. A volume without campaign gives its own id.
    int FindLatestVolumeBefore(int volumeId) const;

    // Ends at v the matchings of the listed questions valid for v (and their response
    // matchings), here and in every ancestor, noting each one's end before and after.
    void EndQuestionMatchingsAt(int volumeId, const std::set<int>& questionIds,
                                QMap<CQuestionMatching*, int>& questionEndsBefore,
                                QMap<CQuestionMatching*, int>& questionEndsAfter,
                                QMap<CModalityMatching*, int>& modalityEndsBefore,
                                QMap<CModalityMatching*, int>& modalityEndsAfter);
    // The same for the listed responses of one question.
    void EndModalityMatchingsAt(int volumeId, int questionId, const std::set<int>& modalityIds,
                                QMap<CModalityMatching*, int>& endsBefore,
                                QMap<CModalityMatching*, int>& endsAfter);

    // This volume, then each ancestor up to the root; a missing parent or a loop ends the walk.
    std::vector<CVolume*> GetAncestry() const;

private:
    // The own response matchings of the question, in array order.
    // A group of matchings, held in place up to the usual number of members.
    using QuestionMatchingGroup = QVarLengthArray<CQuestionMatching*, 1>;
    using ModalityMatchingGroup = QVarLengthArray<CModalityMatching*, 12>;

    const ModalityMatchingGroup& ModalityMatchingsOf(int questionId) const;

    int m_volumeId = 0;
    QString m_name;
    int m_waveId = 0;
    int m_inheritsFromVolumeId = -1;
    int m_sourceType = 0;
    int m_isMatchingStrict = 0;
    QList<quint32> m_questionMatchingMethods;
    QList<quint32> m_responseMatchingMethods;
    int m_isMainVolume = 0;
    int m_interviewMergeMethod = 0;
    int m_mainVolumeLinkQuestionId = 0;
    QString m_thisVolumeLinkQuestionId;
    int m_status = VOLUME_UNRECONCILED;
    CSourcePath m_metaData;
    CSourcePath m_caseData;
    int m_caseSensitiveMatching = 0;
    int m_matchUsingAncestorValues = 0;
    CVolume* m_parent = nullptr;
    CQuestionIndex m_questionIndex;
    std::unique_ptr<qnr::CQuestionnaire> m_questionnaire;
    std::vector<std::unique_ptr<CQuestionMatching>> m_questionMatchings;
    QHash<int, int> m_questionMatchingIndex; // question id -> position
    // Source id -> the matchings of that source id, in array order.
    QHash<QString, QuestionMatchingGroup> m_questionMatchingsBySource;
    std::vector<std::unique_ptr<CModalityMatching>> m_modalityMatchings;
    QHash<int, int> m_modalityMatchingIndex; // response id -> position
    // Question id -> the response matchings of that question, in array order.
    QHash<int, ModalityMatchingGroup> m_modalityMatchingsByQuestion;
    std::vector<CVolume*> m_childVolumes;
    CWave* m_wave = nullptr;
};

} // namespace pelko_wave
