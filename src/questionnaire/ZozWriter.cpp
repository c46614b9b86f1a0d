#include "questionnaire/ZozWriter.h"

#include "questionnaire/Questionnaire.h"

#include <QFile>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace qnr {

namespace {

QString JoinVersions(const std::vector<int>& versions)
{
    QStringList texts;
    for (int version : versions)
        texts.append(QString::number(version));
    return texts.join(QLatin1Char(';'));
}

QString NumberText(double value)
{
    return QString::number(value, 'g', 17);
}

// Attributes equal to the reader's defaults are left out, to keep documents short.
void WriteInt(QXmlStreamWriter& xml, const char* name, int value, int defaultValue)
{
    if (value != defaultValue)
        xml.writeAttribute(QLatin1String(name), QString::number(value));
}

void WriteFlag(QXmlStreamWriter& xml, const char* name, bool value)
{
    if (value)
        xml.writeAttribute(QLatin1String(name), QStringLiteral("1"));
}

void WriteDouble(QXmlStreamWriter& xml, const char* name, double value)
{
    if (value != 0.0)
        xml.writeAttribute(QLatin1String(name), NumberText(value));
}

void WriteVersions(QXmlStreamWriter& xml, const std::vector<int>& versions)
{
    if (!versions.empty())
        xml.writeAttribute(QStringLiteral("versions"), JoinVersions(versions));
}

void WriteTextElement(QXmlStreamWriter& xml, const char* name, const QString& text)
{
    if (!text.isEmpty())
        xml.writeTextElement(QLatin1String(name), text);
}

void WriteResponse(QXmlStreamWriter& xml, const CModalite& response)
{
    xml.writeStartElement(QStringLiteral("response"));
    xml.writeAttribute(QStringLiteral("code"), QString::number(response.GetCode()));
    if (!response.GetEntryCode().isEmpty())
        xml.writeAttribute(QStringLiteral("entry"), response.GetEntryCode());
    WriteDouble(xml, "value", response.GetValue());
    WriteFlag(xml, "exclusive", response.IsExclusive());
    WriteInt(xml, "rotation", response.GetRotationBehaviour(), RotationAuthorised);
    WriteVersions(xml, response.GetVersions());
    for (const CLocalisedTexts::SEntry& entry : response.GetCaptions().GetEntries()) {
        xml.writeStartElement(QStringLiteral("caption"));
        xml.writeAttribute(QStringLiteral("lang"), QString::number(entry.languageId));
        xml.writeCharacters(entry.shortCaption);
        xml.writeEndElement();
    }
    WriteTextElement(xml, "userdata", response.GetUserData());
    xml.writeEndElement();
}

void WriteQuestion(QXmlStreamWriter& xml, const CQuestionnaire& questionnaire,
                   const CQuestion& question)
{
    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("code"), QString::number(question.GetCodeQuestion()));
    xml.writeAttribute(QStringLiteral("shortcut"), question.GetShortcut());
    WriteInt(xml, "element", question.GetTypeElement(), ElementQuestion);
    WriteInt(xml, "type", question.GetTypeQuestion(), QuestionNone);
    WriteInt(xml, "indent", question.GetIndent(), 1);
    WriteInt(xml, "datetype", question.GetDateType(), DateNone);
    WriteInt(xml, "maxresponses", question.GetNbMaxReponse(), 0);
    WriteInt(xml, "decimals", question.GetNbreDecimal(), 0);
    WriteDouble(xml, "min", question.GetBorneMin());
    WriteDouble(xml, "max", question.GetBorneMax());
    WriteFlag(xml, "dontknow", question.EstNonReponse());
    WriteFlag(xml, "semiopen", question.EstSemiOuverte());
    WriteFlag(xml, "scale", question.EstEchelle());
    WriteFlag(xml, "multiple", question.EstMultiple());
    WriteFlag(xml, "ranked", question.EstClasse());
    WriteFlag(xml, "levellink", question.IsLevelLink());
    WriteFlag(xml, "probability", question.IsProbabilityQuestion());
    WriteFlag(xml, "developlevels", question.IsDevelopperNiveau());
    WriteInt(xml, "source", question.GetCodeQuestionSource(), -1);
    if (const CQuestionClass* questionClass =
            questionnaire.GetQuestionClass(question.GetQuestionClass()))
        xml.writeAttribute(QStringLiteral("class"), QString::number(questionClass->GetId()));
    WriteVersions(xml, question.GetVersions());
    for (const CLocalisedTexts::SEntry& entry : question.GetCaptions().GetEntries()) {
        xml.writeStartElement(QStringLiteral("caption"));
        xml.writeAttribute(QStringLiteral("lang"), QString::number(entry.languageId));
        WriteTextElement(xml, "short", entry.shortCaption);
        WriteTextElement(xml, "long", entry.longCaption);
        xml.writeEndElement();
    }
    WriteTextElement(xml, "userdata", question.GetUserData());
    for (int i = 0; i < question.GetNbreModalite(); ++i)
        WriteResponse(xml, *question.GetModalite(i));
    xml.writeEndElement();
}

} // namespace

QByteArray WriteZozDocument(const CQuestionnaire& questionnaire)
{
    QByteArray document;
    QXmlStreamWriter xml(&document);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("zoz"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));

    xml.writeStartElement(QStringLiteral("languages"));
    if (questionnaire.GetLanguageCount() > 0)
        xml.writeAttribute(QStringLiteral("default"),
                           QString::number(questionnaire.GetDefaultLanguageId()));
    for (int i = 0; i < questionnaire.GetLanguageCount(); ++i) {
        const CLanguage& language = *questionnaire.GetLanguage(i);
        xml.writeStartElement(QStringLiteral("language"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(language.GetId()));
        // The table gives known languages their texts; others keep theirs in the file.
        const CLanguage known(language.GetId());
        if (language.GetName() != known.GetName())
            xml.writeAttribute(QStringLiteral("name"), language.GetName());
        if (language.GetAbbreviation() != known.GetAbbreviation())
            xml.writeAttribute(QStringLiteral("abbreviation"), language.GetAbbreviation());
        xml.writeEndElement();
    }
    xml.writeEndElement();

    if (questionnaire.GetVersionCount() > 0) {
        xml.writeStartElement(QStringLiteral("versions"));
        for (int i = 0; i < questionnaire.GetVersionCount(); ++i) {
            const CVersion& version = *questionnaire.GetVersion(i);
            xml.writeStartElement(QStringLiteral("version"));
            xml.writeAttribute(QStringLiteral("id"), QString::number(version.GetId()));
            xml.writeAttribute(QStringLiteral("short"), version.GetShortCaption());
            xml.writeAttribute(QStringLiteral("long"), version.GetLongCaption());
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    if (questionnaire.GetQuestionClassCount() > 0) {
        xml.writeStartElement(QStringLiteral("classes"));
        for (int i = 0; i < questionnaire.GetQuestionClassCount(); ++i) {
            const CQuestionClass& questionClass = *questionnaire.GetQuestionClass(i);
            xml.writeStartElement(QStringLiteral("class"));
            xml.writeAttribute(QStringLiteral("id"), QString::number(questionClass.GetId()));
            xml.writeAttribute(QStringLiteral("caption"), questionClass.GetCaption());
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }

    xml.writeStartElement(QStringLiteral("questions"));
    for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i)
        WriteQuestion(xml, questionnaire, *questionnaire.GetQuestion(i));
    xml.writeEndElement();

    if (questionnaire.GetInterviewCount() > 0) {
        xml.writeStartElement(QStringLiteral("interviews"));
        for (int i = 0; i < questionnaire.GetInterviewCount(); ++i) {
            const CInterview& interview = *questionnaire.GetInterview(i);
            xml.writeStartElement(QStringLiteral("interview"));
            xml.writeAttribute(QStringLiteral("id"), QString::number(interview.GetId()));
            for (const auto& [code, answer] : interview.GetAnswers()) {
                xml.writeStartElement(QStringLiteral("answer"));
                xml.writeAttribute(QStringLiteral("question"), QString::number(code));
                xml.writeCharacters(answer);
                xml.writeEndElement();
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return document;
}

bool WriteZozFile(const CQuestionnaire& questionnaire, const QString& path, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("\"%1\" cannot be written: %2.").arg(path, file.errorString());
        return false;
    }
    file.write(WriteZozDocument(questionnaire));
    if (!file.commit()) {
        error = QStringLiteral("\"%1\" cannot be written: %2.").arg(path, file.errorString());
        return false;
    }
    error.clear();
    return true;
}

} // namespace qnr
