#include "QuestionnaireDump.h"

#include "questionnaire/Questionnaire.h"

#include <QStringList>

using namespace qnr;

namespace {

QString Quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    escaped.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    escaped.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    escaped.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString Number(double value)
{
    return QString::number(value, 'g', 15);
}

QString Versions(const std::vector<int>& versions)
{
    QStringList texts;
    for (int version : versions)
        texts.append(QString::number(version));
    return texts.isEmpty() ? QStringLiteral("-") : texts.join(QLatin1Char(';'));
}

QString Flags(const CQuestion& question)
{
    QStringList flags;
    if (question.EstMultiple())
        flags << QStringLiteral("multiple");
    if (question.EstEchelle())
        flags << QStringLiteral("scale");
    if (question.EstClasse())
        flags << QStringLiteral("ranked");
    if (question.EstNonReponse())
        flags << QStringLiteral("dontknow");
    if (question.EstSemiOuverte())
        flags << QStringLiteral("semiopen");
    if (question.IsLevelLink())
        flags << QStringLiteral("levellink");
    if (question.IsProbabilityQuestion())
        flags << QStringLiteral("probability");
    if (question.IsDevelopperNiveau())
        flags << QStringLiteral("developlevels");
    return flags.isEmpty() ? QStringLiteral("-") : flags.join(QLatin1Char(','));
}

} // namespace

QString DumpQuestionnaire(const CQuestionnaire& questionnaire)
{
    QStringList lines;
    lines << QStringLiteral("questions: %1").arg(questionnaire.GetNbreQuestion());
    lines << QStringLiteral("default language: %1").arg(questionnaire.GetDefaultLanguageId());
    for (int i = 0; i < questionnaire.GetLanguageCount(); ++i) {
        const CLanguage& language = *questionnaire.GetLanguage(i);
        lines << QStringLiteral("language %1 %2 %3")
                     .arg(language.GetId())
                     .arg(Quoted(language.GetAbbreviation()), Quoted(language.GetName()));
    }
    for (int i = 0; i < questionnaire.GetVersionCount(); ++i) {
        const CVersion& version = *questionnaire.GetVersion(i);
        lines << QStringLiteral("version %1 %2 %3")
                     .arg(version.GetId())
                     .arg(Quoted(version.GetShortCaption()), Quoted(version.GetLongCaption()));
    }
    for (int i = 0; i < questionnaire.GetQuestionClassCount(); ++i) {
        const CQuestionClass& questionClass = *questionnaire.GetQuestionClass(i);
        lines << QStringLiteral("class %1 %2")
                     .arg(questionClass.GetId())
                     .arg(Quoted(questionClass.GetCaption()));
    }
    for (int i = 0; i < questionnaire.GetNbreQuestion(); ++i) {
        const CQuestion& question = *questionnaire.GetQuestion(i);
        const CQuestion* parent = questionnaire.GetQuestion(questionnaire.GetParentQuestion(i));
        const CQuestionClass* questionClass =
            questionnaire.GetQuestionClass(question.GetQuestionClass());
        lines << QStringLiteral("question %1 code=%2 shortcut=%3 element=%4 type=%5 indent=%6 "
                                "parent=%7")
                     .arg(i)
                     .arg(question.GetCodeQuestion())
                     .arg(Quoted(question.GetShortcut()))
                     .arg(question.GetTypeElement())
                     .arg(question.GetTypeQuestion())
                     .arg(question.GetIndent())
                     .arg(parent ? QString::number(parent->GetCodeQuestion())
                                 : QStringLiteral("-"));
        lines << QStringLiteral("  flags=%1 date=%2 maxresponses=%3 decimals=%4 min=%5 max=%6 "
                                "source=%7 class=%8 versions=%9")
                     .arg(Flags(question))
                     .arg(question.GetDateType())
                     .arg(question.GetNbMaxReponse())
                     .arg(question.GetNbreDecimal())
                     .arg(Number(question.GetBorneMin()), Number(question.GetBorneMax()))
                     .arg(question.GetCodeQuestionSource())
                     .arg(questionClass ? QString::number(questionClass->GetId())
                                        : QStringLiteral("-"))
                     .arg(Versions(question.GetVersions()));
        if (!question.GetUserData().isEmpty())
            lines << QStringLiteral("  userdata=%1").arg(Quoted(question.GetUserData()));
        for (const CLocalisedTexts::SEntry& entry : question.GetCaptions().GetEntries()) {
            lines << QStringLiteral("  caption %1 short=%2 long=%3")
                         .arg(entry.languageId)
                         .arg(Quoted(entry.shortCaption), Quoted(entry.longCaption));
        }
        for (int r = 0; r < question.GetNbreModalite(); ++r) {
            const CModalite& response = *question.GetModalite(r);
            QString line = QStringLiteral("  response code=%1 entry=%2 value=%3 exclusive=%4 "
                                          "rotation=%5 versions=%6")
                               .arg(response.GetCode())
                               .arg(Quoted(response.GetEntryCode()), Number(response.GetValue()))
                               .arg(response.IsExclusive() ? 1 : 0)
                               .arg(response.GetRotationBehaviour())
                               .arg(Versions(response.GetVersions()));
            if (!response.GetUserData().isEmpty())
                line += QStringLiteral(" userdata=%1").arg(Quoted(response.GetUserData()));
            lines << line;
            for (const CLocalisedTexts::SEntry& entry : response.GetCaptions().GetEntries())
                lines << QStringLiteral("    caption %1 %2")
                             .arg(entry.languageId)
                             .arg(Quoted(entry.shortCaption));
        }
    }
    for (int i = 0; i < questionnaire.GetInterviewCount(); ++i) {
        const CInterview& interview = *questionnaire.GetInterview(i);
        QStringList answers;
        for (const auto& [code, answer] : interview.GetAnswers())
            answers << QStringLiteral("%1=%2").arg(code).arg(Quoted(answer));
        lines << QStringLiteral("interview %1 %2").arg(interview.GetId()).arg(answers.join(' '));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
