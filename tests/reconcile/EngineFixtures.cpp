#include "EngineFixtures.h"

#include "model/RecordMakers.h"

#include <QRegularExpression>

using namespace pelko_wave;

namespace engine_test {

CWave* AddWave(CCampaign& campaign, int waveId)
{
    auto wave = std::make_unique<CWave>();
    wave->SetWaveId(waveId);
    wave->SetWaveOrder(campaign.GetWaveCount() + 1);
    wave->SetName(QStringLiteral("W%1").arg(waveId));
    CWave* raw = wave.get();
    campaign.InsertWave(std::move(wave));
    return raw;
}

CVolume* AddVolume(CCampaign& campaign, CWave& wave, int volumeId,
                   const QList<quint32>& questionMethods, const QList<quint32>& responseMethods,
                   int parentId)
{
    auto volume = std::make_unique<CVolume>();
    volume->SetVolumeId(volumeId);
    volume->SetName(QStringLiteral("V%1").arg(volumeId));
    volume->SetWaveId(wave.GetWaveId());
    volume->SetInheritsFromVolumeId(parentId < 0 ? volumeId : parentId);
    volume->SetQuestionMatchingMethods(questionMethods);
    volume->SetResponseMatchingMethods(responseMethods);
    CVolume* raw = volume.get();
    wave.AddVolume(std::move(volume));
    if (parentId >= 0) {
        CVolume* parent = campaign.FindVolume(parentId);
        raw->SetParent(parent);
        parent->AddChildVolume(raw);
    }
    raw->GetQuestionnaire().AddLanguage(qnr::CLanguage(kLanguage));
    raw->GetQuestionnaire().SetDefaultLanguageId(kLanguage);
    return raw;
}

CQuestion* AddQuestion(CCampaign& campaign, int questionId, const QString& shortcut,
                       const QString& shortCaption, int appearanceVolumeId, int questionType,
                       int elementType, int indent)
{
    auto question = std::make_unique<CQuestion>();
    question->SetQuestionId(questionId);
    question->SetOrder(campaign.GetQuestionCount());
    question->SetShortcut(shortcut);
    question->SetQuestionType(questionType);
    question->SetElementType(elementType);
    question->SetIndent(indent);
    question->SetAppearanceVolumeId(appearanceVolumeId);
    question->SetDeletionWaveId(NO_WAVE_ID);
    question->SetShortCaption(kLanguage, shortCaption);
    CQuestion* raw = question.get();
    campaign.InsertQuestion(std::move(question));
    return raw;
}

CModality* AddResponse(CCampaign& campaign, CQuestion& question, int modalityId,
                       const QString& caption, const QString& entryCode)
{
    auto modality = std::make_unique<CModality>();
    modality->SetModalityId(modalityId);
    modality->SetQuestionId(question.GetQuestionId());
    modality->SetModalityOrder(question.GetModalityCount());
    modality->SetEntryCode(entryCode);
    modality->SetAppearanceVolumeId(question.GetAppearanceVolumeId());
    modality->SetDeletionWaveId(NO_WAVE_ID);
    modality->SetShortCaption(kLanguage, caption);
    CModality* raw = modality.get();
    campaign.AddModality(std::move(modality));
    question.InsertModality(raw);
    return raw;
}

void AddResponses(CCampaign& campaign, CQuestion& question, int firstId,
                  const QStringList& captions)
{
    for (const QString& caption : captions)
        AddResponse(campaign, question, firstId++, caption);
}

qnr::CQuestion* AddSourceQuestion(CVolume& volume, int code, const QString& shortcut,
                                  const QString& shortCaption, int questionType, int elementType,
                                  int indent)
{
    auto question = std::make_unique<qnr::CQuestion>();
    question->SetCodeQuestion(code);
    question->SetShortcut(shortcut);
    question->SetTypeQuestion(questionType);
    question->SetTypeElement(elementType);
    question->SetIndent(indent);
    question->SetCaptions(kLanguage, shortCaption, shortCaption);
    qnr::CQuestion* raw = volume.GetQuestionnaire().AddQuestion(std::move(question));
    volume.GetQuestionnaire().PreparerSaisie();
    return raw;
}

qnr::CModalite* AddSourceResponse(qnr::CQuestion& question, int code, const QString& caption,
                                  const QString& entryCode)
{
    auto response = std::make_unique<qnr::CModalite>();
    response->SetCode(code);
    response->SetEntryCode(entryCode);
    response->SetShortCaption(kLanguage, caption);
    return question.AddModalite(std::move(response));
}

void AddSourceResponses(qnr::CQuestion& question, int firstCode, const QStringList& captions)
{
    for (const QString& caption : captions)
        AddSourceResponse(question, firstCode++, caption);
}

void MatchQuestion(CVolume& volume, int questionId, int sourceCode)
{
    volume.AddQuestionMatching(
        MakeQuestionMatching(questionId, QString::number(sourceCode), volume));
}

void MatchResponse(CVolume& volume, int questionId, int modalityId, int sourceCode)
{
    auto matching = std::make_unique<CModalityMatching>();
    matching->SetModalityId(modalityId);
    matching->SetQuestionId(questionId);
    matching->SetVolumeId(volume.GetVolumeId());
    matching->SetModalitySourceId(QString::number(sourceCode));
    matching->SetStartVolumeId(volume.GetVolumeId());
    matching->SetEndVolumeId(OPEN_END_ID);
    volume.AddModalityMatching(std::move(matching));
}

QStringList NewQuestionPairs(const CVolume& volume)
{
    QStringList pairs;
    const QMap<int, QString>& made = volume.GetQuestionIndex().NewMatchings;
    for (auto it = made.constBegin(); it != made.constEnd(); ++it)
        pairs.append(QStringLiteral("%1>%2").arg(it.key()).arg(it.value()));
    return pairs;
}

QStringList NewResponsePairs(const CQuestion& question)
{
    QStringList pairs;
    const QMap<int, QString>& made = question.GetResponseIndex().NewMatchings;
    for (auto it = made.constBegin(); it != made.constEnd(); ++it)
        pairs.append(QStringLiteral("%1>%2").arg(it.key()).arg(it.value()));
    return pairs;
}

SReconcileRun MakeRun(CCampaign& campaign, int waveId, SReconcileResults& results, QString& report)
{
    SReconcileRun run;
    run.Campaign = &campaign;
    run.Wave = campaign.FindWave(waveId);
    run.Results = &results;
    run.Report = &report;
    return run;
}

QStringList ReportLines(const QString& report)
{
    static const QRegularExpression paragraph(
        QStringLiteral("<p class = \"([^\"]*)\"/>\n([^\n]*)\n"));
    QStringList lines;
    for (auto it = paragraph.globalMatch(report); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        lines.append(match.captured(1) + u'|' + match.captured(2));
    }
    return lines;
}

} // namespace engine_test
