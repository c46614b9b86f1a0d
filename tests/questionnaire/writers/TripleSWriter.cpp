#include "SourceWriters.h"

#include "questionnaire/Questionnaire.h"

#include <QXmlStreamWriter>

#include <cmath>

using namespace qnr;

namespace {

int Digits(double value)
{
    const double magnitude = std::fabs(value);
    return magnitude < 10 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
}

QString Number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

class CTripleSWriter
{
public:
    CTripleSWriter(const CQuestionnaire& questionnaire, QByteArray& out)
        : m_questionnaire(questionnaire), m_xml(&out)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(2);
    }

    void Write(const QString& surveyName);

private:
    void WriteTexts(const CLocalisedTexts& texts, const CModalite* iteration, bool responseTexts);
    void WriteVariable(const CQuestion& question, int ident, const QString& name,
                       const CModalite* iteration);
    QString Tag(int languageId) const { return GetLanguageTag(languageId); }

    const CQuestionnaire& m_questionnaire;
    QXmlStreamWriter m_xml;
    int m_column = 1;
};

void CTripleSWriter::Write(const QString& surveyName)
{
    QStringList tags;
    for (int i = 0; i < m_questionnaire.GetLanguageCount(); ++i)
        tags << Tag(m_questionnaire.GetLanguage(i)->GetId());
    m_xml.writeStartDocument();
    m_xml.writeStartElement(QStringLiteral("sss"));
    m_xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));
    m_xml.writeAttribute(QStringLiteral("languages"), tags.join(QLatin1Char(' ')));
    m_xml.writeAttribute(QStringLiteral("modes"), QStringLiteral("interview analysis"));
    m_xml.writeStartElement(QStringLiteral("survey"));
    m_xml.writeTextElement(QStringLiteral("name"), surveyName);
    m_xml.writeStartElement(QStringLiteral("record"));
    m_xml.writeAttribute(QStringLiteral("ident"), QStringLiteral("A"));
    for (int i = 0; i < m_questionnaire.GetNbreQuestion(); ++i) {
        const CQuestion& question = *m_questionnaire.GetQuestion(i);
        if (question.GetTypeElement() != ElementQuestion ||
            question.GetTypeQuestion() == QuestionInfo)
            continue;
        const CQuestion* loop = m_questionnaire.GetQuestion(m_questionnaire.GetParentQuestion(i));
        while (loop && loop->GetTypeElement() != ElementLoop)
            loop = m_questionnaire.GetQuestion(m_questionnaire.GetParentQuestion(
                m_questionnaire.FindQuestionIndex(loop->GetCodeQuestion())));
        if (!loop) {
            WriteVariable(question, question.GetCodeQuestion(), question.GetShortcut(), nullptr);
            continue;
        }
        for (int r = 0; r < loop->GetNbreModalite(); ++r) {
            const CModalite& iteration = *loop->GetModalite(r);
            WriteVariable(question, question.GetCodeQuestion() * 100 + iteration.GetCode(),
                          question.GetShortcut() + QLatin1Char('_') + iteration.GetEntryCode(),
                          &iteration);
        }
    }
    m_xml.writeEndDocument();
}

void CTripleSWriter::WriteTexts(const CLocalisedTexts& texts, const CModalite* iteration,
                                bool responseTexts)
{
    for (const CLocalisedTexts::SEntry& entry : texts.GetEntries()) {
        const QString suffix = iteration ? QStringLiteral(" - ") +
                                               iteration->GetLocalisedShortCaption(entry.languageId)
                                         : QString();
        const QString shortCaption = entry.shortCaption + suffix;
        const QString longCaption = entry.longCaption + suffix;
        if (responseTexts || entry.longCaption == entry.shortCaption) {
            m_xml.writeStartElement(QStringLiteral("text"));
            m_xml.writeAttribute(QStringLiteral("xml:lang"), Tag(entry.languageId));
            m_xml.writeCharacters(shortCaption);
            m_xml.writeEndElement();
            continue;
        }
        for (const auto& [mode, text] : {std::pair{QStringLiteral("interview"), longCaption},
                                         std::pair{QStringLiteral("analysis"), shortCaption}}) {
            m_xml.writeStartElement(QStringLiteral("text"));
            m_xml.writeAttribute(QStringLiteral("xml:lang"), Tag(entry.languageId));
            m_xml.writeAttribute(QStringLiteral("mode"), mode);
            m_xml.writeCharacters(text);
            m_xml.writeEndElement();
        }
    }
}

void CTripleSWriter::WriteVariable(const CQuestion& question, int ident, const QString& name,
                                   const CModalite* iteration)
{
    int maxCode = 0;
    for (int r = 0; r < question.GetNbreModalite(); ++r)
        maxCode = qMax(maxCode, question.GetModalite(r)->GetCode());
    QString type;
    int width = 1;
    int subfields = 0;
    switch (question.GetTypeQuestion()) {
    case QuestionClosed:
        if (question.EstMultiple()) {
            type = QStringLiteral("multiple");
            if (question.GetNbMaxReponse() > 0 &&
                question.GetNbMaxReponse() < question.GetNbreModalite()) {
                subfields = question.GetNbMaxReponse();
                width = subfields * Digits(maxCode);
            } else {
                width = maxCode;
            }
        } else {
            type = QStringLiteral("single");
            width = Digits(maxCode);
        }
        break;
    case QuestionNumeric:
        type = QStringLiteral("quantity");
        width = qMax(Digits(question.GetBorneMax()), Digits(maxCode)) +
                (question.GetNbreDecimal() > 0 ? question.GetNbreDecimal() + 1 : 0);
        break;
    case QuestionDate:
        type = question.GetDateType() == DateTime ? QStringLiteral("time") : QStringLiteral("date");
        width = question.GetDateType() == DateTime ? 6 : 8;
        break;
    case QuestionLogical:
        type = QStringLiteral("logical");
        break;
    default:
        type = QStringLiteral("character");
        width = 100;
        break;
    }
    m_xml.writeStartElement(QStringLiteral("variable"));
    m_xml.writeAttribute(QStringLiteral("ident"), QString::number(ident));
    m_xml.writeAttribute(QStringLiteral("type"), type);
    m_xml.writeTextElement(QStringLiteral("name"), name);
    m_xml.writeStartElement(QStringLiteral("label"));
    WriteTexts(question.GetCaptions(), iteration, false);
    m_xml.writeEndElement();
    m_xml.writeEmptyElement(QStringLiteral("position"));
    m_xml.writeAttribute(QStringLiteral("start"), QString::number(m_column));
    m_xml.writeAttribute(QStringLiteral("finish"), QString::number(m_column + width - 1));
    m_column += width;
    if (subfields > 0) {
        m_xml.writeEmptyElement(QStringLiteral("spread"));
        m_xml.writeAttribute(QStringLiteral("subfields"), QString::number(subfields));
        m_xml.writeAttribute(QStringLiteral("width"), QString::number(Digits(maxCode)));
    }
    if (type == QLatin1String("character")) {
        m_xml.writeTextElement(QStringLiteral("size"), QString::number(width));
    } else if (question.GetNbreModalite() > 0 || type == QLatin1String("quantity")) {
        m_xml.writeStartElement(QStringLiteral("values"));
        if (type == QLatin1String("quantity")) {
            m_xml.writeEmptyElement(QStringLiteral("range"));
            m_xml.writeAttribute(QStringLiteral("from"),
                                 Number(question.GetBorneMin(), question.GetNbreDecimal()));
            m_xml.writeAttribute(QStringLiteral("to"),
                                 Number(question.GetBorneMax(), question.GetNbreDecimal()));
        }
        for (int r = 0; r < question.GetNbreModalite(); ++r) {
            const CModalite& response = *question.GetModalite(r);
            m_xml.writeStartElement(QStringLiteral("value"));
            m_xml.writeAttribute(QStringLiteral("code"), QString::number(response.GetCode()));
            if (question.EstEchelle() && response.GetValue() != 0.0)
                m_xml.writeAttribute(QStringLiteral("score"),
                                     QString::number(response.GetValue(), 'g', 15));
            WriteTexts(response.GetCaptions(), nullptr, true);
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

} // namespace

QByteArray WriteTripleSDocument(const CQuestionnaire& questionnaire, const QString& surveyName)
{
    QByteArray out;
    CTripleSWriter writer(questionnaire, out);
    writer.Write(surveyName);
    return out;
}
