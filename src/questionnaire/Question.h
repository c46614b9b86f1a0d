#pragma once

#include "questionnaire/LocalisedTexts.h"
#include "questionnaire/Modalite.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace qnr {

class CQuestionnaire;

// One item of a source questionnaire: a chapter, a question or a loop (`GetTypeElement`), with
// its captions per language, its properties and its responses in order. The type codes are
// those of QuestionnaireTypes.h. A question held by a questionnaire is owned by it; a copy of a
// question belongs to no questionnaire.
class CQuestion
{
public:
    CQuestion() = default;
    // Copies every value and the responses; the copy belongs to no questionnaire.
    CQuestion(const CQuestion& other);
    CQuestion& operator=(const CQuestion& other);
    ~CQuestion();

    // The question's internal code, stable for the same question from one wave's file to the
    // next (Triple-S ident; the Dimensions rule is in the README).
    int GetCodeQuestion() const { return m_code; }
    void SetCodeQuestion(int code) { m_code = code; }
    // The short name (Triple-S and Dimensions variable name).
    const QString& GetShortcut() const { return m_shortcut; }
    void SetShortcut(const QString& shortcut) { m_shortcut = shortcut; }

    // Captions in the questionnaire's display language (the language asked for at `Read` when
    // the questionnaire has it, else its default language), else the first caption it has.
    QString GetShortCaption() const;
    QString GetLongCaption() const;
    // Captions in one language; language 0 means the display language. Empty when the
    // question has no caption in that language: there is no fallback to another language.
    QString GetLocalisedShortCaption(int languageId) const;
    QString GetLocalisedLongCaption(int languageId) const;
    // Every caption: parallel lists of language ids, long and short captions, in the
    // questionnaire's language order. The three lists are replaced.
    void GetAllLocalisedTexts(std::vector<int>& languageIds, QStringList& longCaptions,
                              QStringList& shortCaptions) const;
    void SetCaptions(int languageId, const QString& longCaption, const QString& shortCaption);
    const CLocalisedTexts& GetCaptions() const { return m_captions; }

    const QString& GetUserData() const { return m_userData; }
    void SetUserData(const QString& userData) { m_userData = userData; }

    // Depth in the questionnaire tree: 1 at the top, the parent's indent + 1 below a chapter or
    // a loop. The parent is the nearest item above with a smaller indent.
    int GetIndent() const { return m_indent; }
    void SetIndent(int indent) { m_indent = indent; }
    // ElementType, QuestionType or LoopType, DateType (QuestionnaireTypes.h).
    int GetTypeElement() const { return m_typeElement; }
    void SetTypeElement(int typeElement) { m_typeElement = typeElement; }
    int GetTypeQuestion() const { return m_typeQuestion; }
    void SetTypeQuestion(int typeQuestion) { m_typeQuestion = typeQuestion; }
    int GetDateType() const { return m_dateType; }
    void SetDateType(int dateType) { m_dateType = dateType; }

    // Most answers a multiple-choice question takes (1 for a single choice, 0 unlimited).
    int GetNbMaxReponse() const { return m_nbMaxReponse; }
    void SetNbMaxReponse(int count) { m_nbMaxReponse = count; }
    // Decimals of a numeric question.
    short GetNbreDecimal() const { return m_nbreDecimal; }
    void SetNbreDecimal(short decimals) { m_nbreDecimal = decimals; }

    // Flags, 1 or 0: offers a "don't know" answer; has a semi-open ("other, specify")
    // answer; is a scale; takes several answers; is ranked (answers in order of preference).
    int EstNonReponse() const { return m_nonReponse ? 1 : 0; }
    int EstSemiOuverte() const { return m_semiOuverte ? 1 : 0; }
    int EstEchelle() const { return m_echelle ? 1 : 0; }
    int EstMultiple() const { return m_multiple ? 1 : 0; }
    int EstClasse() const { return m_classe ? 1 : 0; }
    void SetNonReponse(bool on) { m_nonReponse = on; }
    void SetSemiOuverte(bool on) { m_semiOuverte = on; }
    void SetEchelle(bool on) { m_echelle = on; }
    void SetMultiple(bool on) { m_multiple = on; }
    void SetClasse(bool on) { m_classe = on; }

    // A level loop linked to the question whose answers give its iterations.
    bool IsLevelLink() const { return m_levelLink; }
    void SetLevelLink(bool on) { m_levelLink = on; }
    bool IsProbabilityQuestion() const { return m_probability; }
    void SetProbabilityQuestion(bool on) { m_probability = on; }
    // The loop's iterations are developed into one question each for analysis.
    bool IsDevelopperNiveau() const { return m_developperNiveau; }
    void SetDevelopperNiveau(bool on) { m_developperNiveau = on; }

    // Bounds of a numeric question or a numeric loop; 0 when it has none.
    double GetBorneMin() const { return m_borneMin; }
    double GetBorneMax() const { return m_borneMax; }
    void SetBornes(double borneMin, double borneMax);

    // Code of the question this one takes its responses from (or, for a level loop, its
    // iterations); -1 when none.
    int GetCodeQuestionSource() const { return m_codeQuestionSource; }
    void SetCodeQuestionSource(int code) { m_codeQuestionSource = code; }
    // Index of its class among the questionnaire's question classes; -1 when none.
    int GetQuestionClass() const { return m_questionClass; }
    void SetQuestionClass(int classIndex) { m_questionClass = classIndex; }
    // Ids of the questionnaire versions (`CVersion`) the question belongs to.
    const std::vector<int>& GetVersions() const { return m_versions; }
    void SetVersions(const std::vector<int>& versions) { m_versions = versions; }

    // The questionnaire that holds the question (borrowed), or null for a copy.
    CQuestionnaire* GetQuestionnaire() const { return m_questionnaire; }
    // The question of the same questionnaire whose code is GetCodeQuestionSource (borrowed),
    // or null when there is none.
    const CQuestion* GetQuestionSource() const;

    // Responses in order.
    int GetNbreModalite() const { return static_cast<int>(m_modalites.size()); }
    // The response at an index (borrowed, owned by the question); null out of range.
    const CModalite* GetModalite(int index) const;
    // Copies of the responses, in order; the caller owns them.
    std::vector<std::unique_ptr<CModalite>> DonnerModalites() const;
    // The responses' codes, in order.
    std::vector<int> DonnerCodeModalites() const;
    // The response with a code (borrowed, owned by the question). False, and the pointer set
    // to null, when the question has no such response.
    bool FindModaliteById(int code, const CModalite*& modalite) const;
    const CModalite* FindModaliteById(int code) const;
    // Appends a response; the question owns it. Returns it.
    CModalite* AddModalite(std::unique_ptr<CModalite> modalite);
    void RemoveAllModalites() { m_modalites.clear(); }

    // Set by the questionnaire that takes the question.
    void SetQuestionnaire(CQuestionnaire* questionnaire) { m_questionnaire = questionnaire; }
    void SetDisplayLanguageId(int languageId);
    // Puts its captions and its responses' captions in the order of a language list.
    void SortCaptions(const std::vector<int>& languageOrder);

private:
    void CopyFrom(const CQuestion& other);

    int m_code = 0;
    QString m_shortcut;
    CLocalisedTexts m_captions;
    QString m_userData;
    int m_indent = 1;
    int m_typeElement = 1;
    int m_typeQuestion = 0;
    int m_dateType = 0;
    int m_nbMaxReponse = 0;
    short m_nbreDecimal = 0;
    bool m_nonReponse = false;
    bool m_semiOuverte = false;
    bool m_echelle = false;
    bool m_multiple = false;
    bool m_classe = false;
    bool m_levelLink = false;
    bool m_probability = false;
    bool m_developperNiveau = false;
    double m_borneMin = 0.0;
    double m_borneMax = 0.0;
    int m_codeQuestionSource = -1;
    int m_questionClass = -1;
    std::vector<int> m_versions;
    std::vector<std::unique_ptr<CModalite>> m_modalites;
    CQuestionnaire* m_questionnaire = nullptr;
    int m_displayLanguageId = 0;
};

} // namespace qnr
