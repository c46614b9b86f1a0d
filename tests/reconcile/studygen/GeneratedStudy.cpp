#include "GeneratedStudy.h"

#include "support/TestWaveApp.h"

#include "model/Campaign.h"
#include "model/RecordMakers.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/WaveReconciliation.h"

#include <QStringList>
#include <random>
#include <vector>

using namespace pelko_wave;

namespace {

constexpr int kLanguage = 1033;

const char* const kWords[] = {
    "coffee", "shop",    "visit",  "brand",   "service", "price",  "quality",  "friendly",
    "staff",  "clean",   "fast",   "slow",    "often",   "month",  "week",     "drink",
    "cup",    "milk",    "sugar",  "tea",     "cake",    "seat",   "music",    "queue",
    "order",  "app",     "card",   "loyalty", "points",  "advert", "seen",     "heard",
    "rating", "overall", "friend", "family",  "work",    "home",   "morning",  "evening",
    "city",   "north",   "south",  "east",    "west",    "young",  "income",   "household",
    "size",   "age",     "region", "open",    "time",    "day",    "takeaway", "latte",
};

class CTextMaker
{
public:
    explicit CTextMaker(unsigned seed) : m_random(seed) {}

    int Number(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    QString Word() { return QString::fromLatin1(kWords[Number(0, int(std::size(kWords)) - 1)]); }
    QString Words(int low, int high)
    {
        QStringList words;
        for (int n = Number(low, high); n > 0; --n)
            words << Word();
        return words.join(u' ');
    }
    // The text with one of its words replaced.
    QString ChangeOneWord(const QString& text)
    {
        QStringList words = text.split(u' ');
        words[Number(0, int(words.size()) - 1)] = Word();
        return words.join(u' ');
    }

private:
    std::mt19937 m_random;
};

struct SQuestionText
{
    QString Shortcut;
    QString ShortCaption;
    QString LongCaption;
    QStringList Responses;
};

struct SSourceQuestion
{
    int Code = 0;
    SQuestionText Text;
};

// A volume of the wave with an empty questionnaire in the study's language: a root, or
// inheriting from the parent.
CVolume* AddVolume(CWave& wave, int volumeId, CVolume* parent = nullptr)
{
    auto volume = std::make_unique<CVolume>();
    volume->SetVolumeId(volumeId);
    volume->SetName(QStringLiteral("V%1").arg(volumeId));
    volume->SetWaveId(wave.GetWaveId());
    volume->SetInheritsFromVolumeId(parent ? parent->GetVolumeId() : volumeId);
    CVolume* raw = volume.get();
    wave.AddVolume(std::move(volume));
    if (parent) {
        raw->SetParent(parent);
        parent->AddChildVolume(raw);
    }
    qnr::CQuestionnaire& questionnaire = raw->GetQuestionnaire();
    questionnaire.AddLanguage(qnr::CLanguage(kLanguage));
    questionnaire.SetDefaultLanguageId(kLanguage);
    return raw;
}

CWave* AddWave(CCampaign& campaign, int waveId)
{
    auto wave = std::make_unique<CWave>();
    wave->SetWaveId(waveId);
    wave->SetWaveOrder(waveId);
    wave->SetName(QStringLiteral("W%1").arg(waveId));
    CWave* raw = wave.get();
    campaign.InsertWave(std::move(wave));
    return raw;
}

void AddCampaignQuestion(CCampaign& campaign, CVolume& volume, int id, const SQuestionText& text,
                         int& nextModalityId)
{
    auto question = std::make_unique<CQuestion>();
    question->SetQuestionId(id);
    question->SetOrder(campaign.GetQuestionCount());
    question->SetShortcut(text.Shortcut);
    question->SetElementType(1);
    question->SetQuestionType(1);
    question->SetIndent(1);
    question->SetAppearanceVolumeId(volume.GetVolumeId());
    question->SetDeletionWaveId(NO_WAVE_ID);
    question->SetShortCaption(kLanguage, text.ShortCaption);
    question->SetLongCaption(kLanguage, text.LongCaption);
    CQuestion* raw = question.get();
    campaign.InsertQuestion(std::move(question));
    volume.AddQuestionMatching(MakeQuestionMatching(id, QString::number(id), volume));

    for (int r = 0; r < text.Responses.size(); ++r) {
        auto modality = std::make_unique<CModality>();
        modality->SetModalityId(nextModalityId++);
        modality->SetQuestionId(id);
        modality->SetModalityOrder(r);
        modality->SetEntryCode(QString::number(r + 1));
        modality->SetAppearanceVolumeId(volume.GetVolumeId());
        modality->SetDeletionWaveId(NO_WAVE_ID);
        modality->SetShortCaption(kLanguage, text.Responses[r]);
        CModality* response = modality.get();
        campaign.AddModality(std::move(modality));
        raw->InsertModality(response);
        volume.AddModalityMatching(
            MakeModalityMatching(response->GetModalityId(), QString::number(r + 1), volume, *raw));
    }
}

void AddSourceQuestion(qnr::CQuestionnaire& questionnaire, int code, const SQuestionText& text)
{
    auto question = std::make_unique<qnr::CQuestion>();
    question->SetCodeQuestion(code);
    question->SetShortcut(text.Shortcut);
    question->SetTypeElement(1);
    question->SetTypeQuestion(1);
    question->SetIndent(1);
    question->SetCaptions(kLanguage, text.LongCaption, text.ShortCaption);
    for (int r = 0; r < text.Responses.size(); ++r) {
        auto response = std::make_unique<qnr::CModalite>();
        response->SetCode(r + 1);
        response->SetEntryCode(QString::number(r + 1));
        response->SetShortCaption(kLanguage, text.Responses[r]);
        question->AddModalite(std::move(response));
    }
    questionnaire.AddQuestion(std::move(question));
}

} // namespace

SGeneratedStudyShape GetReconcileWaveBenchmarkShape()
{
    SGeneratedStudyShape shape;
    shape.CampaignQuestions = 5000;
    shape.Volumes = 3;
    shape.SourceQuestionsPerVolume = 2000;
    shape.ResponsesPerQuestion = 10;
    shape.QuestionMethods = {{1, 2, 3}};
    shape.ResponseMethods = {{2, 1}};
    shape.Strict = {false, false, true};
    return shape;
}

SGeneratedStudyShape GetScaledReconcileWaveShape(int campaignQuestions)
{
    SGeneratedStudyShape shape = GetReconcileWaveBenchmarkShape();
    shape.SourceQuestionsPerVolume =
        int(qint64(shape.SourceQuestionsPerVolume) * campaignQuestions / shape.CampaignQuestions);
    shape.CampaignQuestions = campaignQuestions;
    return shape;
}

SGeneratedStudyShape GetInheritingWaveBenchmarkShape()
{
    SGeneratedStudyShape shape = GetReconcileWaveBenchmarkShape();
    shape.Waves = 11;
    return shape;
}

void BuildGeneratedStudy(CTestWaveApp& app, const SGeneratedStudyShape& shape)
{
    CCampaign& campaign = *app.Campaign;
    CTextMaker maker(shape.Seed);
    auto language = std::make_unique<CLanguage>(kLanguage);
    language->SetIsDefault(1);
    campaign.AddLanguage(std::move(language));

    const auto newText = [&](const QString& prefix) {
        SQuestionText text;
        text.Shortcut = QStringLiteral("%1_%2").arg(prefix, maker.Word());
        text.ShortCaption = maker.Words(2, 5);
        text.LongCaption = maker.Words(6, 12);
        for (int r = 0; r < shape.ResponsesPerQuestion; ++r)
            text.Responses << maker.Words(1, 3);
        return text;
    };

    // Wave 1: the volume in which every campaign question appeared.
    CVolume* first = AddVolume(*AddWave(campaign, 1), 1);
    first->SetStatus(VOLUME_RECONCILED);
    QList<SQuestionText> campaignTexts;
    int nextModalityId = 1;
    for (int i = 0; i < shape.CampaignQuestions; ++i) {
        campaignTexts << newText(QStringLiteral("Q%1").arg(i + 1));
        AddCampaignQuestion(campaign, *first, i + 2, campaignTexts.last(), nextModalityId);
    }

    // Wave 2: each volume takes its own share of the campaign questions, copied, changed a
    // little or replaced by new ones.
    CWave* wave = AddWave(campaign, 2);
    const int share = shape.Volumes > 0 ? shape.CampaignQuestions / shape.Volumes : 0;
    const auto setOptions = [&shape](CVolume& volume, int v) {
        volume.SetQuestionMatchingMethods(
            shape.QuestionMethods.value(v % shape.QuestionMethods.size()));
        volume.SetResponseMatchingMethods(
            shape.ResponseMethods.value(v % shape.ResponseMethods.size()));
        volume.SetIsMatchingStrict(shape.Strict.value(v % shape.Strict.size()) ? 1 : 0);
    };
    // Per volume place, the source questions of the latest wave, and the last code given.
    std::vector<QList<SSourceQuestion>> sources(size_t(std::max(shape.Volumes, 0)));
    std::vector<int> lastCodes(sources.size(), 0);
    std::vector<CVolume*> previous(sources.size(), nullptr);
    for (int v = 0; v < shape.Volumes; ++v) {
        CVolume* volume = AddVolume(*wave, v + 2);
        previous[size_t(v)] = volume;
        setOptions(*volume, v);
        qnr::CQuestionnaire& questionnaire = volume->GetQuestionnaire();
        for (int j = 0; j < shape.SourceQuestionsPerVolume; ++j) {
            const int kind = maker.Number(0, 99);
            const int base = share > 0 ? v * share + maker.Number(0, share - 1) : 0;
            SQuestionText text;
            if (kind < 20 || campaignTexts.isEmpty()) {
                text = newText(QStringLiteral("N%1_%2").arg(v + 1).arg(j + 1));
            } else {
                text = campaignTexts[base];
                if (kind < 45) {
                    text.Shortcut += maker.Word().left(1);
                    text.ShortCaption = maker.ChangeOneWord(text.ShortCaption);
                    text.LongCaption = maker.ChangeOneWord(text.LongCaption);
                    const int changed = maker.Number(0, int(text.Responses.size()) - 1);
                    if (!text.Responses.isEmpty())
                        text.Responses[changed] = maker.ChangeOneWord(text.Responses[changed]);
                    if (text.Responses.size() > 1)
                        text.Responses.swapItemsAt(0, text.Responses.size() - 1);
                }
            }
            const int code = 100000 * (v + 1) + j + 1;
            AddSourceQuestion(questionnaire, code, text);
            sources[size_t(v)].append({code, text});
            lastCodes[size_t(v)] = code;
        }
        questionnaire.PreparerSaisie();
    }

    // The later waves: each volume inherits from the one at its place in the wave before and
    // carries its questionnaire on, evolved.
    int volumeId = shape.Volumes + 2;
    for (int waveId = 3; waveId <= shape.Waves; ++waveId) {
        CWave* later = AddWave(campaign, waveId);
        for (int v = 0; v < shape.Volumes; ++v) {
            CVolume* volume = AddVolume(*later, volumeId++, previous[size_t(v)]);
            previous[size_t(v)] = volume;
            setOptions(*volume, v);
            QList<SSourceQuestion> evolved;
            for (SSourceQuestion source : std::as_const(sources[size_t(v)])) {
                const int kind = maker.Number(0, 99);
                if (kind < 3)
                    continue; // dropped
                if (kind < 8) {
                    source.Text.ShortCaption = maker.ChangeOneWord(source.Text.ShortCaption);
                    source.Text.LongCaption = maker.ChangeOneWord(source.Text.LongCaption);
                    if (!source.Text.Responses.isEmpty()) {
                        QString& response =
                            source.Text
                                .Responses[maker.Number(0, int(source.Text.Responses.size()) - 1)];
                        response = maker.ChangeOneWord(response);
                    }
                } else if (kind < 10) {
                    source.Text.Shortcut += maker.Word().left(2);
                }
                evolved.append(source);
                if (maker.Number(0, 99) < 3)
                    evolved.append(
                        {++lastCodes[size_t(v)], newText(QStringLiteral("W%1_%2_%3")
                                                             .arg(waveId)
                                                             .arg(v + 1)
                                                             .arg(lastCodes[size_t(v)] % 100000))});
            }
            qnr::CQuestionnaire& questionnaire = volume->GetQuestionnaire();
            for (const SSourceQuestion& source : std::as_const(evolved))
                AddSourceQuestion(questionnaire, source.Code, source.Text);
            questionnaire.PreparerSaisie();
            sources[size_t(v)] = evolved;
        }
    }
}

bool ReconcileGeneratedWaves(int lastWaveId)
{
    for (int waveId = 2; waveId <= lastWaveId; ++waveId) {
        ReconcileResultsMap results;
        QString report;
        if (!ReconcileWave(waveId, results, report, {}))
            return false;
    }
    return true;
}
