#include "questionnaire/Questionnaire.h"

#include "questionnaire/SourceReaders.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace qnr {

namespace {

// Larger sources are refused rather than read: real questionnaires stay far below it.
constexpr qint64 kMaxSourceBytes = 256ll * 1024 * 1024;

QString SourceName(const QString& path)
{
    return path.isEmpty() ? QStringLiteral("the source") : QStringLiteral("\"%1\"").arg(path);
}

bool ReadDevice(QIODevice& device, int dataBaseType, const QString& name,
                const SReadOptions& options, CQuestionnaire& questionnaire, QString& error)
{
    switch (dataBaseType) {
    case DataBaseZoz:
        return ReadZozSource(device, name, options, questionnaire, error);
    case DataBaseDimensions:
        return ReadDimensionsSource(device, name, options, questionnaire, error);
    case DataBaseTripleS:
        return ReadTripleSSource(device, name, options, questionnaire, error);
    default:
        error = QStringLiteral("Unknown source type %1 for %2: expected 0 (ZOZ), 1 (Dimensions) "
                               "or 2 (Triple-S).")
                    .arg(dataBaseType)
                    .arg(name);
        return false;
    }
}

} // namespace

CQuestionnaire::CQuestionnaire() = default;
CQuestionnaire::~CQuestionnaire() = default;

CQuestionnaire::CQuestionnaire(const CQuestionnaire& other)
{
    CopyFrom(other);
}

CQuestionnaire& CQuestionnaire::operator=(const CQuestionnaire& other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}

void CQuestionnaire::CopyFrom(const CQuestionnaire& other)
{
    Clear();
    m_languages = other.m_languages;
    m_versions = other.m_versions;
    m_classes = other.m_classes;
    m_interviews = other.m_interviews;
    m_defaultLanguageId = other.m_defaultLanguageId;
    m_requestedLanguageId = other.m_requestedLanguageId;
    m_displayLanguageId = other.m_displayLanguageId;
    m_lastError = other.m_lastError;
    for (const auto& question : other.m_questions)
        AddQuestion(std::make_unique<CQuestion>(*question));
}

void CQuestionnaire::Clear()
{
    m_questions.clear();
    m_indexByCode.clear();
    m_parents.clear();
    m_openParents.clear();
    m_languages.clear();
    m_versions.clear();
    m_classes.clear();
    m_interviews.clear();
    m_defaultLanguageId = 0;
    m_requestedLanguageId = 0;
    m_displayLanguageId = 0;
}

bool CQuestionnaire::Read(const QString& path, const SReadParts& parts, int dataBaseType,
                          int languageId)
{
    Clear();
    m_lastError.clear();
    const QString name = SourceName(path);
    if (path.isEmpty())
        return Finish(false, QStringLiteral("No source file was given."));
    const QFileInfo info(path);
    if (!info.exists())
        return Finish(false, QStringLiteral("The source file %1 does not exist.").arg(name));
    if (info.isDir())
        return Finish(false, QStringLiteral("The source %1 is a folder, not a file.").arg(name));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Finish(false, QStringLiteral("The source file %1 cannot be opened: %2.")
                                 .arg(name, file.errorString()));
    if (file.size() == 0)
        return Finish(false, QStringLiteral("The source file %1 is empty.").arg(name));
    if (file.size() > kMaxSourceBytes)
        return Finish(false, QStringLiteral("The source file %1 is too large (%2 bytes; at most "
                                            "%3 bytes are read).")
                                 .arg(name)
                                 .arg(file.size())
                                 .arg(kMaxSourceBytes));
    SReadOptions options;
    options.questions = parts.Questions;
    options.modalites = parts.Modalites;
    options.interviews = parts.Interviews;
    options.languageId = languageId;
    QString error;
    const bool ok = ReadDevice(file, dataBaseType, name, options, *this, error);
    if (ok)
        m_requestedLanguageId = languageId;
    return Finish(ok, error);
}

bool CQuestionnaire::ReadBuffer(const QByteArray& data, int dataBaseType, int languageId,
                                const QString& path)
{
    Clear();
    m_lastError.clear();
    const QString name = SourceName(path);
    if (data.isEmpty())
        return Finish(false, QStringLiteral("The source file %1 is empty.").arg(name));
    if (data.size() > kMaxSourceBytes)
        return Finish(false, QStringLiteral("The source %1 is too large.").arg(name));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    SReadOptions options;
    options.languageId = languageId;
    QString error;
    const bool ok = ReadDevice(buffer, dataBaseType, name, options, *this, error);
    if (ok)
        m_requestedLanguageId = languageId;
    return Finish(ok, error);
}

bool CQuestionnaire::Finish(bool ok, const QString& error)
{
    if (!ok) {
        Clear();
        m_lastError = error.isEmpty() ? QStringLiteral("The source could not be read.") : error;
        return false;
    }
    m_lastError.clear();
    std::vector<int> languageOrder;
    for (const CLanguage& language : m_languages)
        languageOrder.push_back(language.GetId());
    for (const auto& question : m_questions)
        question->SortCaptions(languageOrder);
    PreparerSaisie();
    return true;
}

void CQuestionnaire::PreparerSaisie()
{
    m_displayLanguageId =
        FindLanguageIndex(m_requestedLanguageId) >= 0 ? m_requestedLanguageId : m_defaultLanguageId;
    for (const auto& question : m_questions)
        question->SetDisplayLanguageId(m_displayLanguageId);
}

const CQuestion* CQuestionnaire::GetQuestion(int index) const
{
    if (index < 0 || index >= GetNbreQuestion())
        return nullptr;
    return m_questions[static_cast<size_t>(index)].get();
}

CQuestion* CQuestionnaire::GetQuestion(int index)
{
    if (index < 0 || index >= GetNbreQuestion())
        return nullptr;
    return m_questions[static_cast<size_t>(index)].get();
}

bool CQuestionnaire::FindQuestionById(int code, const CQuestion*& question) const
{
    question = FindQuestionById(code);
    return question != nullptr;
}

const CQuestion* CQuestionnaire::FindQuestionById(int code) const
{
    return GetQuestion(FindQuestionIndex(code));
}

int CQuestionnaire::FindQuestionIndex(int code) const
{
    return m_indexByCode.value(code, -1);
}

int CQuestionnaire::GetParentQuestion(int index) const
{
    if (index < 0 || index >= GetNbreQuestion())
        return -1;
    return m_parents[static_cast<size_t>(index)];
}

const CLanguage* CQuestionnaire::GetLanguage(int index) const
{
    if (index < 0 || index >= GetLanguageCount())
        return nullptr;
    return &m_languages[static_cast<size_t>(index)];
}

int CQuestionnaire::FindLanguageIndex(int languageId) const
{
    for (size_t i = 0; i < m_languages.size(); ++i) {
        if (m_languages[i].GetId() == languageId)
            return static_cast<int>(i);
    }
    return -1;
}

const CVersion* CQuestionnaire::GetVersion(int index) const
{
    if (index < 0 || index >= GetVersionCount())
        return nullptr;
    return &m_versions[static_cast<size_t>(index)];
}

const CQuestionClass* CQuestionnaire::GetQuestionClass(int index) const
{
    if (index < 0 || index >= GetQuestionClassCount())
        return nullptr;
    return &m_classes[static_cast<size_t>(index)];
}

int CQuestionnaire::FindQuestionClassIndex(int classId) const
{
    for (size_t i = 0; i < m_classes.size(); ++i) {
        if (m_classes[i].GetId() == classId)
            return static_cast<int>(i);
    }
    return -1;
}

const CInterview* CQuestionnaire::GetInterview(int index) const
{
    if (index < 0 || index >= GetInterviewCount())
        return nullptr;
    return &m_interviews[static_cast<size_t>(index)];
}

CQuestion* CQuestionnaire::AddQuestion(std::unique_ptr<CQuestion> question)
{
    if (!question || m_indexByCode.contains(question->GetCodeQuestion()))
        return nullptr;
    const int index = GetNbreQuestion();
    // The parent is the nearest item above with a smaller indent: keep the items that can
    // still be one, with strictly growing indents.
    const int indent = question->GetIndent();
    while (!m_openParents.empty() && m_openParents.back().first >= indent)
        m_openParents.pop_back();
    m_parents.push_back(m_openParents.empty() ? -1 : m_openParents.back().second);
    m_openParents.emplace_back(indent, index);
    m_indexByCode.insert(question->GetCodeQuestion(), index);
    question->SetQuestionnaire(this);
    question->SetDisplayLanguageId(m_displayLanguageId);
    m_questions.push_back(std::move(question));
    return m_questions.back().get();
}

void CQuestionnaire::AddLanguage(const CLanguage& language)
{
    if (FindLanguageIndex(language.GetId()) < 0)
        m_languages.push_back(language);
}

void CQuestionnaire::AddQuestionClass(const CQuestionClass& questionClass)
{
    m_classes.push_back(questionClass);
}

} // namespace qnr
