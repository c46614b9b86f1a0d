#pragma once

#include "model/Captions.h"
#include "model/Language.h"
#include "model/Matchings.h"
#include "model/Modality.h"
#include "model/ModelIds.h"
#include "model/Question.h"
#include "model/ReferenceRecords.h"
#include "model/Volume.h"
#include "model/Wave.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <array>
#include <memory>
#include <vector>

// The open campaign in memory: the header (name, description, the version of the program that
// wrote it), the ordered waves, and the campaign questionnaire (questions, question classes,
// responses, languages, versions, response mergings). It owns every object it holds; a removal
// hands the object to the caller, who may put the same object back later.
//
// Lookups by id go through hash maps kept up to date on every change; campaign order (volumes
// by their position among the waves) is kept as a rank per volume, rebuilt on every structural
// change, so that the order tests are constant-time and read-only. Any number of threads may
// read a campaign at once while no thread changes it.

namespace pelko_wave {

// The four numbers of a version text ("5.2.3.8" or "5,2,3,8"); missing numbers are 0.
std::array<quint32, 4> ParseVersionText(const QString& text);
// Whether version a is strictly older than version b, number by number, major first.
bool IsVersionOlder(const QString& a, const QString& b);

class CCampaign
{
public:
    CCampaign();
    // A deep copy, field for field: waves with their volumes and matchings, the questionnaire,
    // the volume tree linked again between the copied volumes and every copied question given
    // its copied responses in the same order. Used to package a campaign.
    CCampaign(const CCampaign& other);
    CCampaign& operator=(const CCampaign&) = delete;
    ~CCampaign();

    // Header.
    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    const QString& GetDescription() const { return m_description; }
    void SetDescription(const QString& description) { m_description = description; }
    const QString& GetVersionNumber() const { return m_versionNumber; }
    // Stores the version text and parses its four numbers.
    void SetVersionNumber(const QString& text);
    const std::array<quint32, 4>& GetVersionParts() const { return m_versionParts; }
    int GetDefaultLanguageId() const { return m_defaultLanguageId; }
    void SetDefaultLanguageId(int id) { m_defaultLanguageId = id; }
    // The language in which captions are shown when the caption mode asks for the campaign's.
    int GetCurrentLanguageId() const { return m_currentLanguageId; }
    void SetCurrentLanguageId(int id) { m_currentLanguageId = id; }

    // Running counters from which new ids and orders are made.
    int GetMaxWaveId() const { return m_maxWaveId; }
    void SetMaxWaveId(int id) { m_maxWaveId = id; }
    int GetMaxWaveOrder() const { return m_maxWaveOrder; }
    void SetMaxWaveOrder(int order) { m_maxWaveOrder = order; }
    int GetMaxQuestionId() const { return m_maxQuestionId; }
    void SetMaxQuestionId(int id) { m_maxQuestionId = id; }
    int GetMaxQuestionClassId() const { return m_maxQuestionClassId; }
    void SetMaxQuestionClassId(int id) { m_maxQuestionClassId = id; }
    int GetMaxModalityId() const { return m_maxModalityId; }
    void SetMaxModalityId(int id) { m_maxModalityId = id; }
    int GetMaxQuestionOrder() const { return m_maxQuestionOrder; }
    void SetMaxQuestionOrder(int order) { m_maxQuestionOrder = order; }

    // Waves, kept in wave order.
    int GetWaveCount() const { return int(m_waves.size()); }
    CWave* GetWave(int i) const { return m_waves[size_t(i)].get(); }
    // Null when i is out of range.
    CWave* GetWaveAt(int i) const;
    CWave* FindWave(int waveId) const;
    // For callers that know the wave exists (null otherwise).
    CWave* GetWaveById(int waveId) const { return FindWave(waveId); }
    // Inserts the wave by its order: before the first wave whose order is not smaller, that
    // wave and every later one moving one order up and the new wave taking the order of its
    // position + 1; a wave whose order is beyond all others is appended with it. Returns the
    // position.
    int InsertWave(std::unique_ptr<CWave> wave);
    // Takes the wave out and hands it to the caller; null when absent. The highest wave order
    // becomes the last remaining wave's; the other orders are kept.
    std::unique_ptr<CWave> RemoveWave(int waveId);
    // Sorts the waves by order (a stable sort); the orders are kept.
    void SortWaves();

    // Volumes over all waves.
    CVolume* FindVolume(int volumeId) const;
    CWave* FindWaveByVolume(int volumeId) const;
    int GetMaxVolumeId() const;
    // Kept by every structural change, so that the walks up the volume tree may bound
    // themselves by it at no cost.
    int GetVolumeCount() const { return m_volumeCount; }
    // The volume that comes before every other in campaign order; -1 when there is none.
    int GetFirstVolumeId() const;

    // Campaign order. A wave comes before another when its order is lower; a volume comes
    // before another when it is met first walking the waves, then each wave's volumes, in
    // array order. NO_VOLUME_ID (NO_WAVE_ID) is the open end: after everything.
    bool IsWaveBefore(int waveIdA, int waveIdB) const;
    bool IsVolumeBefore(int volumeIdA, int volumeIdB) const;

    // Questions, kept sorted by order.
    int GetQuestionCount() const { return int(m_questions.size()); }
    CQuestion* GetQuestion(int i) const { return m_questions[size_t(i)].get(); }
    // Null when i is out of range.
    CQuestion* GetQuestionAt(int i) const;
    CQuestion* GetQuestionById(int questionId) const;
    // For callers that know the id exists (null otherwise).
    CQuestion* GetQuestionByIdUnchecked(int questionId) const { return GetQuestionById(questionId); }
    bool ContainsQuestion(int questionId) const { return m_questionIndex.contains(questionId); }
    // The position of the question in the question array; -1 when absent.
    int GetQuestionIndexById(int questionId) const { return m_questionIndex.value(questionId, -1); }
    // The first question whose shortcut equals the text, ignoring case.
    CQuestion* FindQuestionByShortcut(const QString& shortcut) const;
    // Inserts the question by its order: before the first question whose order is not
    // smaller, that question and every later one moving one order up; a question whose order
    // is beyond all others is appended. The question keeps its order, so the array stays
    // sorted. Returns the position.
    int InsertQuestion(std::unique_ptr<CQuestion> question);
    // Appends the question behind all others whatever its order, raising the highest id but
    // leaving the orders and the highest order alone: for a caller that puts many questions in
    // at once and then gives every question its order and calls SortQuestions (the array is out
    // of order until then). Returns the position.
    int AppendQuestionUnsorted(std::unique_ptr<CQuestion> question);
    std::unique_ptr<CQuestion> RemoveQuestion(int questionId);
    // Puts questions back in one pass, each where its order places it (a stable sort). Unlike
    // InsertQuestion it changes no order: for a command that gives every order back itself.
    void InsertQuestions(std::vector<std::unique_ptr<CQuestion>> questions);
    // Takes the listed questions out in one pass (absent ones are skipped) and hands them over
    // in their array order.
    std::vector<std::unique_ptr<CQuestion>> RemoveQuestions(const QList<CQuestion*>& questions);
    // Sorts the questions by order and numbers them 0, 1, 2 ...
    void RenumberQuestions();
    // Sorts the questions by order (a stable sort) without changing any order.
    void SortQuestions();
    // The questions in array order, and putting them back into a sequence taken earlier: a
    // sequence that does not hold exactly the campaign's questions changes nothing (false).
    std::vector<CQuestion*> GetQuestionSequence() const;
    bool SetQuestionSequence(const std::vector<CQuestion*>& sequence);
    // CQuestion::RenumberModalities on every question.
    void RenumberAllModalities();
    bool IsReservedQuestion(const CQuestion* question) const;
    // Scanning back from the question, the first question one indent level up; the question
    // itself when a question further up comes first or the start is reached.
    CQuestion* GetParentQuestion(const CQuestion* question) const;

    // Responses of all questions, in order of addition.
    int GetModalityCount() const { return int(m_modalities.size()); }
    CModality* GetModality(int i) const { return m_modalities[size_t(i)].get(); }
    CModality* GetModalityById(int modalityId) const;
    // For callers that know the id exists (null otherwise).
    CModality* GetModalityByIdUnchecked(int modalityId) const { return GetModalityById(modalityId); }
    bool ContainsModality(int modalityId) const { return m_modalityIndex.contains(modalityId); }
    // Appends the response, raising the highest response id; returns its position. The
    // response is not put into its question (CQuestion::InsertModality does that).
    int AddModality(std::unique_ptr<CModality> modality);
    std::unique_ptr<CModality> RemoveModality(int modalityId);
    // Takes the listed responses out in one pass (absent ones are skipped) and hands them over
    // in their array order.
    std::vector<std::unique_ptr<CModality>> RemoveModalities(const QList<CModality*>& modalities);

    // Languages, in order of addition.
    int GetLanguageCount() const { return int(m_languages.size()); }
    CLanguage* GetLanguage(int i) const { return m_languages[size_t(i)].get(); }
    CLanguage* GetLanguageAt(int i) const;
    CLanguage* FindLanguage(int languageId) const;
    CLanguage* GetLanguageById(int languageId) const { return FindLanguage(languageId); }
    // Appends the language; a language flagged default becomes the default language.
    int AddLanguage(std::unique_ptr<CLanguage> language);
    std::unique_ptr<CLanguage> RemoveLanguage(int languageId);
    // Gives a language of the campaign another id, and with it every question and response
    // caption in that language, the default and current language ids that name it, and the
    // system's name and abbreviation when the language has those of its old id. False,
    // with nothing changed, when the language is not the campaign's or the new id is in use
    // already: by another language, by any caption, or as the default or current language.
    bool ChangeLanguageId(CLanguage& language, int newLanguageId);

    // Question classes, in order of addition.
    int GetQuestionClassCount() const { return int(m_questionClasses.size()); }
    CQuestionClass* GetQuestionClass(int i) const { return m_questionClasses[size_t(i)].get(); }
    CQuestionClass* GetQuestionClassAt(int i) const;
    CQuestionClass* GetQuestionClassById(int classId) const;
    int AddQuestionClass(std::unique_ptr<CQuestionClass> questionClass);
    std::unique_ptr<CQuestionClass> RemoveQuestionClass(int classId);

    // Questionnaire versions, in order of addition.
    int GetVersionCount() const { return int(m_versions.size()); }
    CVersion* GetVersion(int i) const { return m_versions[size_t(i)].get(); }
    CVersion* GetVersionAt(int i) const;
    CVersion* GetVersionById(int versionId) const;
    int AddVersion(std::unique_ptr<CVersion> version);
    std::unique_ptr<CVersion> RemoveVersion(int versionId);

    // Response mergings, in order of addition.
    int GetModalityMergingCount() const { return int(m_modalityMergings.size()); }
    CModalityMerging* GetModalityMerging(int i) const { return m_modalityMergings[size_t(i)].get(); }
    int AddModalityMerging(std::unique_ptr<CModalityMerging> merging);
    // Takes out the first merging with that merge volume, master and child; null when none.
    std::unique_ptr<CModalityMerging> RemoveModalityMerging(int mergeVolumeId, int masterId,
                                                           int childId);
    // Takes out every merging of the volume, last first, appending each to the list.
    void RemoveModalityMergingsOfVolume(int volumeId,
                                        std::vector<std::unique_ptr<CModalityMerging>>& removed);
    // Takes out every merging whose master or child is one of the responses, last first,
    // appending each to out.
    void RemoveModalityMergingsOfModalities(const QSet<int>& modalityIds,
                                            std::vector<std::unique_ptr<CModalityMerging>>& out);
    // The master of the first merging of the child in the volume; -1 when none.
    int GetMergeMaster(int childId, int volumeId) const;
    bool IsMergeMaster(int modalityId) const;
    bool IsMergeChild(int modalityId) const;
    bool IsMergedInVolume(int childId, int volumeId) const;

    // The reserved analysis question (id 1) and its items, made when a volume is added with a
    // matching analysis. Each is put into the campaign (or the volume) and returned; null when
    // it cannot be made (question 1 already exists, or is missing for the others).
    CQuestion* CreateReservedQuestion(int volumeId, const QString& caption, int languageId);
    CModality* CreateReservedModality(const CVolume* volume, const QString& caption,
                                      int languageId);
    CQuestionMatching* CreateReservedQuestionMatching(CVolume* volume);
    CModalityMatching* CreateReservedModalityMatching(CVolume* volume);

    // Brings data written by an older program version up to date and gives the campaign this
    // program's version text (run after the campaign file's own upgrade):
    // - before 5.1.6.15: the link questions of the volumes after a wave's first are settled,
    //   and matchings whose end is -1 are deleted;
    // - before 5.1.9.4: a response matching ends no later than its question's matching;
    // - before 5.2.3.6: a question whose responses share an entry code has them coded again
    //   "1", "2" ... (zero-padded to one width) in response order.
    // Returns true.
    bool MoveToMostRecentVersion();

private:
    friend class CWave;
    // Re-ranks and counts the volumes and re-enters waves and volumes by id after a structural
    // change.
    void RebuildPositions();
    void RebuildQuestionIndex();
    void RebuildModalityIndex();

    struct SVolumePosition
    {
        CVolume* Volume = nullptr;
        CWave* Wave = nullptr;
        int Rank = 0; // position in campaign order
    };

    QString m_name;
    QString m_description;
    QString m_versionNumber;
    std::array<quint32, 4> m_versionParts{};
    int m_defaultLanguageId = 0;
    int m_currentLanguageId = 0;
    int m_maxWaveId = 0;
    int m_maxWaveOrder = 0;
    int m_maxQuestionId = RESERVED_QUESTION_ID;
    int m_maxQuestionClassId = 0;
    int m_maxModalityId = 0;
    int m_maxQuestionOrder = 0;

    std::vector<std::unique_ptr<CWave>> m_waves;
    std::vector<std::unique_ptr<CQuestion>> m_questions;
    std::vector<std::unique_ptr<CQuestionClass>> m_questionClasses;
    std::vector<std::unique_ptr<CModality>> m_modalities;
    std::vector<std::unique_ptr<CLanguage>> m_languages;
    std::vector<std::unique_ptr<CVersion>> m_versions;
    std::vector<std::unique_ptr<CModalityMerging>> m_modalityMergings;

    // Id -> position in the arrays above.
    QHash<int, int> m_questionIndex;
    QHash<int, int> m_modalityIndex;
    QHash<int, int> m_languageIndex;
    QHash<int, int> m_questionClassIndex;
    QHash<int, int> m_versionIndex;
    // Waves and volumes by id, the first in campaign order winning.
    QHash<int, CWave*> m_waveById;
    QHash<int, SVolumePosition> m_volumeById;
    int m_volumeCount = 0;
};

} // namespace pelko_wave
