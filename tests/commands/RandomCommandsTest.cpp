#include "CommandTestSupport.h"
#include "SampleStudyFile.h"

#include "commands/CampaignValidation.h"
#include "commands/DuplicateCommands.h"
#include "commands/MatchingCommands.h"
#include "commands/MetaCommands.h"
#include "commands/OrderCommands.h"
#include "commands/PropertyCommands.h"
#include "commands/QuestionCommands.h"
#include "commands/RematchCommands.h"
#include "model/Campaign.h"
#include "model/CampaignOrder.h"
#include "model/QuestionnaireLoading.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/SourceComparison.h"

#include <QDateTime>
#include <QMap>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <random>

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

    // A new command, or null when the kind drawn finds nothing to work on. The kind "validate"
    // gives no command: the caller runs the validation on Lists() instead.
    std::unique_ptr<CCmdVirtual> Next(QString& kind)
    {
        const auto& [name, make] = Kinds()[Pick(Kinds().size())];
        kind = QString::fromLatin1(name);
        return make ? make(*this) : nullptr;
    }

    // Every kind of command the generator draws.
    static const std::vector<std::pair<const char*, Maker>>& Kinds()
    {
        static const std::vector<std::pair<const char*, Maker>> kinds = {
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
            return CValue(AnyVolume()->GetVolumeId());
        case QUESTION_PROP_DELETION_WAVE:
            return CValue(Chance(0.5) ? NO_WAVE_ID : AnyWave()->GetWaveId());
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
        const CCaptionValue value(Text(Word()), Language());
        if (Chance(0.5))
            return std::make_unique<CCmdChangeQuestionShortCaption>(&m_campaign, question, 23,
                                                                    value);
        return std::make_unique<CCmdChangeQuestionLongCaption>(&m_campaign, question, 24, value);
    }
    std::unique_ptr<CCmdVirtual> ChangeQuestionComposite()
    {
        CQuestion* question = AnyQuestion();
        auto composite = std::make_unique<CMetaChangeQuestionCmd>(63336, question->GetQuestionId());
        composite->AddCmd(
            std::make_unique<CCmdChangeQuestion>(&m_campaign, question, 0, CValue(true)));
        composite->AddCmd(std::make_unique<CCmdChangeQuestion>(&m_campaign, question, 28,
                                                               CValue(AnyWave()->GetWaveId())));
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
            value = CValue(AnyWave()->GetWaveId());
            break;
        case MODALITY_PROP_APPEARANCE_VOLUME:
            value = CValue(AnyVolume()->GetVolumeId());
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
        const int property = Between(0, 4);
        CValue value = Text(Word());
        if (property >= WAVE_PROP_START)
            value = Text(
                Chance(0.2) ? QString()
                            : QDateTime(QDate(2020 + Between(0, 5), Between(1, 12), Between(1, 28)),
                                        QTime(Between(0, 23), Between(0, 59)))
                                  .toString(Qt::ISODateWithMs));
        return std::make_unique<CCmdChangeWave>(&m_campaign, AnyWave(), property, value);
    }
    std::unique_ptr<CCmdVirtual> ChangeVolume()
    {
        CVolume* volume = AnyVolume();
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
        if (!question)
            return nullptr;
        return std::make_unique<CCmdReorderQuesModalities>(&m_campaign, AnyWave(), question);
    }
    std::unique_ptr<CCmdVirtual> OrderCampaign()
    {
        CWave* wave = AnyWave();
        auto composite = std::make_unique<CMetaOrderCampaignCmd>(63346, wave->GetWaveId());
        composite->AddCmd(std::make_unique<CCmdOrderCampaignQuestions>(&m_campaign, wave));
        composite->AddCmd(std::make_unique<CCmdOrderCampaignModalities>(&m_campaign, wave));
        return composite;
    }
    std::unique_ptr<CCmdVirtual> NewQuestion()
    {
        CVolume* volume = AnyVolume();
        const qnr::CQuestion* source = AnySource(*volume);
        if (!source)
            return nullptr;
        const int order = Chance(0.5) ? -1 : Between(0, m_campaign.GetQuestionCount());
        return std::make_unique<CCmdNewQuestion>(&m_campaign, volume, source, order);
    }
    std::unique_ptr<CCmdVirtual> NewChapter()
    {
        const int order = Chance(0.5) ? -1 : Between(0, m_campaign.GetQuestionCount());
        return std::make_unique<CCmdCreateChapter>(&m_campaign, Chance(0.5) ? AnyVolume() : nullptr,
                                                   Word(), order);
    }
    std::unique_ptr<CCmdVirtual> NewModality()
    {
        CQuestion* question = AnyQuestion();
        CVolume* volume = AnyVolume();
        const qnr::CQuestion* source = AnySource(*volume);
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
        CVolume* volume = AnyVolume();
        if (!question)
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
        CVolume* volume = AnyVolume();
        CQuestion* question = AnyQuestion();
        const qnr::CQuestion* source = AnySource(*volume);
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
        CVolume* volume = AnyVolume();
        CQuestion* question = QuestionWithResponses(1);
        if (!question)
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
    std::unique_ptr<CCmdVirtual> BreakQuestion()
    {
        return std::make_unique<CCmdBreakQuesMatching>(&m_campaign, AnyVolume(), AnyQuestion(),
                                                       QStringLiteral("0"));
    }
    std::unique_ptr<CCmdVirtual> BreakModality()
    {
        CModality* response = AnyResponse();
        if (!response)
            return nullptr;
        return std::make_unique<CCmdBreakModMatching>(&m_campaign, AnyVolume(), response,
                                                      QStringLiteral("0"));
    }
    std::unique_ptr<CCmdVirtual> DeepBreakQuestion()
    {
        return std::make_unique<CCmdDeepBreakQuesMatching>(&m_campaign, AnyQuestion(), nullptr,
                                                           AnyVolume()->GetVolumeId());
    }
    std::unique_ptr<CCmdVirtual> DeepBreakModality()
    {
        CQuestion* question = QuestionWithResponses(1);
        if (!question)
            return nullptr;
        return std::make_unique<CCmdDeepBreakModMatching>(
            &m_campaign, question, AnyResponse(*question), nullptr, AnyVolume()->GetVolumeId());
    }
    std::unique_ptr<CCmdVirtual> RemoveQuestionMatching()
    {
        CVolume* volume = AnyVolume();
        if (!volume->GetQuestionMatchingCount())
            return nullptr;
        return std::make_unique<CCmdRemoveQuestionMatching>(
            &m_campaign,
            volume->GetQuestionMatching(int(Pick(size_t(volume->GetQuestionMatchingCount())))));
    }
    std::unique_ptr<CCmdVirtual> RemoveModalityMatching()
    {
        CVolume* volume = AnyVolume();
        if (!volume->GetModalityMatchingCount())
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
        if (kept == duplicate)
            return nullptr;
        return std::make_unique<CCmdRemoveDuplicateModality>(
            &m_campaign, AnyWave(), Chance(0.5) ? AnyVolume() : nullptr, 0, kept, duplicate);
    }
    std::unique_ptr<CCmdVirtual> Rematch()
    {
        CVolume* volume = AnyVolume();
        CQuestion* question = AnyQuestion();
        if (Chance(0.5) || !question->GetModalityCount())
            return std::make_unique<CCmdDeepRematchQuestion>(&m_campaign, volume, question);
        return std::make_unique<CCmdDeepRematchModality>(&m_campaign, volume, question, 0,
                                                         AnyResponse(*question));
    }

    CCampaign& m_campaign;
    std::mt19937 m_random;
};

// What every state of the campaign must keep: the arrays sorted by order, and no volume holding
// two matchings of one item.
::testing::AssertionResult KeepsItsInvariants(const CCampaign& campaign)
{
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

class RandomCommands : public CSampleStudyTest
{
protected:
    // Runs the given number of commands drawn with the seed, with a few undo and redo round
    // trips and abandoned redo branches on the way; then takes everything back to the start and
    // forward again, and checks the campaign file written at the end.
    void Run(unsigned seed, int steps)
    {
        SCOPED_TRACE(seed);
        CCampaign& campaign = Campaign();
        CommandHistory& history = app.GetCommandHistory();
        const QString start = Dump(campaign);
        CCommandGenerator generator(campaign, seed);
        std::mt19937 random(seed ^ 0x5eed);
        QMap<QString, int> done;
        QMap<QString, int> failed;
        for (int step = 0; step < steps; ++step) {
            QString kind;
            std::unique_ptr<CCmdVirtual> command = generator.Next(kind);
            const bool validate = kind == QLatin1String("validate");
            if (!command && !validate)
                continue;
            const QString before = Dump(campaign);
            SSourceComparisonLists lists;
            if (validate)
                lists = generator.Lists();
            std::atomic<int> doneCount{0};
            if (validate ? ValidateCampaign(doneCount, campaign, lists)
                         : app.ExecuteCommand(command, CCmdCallBacks(), nullptr, nullptr, true)) {
                ++done[kind];
            } else {
                ++failed[kind];
                ASSERT_TRUE(SameDump(Dump(campaign), before)) << "a failed " << kind.toStdString();
            }
            ASSERT_TRUE(KeepsItsInvariants(campaign)) << "after " << kind.toStdString();
            // Now and then some steps back and forth again, or back and a new branch.
            const int roll = std::uniform_int_distribution<int>(0, 19)(random);
            if (roll == 0 && history.GetUndoCount() >= 3) {
                const QString here = Dump(campaign);
                for (int i = 0; i < 3; ++i)
                    ASSERT_TRUE(history.Undo());
                for (int i = 0; i < 3; ++i)
                    ASSERT_TRUE(history.Redo());
                ASSERT_TRUE(SameDump(Dump(campaign), here));
            } else if (roll == 1 && history.GetUndoCount() >= 1) {
                ASSERT_TRUE(history.Undo());
                ASSERT_TRUE(KeepsItsInvariants(campaign)) << "after an undo";
            }
        }
        ASSERT_GT(history.GetUndoCount(), steps / 4);
        if (qEnvironmentVariableIsSet("PLIM_RANDOM_COMMANDS_STATS")) {
            for (auto it = done.cbegin(); it != done.cend(); ++it)
                printf("%-28s done %3d failed %3d\n", qPrintable(it.key()), it.value(),
                       failed.value(it.key()));
            for (auto it = failed.cbegin(); it != failed.cend(); ++it)
                if (!done.contains(it.key()))
                    printf("%-28s done   0 failed %3d\n", qPrintable(it.key()), it.value());
        }
        // Every kind of command was done at least once.
        for (const auto& [name, make] : CCommandGenerator::Kinds())
            EXPECT_TRUE(done.contains(QString::fromLatin1(name))) << name << " never succeeded";

        const QString end = Dump(campaign);
        const QString path = FilePath(QStringLiteral("random-%1.duv").arg(seed));
        QString error;
        EXPECT_TRUE(SameDump(AsReadBack(SaveAndReload(campaign, path, &error)), AsReadBack(end)))
            << error.toStdString();
        EXPECT_EQ(CheckCampaignFile(path), "");

        const int count = history.GetUndoCount();
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(history.Undo()) << "undo " << i;
        EXPECT_TRUE(SameDump(Dump(campaign), start));
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(history.Redo()) << "redo " << i;
        EXPECT_TRUE(SameDump(Dump(campaign), end));
    }
};

TEST_F(RandomCommands, AFixedSeedUndoneToTheStartAndRedoneToTheEnd)
{
    Run(20240611, 300);
}

// The long run: PLIM_RANDOM_COMMANDS=<steps> runs that many commands for each of ten seeds.
TEST_F(RandomCommands, LongRunsBehindAnEnvironmentVariable)
{
    const int steps = qEnvironmentVariableIntValue("PLIM_RANDOM_COMMANDS");
    if (steps <= 0)
        GTEST_SKIP() << "set PLIM_RANDOM_COMMANDS to the number of commands per seed";
    for (unsigned seed = 1; seed <= 10; ++seed) {
        Run(seed, steps);
        if (HasFatalFailure())
            return;
        LoadStudy();
    }
}

} // namespace
