// Reads Triple-S XML metadata (versions 1.1 to 3.0): each variable becomes a question, its
// values its responses. The data file is not read.

#include "questionnaire/Questionnaire.h"
#include "questionnaire/SourceLanguages.h"
#include "questionnaire/SourceReaders.h"
#include "questionnaire/StableCode.h"
#include "questionnaire/XmlSource.h"

#include <QSet>

namespace qnr {

namespace {

// The texts of one label or value, gathered per language and mode.
struct SModeTexts
{
    QString plain;     // no mode: serves both
    QString interview; // the long caption of a question
    QString analysis;  // the short caption
};

using CLabelTexts = std::vector<std::pair<int, SModeTexts>>;

SModeTexts& TextsOf(CLabelTexts& texts, int languageId)
{
    for (auto& [id, modeTexts] : texts) {
        if (id == languageId)
            return modeTexts;
    }
    texts.emplace_back(languageId, SModeTexts());
    return texts.back().second;
}

// Blanks and line ends of the file collapse to one space; a <br/> stays a line break.
QString Simplified(const QString& text)
{
    if (!text.contains(QLatin1Char('\n')))
        return text.simplified();
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.simplified();
    return lines.join(QLatin1Char('\n')).trimmed();
}

class CTripleSReader
{
public:
    CTripleSReader(QIODevice& device, const QString& name, const SReadOptions& options,
                   CQuestionnaire& questionnaire)
        : m_source(device, name), m_options(options), m_questionnaire(questionnaire),
          m_languages(questionnaire)
    {
    }

    bool Read(QString& error);

private:
    void ReadLanguagesAttribute(const QString& tags);
    void ReadSurvey();
    void ReadRecord();
    void ReadVariable();
    CLabelTexts ReadLabel();
    void ReadValues(CQuestion& question, bool literal, int& decimals);
    void ReadRange(CQuestion& question, int& decimals);

    CXmlSource m_source;
    SReadOptions m_options;
    CQuestionnaire& m_questionnaire;
    CSourceLanguages m_languages;
};

bool CTripleSReader::Read(QString& error)
{
    if (!m_source.NextStartElement() || !m_source.IsElement("sss")) {
        if (!m_source.HasError())
            m_source.Fail(QStringLiteral("this is not Triple-S metadata (no <sss> root)"));
        error = m_source.ErrorText();
        return false;
    }
    ReadLanguagesAttribute(m_source.Attribute("languages"));
    while (!m_source.HasError() && m_source.NextStartElement(1)) {
        if (m_source.IsElement("survey")) {
            ReadSurvey();
        } else if (m_source.IsElement("hierarchy")) {
            m_source.Fail(QStringLiteral("hierarchical surveys (levels in separate files) are "
                                         "not supported"));
        } else {
            m_source.SkipElement();
        }
    }
    m_source.ReadToEnd();
    return m_source.Succeeded(error);
}

void CTripleSReader::ReadLanguagesAttribute(const QString& tags)
{
    for (const QString& tag : tags.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        m_languages.Declare(tag);
    // A file that names no language is in the program's language.
    if (m_questionnaire.GetLanguageCount() == 0)
        m_languages.Declare(QString(), m_options.languageId > 0 ? m_options.languageId : 1033);
    m_languages.SetDefault(m_questionnaire.GetLanguage(0)->GetId());
}

void CTripleSReader::ReadSurvey()
{
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("record"))
            ReadRecord();
        else
            m_source.SkipElement();
    }
}

void CTripleSReader::ReadRecord()
{
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("variable"))
            ReadVariable();
        else
            m_source.SkipElement();
    }
}

// A label or value: plain text for the default language in both modes, and <text> children
// per language and mode. Any other markup inside (HTML) gives its text.
CLabelTexts CTripleSReader::ReadLabel()
{
    CLabelTexts texts;
    QString plain;
    const int depth = m_source.Depth();
    QXmlStreamReader& xml = m_source.Xml();
    while (!m_source.HasError() && !xml.atEnd()) {
        const QXmlStreamReader::TokenType token = m_source.NextToken();
        if (token == QXmlStreamReader::Characters || token == QXmlStreamReader::EntityReference) {
            plain += xml.text();
            if (plain.size() > CXmlSource::kMaxTextLength)
                m_source.Fail(QStringLiteral("a label is too long"));
        } else if (token == QXmlStreamReader::EndElement && m_source.Depth() < depth) {
            break;
        } else if (token == QXmlStreamReader::StartElement) {
            if (m_source.IsElement("br")) {
                m_source.SkipElement();
                plain += QLatin1Char('\n');
            } else if (m_source.IsElement("text")) {
                const QString tag = m_source.Attribute("xml:lang");
                const QStringView mode =
                    m_source.Xml().attributes().value(QLatin1String("mode")).trimmed();
                const bool interview =
                    mode.compare(QLatin1String("interview"), Qt::CaseInsensitive) == 0;
                const bool analysis =
                    mode.compare(QLatin1String("analysis"), Qt::CaseInsensitive) == 0;
                const QString text = Simplified(m_source.ReadText());
                SModeTexts& modeTexts = TextsOf(texts, m_languages.IdOf(tag));
                if (interview)
                    modeTexts.interview = text;
                else if (analysis)
                    modeTexts.analysis = text;
                else
                    modeTexts.plain = text;
            } else {
                plain += m_source.ReadText();
            }
        }
    }
    const QString simplified = Simplified(plain);
    if (!simplified.isEmpty()) {
        SModeTexts& modeTexts = TextsOf(texts, m_languages.GetDefault());
        if (modeTexts.plain.isEmpty())
            modeTexts.plain = simplified;
    }
    return texts;
}

// Short caption: the analysis text, else the text for both modes, else the interview text; the
// long caption the other way round.
void ApplyQuestionTexts(CQuestion& question, const CLabelTexts& texts)
{
    for (const auto& [languageId, modeTexts] : texts) {
        const QString shortCaption =
            FirstNonEmpty({modeTexts.analysis, modeTexts.plain, modeTexts.interview});
        const QString longCaption =
            FirstNonEmpty({modeTexts.interview, modeTexts.plain, modeTexts.analysis});
        if (!shortCaption.isEmpty())
            question.SetCaptions(languageId, longCaption, shortCaption);
    }
}

void ApplyResponseTexts(CModalite& response, const CLabelTexts& texts)
{
    for (const auto& [languageId, modeTexts] : texts) {
        const QString caption =
            FirstNonEmpty({modeTexts.analysis, modeTexts.plain, modeTexts.interview});
        if (!caption.isEmpty())
            response.SetShortCaption(languageId, caption);
    }
}

void CTripleSReader::ReadVariable()
{
    const QString identText = m_source.Attribute("ident");
    int ident = 0;
    if (!ParseInt(identText, ident) || ident < 0) {
        m_source.Fail(QStringLiteral("a variable has no numeric ident (\"%1\")").arg(identText));
        return;
    }
    const QString type = m_source.Attribute("type").trimmed().toLower();
    auto question = std::make_unique<CQuestion>();
    question->SetCodeQuestion(ident);
    question->SetTypeElement(ElementQuestion);
    question->SetIndent(1);
    if (type == QLatin1String("single")) {
        question->SetTypeQuestion(QuestionClosed);
        question->SetNbMaxReponse(1);
    } else if (type == QLatin1String("multiple")) {
        question->SetTypeQuestion(QuestionClosed);
        question->SetMultiple(true);
    } else if (type == QLatin1String("quantity")) {
        question->SetTypeQuestion(QuestionNumeric);
    } else if (type == QLatin1String("character")) {
        question->SetTypeQuestion(QuestionOpen);
    } else if (type == QLatin1String("logical")) {
        question->SetTypeQuestion(QuestionLogical);
    } else if (type == QLatin1String("date")) {
        question->SetTypeQuestion(QuestionDate);
        question->SetDateType(DateDay);
    } else if (type == QLatin1String("time")) {
        question->SetTypeQuestion(QuestionDate);
        question->SetDateType(DateTime);
    } else {
        m_source.Fail(QStringLiteral("variable %1 has an unknown type \"%2\"")
                          .arg(ident)
                          .arg(m_source.Attribute("type")));
        return;
    }
    const bool literal = m_source.Attribute("format").trimmed().compare(QLatin1String("literal"),
                                                                        Qt::CaseInsensitive) == 0;
    int decimals = 0;
    int subfields = 0;
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("name")) {
            question->SetShortcut(m_source.ReadText().trimmed());
        } else if (m_source.IsElement("label")) {
            ApplyQuestionTexts(*question, ReadLabel());
        } else if (m_source.IsElement("values")) {
            ReadValues(*question, literal, decimals);
        } else if (m_source.IsElement("spread")) {
            ParseInt(m_source.Attribute("subfields"), subfields);
            m_source.SkipElement();
        } else {
            m_source.SkipElement();
        }
    }
    if (m_source.HasError())
        return;
    if (question->EstMultiple())
        question->SetNbMaxReponse(subfields > 0 ? subfields : question->GetNbreModalite());
    if (question->GetTypeQuestion() == QuestionNumeric)
        question->SetNbreDecimal(static_cast<short>(qMin(decimals, 15)));
    // A single choice whose responses carry scores is a scale.
    if (question->GetTypeQuestion() == QuestionClosed && !question->EstMultiple()) {
        for (int i = 0; i < question->GetNbreModalite(); ++i) {
            if (question->GetModalite(i)->GetValue() != 0.0)
                question->SetEchelle(true);
        }
    }
    if (!m_options.modalites)
        question->RemoveAllModalites();
    if (!m_options.questions)
        return;
    if (!m_questionnaire.AddQuestion(std::move(question)))
        m_source.Fail(QStringLiteral("two variables have the ident %1").arg(ident));
}

// Values in file order become the responses: numeric codes are the response codes, a literal
// code that is not a number gets a stable code from its text; the code as written is the entry
// code. A code given twice keeps its first value.
void CTripleSReader::ReadValues(CQuestion& question, bool literal, int& decimals)
{
    CStableCodes codes;
    QSet<QString> literalCodes;
    const int depth = m_source.Depth();
    while (!m_source.HasError() && m_source.NextStartElement(depth)) {
        if (m_source.IsElement("range")) {
            ReadRange(question, decimals);
            continue;
        }
        if (!m_source.IsElement("value")) {
            m_source.SkipElement();
            continue;
        }
        const QString codeText = m_source.Attribute("code").trimmed();
        const QString scoreText = m_source.Attribute("score");
        auto response = std::make_unique<CModalite>();
        int code = 0;
        const bool numeric = ParseInt(codeText, code);
        bool kept = !codeText.isEmpty();
        if (numeric) {
            kept = kept && !codes.IsTaken(code);
        } else {
            if (!literal && codeText.contains(QLatin1Char('.'))) {
                decimals = qMax(decimals, DecimalsOf(codeText));
            }
            // A repeated text would otherwise get the next free code and pass for a response.
            kept = kept && !literalCodes.contains(codeText);
            literalCodes.insert(codeText);
        }
        response->SetEntryCode(codeText);
        double score = 0.0;
        if (!scoreText.trimmed().isEmpty() && ParseDouble(scoreText, score))
            response->SetValue(score);
        ApplyResponseTexts(*response, ReadLabel());
        if (!kept)
            continue;
        response->SetCode(codes.Take(numeric ? code : StableCodeFromText(codeText)));
        question.AddModalite(std::move(response));
    }
}

void CTripleSReader::ReadRange(CQuestion& question, int& decimals)
{
    const QString from = m_source.Attribute("from");
    const QString to = m_source.Attribute("to");
    double low = 0.0;
    double high = 0.0;
    ParseDouble(from, low);
    ParseDouble(to, high);
    question.SetBornes(low, high);
    decimals = qMax(decimals, qMax(DecimalsOf(from), DecimalsOf(to)));
    m_source.SkipElement();
}

} // namespace

bool ReadTripleSSource(QIODevice& device, const QString& name, const SReadOptions& options,
                       CQuestionnaire& questionnaire, QString& error)
{
    CTripleSReader reader(device, name, options, questionnaire);
    return reader.Read(error);
}

} // namespace qnr
