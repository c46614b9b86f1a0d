#pragma once

// The questionnaire library: reads a volume's source questionnaire (ZOZ, Dimensions or
// Triple-S) into questions, responses, languages, versions and question classes. It keeps no
// global mutable state: each thread reads and uses its own questionnaire objects.

#include "questionnaire/Interview.h"
#include "questionnaire/Language.h"
#include "questionnaire/LanguageTable.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Objet.h"
#include "questionnaire/PropertyList.h"
#include "questionnaire/Question.h"
#include "questionnaire/QuestionClass.h"
#include "questionnaire/QuestionnaireTypes.h"
#include "questionnaire/StaticTools.h"
#include "questionnaire/Version.h"
#include "questionnaire/ZozWriter.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace qnr {

// What Read takes from a source.
struct SReadParts
{
    // False reads only the languages, versions and classes.
    bool Questions = true;
    // False leaves the questions without responses.
    bool Modalites = true;
    // Also the interviews stored with the questions (ZOZ).
    bool Interviews = false;
};

// A source questionnaire. It has no questions until read; it owns its questions (and they their
// responses), languages, versions, classes and interviews. Pointers it hands out are borrowed and
// stay valid until the questionnaire is read again, cleared, assigned or destroyed.
class CQuestionnaire
{
public:
    CQuestionnaire();
    ~CQuestionnaire();
    // Deep copies: the copy's questions belong to the copy.
    CQuestionnaire(const CQuestionnaire& other);
    CQuestionnaire& operator=(const CQuestionnaire& other);

    // Reads the parts asked for of a source file of a DataBaseType (0 ZOZ, 1 Dimensions,
    // 2 Triple-S); every language is always read. `languageId` is the display language
    // (GetShortCaption) when the questionnaire has it. The program reads questions and responses:
    // Read(path, {}, type, its language id).
    // On failure returns false, keeps the reason in GetLastError and leaves the questionnaire
    // empty (what it held before is dropped either way).
    bool Read(const QString& path, const SReadParts& parts, int dataBaseType, int languageId);
    // Reads a source held in memory, as Read does with a file (the fuzzers and tests use it).
    // `path` only names the source in error texts and, for Triple-S, finds nothing else.
    bool ReadBuffer(const QByteArray& data, int dataBaseType, int languageId = 0,
                    const QString& path = QString());
    // Makes the questionnaire ready for use after building it by hand: gives every question and
    // response the display language. Read already does it; calling it again changes nothing.
    void PreparerSaisie();
    // Why the last Read failed; empty after a successful one.
    const QString& GetLastError() const { return m_lastError; }

    // Questions in questionnaire order; 0 when nothing is loaded.
    int GetNbreQuestion() const { return static_cast<int>(m_questions.size()); }
    // The question at an index (borrowed); null out of range. Both names give the same object.
    const CQuestion* GetQuestion(int index) const;
    CQuestion* GetQuestion(int index);
    const CQuestion* GetAdrQuestion(int index) const { return GetQuestion(index); }
    CQuestion* GetAdrQuestion(int index) { return GetQuestion(index); }
    // The question with a code (borrowed). False, and the pointer set to null, when none.
    bool FindQuestionById(int code, const CQuestion*& question) const;
    const CQuestion* FindQuestionById(int code) const;
    // The index of the question with a code; -1 when none.
    int FindQuestionIndex(int code) const;
    // The index of a question's parent (the nearest item above it with a smaller indent); -1
    // for a question at the top or an index out of range.
    int GetParentQuestion(int index) const;

    // Languages in the source's order; the default language is the source's base language.
    int GetDefaultLanguageId() const { return m_defaultLanguageId; }
    int GetLanguageCount() const { return static_cast<int>(m_languages.size()); }
    const CLanguage* GetLanguage(int index) const;
    // The index of a language id; -1 when the questionnaire does not have it.
    int FindLanguageIndex(int languageId) const;
    // The language GetShortCaption and GetLongCaption use.
    int GetDisplayLanguageId() const { return m_displayLanguageId; }
    int GetVersionCount() const { return static_cast<int>(m_versions.size()); }
    const CVersion* GetVersion(int index) const;
    int GetQuestionClassCount() const { return static_cast<int>(m_classes.size()); }
    const CQuestionClass* GetQuestionClass(int index) const;
    // The index of a question class id; -1 when none.
    int FindQuestionClassIndex(int classId) const;

    // Interviews stored with the questions (read only when asked for).
    int GetInterviewCount() const { return static_cast<int>(m_interviews.size()); }
    const CInterview* GetInterview(int index) const;

    // Building (the readers, and tests that write fixtures with the ZOZ writer). A question
    // whose code the questionnaire already holds is refused (null returned); otherwise the
    // questionnaire owns it and returns it. A second language of the same id is ignored.
    CQuestion* AddQuestion(std::unique_ptr<CQuestion> question);
    void AddLanguage(const CLanguage& language);
    void SetDefaultLanguageId(int languageId) { m_defaultLanguageId = languageId; }
    void SetDisplayLanguageId(int languageId) { m_requestedLanguageId = languageId; }
    void AddVersion(const CVersion& version) { m_versions.push_back(version); }
    void AddQuestionClass(const CQuestionClass& questionClass);
    void AddInterview(const CInterview& interview) { m_interviews.push_back(interview); }
    // Back to the state of a new questionnaire (the error text is kept).
    void Clear();

private:
    bool Finish(bool ok, const QString& error);
    void CopyFrom(const CQuestionnaire& other);

    std::vector<std::unique_ptr<CQuestion>> m_questions;
    QHash<int, int> m_indexByCode;
    std::vector<int> m_parents;
    std::vector<std::pair<int, int>> m_openParents; // (indent, index) of the items still open
    std::vector<CLanguage> m_languages;
    std::vector<CVersion> m_versions;
    std::vector<CQuestionClass> m_classes;
    std::vector<CInterview> m_interviews;
    int m_defaultLanguageId = 0;
    int m_requestedLanguageId = 0;
    int m_displayLanguageId = 0;
    QString m_lastError;
};

} // namespace qnr
