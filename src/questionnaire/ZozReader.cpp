// Reads the program's own questionnaire format, ZOZ (described in the README).

#include "questionnaire/Questionnaire.h"
#include "questionnaire/SourceReaders.h"
#include "questionnaire/XmlSource.h"

#include <QSet>

namespace qnr {

namespace {

constexpr int kZozVersion = 1;

class CZozReader
{
public:
    CZozReader(QIODevice& device, const QString& name, const SReadOptions& options,
               CQuestionnaire& questionnaire)
        : m_source(device, name), m_name(name), m_options(options), m_questionnaire(questionnaire)
    {
    }

    bool Read(QString& error);

private:
    void ReadLanguages();
    void ReadVersions();
    void ReadClasses();
    void ReadQuestions();
    void ReadQuestion();
    std::unique_ptr<CModalite> ReadResponse();
    void ReadInterviews();

    int IntAttribute(const char* name, int fallback);
    double DoubleAttribute(const char* name);
    bool FlagAttribute(const char* name);
    std::vector<int> VersionsAttribute();
    int RequiredCode(const char* what);
    bool CheckSourceLinks(QString& error);

    CXmlSource m_source;
    QString m_name;
    SReadOptions m_options;
    CQuestionnaire& m_questionnaire;
    // Question class id -> index, filled by <classes>, used by the questions.
    QHash<int, int> m_classIndex;
};

bool CZozReader::Read(QString& error)
{
    if (!m_source.NextStartElement() || !m_source.IsElement("zoz")) {
        if (!m_source.HasError())
            m_source.Fail(QStringLiteral("this is not a ZOZ questionnaire (no <zoz> root)"));
        error = m_source.ErrorText();
        return false;
    }
    int version = 0;
    if (!ParseInt(m_source.Attribute("version"), version) || version < 1) {
        m_source.Fail(QStringLiteral("the ZOZ version is missing or not a number"));
    } else if (version > kZozVersion) {
        m_source.Fail(QStringLiteral("ZOZ version %1 was written by a newer program (this one "
                                     "reads up to version %2)")
                          .arg(version)
                          .arg(kZozVersion));
    }
    while (!m_source.HasError() && m_source.NextStartElement(1)) {
        if (m_source.IsElement("languages"))
            ReadLanguages();
        else if (m_source.IsElement("versions"))
            ReadVersions();
        else if (m_source.IsElement("classes"))
            ReadClasses();
        else if (m_source.IsElement("questions"))
            ReadQuestions();
        else if (m_source.IsElement("interviews"))
            ReadInterviews();
        else
            m_source.SkipElement();
    }
    m_source.ReadToEnd();
    return m_source.Succeeded(error) && CheckSourceLinks(error);
}

// A question that takes its responses from another must not come back to itself through the
// links: whoever follows them would never stop. Each question is walked once: a walk stops at a
// question whose chain is already known to end, and meeting a question of the walk itself again
// is a loop.
bool CZozReader::CheckSourceLinks(QString& error)
{
    enum : char
    {
        Unseen,
        OnWalk,
        Ends
    };
    const int count = m_questionnaire.GetNbreQuestion();
    std::vector<char> state(static_cast<size_t>(count), Unseen);
    std::vector<int> walk;
    for (int i = 0; i < count; ++i) {
        walk.clear();
        int at = i;
        while (at >= 0 && state[static_cast<size_t>(at)] == Unseen) {
            state[static_cast<size_t>(at)] = OnWalk;
            walk.push_back(at);
            const int source = m_questionnaire.GetQuestion(at)->GetCodeQuestionSource();
            at = source == -1 ? -1 : m_questionnaire.FindQuestionIndex(source);
        }
        if (at >= 0 && state[static_cast<size_t>(at)] == OnWalk) {
            error = QStringLiteral("%1: question %2 takes its responses from a chain of "
                                   "questions that leads back to it")
                        .arg(m_name)
                        .arg(m_questionnaire.GetQuestion(at)->GetCodeQuestion());
            return false;
        }
        for (const int question : walk)
            state[static_cast<size_t>(question)] = Ends;
    }
    return true;
}

int CZozReader::IntAttribute(const char* name, int fallback)
{
    if (!m_source.HasAttribute(name))
        return fallback;
    int value = fallback;
    if (!ParseInt(m_source.Attribute(name), value))
        m_source.Fail(QStringLiteral("attribute \"%1\" of <%2> is not a whole number")
                          .arg(QLatin1String(name), m_source.Xml().name().toString()));
    return value;
}

double CZozReader::DoubleAttribute(const char* name)
{
    if (!m_source.HasAttribute(name))
        return 0.0;
    double value = 0.0;
    if (!ParseDouble(m_source.Attribute(name), value))
        m_source.Fail(QStringLiteral("attribute \"%1\" of <%2> is not a number")
                          .arg(QLatin1String(name), m_source.Xml().name().toString()));
    return value;
}

bool CZozReader::FlagAttribute(const char* name)
{
    return IntAttribute(name, 0) != 0;
}

std::vector<int> CZozReader::VersionsAttribute()
{
    std::vector<quint32> numbers;
    CStaticTools::LireChaineSeparateurDWORD(m_source.Attribute("versions"), QLatin1Char(';'),
                                            numbers);
    return std::vector<int>(numbers.begin(), numbers.end());
}

int CZozReader::RequiredCode(const char* what)
{
    if (!m_source.HasAttribute("code")) {
        m_source.Fail(QStringLiteral("a %1 has no code").arg(QLatin1String(what)));
        return 0;
    }
    return IntAttribute("code", 0);
}

void CZozReader::ReadLanguages()
{
    const int depth = m_source.Depth();
    const int defaultId = IntAttribute("default", 0);
    while (m_source.NextStartElement(depth)) {
        if (m_source.IsElement("language")) {
            const int id = IntAttribute("id", 0);
            if (id <= 0) {
                m_source.Fail(QStringLiteral("a language has no valid id"));
                return;
            }
            // Name and abbreviation come from the language table unless the file gives them.
            const CLanguage known(id);
            const QString name =
                m_source.HasAttribute("name") ? m_source.Attribute("name") : known.GetName();
            const QString abbreviation = m_source.HasAttribute("abbreviation")
                                             ? m_source.Attribute("abbreviation")
                                             : known.GetAbbreviation();
            m_questionnaire.AddLanguage(CLanguage(id, name, abbreviation));
        }
        m_source.SkipElement();
    }
    if (m_questionnaire.GetLanguageCount() > 0) {
        const bool known = m_questionnaire.FindLanguageIndex(defaultId) >= 0;
        m_questionnaire.SetDefaultLanguageId(known ? defaultId
                                                   : m_questionnaire.GetLanguage(0)->GetId());
    }
}

void CZozReader::ReadVersions()
{
    const int depth = m_source.Depth();
    while (m_source.NextStartElement(depth)) {
        if (m_source.IsElement("version"))
            m_questionnaire.AddVersion(CVersion(IntAttribute("id", 0), m_source.Attribute("long"),
                                                m_source.Attribute("short")));
        m_source.SkipElement();
    }
}

void CZozReader::ReadClasses()
{
    const int depth = m_source.Depth();
    while (m_source.NextStartElement(depth)) {
        if (m_source.IsElement("class")) {
            const int id = IntAttribute("id", 0);
            if (!m_classIndex.contains(id)) {
                m_classIndex.insert(id, m_questionnaire.GetQuestionClassCount());
                m_questionnaire.AddQuestionClass(CQuestionClass(id, m_source.Attribute("caption")));
            }
        }
        m_source.SkipElement();
    }
}

void CZozReader::ReadQuestions()
{
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("question"))
            ReadQuestion();
        else
            m_source.SkipElement();
    }
}

void CZozReader::ReadQuestion()
{
    auto question = std::make_unique<CQuestion>();
    const int code = RequiredCode("question");
    question->SetCodeQuestion(code);
    question->SetShortcut(m_source.Attribute("shortcut"));
    question->SetTypeElement(IntAttribute("element", ElementQuestion));
    question->SetTypeQuestion(IntAttribute("type", QuestionNone));
    question->SetIndent(IntAttribute("indent", 1));
    question->SetDateType(IntAttribute("datetype", DateNone));
    question->SetNbMaxReponse(IntAttribute("maxresponses", 0));
    question->SetNbreDecimal(static_cast<short>(IntAttribute("decimals", 0)));
    question->SetBornes(DoubleAttribute("min"), DoubleAttribute("max"));
    question->SetNonReponse(FlagAttribute("dontknow"));
    question->SetSemiOuverte(FlagAttribute("semiopen"));
    question->SetEchelle(FlagAttribute("scale"));
    question->SetMultiple(FlagAttribute("multiple"));
    question->SetClasse(FlagAttribute("ranked"));
    question->SetLevelLink(FlagAttribute("levellink"));
    question->SetProbabilityQuestion(FlagAttribute("probability"));
    question->SetDevelopperNiveau(FlagAttribute("developlevels"));
    question->SetCodeQuestionSource(IntAttribute("source", -1));
    if (m_source.HasAttribute("class"))
        question->SetQuestionClass(m_classIndex.value(IntAttribute("class", 0), -1));
    question->SetVersions(VersionsAttribute());
    if (question->GetIndent() < 1)
        m_source.Fail(QStringLiteral("question %1 has an indent below 1").arg(code));

    QSet<int> responseCodes;
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("caption")) {
            const int language = IntAttribute("lang", 0);
            QString longCaption, shortCaption;
            const int captionDepth = m_source.Depth();
            while (m_source.NextStartElement(captionDepth)) {
                if (m_source.IsElement("long"))
                    longCaption = m_source.ReadText();
                else if (m_source.IsElement("short"))
                    shortCaption = m_source.ReadText();
                else
                    m_source.SkipElement();
            }
            question->SetCaptions(language, longCaption, shortCaption);
        } else if (m_source.IsElement("userdata")) {
            question->SetUserData(m_source.ReadText());
        } else if (m_source.IsElement("response")) {
            std::unique_ptr<CModalite> response = ReadResponse();
            if (!response)
                break;
            if (responseCodes.contains(response->GetCode())) {
                m_source.Fail(QStringLiteral("question %1 has two responses with code %2")
                                  .arg(code)
                                  .arg(response->GetCode()));
                break;
            }
            responseCodes.insert(response->GetCode());
            if (m_options.modalites)
                question->AddModalite(std::move(response));
        } else {
            m_source.SkipElement();
        }
    }
    if (m_source.HasError() || !m_options.questions)
        return;
    if (!m_questionnaire.AddQuestion(std::move(question)))
        m_source.Fail(QStringLiteral("two questions have the code %1").arg(code));
}

std::unique_ptr<CModalite> CZozReader::ReadResponse()
{
    auto response = std::make_unique<CModalite>();
    response->SetCode(RequiredCode("response"));
    response->SetEntryCode(m_source.Attribute("entry"));
    response->SetValue(DoubleAttribute("value"));
    response->SetExclusive(FlagAttribute("exclusive"));
    response->SetRotationBehaviour(IntAttribute("rotation", RotationAuthorised));
    response->SetVersions(VersionsAttribute());
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("caption")) {
            const int language = IntAttribute("lang", 0);
            response->SetShortCaption(language, m_source.ReadText());
        } else if (m_source.IsElement("userdata")) {
            response->SetUserData(m_source.ReadText());
        } else {
            m_source.SkipElement();
        }
    }
    if (m_source.HasError())
        return nullptr;
    return response;
}

void CZozReader::ReadInterviews()
{
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (!m_source.IsElement("interview")) {
            m_source.SkipElement();
            continue;
        }
        CInterview interview(IntAttribute("id", 0));
        const int interviewDepth = m_source.Depth();
        while (!m_source.HasError() && m_source.NextStartElement(interviewDepth)) {
            if (m_source.IsElement("answer")) {
                const int question = IntAttribute("question", 0);
                interview.SetAnswer(question, m_source.ReadText());
            } else {
                m_source.SkipElement();
            }
        }
        if (m_options.interviews)
            m_questionnaire.AddInterview(interview);
    }
}

} // namespace

bool ReadZozSource(QIODevice& device, const QString& name, const SReadOptions& options,
                   CQuestionnaire& questionnaire, QString& error)
{
    CZozReader reader(device, name, options, questionnaire);
    return reader.Read(error);
}

} // namespace qnr
