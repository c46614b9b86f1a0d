#include "SourceWriters.h"

#include "questionnaire/Questionnaire.h"

#include <QHash>
#include <QRegularExpression>
#include <QUuid>
#include <QXmlStreamWriter>

using namespace qnr;

namespace {

const QUuid kIdSpace(QStringLiteral("{6c1d3a52-98e4-4f0b-a3c5-2b7d54e1f0aa}"));

QString IdOf(const QString& what)
{
    return QUuid::createUuidV5(kIdSpace, what).toString(QUuid::WithoutBraces);
}

QString MddLanguageName(int languageId)
{
    return GetLanguageTag(languageId).toUpper();
}

class CDimensionsWriter
{
public:
    CDimensionsWriter(const CQuestionnaire& questionnaire, QByteArray& out)
        : m_questionnaire(questionnaire), m_xml(&out)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(1);
    }

    bool Write(QString& error);

private:
    QString CategoryName(const CModalite& response);
    void WriteLabels(const CLocalisedTexts& texts, bool responseTexts);
    void WriteCategories(const CQuestion& question, const QString& owner);
    void WriteDefinition(const CQuestion& question, const QString& fullName);
    int WriteDesign(int index, const QString& prefix);

    const CQuestionnaire& m_questionnaire;
    QXmlStreamWriter m_xml;
    QHash<QString, int> m_categoryValues;
    QStringList m_categoryOrder;
    QString m_error;
};

QString CDimensionsWriter::CategoryName(const CModalite& response)
{
    static const QRegularExpression validName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    QString name = response.GetEntryCode();
    if (!validName.match(name).hasMatch())
        name = QStringLiteral("_%1").arg(response.GetCode());
    const QString key = name.toLower();
    const auto it = m_categoryValues.constFind(key);
    if (it == m_categoryValues.constEnd()) {
        m_categoryValues.insert(key, response.GetCode());
        m_categoryOrder << key;
    } else if (it.value() != response.GetCode() && m_error.isEmpty()) {
        m_error = QStringLiteral("category \"%1\" would need codes %2 and %3")
                      .arg(name)
                      .arg(it.value())
                      .arg(response.GetCode());
    }
    return name;
}

void CDimensionsWriter::WriteLabels(const CLocalisedTexts& texts, bool responseTexts)
{
    m_xml.writeStartElement(QStringLiteral("labels"));
    m_xml.writeAttribute(QStringLiteral("context"), QStringLiteral("LABEL"));
    for (const CLocalisedTexts::SEntry& entry : texts.GetEntries()) {
        const QString tag = GetLanguageTag(entry.languageId);
        const QString question = responseTexts ? entry.shortCaption : entry.longCaption;
        m_xml.writeStartElement(QStringLiteral("text"));
        m_xml.writeAttribute(QStringLiteral("context"), QStringLiteral("QUESTION"));
        m_xml.writeAttribute(QStringLiteral("xml:lang"), tag);
        m_xml.writeCharacters(question);
        m_xml.writeEndElement();
        if (!responseTexts && entry.shortCaption != entry.longCaption) {
            m_xml.writeStartElement(QStringLiteral("text"));
            m_xml.writeAttribute(QStringLiteral("context"), QStringLiteral("ANALYSIS"));
            m_xml.writeAttribute(QStringLiteral("xml:lang"), tag);
            m_xml.writeCharacters(entry.shortCaption);
            m_xml.writeEndElement();
        }
    }
    m_xml.writeEndElement();
}

// The "don't know" and "other, specify" answers of a question that has them are the responses
// whose entry codes are "dk" and "other".
void CDimensionsWriter::WriteCategories(const CQuestion& question, const QString& owner)
{
    m_xml.writeStartElement(QStringLiteral("categories"));
    m_xml.writeAttribute(QStringLiteral("id"), IdOf(owner + QStringLiteral("#categories")));
    for (int r = 0; r < question.GetNbreModalite(); ++r) {
        const CModalite& response = *question.GetModalite(r);
        const QString name = CategoryName(response);
        m_xml.writeStartElement(QStringLiteral("category"));
        m_xml.writeAttribute(QStringLiteral("id"), IdOf(owner + QLatin1Char('#') + name));
        m_xml.writeAttribute(QStringLiteral("name"), name);
        if (response.IsExclusive())
            m_xml.writeAttribute(QStringLiteral("exclusive"), QStringLiteral("-1"));
        if (response.GetRotationBehaviour() == RotationFixed)
            m_xml.writeAttribute(QStringLiteral("fixed"), QStringLiteral("-1"));
        if (response.GetValue() != 0.0)
            m_xml.writeAttribute(QStringLiteral("factor-value"),
                                 QString::number(response.GetValue(), 'g', 15));
        if (question.EstNonReponse() &&
            response.GetEntryCode().compare(QLatin1String("dk"), Qt::CaseInsensitive) == 0)
            m_xml.writeAttribute(QStringLiteral("missing"), QStringLiteral("dontknow"));
        if (question.EstSemiOuverte() &&
            response.GetEntryCode().compare(QLatin1String("other"), Qt::CaseInsensitive) == 0)
            m_xml.writeAttribute(QStringLiteral("other-local"), QStringLiteral("-1"));
        WriteLabels(response.GetCaptions(), true);
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void CDimensionsWriter::WriteDefinition(const CQuestion& question, const QString& fullName)
{
    static const int kTypes[] = {0, 3, 0, 5, 2, 1, 7, 0, 6};
    int type = kTypes[qBound(0, question.GetTypeQuestion(), 8)];
    if (question.GetTypeQuestion() == QuestionNumeric && question.GetNbreDecimal() > 0)
        type = 6;
    m_xml.writeStartElement(QStringLiteral("variable"));
    m_xml.writeAttribute(QStringLiteral("id"), IdOf(fullName));
    m_xml.writeAttribute(QStringLiteral("name"), question.GetShortcut());
    m_xml.writeAttribute(QStringLiteral("type"), QString::number(type));
    if (type == 3) {
        m_xml.writeAttribute(QStringLiteral("max"), QString::number(question.GetNbMaxReponse()));
        m_xml.writeAttribute(QStringLiteral("maxtype"), QStringLiteral("3"));
    } else if (type == 1 || type == 6) {
        const int decimals = question.GetNbreDecimal();
        m_xml.writeAttribute(QStringLiteral("min"),
                             QString::number(question.GetBorneMin(), 'f', decimals));
        m_xml.writeAttribute(QStringLiteral("mintype"), QString::number(type));
        m_xml.writeAttribute(QStringLiteral("max"),
                             QString::number(question.GetBorneMax(), 'f', decimals));
        m_xml.writeAttribute(QStringLiteral("maxtype"), QString::number(type));
    }
    m_xml.writeEmptyElement(QStringLiteral("properties"));
    WriteLabels(question.GetCaptions(), false);
    if (type == 3)
        WriteCategories(question, fullName);
    m_xml.writeEndElement();
}

// Writes the design item at `index` and the items below it; returns the index after them.
int CDimensionsWriter::WriteDesign(int index, const QString& prefix)
{
    const CQuestion& question = *m_questionnaire.GetQuestion(index);
    const QString fullName = prefix + question.GetShortcut();
    int next = index + 1;
    if (question.GetTypeElement() == ElementQuestion) {
        m_xml.writeEmptyElement(QStringLiteral("variable"));
        m_xml.writeAttribute(QStringLiteral("id"), IdOf(fullName + QStringLiteral("#ref")));
        m_xml.writeAttribute(QStringLiteral("name"), question.GetShortcut());
        m_xml.writeAttribute(QStringLiteral("ref"), IdOf(fullName));
        return next;
    }
    const bool loop = question.GetTypeElement() == ElementLoop;
    m_xml.writeStartElement(loop ? (question.GetTypeQuestion() == LoopGrid ? "grid" : "loop")
                                 : "class");
    m_xml.writeAttribute(QStringLiteral("id"), IdOf(fullName));
    m_xml.writeAttribute(QStringLiteral("name"), question.GetShortcut());
    WriteLabels(question.GetCaptions(), false);
    if (loop)
        WriteCategories(question, fullName);
    if (loop) {
        m_xml.writeStartElement(QStringLiteral("class"));
        m_xml.writeAttribute(QStringLiteral("name"), QStringLiteral("@class"));
    }
    m_xml.writeStartElement(QStringLiteral("fields"));
    m_xml.writeAttribute(QStringLiteral("name"), QStringLiteral("@fields"));
    while (next < m_questionnaire.GetNbreQuestion() &&
           m_questionnaire.GetQuestion(next)->GetIndent() > question.GetIndent())
        next = WriteDesign(next, fullName + QLatin1Char('.'));
    m_xml.writeEndElement();
    if (loop)
        m_xml.writeEndElement();
    m_xml.writeEndElement();
    return next;
}

bool CDimensionsWriter::Write(QString& error)
{
    m_xml.writeStartDocument();
    m_xml.writeStartElement(QStringLiteral("xml"));
    m_xml.writeNamespace(QStringLiteral("http://www.spss.com/mr/dm/metadatamodel/Arc 3/2000-02-04"),
                         QStringLiteral("mdm"));
    m_xml.writeStartElement(
        QStringLiteral("http://www.spss.com/mr/dm/metadatamodel/Arc 3/2000-02-04"),
        QStringLiteral("metadata"));
    m_xml.writeAttribute(QStringLiteral("mdm_createversion"), QStringLiteral("7.0.1.0"));
    m_xml.writeAttribute(QStringLiteral("data_version"), QStringLiteral("9"));
    m_xml.writeEmptyElement(QStringLiteral("properties"));

    m_xml.writeStartElement(QStringLiteral("definition"));
    std::vector<QString> prefixes(static_cast<size_t>(m_questionnaire.GetNbreQuestion()));
    for (int i = 0; i < m_questionnaire.GetNbreQuestion(); ++i) {
        const CQuestion& question = *m_questionnaire.GetQuestion(i);
        const int parent = m_questionnaire.GetParentQuestion(i);
        if (parent >= 0)
            prefixes[static_cast<size_t>(i)] = prefixes[static_cast<size_t>(parent)] +
                                               m_questionnaire.GetQuestion(parent)->GetShortcut() +
                                               QLatin1Char('.');
        if (question.GetTypeElement() == ElementQuestion)
            WriteDefinition(question, prefixes[static_cast<size_t>(i)] + question.GetShortcut());
    }
    m_xml.writeEndElement();

    m_xml.writeStartElement(QStringLiteral("design"));
    m_xml.writeStartElement(QStringLiteral("fields"));
    m_xml.writeAttribute(QStringLiteral("name"), QStringLiteral("@fields"));
    for (int i = 0; i < m_questionnaire.GetNbreQuestion();)
        i = WriteDesign(i, QString());
    m_xml.writeEndElement();
    m_xml.writeEndElement();

    m_xml.writeStartElement(QStringLiteral("languages"));
    m_xml.writeAttribute(QStringLiteral("base"),
                         MddLanguageName(m_questionnaire.GetDefaultLanguageId()));
    for (int i = 0; i < m_questionnaire.GetLanguageCount(); ++i) {
        const int id = m_questionnaire.GetLanguage(i)->GetId();
        m_xml.writeEmptyElement(QStringLiteral("language"));
        m_xml.writeAttribute(QStringLiteral("name"), MddLanguageName(id));
        m_xml.writeAttribute(QStringLiteral("id"),
                             QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')));
    }
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("contexts"));
    m_xml.writeAttribute(QStringLiteral("base"), QStringLiteral("Analysis"));
    m_xml.writeStartElement(QStringLiteral("context"));
    m_xml.writeAttribute(QStringLiteral("name"), QStringLiteral("ANALYSIS"));
    m_xml.writeStartElement(QStringLiteral("alternatives"));
    m_xml.writeEmptyElement(QStringLiteral("alternative"));
    m_xml.writeAttribute(QStringLiteral("name"), QStringLiteral("QUESTION"));
    m_xml.writeEndElement();
    m_xml.writeEndElement();
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("categorymap"));
    for (const QString& name : m_categoryOrder) {
        m_xml.writeEmptyElement(QStringLiteral("categoryid"));
        m_xml.writeAttribute(QStringLiteral("name"), name);
        m_xml.writeAttribute(QStringLiteral("value"),
                             QString::number(m_categoryValues.value(name)));
    }
    m_xml.writeEndElement();
    m_xml.writeEndElement();
    m_xml.writeEndElement();
    m_xml.writeEndDocument();
    error = m_error;
    return m_error.isEmpty();
}

} // namespace

QByteArray WriteDimensionsDocument(const CQuestionnaire& questionnaire, QString& error)
{
    QByteArray out;
    CDimensionsWriter writer(questionnaire, out);
    if (!writer.Write(error))
        return QByteArray();
    return out;
}
