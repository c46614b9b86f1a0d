#include "model/Campaign.h"

#include "model/IndexedArrays.h"

#include <QSet>
#include <QStringList>
#include <algorithm>

namespace pelko_wave {

namespace {

// The ids by which the campaign finds its questionnaire's objects.
int IdOf(const CQuestion& question)
{
    return question.GetQuestionId();
}

int IdOf(const CModality& modality)
{
    return modality.GetModalityId();
}

int IdOf(const CLanguage& language)
{
    return language.GetLanguageId();
}

int IdOf(const CQuestionClass& questionClass)
{
    return questionClass.GetQuestionClassId();
}

int IdOf(const CVersion& version)
{
    return version.GetVersionId();
}

constexpr auto kIdOf = [](const auto& element) { return IdOf(element); };

// Deep copies of every element, in the same order.
template <typename T>
void CopyElements(std::vector<std::unique_ptr<T>>& target,
                  const std::vector<std::unique_ptr<T>>& source)
{
    target.reserve(source.size());
    for (const auto& element : source)
        target.push_back(std::make_unique<T>(*element));
}

} // namespace

std::array<quint32, 4> ParseVersionText(const QString& text)
{
    const QChar separator = text.contains(QLatin1Char('.')) ? QLatin1Char('.') : QLatin1Char(',');
    const QStringList numbers = text.split(separator);
    std::array<quint32, 4> parts{};
    for (int i = 0; i < 4 && i < numbers.size(); ++i)
        parts[size_t(i)] = numbers[i].trimmed().toUInt();
    return parts;
}

bool IsVersionOlder(const QString& a, const QString& b)
{
    return ParseVersionText(a) < ParseVersionText(b);
}

CCampaign::CCampaign()
{
    SetVersionNumber(PROGRAM_VERSION_TEXT);
}

CCampaign::CCampaign(const CCampaign& other)
    : m_name(other.m_name)
    , m_description(other.m_description)
    , m_versionNumber(other.m_versionNumber)
    , m_versionParts(other.m_versionParts)
    , m_defaultLanguageId(other.m_defaultLanguageId)
    , m_currentLanguageId(other.m_currentLanguageId)
    , m_maxWaveId(other.m_maxWaveId)
    , m_maxWaveOrder(other.m_maxWaveOrder)
    , m_maxQuestionId(other.m_maxQuestionId)
    , m_maxQuestionClassId(other.m_maxQuestionClassId)
    , m_maxModalityId(other.m_maxModalityId)
    , m_maxQuestionOrder(other.m_maxQuestionOrder)
{
    // Every array is copied as it stands, orders untouched, so that the copy equals the
    // original even where orders have gaps or repeats.
    CopyElements(m_waves, other.m_waves);
    for (const auto& wave : m_waves)
        wave->SetCampaign(this);
    CopyElements(m_questions, other.m_questions);
    CopyElements(m_questionClasses, other.m_questionClasses);
    CopyElements(m_modalities, other.m_modalities);
    CopyElements(m_languages, other.m_languages);
    CopyElements(m_versions, other.m_versions);
    CopyElements(m_modalityMergings, other.m_modalityMergings);
    RebuildPositions();
    RebuildQuestionIndex();
    RebuildModalityIndex();
    RebuildIdIndex(m_languageIndex, m_languages, kIdOf);
    RebuildIdIndex(m_questionClassIndex, m_questionClasses, kIdOf);
    RebuildIdIndex(m_versionIndex, m_versions, kIdOf);

    // The volume tree, between the copied volumes, as the original has it.
    QHash<const CVolume*, CVolume*> volumeCopies;
    for (size_t w = 0; w < m_waves.size(); ++w) {
        for (int v = 0; v < m_waves[w]->GetVolumeCount(); ++v)
            volumeCopies.insert(other.m_waves[w]->GetVolume(v), m_waves[w]->GetVolume(v));
    }
    for (auto it = volumeCopies.cbegin(); it != volumeCopies.cend(); ++it) {
        const CVolume* original = it.key();
        CVolume* copy = it.value();
        copy->SetParent(volumeCopies.value(original->GetParent(), nullptr));
        for (int c = 0; c < original->GetChildVolumeCount(); ++c) {
            if (CVolume* child = volumeCopies.value(original->GetChildVolumeAt(c), nullptr))
                copy->AddChildVolume(child);
        }
    }

    // Every copied question gets its copied responses, in the original's sequence.
    QHash<const CModality*, CModality*> modalityCopies;
    for (size_t i = 0; i < m_modalities.size(); ++i)
        modalityCopies.insert(other.m_modalities[i].get(), m_modalities[i].get());
    for (size_t q = 0; q < m_questions.size(); ++q) {
        const CQuestion& original = *other.m_questions[q];
        CQuestion& copy = *m_questions[q];
        for (int r = 0; r < original.GetModalityCount(); ++r) {
            if (CModality* modality = modalityCopies.value(original.GetModality(r), nullptr))
                copy.m_modalities.push_back(modality);
        }
    }
}

CCampaign::~CCampaign()
{
    // The waves first, so that no volume reports to a campaign being destroyed.
    for (const auto& wave : m_waves)
        wave->SetCampaign(nullptr);
    m_waves.clear();
    m_questions.clear();
    m_questionClasses.clear();
    m_modalities.clear();
    m_languages.clear();
    m_versions.clear();
    m_modalityMergings.clear();
}

void CCampaign::SetVersionNumber(const QString& text)
{
    m_versionNumber = text;
    m_versionParts = ParseVersionText(text);
}

// Waves ---------------------------------------------------------------------------------------

CWave* CCampaign::GetWaveAt(int i) const
{
    return ElementAt(m_waves, i);
}

CWave* CCampaign::FindWave(int waveId) const
{
    return m_waveById.value(waveId, nullptr);
}

int CCampaign::InsertWave(std::unique_ptr<CWave> wave)
{
    m_maxWaveId = std::max(m_maxWaveId, wave->GetWaveId());
    m_maxWaveOrder = std::max(m_maxWaveOrder, wave->GetWaveOrder());
    wave->SetCampaign(this);
    const int order = wave->GetWaveOrder();
    const auto at = std::find_if(m_waves.begin(), m_waves.end(),
                                 [order](const auto& w) { return w->GetWaveOrder() >= order; });
    int position = int(m_waves.size());
    if (at == m_waves.end()) {
        m_waves.push_back(std::move(wave));
    } else {
        position = int(at - m_waves.begin());
        for (auto it = at; it != m_waves.end(); ++it)
            (*it)->SetWaveOrder((*it)->GetWaveOrder() + 1);
        // Its place counted from 1, unless a wave before it has that order already (orders
        // leave gaps where waves were removed): then the order after that wave's, still below
        // the waves moved up. No two waves share an order.
        const int after = position > 0 ? m_waves[size_t(position) - 1]->GetWaveOrder() + 1 : 0;
        wave->SetWaveOrder(std::max(position + 1, after));
        m_waves.insert(at, std::move(wave));
        // The waves moved up may pass the highest order: it follows them, so that a wave
        // appended afterwards comes last.
        m_maxWaveOrder = std::max(m_maxWaveOrder, m_waves.back()->GetWaveOrder());
    }
    RebuildPositions();
    return position;
}

std::unique_ptr<CWave> CCampaign::RemoveWave(int waveId)
{
    const auto it = std::find_if(m_waves.begin(), m_waves.end(),
                                 [waveId](const auto& w) { return w->GetWaveId() == waveId; });
    if (it == m_waves.end())
        return nullptr;
    std::unique_ptr<CWave> wave = TakeAt(m_waves, int(it - m_waves.begin()));
    m_maxWaveOrder = m_waves.empty() ? 0 : m_waves.back()->GetWaveOrder();
    wave->SetCampaign(nullptr);
    RebuildPositions();
    return wave;
}

void CCampaign::SortWaves()
{
    std::stable_sort(m_waves.begin(), m_waves.end(), [](const auto& a, const auto& b) {
        return a->GetWaveOrder() < b->GetWaveOrder();
    });
    RebuildPositions();
}

void CCampaign::RebuildPositions()
{
    m_waveById.clear();
    m_volumeById.clear();
    int rank = 0;
    for (const auto& wave : m_waves) {
        if (!m_waveById.contains(wave->GetWaveId()))
            m_waveById.insert(wave->GetWaveId(), wave.get());
        for (int v = 0; v < wave->GetVolumeCount(); ++v) {
            CVolume* volume = wave->GetVolume(v);
            if (!m_volumeById.contains(volume->GetVolumeId()))
                m_volumeById.insert(volume->GetVolumeId(), {volume, wave.get(), rank});
            ++rank;
        }
    }
    m_volumeCount = rank;
}

// Volumes -------------------------------------------------------------------------------------

CVolume* CCampaign::FindVolume(int volumeId) const
{
    const auto it = m_volumeById.constFind(volumeId);
    return it == m_volumeById.cend() ? nullptr : it->Volume;
}

CWave* CCampaign::FindWaveByVolume(int volumeId) const
{
    const auto it = m_volumeById.constFind(volumeId);
    return it == m_volumeById.cend() ? nullptr : it->Wave;
}

int CCampaign::GetMaxVolumeId() const
{
    int maxId = 0;
    for (const auto& wave : m_waves)
        maxId = std::max(maxId, wave->GetMaxVolumeId());
    return maxId;
}

int CCampaign::GetFirstVolumeId() const
{
    for (const auto& wave : m_waves) {
        if (wave->GetVolumeCount() > 0)
            return wave->GetVolume(0)->GetVolumeId();
    }
    return -1;
}

bool CCampaign::IsWaveBefore(int waveIdA, int waveIdB) const
{
    if (waveIdA == waveIdB || waveIdA == NO_WAVE_ID)
        return false;
    if (waveIdB == NO_WAVE_ID)
        return true;
    const CWave* a = FindWave(waveIdA);
    const CWave* b = FindWave(waveIdB);
    if (!a || !b)
        return false;
    return a->GetWaveOrder() < b->GetWaveOrder();
}

bool CCampaign::IsVolumeBefore(int volumeIdA, int volumeIdB) const
{
    if (volumeIdA == volumeIdB || volumeIdA == NO_VOLUME_ID)
        return false;
    if (volumeIdB == NO_VOLUME_ID)
        return true;
    const auto a = m_volumeById.constFind(volumeIdA);
    const auto b = m_volumeById.constFind(volumeIdB);
    if (a == m_volumeById.cend() || b == m_volumeById.cend())
        return false;
    return a->Rank < b->Rank;
}

// Questions -----------------------------------------------------------------------------------

CQuestion* CCampaign::GetQuestionAt(int i) const
{
    return ElementAt(m_questions, i);
}

CQuestion* CCampaign::GetQuestionById(int questionId) const
{
    return ElementById(m_questions, m_questionIndex, questionId);
}

CQuestion* CCampaign::FindQuestionByShortcut(const QString& shortcut) const
{
    for (const auto& question : m_questions) {
        if (question->GetShortcut().compare(shortcut, Qt::CaseInsensitive) == 0)
            return question.get();
    }
    return nullptr;
}

int CCampaign::InsertQuestion(std::unique_ptr<CQuestion> question)
{
    const int questionId = question->GetQuestionId();
    const int order = question->GetOrder();
    m_maxQuestionId = std::max(m_maxQuestionId, questionId);
    m_maxQuestionOrder = std::max(m_maxQuestionOrder, order);
    // The array is sorted: a question beyond the last one is appended without a search, which
    // keeps reading a campaign (its questions come in order) linear.
    if (m_questions.empty() || m_questions.back()->GetOrder() < order)
        return AppendIndexed(m_questions, m_questionIndex, questionId, std::move(question));
    const auto at = std::find_if(m_questions.begin(), m_questions.end(),
                                 [order](const auto& q) { return q->GetOrder() >= order; });
    const int position = int(at - m_questions.begin());
    for (auto it = at; it != m_questions.end(); ++it)
        (*it)->SetOrder((*it)->GetOrder() + 1);
    m_questions.insert(at, std::move(question));
    // The questions moved up may pass the highest order: it follows them, so that a question
    // made with the next order comes last.
    m_maxQuestionOrder = std::max(m_maxQuestionOrder, m_questions.back()->GetOrder());
    ShiftIdIndexAfterInsert(m_questionIndex, m_questions, position, questionId, kIdOf);
    return position;
}

int CCampaign::AppendQuestionUnsorted(std::unique_ptr<CQuestion> question)
{
    const int questionId = question->GetQuestionId();
    m_maxQuestionId = std::max(m_maxQuestionId, questionId);
    return AppendIndexed(m_questions, m_questionIndex, questionId, std::move(question));
}

std::unique_ptr<CQuestion> CCampaign::RemoveQuestion(int questionId)
{
    return TakeById(m_questions, m_questionIndex, questionId, kIdOf);
}

void CCampaign::InsertQuestions(std::vector<std::unique_ptr<CQuestion>> questions)
{
    for (auto& question : questions) {
        m_maxQuestionId = std::max(m_maxQuestionId, question->GetQuestionId());
        m_maxQuestionOrder = std::max(m_maxQuestionOrder, question->GetOrder());
        m_questions.push_back(std::move(question));
    }
    SortQuestions();
}

std::vector<std::unique_ptr<CQuestion>>
CCampaign::RemoveQuestions(const QList<CQuestion*>& questions)
{
    const QSet<const CQuestion*> listed(questions.cbegin(), questions.cend());
    return TakeWhere(
        m_questions, m_questionIndex,
        [&listed](const CQuestion& question) { return listed.contains(&question); }, kIdOf);
}

void CCampaign::SortQuestions()
{
    // Sorting (order, position) pairs reads every question once, where comparing the questions
    // themselves would read them again at each step; the result is that of a stable sort.
    std::vector<std::pair<int, size_t>> keys;
    keys.reserve(m_questions.size());
    for (size_t i = 0; i < m_questions.size(); ++i)
        keys.emplace_back(m_questions[i]->GetOrder(), i);
    std::sort(keys.begin(), keys.end());
    std::vector<std::unique_ptr<CQuestion>> sorted;
    sorted.reserve(m_questions.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(m_questions[key.second]));
    m_questions = std::move(sorted);
    RebuildQuestionIndex();
}

std::vector<CQuestion*> CCampaign::GetQuestionSequence() const
{
    std::vector<CQuestion*> sequence;
    sequence.reserve(m_questions.size());
    for (const auto& question : m_questions)
        sequence.push_back(question.get());
    return sequence;
}

bool CCampaign::SetQuestionSequence(const std::vector<CQuestion*>& sequence)
{
    if (sequence.size() != m_questions.size())
        return false;
    QHash<const CQuestion*, size_t> rank;
    rank.reserve(qsizetype(sequence.size()));
    for (size_t i = 0; i < sequence.size(); ++i)
        rank.insert(sequence[i], i);
    if (size_t(rank.size()) != sequence.size())
        return false;
    for (const auto& question : m_questions) {
        if (!rank.contains(question.get()))
            return false;
    }
    std::sort(m_questions.begin(), m_questions.end(), [&rank](const auto& a, const auto& b) {
        return rank.value(a.get()) < rank.value(b.get());
    });
    RebuildQuestionIndex();
    return true;
}

void CCampaign::RenumberQuestions()
{
    SortQuestions();
    for (size_t i = 0; i < m_questions.size(); ++i)
        m_questions[i]->SetOrder(int(i));
}

void CCampaign::RenumberAllModalities()
{
    for (const auto& question : m_questions)
        question->RenumberModalities();
}

bool CCampaign::IsReservedQuestion(const CQuestion* question) const
{
    return question && question->GetQuestionId() == RESERVED_QUESTION_ID;
}

CQuestion* CCampaign::GetParentQuestion(const CQuestion* question) const
{
    if (!question)
        return nullptr;
    auto* self = const_cast<CQuestion*>(question);
    const int position = GetQuestionIndexById(question->GetQuestionId());
    if (position < 0 || m_questions[size_t(position)].get() != question)
        return self;
    const int parentIndent = question->GetIndent() - 1;
    for (int i = position - 1; i >= 0; --i) {
        CQuestion* candidate = m_questions[size_t(i)].get();
        if (candidate->GetIndent() == parentIndent)
            return candidate;
        if (candidate->GetIndent() < parentIndent)
            return self;
    }
    return self;
}

void CCampaign::RebuildQuestionIndex()
{
    RebuildIdIndex(m_questionIndex, m_questions, kIdOf);
}

// Responses -----------------------------------------------------------------------------------

CModality* CCampaign::GetModalityById(int modalityId) const
{
    return ElementById(m_modalities, m_modalityIndex, modalityId);
}

int CCampaign::AddModality(std::unique_ptr<CModality> modality)
{
    const int id = modality->GetModalityId();
    m_maxModalityId = std::max(m_maxModalityId, id);
    return AppendIndexed(m_modalities, m_modalityIndex, id, std::move(modality));
}

std::unique_ptr<CModality> CCampaign::RemoveModality(int modalityId)
{
    return TakeById(m_modalities, m_modalityIndex, modalityId, kIdOf);
}

std::vector<std::unique_ptr<CModality>> CCampaign::RemoveModalities(
    const QList<CModality*>& modalities)
{
    const QSet<const CModality*> listed(modalities.cbegin(), modalities.cend());
    return TakeWhere(
        m_modalities, m_modalityIndex,
        [&listed](const CModality& modality) { return listed.contains(&modality); }, kIdOf);
}

void CCampaign::RebuildModalityIndex()
{
    RebuildIdIndex(m_modalityIndex, m_modalities, kIdOf);
}

// Languages, classes, versions ----------------------------------------------------------------

CLanguage* CCampaign::GetLanguageAt(int i) const
{
    return ElementAt(m_languages, i);
}

CLanguage* CCampaign::FindLanguage(int languageId) const
{
    return ElementById(m_languages, m_languageIndex, languageId);
}

int CCampaign::AddLanguage(std::unique_ptr<CLanguage> language)
{
    const int id = language->GetLanguageId();
    if (language->IsDefault())
        m_defaultLanguageId = id;
    return AppendIndexed(m_languages, m_languageIndex, id, std::move(language));
}

std::unique_ptr<CLanguage> CCampaign::RemoveLanguage(int languageId)
{
    return TakeById(m_languages, m_languageIndex, languageId, kIdOf);
}

bool CCampaign::ChangeLanguageId(CLanguage& language, int newLanguageId)
{
    const int oldLanguageId = language.GetLanguageId();
    const int position = m_languageIndex.value(oldLanguageId, -1);
    if (position < 0 || m_languages[size_t(position)].get() != &language)
        return false;
    if (newLanguageId == oldLanguageId)
        return true;
    // The new id must be free everywhere, so that changing it back finds exactly what moved.
    if (m_languageIndex.contains(newLanguageId) || m_defaultLanguageId == newLanguageId ||
        m_currentLanguageId == newLanguageId)
        return false;
    for (const auto& question : m_questions) {
        if (question->FindCaption(newLanguageId))
            return false;
    }
    for (const auto& modality : m_modalities) {
        if (modality->FindCaption(newLanguageId))
            return false;
    }

    for (const auto& question : m_questions)
        question->ChangeCaptionLanguage(oldLanguageId, newLanguageId);
    for (const auto& modality : m_modalities)
        modality->ChangeCaptionLanguage(oldLanguageId, newLanguageId);
    if (m_defaultLanguageId == oldLanguageId)
        m_defaultLanguageId = newLanguageId;
    if (m_currentLanguageId == oldLanguageId)
        m_currentLanguageId = newLanguageId;
    // The system's name and abbreviation of the old id become the new id's; texts of the
    // user's own stay. (A campaign file keeps no abbreviation: reading gives the id's.)
    if (language.GetLanguageName() == GetLanguageNameOfId(oldLanguageId))
        language.SetLanguageName(GetLanguageNameOfId(newLanguageId));
    if (language.GetLanguageAbbreviation() == GetLanguageAbbreviationOfId(oldLanguageId))
        language.SetLanguageAbbreviation(GetLanguageAbbreviationOfId(newLanguageId));
    language.SetLanguageId(newLanguageId);
    RebuildIdIndex(m_languageIndex, m_languages, kIdOf);
    return true;
}

CQuestionClass* CCampaign::GetQuestionClassAt(int i) const
{
    return ElementAt(m_questionClasses, i);
}

CQuestionClass* CCampaign::GetQuestionClassById(int classId) const
{
    return ElementById(m_questionClasses, m_questionClassIndex, classId);
}

int CCampaign::AddQuestionClass(std::unique_ptr<CQuestionClass> questionClass)
{
    const int id = questionClass->GetQuestionClassId();
    m_maxQuestionClassId = std::max(m_maxQuestionClassId, id);
    return AppendIndexed(m_questionClasses, m_questionClassIndex, id, std::move(questionClass));
}

std::unique_ptr<CQuestionClass> CCampaign::RemoveQuestionClass(int classId)
{
    return TakeById(m_questionClasses, m_questionClassIndex, classId, kIdOf);
}

CVersion* CCampaign::GetVersionAt(int i) const
{
    return ElementAt(m_versions, i);
}

CVersion* CCampaign::GetVersionById(int versionId) const
{
    return ElementById(m_versions, m_versionIndex, versionId);
}

int CCampaign::AddVersion(std::unique_ptr<CVersion> version)
{
    const int id = version->GetVersionId();
    return AppendIndexed(m_versions, m_versionIndex, id, std::move(version));
}

std::unique_ptr<CVersion> CCampaign::RemoveVersion(int versionId)
{
    return TakeById(m_versions, m_versionIndex, versionId, kIdOf);
}

// Mergings ------------------------------------------------------------------------------------

int CCampaign::AddModalityMerging(std::unique_ptr<CModalityMerging> merging)
{
    m_modalityMergings.push_back(std::move(merging));
    return int(m_modalityMergings.size()) - 1;
}

std::unique_ptr<CModalityMerging> CCampaign::RemoveModalityMerging(int mergeVolumeId, int masterId,
                                                                  int childId)
{
    const auto it = std::find_if(m_modalityMergings.begin(), m_modalityMergings.end(),
                                 [=](const auto& m) {
                                     return m->GetMergeVolumeId() == mergeVolumeId
                                         && m->GetMasterModalityId() == masterId
                                         && m->GetChildModalityId() == childId;
                                 });
    if (it == m_modalityMergings.end())
        return nullptr;
    return TakeAt(m_modalityMergings, int(it - m_modalityMergings.begin()));
}

void CCampaign::RemoveModalityMergingsOfVolume(
    int volumeId, std::vector<std::unique_ptr<CModalityMerging>>& removed)
{
    for (int i = int(m_modalityMergings.size()) - 1; i >= 0; --i) {
        if (m_modalityMergings[size_t(i)]->GetMergeVolumeId() == volumeId)
            removed.push_back(TakeAt(m_modalityMergings, i));
    }
}

void CCampaign::RemoveModalityMergingsOfModalities(
    const QSet<int>& modalityIds, std::vector<std::unique_ptr<CModalityMerging>>& removed)
{
    for (int i = int(m_modalityMergings.size()) - 1; i >= 0; --i) {
        const CModalityMerging& merging = *m_modalityMergings[size_t(i)];
        if (modalityIds.contains(merging.GetMasterModalityId()) ||
            modalityIds.contains(merging.GetChildModalityId()))
            removed.push_back(TakeAt(m_modalityMergings, i));
    }
}

int CCampaign::GetMergeMaster(int childId, int volumeId) const
{
    for (const auto& merging : m_modalityMergings) {
        if (merging->GetChildModalityId() == childId && merging->GetMergeVolumeId() == volumeId)
            return merging->GetMasterModalityId();
    }
    return -1;
}

bool CCampaign::IsMergeMaster(int modalityId) const
{
    return std::any_of(m_modalityMergings.begin(), m_modalityMergings.end(),
                       [modalityId](const auto& m) { return m->GetMasterModalityId() == modalityId; });
}

bool CCampaign::IsMergeChild(int modalityId) const
{
    return std::any_of(m_modalityMergings.begin(), m_modalityMergings.end(),
                       [modalityId](const auto& m) { return m->GetChildModalityId() == modalityId; });
}

bool CCampaign::IsMergedInVolume(int childId, int volumeId) const
{
    return std::any_of(m_modalityMergings.begin(), m_modalityMergings.end(), [=](const auto& m) {
        return m->GetChildModalityId() == childId && m->GetMergeVolumeId() == volumeId;
    });
}

} // namespace pelko_wave
