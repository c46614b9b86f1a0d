#include "reconcile/DeepRematch.h"

#include "model/Campaign.h"
#include "model/OptionRecords.h"
#include "model/QuestionnaireLoading.h"
#include "questionnaire/Modalite.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "reconcile/NGram.h"
#include "reconcile/ResponseMatching.h"

#include <QHash>
#include <QMap>
#include <set>

namespace pelko_wave {

namespace {

// Method ids of the volumes' ordered lists.
enum
{
    METHOD_INTERNAL_CODE = 0,
    METHOD_MANUAL = 4,
    METHOD_USER_DATA = 5
};
enum
{
    QUESTION_SHORTCUT = 1,
    QUESTION_SHORT_CAPTION = 2,
    QUESTION_LONG_CAPTION = 3
};
enum
{
    RESPONSE_ENTRY_CODE = 1,
    RESPONSE_SHORT_CAPTION = 2,
    RESPONSE_ORDER = 3
};

bool SameText(const QString& a, const QString& b)
{
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// Whether a current matching still holds by its texts: always without the n-gram analysis,
// else when the score of the two texts passes the options' threshold.
bool StillScores(const CVolume& volume, const QString& campaignText, const QString& sourceText)
{
    const CNGramSettings& settings = GetAppNGramSettings();
    if (!settings.GetEnableNGramAnalysis())
        return true;
    return double(settings.GetThresholdFraction()) <
           GetNGramScore(campaignText, sourceText, volume.GetCaseSensitiveMatching() ? 0 : 1,
                         settings.GetIgnoreWhitespace(), settings.GetNGramLength(), 0);
}

// The volume's methods over one candidate: strictly every method tested must pass (and one at
// least must be tested), otherwise the first that passes accepts. Manual tests nothing.
template <class Test>
bool AcceptedByMethods(const CVolume& volume, const QList<quint32>& methods, Test test)
{
    const bool strict = volume.IsMatchingStrict() != 0;
    bool tested = false;
    for (const quint32 method : methods) {
        if (method == METHOD_MANUAL)
            continue;
        const bool passed = test(int(method));
        tested = true;
        if (strict && !passed)
            return false;
        if (!strict && passed)
            return true;
    }
    return strict && tested;
}

// Among the candidates whose code the volume's matchings do not use already, the first that the
// volume's methods accept (test: candidate position, method, code); its code into sourceCode.
template <class CodeOf, class Test>
int FirstAccepted(const CVolume& volume, const QList<quint32>& methods, int count,
                  const std::set<QString>& excluded, CodeOf codeOf, Test test, QString& sourceCode)
{
    for (int i = 0; i < count; ++i) {
        const QString code = codeOf(i);
        if (excluded.count(code))
            continue;
        if (AcceptedByMethods(volume, methods, [&](int method) { return test(i, method, code); })) {
            sourceCode = code;
            return 1;
        }
    }
    return 0;
}

// Whether some caption of the campaign item passes the test.
template <class Item, class Test> bool AnyCaption(const Item& item, Test test)
{
    for (int c = 0; c < item.GetCaptionCount(); ++c) {
        if (test(*item.GetCaption(c)))
            return true;
    }
    return false;
}

// The volume where the campaign question appeared.
const CVolume* AppearanceVolume(const CCampaign& campaign, const CQuestion& question)
{
    return campaign.FindVolume(question.GetAppearanceVolumeId());
}

} // namespace

int DeepRematchQuestion(const CVolume& volume, const CQuestion& campaignQuestion,
                        QString& sourceCode, const CCampaign& campaign)
{
    const qnr::CQuestionnaire& questionnaire = volume.GetQuestionnaire();
    QHash<QString, const qnr::CQuestion*> sources;
    IndexQuestionnaireByCode(questionnaire, sources);
    const int volumeId = volume.GetVolumeId();
    const int questionId = campaignQuestion.GetQuestionId();

    if (const CQuestionMatching* current =
            volume.FindQuestionMatchingInherited(questionId, volumeId)) {
        const qnr::CQuestion* source = sources.value(current->GetSourceId());
        if (source && StillScores(volume, campaignQuestion.GetShortcut(), source->GetShortcut())) {
            sourceCode = current->GetSourceId();
            return 1;
        }
    }

    QMap<int, QString> used;
    volume.CollectQuestionSources(volumeId, used);
    const std::set<QString> excluded(used.cbegin(), used.cend());
    const CVolume* appearance = AppearanceVolume(campaign, campaignQuestion);
    const CQuestionMatching* first =
        appearance
            ? appearance->FindQuestionMatchingInherited(questionId, appearance->GetVolumeId())
            : nullptr;

    return FirstAccepted(
        volume, volume.GetQuestionMatchingMethods(), questionnaire.GetNbreQuestion(), excluded,
        [&](int i) { return QString::number(questionnaire.GetQuestion(i)->GetCodeQuestion()); },
        [&](int i, int method, const QString& code) {
            const qnr::CQuestion& source = *questionnaire.GetQuestion(i);
            switch (method) {
            case METHOD_INTERNAL_CODE:
                return first && SameText(first->GetSourceId(), code);
            case QUESTION_SHORTCUT:
                return SameText(campaignQuestion.GetShortcut(), source.GetShortcut());
            case QUESTION_SHORT_CAPTION:
                return AnyCaption(campaignQuestion, [&](const CQuestionCaption& caption) {
                    return SameText(caption.GetShortCaption(),
                                    source.GetLocalisedShortCaption(caption.GetLanguageId()));
                });
            case QUESTION_LONG_CAPTION:
                return AnyCaption(campaignQuestion, [&](const CQuestionCaption& caption) {
                    return SameText(caption.GetLongCaption(),
                                    source.GetLocalisedLongCaption(caption.GetLanguageId()));
                });
            case METHOD_USER_DATA:
                return SameText(campaignQuestion.GetUserData(), source.GetUserData());
            default:
                return false;
            }
        },
        sourceCode);
}

int DeepRematchModality(const CVolume& volume, const CQuestion& campaignQuestion,
                        const CModality& campaignResponse, const qnr::CQuestion& sourceQuestion,
                        QString& sourceCode, bool checkInherited, const CCampaign& campaign)
{
    const int volumeId = volume.GetVolumeId();
    const int responseId = campaignResponse.GetModalityId();

    if (checkInherited) {
        if (const CModalityMatching* current =
                volume.FindModalityMatchingInherited(responseId, volumeId)) {
            bool numeric = false;
            const int code = current->GetModalitySourceId().toInt(&numeric);
            const qnr::CModalite* source =
                numeric ? sourceQuestion.FindModaliteById(code) : nullptr;
            if (source &&
                StillScores(volume, campaignResponse.GetShortCaption(GetCurrentLanguageId()),
                            source->GetLocalisedShortCaption(GetCurrentQuestionnaireLanguage()))) {
                sourceCode = current->GetModalitySourceId();
                return 1;
            }
        }
    }

    QMap<int, QString> used;
    volume.CollectModalitySourceIds(volumeId, campaignQuestion.GetQuestionId(), used, true);
    const std::set<QString> excluded(used.cbegin(), used.cend());
    const CVolume* appearance = AppearanceVolume(campaign, campaignQuestion);
    const CModalityMatching* first =
        appearance
            ? appearance->FindModalityMatchingInherited(responseId, appearance->GetVolumeId())
            : nullptr;
    const int position = campaignQuestion.FindModalityIndex(&campaignResponse);

    return FirstAccepted(
        volume, volume.GetResponseMatchingMethods(), sourceQuestion.GetNbreModalite(), excluded,
        [&](int s) { return QString::number(sourceQuestion.GetModalite(s)->GetCode()); },
        [&](int s, int method, const QString& code) {
            const qnr::CModalite& source = *sourceQuestion.GetModalite(s);
            switch (method) {
            case METHOD_INTERNAL_CODE:
                return first && SameText(first->GetModalitySourceId(), code);
            case RESPONSE_ENTRY_CODE: {
                const QString sourceEntry = source.GetEntryCode().isEmpty() ? QString::number(s + 1)
                                                                            : source.GetEntryCode();
                return position >= 0 &&
                       EntryCodesEqual(GetModalityEntryCodeText(campaignQuestion, position),
                                       sourceEntry);
            }
            case RESPONSE_SHORT_CAPTION:
                return AnyCaption(campaignResponse, [&](const CModalityCaption& caption) {
                    return SameText(caption.GetShortCaption(),
                                    source.GetLocalisedShortCaption(caption.GetLanguageId()));
                });
            case RESPONSE_ORDER:
                return position == s;
            case METHOD_USER_DATA:
                return SameText(campaignResponse.GetUserData(), source.GetUserData());
            default:
                return false;
            }
        },
        sourceCode);
}

} // namespace pelko_wave
