#include "CommandTestSupport.h"
#include "SampleStudyFile.h"

#include "commands/CampaignValidation.h"
#include "commands/DuplicateCommands.h"
#include "commands/MatchingCommands.h"
#include "commands/MetaCommands.h"
#include "commands/OrderCommands.h"
#include "commands/PlaceHolderCommands.h"
#include "commands/PropertyCommands.h"
#include "commands/QuestionCommands.h"
#include "commands/ReconcileCommands.h"
#include "commands/RematchCommands.h"
#include "commands/UnreconcileCommands.h"
#include "commands/VolumeCommands.h"
#include "commands/WaveCommands.h"
#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/QuestionnaireLoading.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/SourceComparison.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QScopeGuard>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <set>

using namespace pelko_wave;
using namespace command_test;

namespace {

// Builds commands of every kind on the campaign as it is at the moment, with targets and values
// drawn from a seeded generator: the same seed gives the same sequence.
class CCommandGenerator
{
public:
    CCommandGenerator(CCampaign& campaign, unsigned seed) : m_campaign(campaign), m_random(seed) {}

    using Maker = std::function<std::unique_ptr<CCmdVirtual>(CCommandGenerator&)>;
    // A step of several commands that the application runs one after another under one group
    // id, as the left view adds a volume; whether every command succeeded.
    using GroupStep = std::function<bool(CWaveApp&)>;

    // A new command, or null when the kind drawn finds nothing to work on. The kind "validate"
    // gives no command: the caller runs the validation on Lists() instead; a kind that is a
    // group of commands gives none either, but the step in group.
    std::unique_ptr<CCmdVirtual> Next(QString& kind, GroupStep& group)
    {
        static const std::vector<int> weights = [] {
            std::vector<int> list;
            for (const SKind& kind : Kinds())
                list.push_back(kind.Weight);
            return list;
        }();
        const SKind& drawn =
            Kinds()[std::discrete_distribution<size_t>(weights.begin(), weights.end())(m_random)];
        kind = QString::fromLatin1(drawn.Name);
        m_group = nullptr;
        std::unique_ptr<CCmdVirtual> command = drawn.Make ? drawn.Make(*this) : nullptr;
        group = std::move(m_group);
        return command;
    }

    // A kind of step, drawn as often as its weight says.
    struct SKind
    {
        const char* Name;
        Maker Make;
        int Weight = 2;
    };

    // Every kind of command the generator draws. Reconciling is drawn most, so that the volumes
    // added come to be shown and worked on; removing least, so that the campaign keeps some
    // waves to work on.
    static const std::vector<SKind>& Kinds()
    {
        static const std::vector<SKind> kinds = {
            {"change question", &CCommandGenerator::ChangeQuestion},
            {"change question caption", &CCommandGenerator::ChangeQuestionCaption},
            {"change response", &CCommandGenerator::ChangeModality},
            {"change response caption", &CCommandGenerator::ChangeModalityCaption},
            {"change wave", &CCommandGenerator::ChangeWave},
            {"change volume", &CCommandGenerator::ChangeVolume},
            {"change language", &CCommandGenerator::ChangeLanguage},
            {"change campaign", &CCommandGenerator::ChangeCampaign},
            {"change question composite", &CCommandGenerator::ChangeQuestionComposite},
            {"swap responses", &CCommandGenerator::SwapResponses},
            {"reorder responses", &CCommandGenerator::ReorderResponses},
            {"order campaign", &CCommandGenerator::OrderCampaign},
            {"new question", &CCommandGenerator::NewQuestion},
            {"new chapter", &CCommandGenerator::NewChapter},
            {"new response", &CCommandGenerator::NewModality},
            {"merge", &CCommandGenerator::Merge},
            {"maximise", &CCommandGenerator::Maximise},
            {"match question", &CCommandGenerator::MatchQuestion},
            {"match response", &CCommandGenerator::MatchModality},
            {"break question", &CCommandGenerator::BreakQuestion},
            {"break response", &CCommandGenerator::BreakModality},
            {"deep break question", &CCommandGenerator::DeepBreakQuestion},
            {"deep break response", &CCommandGenerator::DeepBreakModality},
            {"remove question matching", &CCommandGenerator::RemoveQuestionMatching},
            {"remove response matching", &CCommandGenerator::RemoveModalityMatching},
            {"remove duplicate question", &CCommandGenerator::RemoveDuplicateQuestion},
            {"remove duplicate response", &CCommandGenerator::RemoveDuplicateModality},
            {"rematch", &CCommandGenerator::Rematch},
            {"new wave", &CCommandGenerator::NewWave},
            {"new volume", &CCommandGenerator::NewVolume, 3},
            {"reconcile", &CCommandGenerator::Reconcile, 8},
            {"re-reconcile", &CCommandGenerator::ReReconcile},
            {"reconcile unmatched only", &CCommandGenerator::ReconcileUnmatchedOnly},
            {"unreconcile", &CCommandGenerator::Unreconcile},
            {"remove volume", &CCommandGenerator::RemoveVolume},
            {"remove wave", &CCommandGenerator::RemoveWave, 1},
            {"validate", nullptr},
        };
        return kinds;
    }

    // Problems as the comparison with the sources would list them: matchings that hold broken
    // as invalid or deleted, languages the campaign lacks (now and then one it has, which makes
    // the whole correction fail), and a question or response that is not there.
    SSourceComparisonLists Lists()
    {
        SSourceComparisonLists lists;
        for (int i = Between(0, 3); i > 0; --i) {
            CVolume* volume = AnyVolume();
            CQuestion* question = AnyQuestion();
            if (!volume || !question)
                break;
            if (volume->FindQuestionMatchingInherited(question->GetQuestionId(),
                                                      volume->GetVolumeId()))
                (Chance(0.5) ? lists.InvalidQuestionMatches : lists.DeletedQuestionMatches)
                    .emplace(question->GetQuestionId(), volume->GetVolumeId());
            CModality* response = AnyResponse();
            if (response && volume->FindModalityMatchingInherited(response->GetModalityId(),
                                                                  volume->GetVolumeId()))
                (Chance(0.5) ? lists.InvalidModalityMatches : lists.DeletedModalityMatches)
                    .emplace(CModalityKey{response->GetQuestionId(), response->GetModalityId()},
                             volume->GetVolumeId());
        }
        static const int languages[] = {1031, 1040, 3082, 1043, 2057};
        if (Chance(0.5)) {
            const int id = languages[Pick(std::size(languages))];
            lists.NewLanguages.emplace(id, SNewLanguage{id, 0, Word(), Word()});
        }
        if (Chance(0.2))
            lists.MissingQuestions.emplace(99999, QStringLiteral("GONE"));
        if (Chance(0.2))
            lists.MissingModalities.emplace(CModalityKey{99999, 99999}, QStringLiteral("Gone"));
        return lists;
    }

private:
    size_t Pick(size_t count)
    {
        return std::uniform_int_distribution<size_t>(0, count - 1)(m_random);
    }
    int Between(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    bool Chance(double p) { return std::bernoulli_distribution(p)(m_random); }

    static CValue Text(const QString& text)
    {
        CValue value;
        value.SetText(text);
        return value;
    }
    QString Word() { return QStringLiteral("w%1").arg(Between(0, 999)); }
    int Language()
    {
        static const int languages[] = {2057, 1036, 1031};
        return languages[Pick(3)];
    }

    CQuestion* AnyQuestion()
    {
        std::vector<CQuestion*> questions;
        for (int i = 0; i < m_campaign.GetQuestionCount(); ++i) {
            if (!m_campaign.IsReservedQuestion(m_campaign.GetQuestion(i)))
                questions.push_back(m_campaign.GetQuestion(i));
        }
        return questions.empty() ? nullptr : questions[Pick(questions.size())];
    }
    CQuestion* QuestionWithResponses(int least)
    {
        std::vector<CQuestion*> questions;
        for (int i = 0; i < m_campaign.GetQuestionCount(); ++i) {
            if (m_campaign.GetQuestion(i)->GetModalityCount() >= least)
                questions.push_back(m_campaign.GetQuestion(i));
        }
        return questions.empty() ? nullptr : questions[Pick(questions.size())];
    }
    CModality* AnyResponse(const CQuestion& question)
    {
        return question.GetModalityCount()
                   ? question.GetModality(int(Pick(size_t(question.GetModalityCount()))))
                   : nullptr;
    }
    CModality* AnyResponse()
    {
        CQuestion* question = QuestionWithResponses(1);
        return question ? AnyResponse(*question) : nullptr;
    }
    std::vector<CVolume*> Volumes()
    {
        std::vector<CVolume*> volumes;
        for (int w = 0; w < m_campaign.GetWaveCount(); ++w) {
            for (int v = 0; v < m_campaign.GetWave(w)->GetVolumeCount(); ++v)
                volumes.push_back(m_campaign.GetWave(w)->GetVolume(v));
        }
        return volumes;
    }
    CVolume* AnyVolume()
    {
        const std::vector<CVolume*> volumes = Volumes();
        return volumes.empty() ? nullptr : volumes[Pick(volumes.size())];
    }
    CWave* AnyWave()
    {
        return m_campaign.GetWaveCount()
                   ? m_campaign.GetWave(int(Pick(size_t(m_campaign.GetWaveCount()))))
                   : nullptr;
    }
    // A volume that the reconciliation page shows, where items are matched by hand: one of a
    // wave none of whose volumes is unreconciled.
    CVolume* ShownVolume()
    {
        std::vector<CVolume*> volumes;
        for (CVolume* volume : Volumes()) {
            if (!SomeVolume(*m_campaign.FindWave(volume->GetWaveId()), IsUnreconciled))
                volumes.push_back(volume);
        }
        return volumes.empty() ? nullptr : volumes[Pick(volumes.size())];
    }
    // Whether some volume of the wave passes the test.
    static bool SomeVolume(const CWave& wave, const std::function<bool(const CVolume&)>& test)
    {
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            if (test(*wave.GetVolume(v)))
                return true;
        }
        return false;
    }
    static bool IsUnreconciled(const CVolume& volume)
    {
        return volume.GetStatus() == VOLUME_UNRECONCILED;
    }
    static bool IsNotReconciled(const CVolume& volume)
    {
        return volume.GetStatus() != VOLUME_RECONCILED;
    }
    // A wave for which the campaign tree offers a step, by the test it makes on the wave.
    CWave* AnyWaveWhere(const std::function<bool(const CWave&)>& offered)
    {
        std::vector<CWave*> waves;
        for (int w = 0; w < m_campaign.GetWaveCount(); ++w) {
            if (offered(*m_campaign.GetWave(w)))
                waves.push_back(m_campaign.GetWave(w));
        }
        return waves.empty() ? nullptr : waves[Pick(waves.size())];
    }
    // Ids of any volume and wave; ids that name none when the campaign has none.
    int AnyVolumeId()
    {
        const CVolume* volume = AnyVolume();
        return volume ? volume->GetVolumeId() : NO_VOLUME_ID;
    }
    int AnyWaveId()
    {
        const CWave* wave = AnyWave();
        return wave ? wave->GetWaveId() : NO_WAVE_ID;
    }
    const qnr::CQuestion* AnySource(CVolume& volume)
    {
        if (!EnsureVolumeQuestionnaire(volume))
            return nullptr;
        const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
        return questionnaire.GetNbreQuestion()
                   ? questionnaire.GetQuestion(int(Pick(size_t(questionnaire.GetNbreQuestion()))))
                   : nullptr;
    }
    // The source question that the question's matching at the volume names.
    const qnr::CQuestion* MatchedSource(CVolume& volume, const CQuestion& question)
    {
        const CQuestionMatching* matching =
            volume.FindQuestionMatchingInherited(question.GetQuestionId(), volume.GetVolumeId());
        if (!matching || !EnsureVolumeQuestionnaire(volume))
            return nullptr;
        return volume.GetQuestionnaire().FindQuestionById(matching->GetSourceId().toInt());
    }

    // A value for a question or response property of the given kind.
    CValue QuestionValue(int property)
    {
        switch (property) {
        case QUESTION_PROP_SHORTCUT:
        case QUESTION_PROP_USER_DATA:
            return Text(Word());
        case QUESTION_PROP_MIN_VALUE:
        case QUESTION_PROP_MAX_VALUE:
            return Text(QString::number(std::uniform_real_distribution<double>(-100, 100)(m_random),
                                        'g', 17));
        case QUESTION_PROP_ORDER:
            return CValue(Between(0, m_campaign.GetQuestionCount() + 5));
        case QUESTION_PROP_APPEARANCE_VOLUME:
            return CValue(AnyVolumeId());
        case QUESTION_PROP_DELETION_WAVE:
            return CValue(Chance(0.5) ? NO_WAVE_ID : AnyWaveId());
        case QUESTION_PROP_INDENT:
        case QUESTION_PROP_ELEMENT_TYPE:
        case QUESTION_PROP_QUESTION_TYPE:
        case QUESTION_PROP_MAX_RESPONSES:
        case QUESTION_PROP_DECIMALS:
        case QUESTION_PROP_LINK_QUESTION:
        case QUESTION_PROP_DATE_TYPE:
            return CValue(Between(0, 5));
        default:
            return CValue(Chance(0.5));
        }
    }

    std::unique_ptr<CCmdVirtual> ChangeQuestion()
    {
        static const int properties[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                         13, 14, 15, 16, 17, 18, 21, 22, 23, 24, 27, 28};
        CQuestion* question = AnyQuestion();
        if (!question)
            return nullptr;
        const int property = properties[Pick(std::size(properties))];
        // A caption takes its language with it, which a plain value has not.
        if (property == QUESTION_PROP_SHORT_CAPTION || property == QUESTION_PROP_LONG_CAPTION)
            return std::make_unique<CCmdChangeQuestion>(&m_campaign, question, property,
                                                        CCaptionValue(Text(Word()), Language()));
        return std::make_unique<CCmdChangeQuestion>(&m_campaign, question, property,
                                                    QuestionValue(property));
    }
    std::unique_ptr<CCmdVirtual> ChangeQuestionCaption()
    {
        CQuestion* question = AnyQuestion();
        if (!question)
            return nullptr;
        const CCaptionValue value(Text(Word()), Language());
        if (Chance(0.5))
            return std::make_unique<CCmdChangeQuestionShortCaption>(&m_campaign, question, 23,
                                                                    value);
        return std::make_unique<CCmdChangeQuestionLongCaption>(&m_campaign, question, 24, value);
    }
    std::unique_ptr<CCmdVirtual> ChangeQuestionComposite()
    {
        CQuestion* question = AnyQuestion();
        if (!question)
            return nullptr;
        auto composite = std::make_unique<CMetaChangeQuestionCmd>(63336, question->GetQuestionId());
        composite->AddCmd(
            std::make_unique<CCmdChangeQuestion>(&m_campaign, question, 0, CValue(true)));
        composite->AddCmd(
            std::make_unique<CCmdChangeQuestion>(&m_campaign, question, 28, CValue(AnyWaveId())));
        return composite;
    }
    std::unique_ptr<CCmdVirtual> ChangeModality()
    {
        CModality* response = AnyResponse();
        if (!response)
            return nullptr;
        const int property = Between(1, 11);
        CValue value;
        switch (property) {
        case MODALITY_PROP_ORDER:
            value = CValue(Between(0, 12));
            break;
        case MODALITY_PROP_VALUE:
            value = Text(
                QString::number(std::uniform_real_distribution<double>(0, 10)(m_random), 'g', 17));
            break;
        case MODALITY_PROP_ENTRY_CODE:
        case MODALITY_PROP_VERSIONS:
        case MODALITY_PROP_USER_DATA:
            value = Text(Word());
            break;
        case MODALITY_PROP_ROTATION:
            value = CValue(Between(0, 2));
            break;
        case MODALITY_PROP_SHORT_CAPTION:
            return std::make_unique<CCmdChangeModality>(&m_campaign, response, property,
                                                        CCaptionValue(Text(Word()), Language()));
        case MODALITY_PROP_DELETION_WAVE:
            value = CValue(AnyWaveId());
            break;
        case MODALITY_PROP_APPEARANCE_VOLUME:
            value = CValue(AnyVolumeId());
            break;
        default:
            value = CValue(Chance(0.5));
        }
        return std::make_unique<CCmdChangeModality>(&m_campaign, response, property, value);
    }
    std::unique_ptr<CCmdVirtual> ChangeModalityCaption()
    {
        CModality* response = AnyResponse();
        if (!response)
            return nullptr;
        return std::make_unique<CCmdChangeModalityShortCaption>(
            &m_campaign, response, 9, CCaptionValue(Text(Word()), Language()));
    }
    std::unique_ptr<CCmdVirtual> ChangeWave()
    {
        CWave* wave = AnyWave();
        if (!wave)
            return nullptr;
        const int property = Between(0, 4);
        CValue value = Text(Word());
        if (property >= WAVE_PROP_START)
            value = Text(
                Chance(0.2) ? QString()
                            : QDateTime(QDate(2020 + Between(0, 5), Between(1, 12), Between(1, 28)),
                                        QTime(Between(0, 23), Between(0, 59)))
                                  .toString(Qt::ISODateWithMs));
        return std::make_unique<CCmdChangeWave>(&m_campaign, wave, property, value);
    }
    std::unique_ptr<CCmdVirtual> ChangeVolume()
    {
        CVolume* volume = AnyVolume();
        if (!volume)
            return nullptr;
        const int property = Between(0, 10);
        VolumePropertyValue value;
        switch (property) {
        case VOLUME_PROP_NAME:
            value = Word();
            break;
        case VOLUME_PROP_INTERVIEW_SOURCE:
            value = QStringLiteral("/data/%1.dat").arg(Word());
            break;
        case VOLUME_PROP_PATH_FORMAT:
            value = ESourcePathFormat(Between(0, 3));
            break;
        case VOLUME_PROP_QUESTIONNAIRE_SOURCE:
            // The same source read again.
            value = volume->GetMetaData().SourceString;
            break;
        case VOLUME_PROP_QUESTIONNAIRE_SURVEY:
        case VOLUME_PROP_INTERVIEW_SURVEY:
            value = Between(0, 9);
            break;
        case VOLUME_PROP_QUESTION_METHODS:
        case VOLUME_PROP_RESPONSE_METHODS: {
            QList<quint32> methods;
            for (int i = Between(1, 3); i > 0; --i)
                methods << quint32(Between(0, 5));
            value = methods;
            break;
        }
        default:
            value = Chance(0.5);
        }
        return std::make_unique<CCmdChangeVolume>(&m_campaign, volume, property, value);
    }
    std::unique_ptr<CCmdVirtual> ChangeLanguage()
    {
        CLanguage* language =
            m_campaign.GetLanguage(int(Pick(size_t(m_campaign.GetLanguageCount()))));
        const int property = Between(0, 3);
        static const int ids[] = {1031, 3084, 2057, 1036, 1040};
        const CValue value = property == LANGUAGE_PROP_ID ? CValue(ids[Pick(std::size(ids))])
                             : property == LANGUAGE_PROP_IS_DEFAULT ? CValue(Chance(0.5))
                                                                    : Text(Word());
        return std::make_unique<CCmdChangeLanguage>(&m_campaign, language, property, value);
    }
    std::unique_ptr<CCmdVirtual> ChangeCampaign()
    {
        const int property = Between(0, 3);
        const CValue value =
            property <= CAMPAIGN_PROP_CURRENT_LANGUAGE
                ? CValue(m_campaign.GetLanguage(int(Pick(size_t(m_campaign.GetLanguageCount()))))
                             ->GetLanguageId())
                : Text(Word());
        return std::make_unique<CCmdChangeCampaign>(&m_campaign, property, value);
    }
    std::unique_ptr<CCmdVirtual> SwapResponses()
    {
        CQuestion* question = QuestionWithResponses(2);
        if (!question)
            return nullptr;
        return std::make_unique<CCmdSwapResponseOrder>(&m_campaign, AnyResponse(*question),
                                                       AnyResponse(*question));
    }
    std::unique_ptr<CCmdVirtual> ReorderResponses()
    {
        CQuestion* question = QuestionWithResponses(2);
        CWave* wave = AnyWave();
        if (!question || !wave)
            return nullptr;
        return std::make_unique<CCmdReorderQuesModalities>(&m_campaign, wave, question);
    }
    std::unique_ptr<CCmdVirtual> OrderCampaign()
    {
        CWave* wave = AnyWave();
        if (!wave)
            return nullptr;
        auto composite = std::make_unique<CMetaOrderCampaignCmd>(63346, wave->GetWaveId());
        composite->AddCmd(std::make_unique<CCmdOrderCampaignQuestions>(&m_campaign, wave));
        composite->AddCmd(std::make_unique<CCmdOrderCampaignModalities>(&m_campaign, wave));
        return composite;
    }
    std::unique_ptr<CCmdVirtual> NewQuestion()
    {
        CVolume* volume = ShownVolume();
        const qnr::CQuestion* source = volume ? AnySource(*volume) : nullptr;
        if (!source)
            return nullptr;
        const int order = Chance(0.5) ? -1 : Between(0, m_campaign.GetQuestionCount());
        return std::make_unique<CCmdNewQuestion>(&m_campaign, volume, source, order);
    }
    std::unique_ptr<CCmdVirtual> NewChapter()
    {
        // A chapter made while the campaign has no volume appears in none, which a campaign
        // file cannot keep: it reads back as appearing in the first volume added since.
        if (!AnyVolume())
            return nullptr;
        const int order = Chance(0.5) ? -1 : Between(0, m_campaign.GetQuestionCount());
        return std::make_unique<CCmdCreateChapter>(&m_campaign, Chance(0.5) ? AnyVolume() : nullptr,
                                                   Word(), order);
    }
    std::unique_ptr<CCmdVirtual> NewModality()
    {
        CQuestion* question = AnyQuestion();
        CVolume* volume = ShownVolume();
        const qnr::CQuestion* source = volume && question ? AnySource(*volume) : nullptr;
        if (!source || !source->GetNbreModalite())
            return nullptr;
        const qnr::CModalite* response =
            source->GetModalite(int(Pick(size_t(source->GetNbreModalite()))));
        const int order = Chance(0.5) ? -1 : Between(0, question->GetModalityCount() + 1);
        return std::make_unique<CCmdNewModality>(&m_campaign, volume, question, response, order);
    }
    std::unique_ptr<CCmdVirtual> Merge()
    {
        CQuestion* question = QuestionWithResponses(2);
        CVolume* volume = ShownVolume();
        if (!question || !volume)
            return nullptr;
        CModality* master = AnyResponse(*question);
        CModality* child = AnyResponse(*question);
        if (master == child || !CanMergeModalities(m_campaign, volume, master->GetModalityId(),
                                                   child->GetModalityId()))
            return nullptr;
        return std::make_unique<CCmdMergeModalities>(&m_campaign, volume, master, child);
    }
    std::unique_ptr<CCmdVirtual> Maximise()
    {
        return std::make_unique<CCmdMaximiseResponseCnt>(&m_campaign, false);
    }
    // As the reconciliation page does it: the matching that holds broken first, then the new
    // one made, then the volumes below matched again.
    std::unique_ptr<CCmdVirtual> MatchQuestion()
    {
        CVolume* volume = ShownVolume();
        CQuestion* question = AnyQuestion();
        const qnr::CQuestion* source = volume && question ? AnySource(*volume) : nullptr;
        if (!source)
            return nullptr;
        auto composite = std::make_unique<CMetaCmd>(63340);
        if (volume->FindQuestionMatchingInherited(question->GetQuestionId(), volume->GetVolumeId()))
            composite->AddCmd(
                std::make_unique<CCmdBreakQuesMatching>(&m_campaign, volume, question, source));
        composite->AddCmd(
            std::make_unique<CCmdCreateQuesMatching>(&m_campaign, volume, question, source));
        if (Chance(0.5))
            composite->AddCmd(
                std::make_unique<CCmdDeepRematchQuestion>(&m_campaign, volume, question));
        return composite;
    }
    std::unique_ptr<CCmdVirtual> MatchModality()
    {
        CVolume* volume = ShownVolume();
        CQuestion* question = QuestionWithResponses(1);
        if (!question || !volume)
            return nullptr;
        const qnr::CQuestion* source = MatchedSource(*volume, *question);
        if (!source || !source->GetNbreModalite())
            return nullptr;
        CModality* response = AnyResponse(*question);
        const qnr::CModalite* sourceResponse =
            source->GetModalite(int(Pick(size_t(source->GetNbreModalite()))));
        auto composite = std::make_unique<CMetaCmd>(63341);
        if (volume->FindModalityMatchingInherited(response->GetModalityId(), volume->GetVolumeId()))
            composite->AddCmd(std::make_unique<CCmdBreakModMatching>(&m_campaign, volume, response,
                                                                     sourceResponse));
        composite->AddCmd(
            std::make_unique<CCmdCreateModMatching>(&m_campaign, volume, response, sourceResponse));
        if (Chance(0.5))
            composite->AddCmd(std::make_unique<CCmdDeepRematchModality>(&m_campaign, volume,
                                                                        question, 0, response));
        return composite;
    }
    // A break of a matching that holds for the volume, mostly; now and then of one that does
    // not, which fails.
    std::unique_ptr<CCmdVirtual> BreakQuestion()
    {
        CVolume* volume = ShownVolume();
        if (!volume)
            return nullptr;
        QList<CQuestionMatching*> matchings;
        volume->CollectValidQuestionMatchings(volume->GetVolumeId(), matchings);
        CQuestion* question =
            matchings.isEmpty() || Chance(0.2)
                ? AnyQuestion()
                : m_campaign.GetQuestionById(
                      matchings[qsizetype(Pick(size_t(matchings.size())))]->GetQuestionId());
        if (!question)
            return nullptr;
        return std::make_unique<CCmdBreakQuesMatching>(&m_campaign, volume, question,
                                                       QStringLiteral("0"));
    }
    std::unique_ptr<CCmdVirtual> BreakModality()
    {
        CVolume* volume = ShownVolume();
        if (!volume)
            return nullptr;
        QList<CModalityMatching*> matchings;
        volume->CollectValidModalityMatchings(volume->GetVolumeId(), matchings);
        CModality* response =
            matchings.isEmpty() || Chance(0.2)
                ? AnyResponse()
                : m_campaign.GetModalityById(
                      matchings[qsizetype(Pick(size_t(matchings.size())))]->GetModalityId());
        if (!response)
            return nullptr;
        return std::make_unique<CCmdBreakModMatching>(&m_campaign, volume, response,
                                                      QStringLiteral("0"));
    }
    std::unique_ptr<CCmdVirtual> DeepBreakQuestion()
    {
        CQuestion* question = AnyQuestion();
        if (!question || !ShownVolume())
            return nullptr;
        return std::make_unique<CCmdDeepBreakQuesMatching>(&m_campaign, question, nullptr,
                                                           ShownVolume()->GetVolumeId());
    }
    std::unique_ptr<CCmdVirtual> DeepBreakModality()
    {
        CQuestion* question = QuestionWithResponses(1);
        if (!question || !ShownVolume())
            return nullptr;
        return std::make_unique<CCmdDeepBreakModMatching>(
            &m_campaign, question, AnyResponse(*question), nullptr, ShownVolume()->GetVolumeId());
    }
    std::unique_ptr<CCmdVirtual> RemoveQuestionMatching()
    {
        CVolume* volume = ShownVolume();
        if (!volume || !volume->GetQuestionMatchingCount())
            return nullptr;
        return std::make_unique<CCmdRemoveQuestionMatching>(
            &m_campaign,
            volume->GetQuestionMatching(int(Pick(size_t(volume->GetQuestionMatchingCount())))));
    }
    std::unique_ptr<CCmdVirtual> RemoveModalityMatching()
    {
        CVolume* volume = ShownVolume();
        if (!volume || !volume->GetModalityMatchingCount())
            return nullptr;
        return std::make_unique<CCmdRemoveModalityMatching>(
            &m_campaign,
            volume->GetModalityMatching(int(Pick(size_t(volume->GetModalityMatchingCount())))));
    }
    std::unique_ptr<CCmdVirtual> RemoveDuplicateQuestion()
    {
        CQuestion* kept = AnyQuestion();
        CQuestion* duplicate = AnyQuestion();
        if (kept == duplicate)
            return nullptr;
        return std::make_unique<CCmdRemoveDuplicateQuestion>(&m_campaign, kept, duplicate);
    }
    std::unique_ptr<CCmdVirtual> RemoveDuplicateModality()
    {
        CQuestion* question = QuestionWithResponses(2);
        if (!question)
            return nullptr;
        CModality* kept = AnyResponse(*question);
        CModality* duplicate = AnyResponse(*question);
        CWave* wave = AnyWave();
        if (kept == duplicate || !wave)
            return nullptr;
        return std::make_unique<CCmdRemoveDuplicateModality>(
            &m_campaign, wave, Chance(0.5) ? ShownVolume() : nullptr, 0, kept, duplicate);
    }
    std::unique_ptr<CCmdVirtual> Rematch()
    {
        CVolume* volume = ShownVolume();
        CQuestion* question = AnyQuestion();
        if (!volume || !question)
            return nullptr;
        if (Chance(0.5) || !question->GetModalityCount())
            return std::make_unique<CCmdDeepRematchQuestion>(&m_campaign, volume, question);
        return std::make_unique<CCmdDeepRematchModality>(&m_campaign, volume, question, 0,
                                                         AnyResponse(*question));
    }

    // Wave-level steps, where the campaign tree's menus offer them.
    std::unique_ptr<CCmdVirtual> NewWave()
    {
        // After the last wave once every volume is reconciled; before a wave at any time (its
        // volumes then stop inheriting across the new one).
        bool allReconciled = true;
        for (const CVolume* volume : Volumes())
            allReconciled = allReconciled && volume->GetStatus() == VOLUME_RECONCILED;
        const bool append = allReconciled && (Chance(0.5) || !m_campaign.GetWaveCount());
        if (!append && !m_campaign.GetWaveCount())
            return nullptr;
        const int position = append ? -1 : Between(1, m_campaign.GetWaveCount());
        return std::make_unique<CCmdNewWave>(&m_campaign, position, Word(), Word(), QDateTime(),
                                             QDateTime(), QDateTime());
    }
    // The add-volume step: a place holder, the volume and its item of the wave question under
    // one group id; a later command that fails takes the group back. The source is one of the
    // sample study's files, the parent (now and then) a volume of an earlier wave.
    std::unique_ptr<CCmdVirtual> NewVolume()
    {
        CWave* wave = AnyWave();
        if (!wave)
            return nullptr;
        static const std::pair<const char*, int> sources[] = {
            {"wave1.zoz", SOURCE_ZOZ},        {"wave2.zoz", SOURCE_ZOZ},
            {"wave3.zoz", SOURCE_ZOZ},        {"wave1.sss", SOURCE_TRIPLE_S},
            {"wave2.sss", SOURCE_TRIPLE_S},   {"wave3.mdd", SOURCE_DIMENSIONS},
            {"wave2.mdd", SOURCE_DIMENSIONS},
        };
        const auto& [file, type] = sources[Pick(std::size(sources))];
        SNewVolumeProperties properties;
        std::vector<int> parents;
        for (const CVolume* volume : Volumes()) {
            if (m_campaign.IsWaveBefore(volume->GetWaveId(), wave->GetWaveId()))
                parents.push_back(volume->GetVolumeId());
        }
        properties.ParentVolumeId =
            parents.empty() || Chance(0.3) ? -1 : parents[Pick(parents.size())];
        properties.SourceType = type;
        properties.IsMatchingStrict = Chance(0.3);
        properties.QuestionMatchingMethods = {1, 2, 3};
        properties.ResponseMatchingMethods = {2, 1};
        properties.MetaData.SourceFilePathFormat = PATH_ABSOLUTE;
        properties.MetaData.SourceString =
            QDir(QStringLiteral(PLIM_SOURCE_DIR "/samples")).filePath(QLatin1String(file));
        properties.CaseData = properties.MetaData;
        const int waveId = wave->GetWaveId();
        m_group = [waveId, properties](CWaveApp& app) {
            CCampaign& campaign = *app.GetCampaign();
            GUID group;
            CreateGuid(group);
            std::unique_ptr<CCmdVirtual> holder =
                std::make_unique<CCmdNewVolumePlaceHolder>(63343, group, -1);
            auto made = std::make_unique<CCmdNewVolume>(
                &campaign, campaign.FindWave(waveId),
                QFileInfo(properties.MetaData.SourceString).fileName(), properties);
            made->SetGroupId(group);
            CCmdNewVolume* volume = made.get();
            std::unique_ptr<CCmdVirtual> command = std::move(made);
            if (!app.ExecuteCommand(holder, {}, nullptr, nullptr, true))
                return false;
            if (!app.ExecuteCommand(command, {}, nullptr, nullptr, true)) {
                app.Undo();
                return false;
            }
            std::unique_ptr<CCmdVirtual> analysis =
                std::make_unique<CCmdAddVolAnalyseMatching>(&campaign, volume->GetNewVolume());
            analysis->SetGroupId(group);
            if (!app.ExecuteCommand(analysis, {}, nullptr, nullptr, true)) {
                app.Undo();
                return false;
            }
            return true;
        };
        return nullptr;
    }
    std::unique_ptr<CCmdVirtual> ReconcileWave(CWave* wave, bool unmatchedOnly)
    {
        if (!wave)
            return nullptr;
        SReconcileWaveOptions options;
        options.UseCaptionLibraries = Chance(0.3);
        options.KeepSourceCodes = Chance(0.3);
        options.ReconcileUnmatchedOnly = unmatchedOnly;
        return MakeReconcileWaveCmd(&m_campaign, wave, options);
    }
    // A wave with a volume still to reconcile.
    std::unique_ptr<CCmdVirtual> Reconcile()
    {
        return ReconcileWave(
            AnyWaveWhere([](const CWave& wave) { return SomeVolume(wave, IsUnreconciled); }),
            false);
    }
    // A wave whose volumes are all reconciled.
    std::unique_ptr<CCmdVirtual> ReconcileUnmatchedOnly()
    {
        return ReconcileWave(AnyWaveWhere([](const CWave& wave) {
                                 return wave.GetVolumeCount() && !SomeVolume(wave, IsNotReconciled);
                             }),
                             true);
    }
    // A wave with a volume whose reconciliation has started.
    std::unique_ptr<CCmdVirtual> ReReconcile()
    {
        CWave* wave = AnyWaveWhere([](const CWave& wave) {
            return SomeVolume(wave, [](const CVolume& volume) { return !IsUnreconciled(volume); });
        });
        if (!wave)
            return nullptr;
        return MakeReReconcileWaveCmd(&m_campaign, wave, Chance(0.5), {});
    }
    // A reconciled volume.
    std::unique_ptr<CCmdVirtual> Unreconcile()
    {
        std::vector<int> volumes;
        for (const CVolume* volume : Volumes()) {
            if (volume->GetStatus() == VOLUME_RECONCILED)
                volumes.push_back(volume->GetVolumeId());
        }
        if (volumes.empty())
            return nullptr;
        return std::make_unique<CCmdUnreconcileVolume>(&m_campaign, volumes[Pick(volumes.size())],
                                                       false);
    }
    // The last volume of a wave.
    std::unique_ptr<CCmdVirtual> RemoveVolume()
    {
        CWave* wave = AnyWaveWhere([](const CWave& wave) { return wave.GetVolumeCount() > 0; });
        if (!wave)
            return nullptr;
        return std::make_unique<CCmdRemoveVolume>(
            &m_campaign, wave->GetVolume(wave->GetVolumeCount() - 1)->GetVolumeId());
    }
    std::unique_ptr<CCmdVirtual> RemoveWave()
    {
        CWave* wave = AnyWave();
        if (!wave)
            return nullptr;
        return MakeRemoveWaveCmd(&m_campaign, wave->GetWaveId());
    }

    CCampaign& m_campaign;
    std::mt19937 m_random;
    GroupStep m_group;
};

// What every state of the campaign must keep: the arrays sorted by order, and no volume holding
// two matchings of one item.
::testing::AssertionResult KeepsItsInvariants(const CCampaign& campaign)
{
    for (int w = 1; w < campaign.GetWaveCount(); ++w) {
        if (campaign.GetWave(w - 1)->GetWaveOrder() >= campaign.GetWave(w)->GetWaveOrder())
            return ::testing::AssertionFailure() << "waves out of order at " << w;
    }
    for (int i = 1; i < campaign.GetQuestionCount(); ++i) {
        if (campaign.GetQuestion(i - 1)->GetOrder() > campaign.GetQuestion(i)->GetOrder())
            return ::testing::AssertionFailure() << "questions out of order at " << i;
    }
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        const CQuestion& question = *campaign.GetQuestion(i);
        for (int r = 1; r < question.GetModalityCount(); ++r) {
            if (question.GetModality(r - 1)->GetModalityOrder() >
                question.GetModality(r)->GetModalityOrder())
                return ::testing::AssertionFailure()
                       << "responses of question " << question.GetQuestionId() << " out of order";
        }
    }
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        for (int v = 0; v < campaign.GetWave(w)->GetVolumeCount(); ++v) {
            const CVolume& volume = *campaign.GetWave(w)->GetVolume(v);
            std::set<int> questions;
            for (int i = 0; i < volume.GetQuestionMatchingCount(); ++i) {
                if (!questions.insert(volume.GetQuestionMatching(i)->GetQuestionId()).second)
                    return ::testing::AssertionFailure()
                           << "volume " << volume.GetVolumeId()
                           << " holds two matchings of question "
                           << volume.GetQuestionMatching(i)->GetQuestionId();
            }
            std::set<int> responses;
            for (int i = 0; i < volume.GetModalityMatchingCount(); ++i) {
                if (!responses.insert(volume.GetModalityMatching(i)->GetModalityId()).second)
                    return ::testing::AssertionFailure()
                           << "volume " << volume.GetVolumeId()
                           << " holds two matchings of response "
                           << volume.GetModalityMatching(i)->GetModalityId();
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// A dump without what a campaign file does not keep as such: the default language and the one
// in which captions are shown (reading takes the language marked default for both), the
// languages' abbreviations (they follow the id) and the source paths' kinds (they follow the
// stored path).
QString AsReadBack(QString dump)
{
    static const QRegularExpression derived(
        QStringLiteral(" (current|default)Language=\\d+| abbreviation=\"[^\"]*\"| format=\\d+"));
    return dump.remove(derived);
}

// The appearance volume of every question and response, by id.
struct SAppearances
{
    std::map<int, int> Questions;
    std::map<int, int> Responses;

    explicit SAppearances(const CCampaign& campaign)
    {
        for (int i = 0; i < campaign.GetQuestionCount(); ++i)
            Questions[campaign.GetQuestion(i)->GetQuestionId()] =
                campaign.GetQuestion(i)->GetAppearanceVolumeId();
        for (int i = 0; i < campaign.GetModalityCount(); ++i)
            Responses[campaign.GetModality(i)->GetModalityId()] =
                campaign.GetModality(i)->GetAppearanceVolumeId();
    }
};

// An item that a step moved to another appearance volume is matched there (its own matching or
// one inherited), when any volume still matches it.
::testing::AssertionResult MovedAppearancesMatch(const CCampaign& campaign,
                                                 const SAppearances& before)
{
    const auto check = [&](const std::map<int, int>& was, const std::map<int, int>& now,
                           const char* what, auto matches) {
        for (const auto& [id, volumeId] : now) {
            const auto it = was.find(id);
            if (it == was.end() || it->second == volumeId)
                continue;
            bool matchedSomewhere = false;
            for (int w = 0; w < campaign.GetWaveCount() && !matchedSomewhere; ++w) {
                for (int v = 0; v < campaign.GetWave(w)->GetVolumeCount(); ++v)
                    matchedSomewhere =
                        matchedSomewhere || matches(*campaign.GetWave(w)->GetVolume(v), id, -1);
            }
            const CVolume* volume = campaign.FindVolume(volumeId);
            if (matchedSomewhere && (!volume || !matches(*volume, id, volumeId)))
                return ::testing::AssertionFailure() << what << " " << id << " moved to volume "
                                                     << volumeId << ", which does not match it";
        }
        return ::testing::AssertionSuccess();
    };
    // With a volume id, the matching valid there; without, the volume's own. A chapter that a
    // re-reconciliation keeps stays where it appeared, matched there or not.
    const auto questionMatched = [&campaign](const CVolume& volume, int id, int at) {
        const CQuestion* question = campaign.GetQuestionById(id);
        if (at >= 0 && question && question->GetElementType() == 0)
            return true;
        return at < 0 ? volume.FindQuestionMatching(id) != nullptr
                      : volume.FindQuestionMatchingInherited(id, at) != nullptr;
    };
    const auto responseMatched = [](const CVolume& volume, int id, int at) {
        return at < 0 ? volume.FindModalityMatching(id) != nullptr
                      : volume.FindModalityMatchingInherited(id, at) != nullptr;
    };
    const SAppearances after(campaign);
    if (auto moved = check(before.Questions, after.Questions, "question", questionMatched); !moved)
        return moved;
    return check(before.Responses, after.Responses, "response", responseMatched);
}

class RandomCommands : public CSampleStudyTest
{
protected:
    // What every state must keep, and what a campaign file written from it gives back; dump is
    // the state's dump.
    ::testing::AssertionResult HoldsAndReadsBack(const CCampaign& campaign, const QString& path,
                                                 const QString& dump)
    {
        if (auto kept = KeepsItsInvariants(campaign); !kept)
            return kept;
        if (auto kept = KeepsItsReferences(campaign); !kept)
            return kept;
        QString error;
        const QString back = SaveAndReload(campaign, path, &error);
        if (back.isEmpty())
            return ::testing::AssertionFailure() << "not read back: " << error.toStdString();
        if (const QString problems = CheckCampaignFile(path); !problems.isEmpty())
            return ::testing::AssertionFailure() << "the file: " << problems.toStdString();
        return SameDump(AsReadBack(back), AsReadBack(dump));
    }

    // The campaign file written after every step: in memory where the system has a folder
    // for that, so that the checks wait for no disk.
    static QString StepFilePath(unsigned seed)
    {
        const QString name = QStringLiteral("plim-random-%1-%2.duv")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(seed);
        const QFileInfo memory(QStringLiteral("/dev/shm"));
        return memory.isDir() && memory.isWritable() ? memory.filePath() + u'/' + name
                                                     : FilePath(name);
    }

    // Runs the given number of steps drawn with the seed, each taken back and put back at once,
    // with a few longer undo and redo round trips and abandoned redo branches on the way,
    // checking every state reached; then takes
    // everything back to the start and forward again, and checks the campaign file written at
    // the end. The kinds of step that succeeded are counted in done.
    void Run(unsigned seed, int steps, QMap<QString, int>& done)
    {
        SCOPED_TRACE(seed);
        CCampaign& campaign = Campaign();
        CommandHistory& history = app.GetCommandHistory();
        const QString start = Dump(campaign);
        const QString path = StepFilePath(seed);
        const auto removeFile = qScopeGuard([&] { QFile::remove(path); });
        CCommandGenerator generator(campaign, seed);
        std::mt19937 random(seed ^ 0x5eed);
        QMap<QString, int> failed;
        QString current = start;
        const int undoneBefore = history.GetUndoCount();
        for (int step = 0; step < steps; ++step) {
            QString kind;
            CCommandGenerator::GroupStep group;
            std::unique_ptr<CCmdVirtual> command = generator.Next(kind, group);
            const bool validate = kind == QLatin1String("validate");
            if (!command && !group && !validate)
                continue;
            SCOPED_TRACE(QStringLiteral("step %1: %2").arg(step).arg(kind).toStdString());
            const QString before = current;
            const SAppearances appearances(campaign);
            SSourceComparisonLists lists;
            if (validate)
                lists = generator.Lists();
            std::atomic<int> doneCount{0};
            const bool succeeded =
                validate ? ValidateCampaign(doneCount, campaign, lists)
                : group  ? group(app)
                         : app.ExecuteCommand(command, CCmdCallBacks(), nullptr, nullptr, true);
            if (succeeded) {
                ++done[kind];
                // Taken back and put back at once: exactly the states before and after.
                current = Dump(campaign);
                ASSERT_TRUE(app.Undo()) << "undo of " << kind.toStdString();
                ASSERT_TRUE(SameDump(Dump(campaign), before)) << "undo of " << kind.toStdString();
                ASSERT_TRUE(app.Redo()) << "redo of " << kind.toStdString();
                ASSERT_TRUE(SameDump(Dump(campaign), current)) << "redo of " << kind.toStdString();
            } else {
                ++failed[kind];
                ASSERT_TRUE(SameDump(Dump(campaign), before)) << "a failed " << kind.toStdString();
            }
            ASSERT_TRUE(HoldsAndReadsBack(campaign, path, current));
            ASSERT_TRUE(MovedAppearancesMatch(campaign, appearances));
            // Now and then some steps back and forth again, or back and a new branch.
            const int roll = std::uniform_int_distribution<int>(0, 19)(random);
            if (roll == 0 && history.GetUndoCount() >= 3) {
                int undone = 0;
                for (; undone < 3 && history.CanUndo(); ++undone)
                    ASSERT_TRUE(app.Undo());
                for (int i = 0; i < undone; ++i)
                    ASSERT_TRUE(app.Redo());
                ASSERT_TRUE(SameDump(Dump(campaign), current));
            } else if (roll == 1 && history.CanUndo()) {
                ASSERT_TRUE(app.Undo());
                current = Dump(campaign);
                ASSERT_TRUE(HoldsAndReadsBack(campaign, path, current)) << "after an undo";
            }
        }
        ASSERT_GT(history.GetUndoCount() - undoneBefore, steps / 4);
        if (qEnvironmentVariableIsSet("PLIM_RANDOM_COMMANDS_STATS")) {
            for (const auto& kind : CCommandGenerator::Kinds()) {
                const QString name = QString::fromLatin1(kind.Name);
                printf("%-28s done %3d failed %3d\n", kind.Name, done.value(name),
                       failed.value(name));
            }
        }
        // Grouped steps go back and forth together.
        const QString end = current;
        int count = 0;
        for (; history.CanUndo(); ++count)
            ASSERT_TRUE(app.Undo()) << "undo " << count;
        EXPECT_TRUE(SameDump(Dump(campaign), start));
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(app.Redo()) << "redo " << i;
        EXPECT_TRUE(SameDump(Dump(campaign), end));
    }

    // Every kind of step was done at least once.
    static void ExpectEveryKind(const QMap<QString, int>& done)
    {
        for (const auto& kind : CCommandGenerator::Kinds())
            EXPECT_TRUE(done.contains(QString::fromLatin1(kind.Name)))
                << kind.Name << " never succeeded";
    }
};

TEST_F(RandomCommands, AFixedSeedUndoneToTheStartAndRedoneToTheEnd)
{
    QMap<QString, int> done;
    Run(20240611, 300, done);
    ExpectEveryKind(done);
}

// The long run: PLIM_RANDOM_COMMANDS=<steps> runs that many steps for each seed of
// PLIM_RANDOM_SEEDS: "N" for the seeds 1 to N, "FIRST-LAST" for a range (so that several
// processes can share the seeds); 1 to 10 when not set.
TEST_F(RandomCommands, LongRunsBehindAnEnvironmentVariable)
{
    const int steps = qEnvironmentVariableIntValue("PLIM_RANDOM_COMMANDS");
    if (steps <= 0)
        GTEST_SKIP() << "set PLIM_RANDOM_COMMANDS to the number of steps per seed";
    const QStringList range = qEnvironmentVariable("PLIM_RANDOM_SEEDS", QStringLiteral("10"))
                                  .split(u'-', Qt::SkipEmptyParts);
    const unsigned first = range.size() == 2 ? range[0].toUInt() : 1;
    const unsigned last = range.isEmpty() ? 0 : range.back().toUInt();
    ASSERT_TRUE(range.size() <= 2 && first >= 1 && first <= last)
        << "PLIM_RANDOM_SEEDS: a count, or FIRST-LAST";
    QMap<QString, int> done;
    for (unsigned seed = first; seed <= last; ++seed) {
        Run(seed, steps, done);
        if (HasFatalFailure())
            return;
        LoadStudy();
    }
    ExpectEveryKind(done);
}

} // namespace
