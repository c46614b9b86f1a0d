#pragma once

#include "model/CaptionList.h"
#include "model/Captions.h"
#include "model/MatchIndexes.h"

#include <QString>
#include <memory>
#include <vector>

// One question of the campaign questionnaire (a chapter, a question, a loop ...), with its
// captions per language, which it owns, and its responses in response order, which the
// campaign's response array owns.

namespace pelko_wave {

class CModality;

class CQuestion
{
public:
    CQuestion() = default;
    // Every field and a deep copy of every caption and of the response look-up record. The
    // responses are not copied: the campaign copy puts its copied responses into the copied
    // questions.
    CQuestion(const CQuestion& other);
    CQuestion& operator=(const CQuestion&) = delete;
    ~CQuestion();

    int GetQuestionId() const { return m_questionId; }
    void SetQuestionId(int id) { m_questionId = id; }
    int IsDeleted() const { return m_isDeleted; }
    void SetIsDeleted(int deleted) { m_isDeleted = deleted; }
    // Position in the campaign's question order.
    int GetOrder() const { return m_order; }
    void SetOrder(int order) { m_order = order; }
    const QString& GetShortcut() const { return m_shortcut; }
    void SetShortcut(const QString& shortcut) { m_shortcut = shortcut; }
    // Depth in the question tree (1 = top).
    int GetIndent() const { return m_indent; }
    void SetIndent(int indent) { m_indent = indent; }
    // Kind of element (0 chapter, 1 question, 2 loop ...).
    int GetElementType() const { return m_elementType; }
    void SetElementType(int type) { m_elementType = type; }
    int GetQuestionType() const { return m_questionType; }
    void SetQuestionType(int type) { m_questionType = type; }
    int IsDontKnow() const { return m_isDontKnow; }
    void SetIsDontKnow(int flag) { m_isDontKnow = flag; }
    int IsSemiOpen() const { return m_isSemiOpen; }
    void SetIsSemiOpen(int flag) { m_isSemiOpen = flag; }
    int IsScale() const { return m_isScale; }
    void SetIsScale(int flag) { m_isScale = flag; }
    int IsMultiple() const { return m_isMultiple; }
    void SetIsMultiple(int flag) { m_isMultiple = flag; }
    int IsRanked() const { return m_isRanked; }
    void SetIsRanked(int flag) { m_isRanked = flag; }
    int GetMaxResponseCount() const { return m_maxResponseCount; }
    void SetMaxResponseCount(int count) { m_maxResponseCount = count; }
    int GetDecimals() const { return m_decimals; }
    void SetDecimals(int decimals) { m_decimals = decimals; }
    double GetMinValue() const { return m_minValue; }
    void SetMinValue(double value) { m_minValue = value; }
    double GetMaxValue() const { return m_maxValue; }
    void SetMaxValue(double value) { m_maxValue = value; }
    int IsLevelLink() const { return m_isLevelLink; }
    void SetIsLevelLink(int flag) { m_isLevelLink = flag; }
    int GetLinkQuestionId() const { return m_linkQuestionId; }
    void SetLinkQuestionId(int id) { m_linkQuestionId = id; }
    int IsProbabilityQuestion() const { return m_isProbabilityQuestion; }
    void SetIsProbabilityQuestion(int flag) { m_isProbabilityQuestion = flag; }
    int GetDateType() const { return m_dateType; }
    void SetDateType(int type) { m_dateType = type; }
    int GetQuestionClassId() const { return m_questionClassId; }
    void SetQuestionClassId(int id) { m_questionClassId = id; }
    // Ids of the questionnaire versions it belongs to, each followed by ";".
    const QString& GetVersions() const { return m_versions; }
    void SetVersions(const QString& versions) { m_versions = versions; }
    const QString& GetUserData() const { return m_userData; }
    void SetUserData(const QString& data) { m_userData = data; }
    int IsDevelopLevels() const { return m_isDevelopLevels; }
    void SetIsDevelopLevels(int flag) { m_isDevelopLevels = flag; }
    // The volume in which it first appeared.
    int GetAppearanceVolumeId() const { return m_appearanceVolumeId; }
    void SetAppearanceVolumeId(int id) { m_appearanceVolumeId = id; }
    // The wave in which it was deleted; NO_WAVE_ID when never.
    int GetDeletionWaveId() const { return m_deletionWaveId; }
    void SetDeletionWaveId(int id) { m_deletionWaveId = id; }

    // Responses, in response order.
    int GetModalityCount() const { return int(m_modalities.size()); }
    CModality* GetModality(int i) const { return m_modalities[size_t(i)]; }
    // Null when i is out of range.
    CModality* GetModalityAt(int i) const;
    // The first position holding a response with the response's id; -1 when none.
    int FindModalityIndex(const CModality* modality) const;
    // Inserts the response by its order: it goes before the first response whose order is not
    // smaller, and that response and every later one move one order up; a response whose
    // order is beyond all others is appended. The response keeps its order, so the responses
    // stay sorted. Returns its position.
    int InsertModality(CModality* modality);
    // Appends a response that comes in response order (its order not below the last one's),
    // keeping its order and moving no other: reading a campaign file does this, so that
    // responses of equal order keep theirs. Returns its position.
    int AppendModalityInOrder(CModality* modality);
    // Takes the response of that id out of the question (the campaign still owns it) and
    // returns it; null when absent.
    CModality* RemoveModality(int modalityId);
    // Sorts the responses by order and numbers them 0, 1, 2 ...
    void RenumberModalities();
    // Sorts the responses by order (a stable sort) without changing any order.
    void SortModalities();
    // The responses in response order, and putting them back into a sequence taken earlier: a
    // sequence that does not hold exactly the question's responses changes nothing (false).
    const std::vector<CModality*>& GetModalities() const { return m_modalities; }
    bool SetModalitySequence(const std::vector<CModality*>& sequence);
    // The highest response order inserted so far.
    int GetMaxModalityOrder() const { return m_maxModalityOrder; }
    void SetMaxModalityOrder(int order) { m_maxModalityOrder = order; }
    // The first response whose short caption in the language equals the text, ignoring case.
    CModality* FindModalityByCaption(const QString& text, int languageId) const;
    // The first response whose order equals the value; null when none.
    CModality* GetModalityByOrder(int order) const;

    // Captions, one per language, in order of addition.
    int GetCaptionCount() const { return m_captions.GetCount(); }
    CQuestionCaption* GetCaption(int i) const { return m_captions.Get(i); }
    // Adds the caption and returns its position; -1 when the language already has one (the
    // given caption is then deleted and the first stays in place).
    int AddCaption(std::unique_ptr<CQuestionCaption> caption);
    CQuestionCaption* FindCaption(int languageId) const;
    // The captions in the language; an empty text when there is none.
    QString GetLongCaption(int languageId) const;
    QString GetShortCaption(int languageId) const;
    // Set the caption text, creating the caption record (this question, the language) when
    // it is missing.
    void SetLongCaption(int languageId, const QString& text);
    void SetShortCaption(int languageId, const QString& text);
    // Takes the caption of the language out and hands it to the caller; null when none.
    std::unique_ptr<CQuestionCaption> RemoveCaption(int languageId);
    // Moves the caption of one language to the other, in its place; false when there is none
    // or the other language has one.
    bool ChangeCaptionLanguage(int fromLanguageId, int toLanguageId)
    {
        return m_captions.ChangeLanguage(fromLanguageId, toLanguageId);
    }

    // The engine's look-up record of the responses.
    CResponseIndex& GetResponseIndex() { return m_responseIndex; }
    const CResponseIndex& GetResponseIndex() const { return m_responseIndex; }
    void ClearResponseIndex() { m_responseIndex.Clear(); }

private:
    friend class CCampaign; // its copy gives the copied responses back in the same sequence

    CQuestionCaption* FindOrCreateCaption(int languageId);

    int m_questionId = 0;
    int m_isDeleted = 0;
    int m_order = 0;
    QString m_shortcut;
    int m_indent = 0;
    int m_elementType = 0;
    int m_questionType = 0;
    int m_isDontKnow = 0;
    int m_isSemiOpen = 0;
    int m_isScale = 0;
    int m_isMultiple = 0;
    int m_isRanked = 0;
    int m_maxResponseCount = 0;
    int m_decimals = 0;
    double m_minValue = 0.0;
    double m_maxValue = 0.0;
    int m_isLevelLink = 0;
    int m_linkQuestionId = 0;
    int m_isProbabilityQuestion = 0;
    int m_dateType = 0;
    int m_questionClassId = 0;
    QString m_versions;
    QString m_userData;
    int m_isDevelopLevels = 0;
    int m_appearanceVolumeId = 0;
    int m_deletionWaveId = 0;
    CCaptionList<CQuestionCaption> m_captions;
    std::vector<CModality*> m_modalities; // not owned
    int m_maxModalityOrder = 0;
    CResponseIndex m_responseIndex;
};

} // namespace pelko_wave
