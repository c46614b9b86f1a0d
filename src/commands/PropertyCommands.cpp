#include "commands/PropertyCommands.h"

#include "model/Campaign.h"
#include "model/Captions.h"
#include "model/Language.h"
#include "model/Modality.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Questionnaire.h"
#include "res/StringIds.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <functional>

using namespace pelko_wave;

namespace {

constexpr quint32 kHighestMatchingMethod = 5;

// Readers and writers of the value kinds. A reader fails on a text of the wrong kind.

bool ReadInt(const CValue& value, int& out)
{
    bool ok = false;
    out = value.GetText().trimmed().toInt(&ok);
    return ok;
}

bool ReadNumber(const CValue& value, double& out)
{
    bool ok = false;
    out = value.GetText().trimmed().toDouble(&ok);
    return ok && std::isfinite(out);
}

// The shortest text that reads back as the same double.
void WriteNumber(CValue& value, double number)
{
    value.SetText(QString::number(number, 'g', QLocale::FloatingPointShortest));
}

// An empty text is no date; any other must be an ISO 8601 date.
bool ReadDate(const CValue& value, QDateTime& out)
{
    const QString text = value.GetText().trimmed();
    if (text.isEmpty()) {
        out = QDateTime();
        return true;
    }
    out = QDateTime::fromString(text, Qt::ISODateWithMs);
    return out.isValid();
}

void WriteDate(CValue& value, const QDateTime& date)
{
    value.SetText(date.isNull() ? QString() : date.toString(Qt::ISODateWithMs));
}

// The property's current value into previous, then the new one in: one step for each kind.
template <class Get, class Set> bool SwapText(const CValue& in, CValue& previous, Get get, Set set)
{
    previous.SetText(get());
    set(in.GetText());
    return true;
}

template <class Get, class Set> bool SwapFlag(const CValue& in, CValue& previous, Get get, Set set)
{
    previous.SetBool(get() != 0);
    set(in.AsBool() ? 1 : 0);
    return true;
}

template <class Get, class Set> bool SwapInt(const CValue& in, CValue& previous, Get get, Set set)
{
    int value = 0;
    if (!ReadInt(in, value))
        return false;
    previous.SetInt(get());
    set(value);
    return true;
}

template <class Get, class Set>
bool SwapNumber(const CValue& in, CValue& previous, Get get, Set set)
{
    double value = 0.0;
    if (!ReadNumber(in, value))
        return false;
    WriteNumber(previous, get());
    set(value);
    return true;
}

template <class Get, class Set> bool SwapDate(const CValue& in, CValue& previous, Get get, Set set)
{
    QDateTime value;
    if (!ReadDate(in, value))
        return false;
    WriteDate(previous, get());
    set(value);
    return true;
}

// An item first appears in a volume that matches it: a new appearance volume must be a volume of
// the campaign that holds a matching of the item, its own or one inherited (isMatched tells).
// Undo and Redo give back values that held before and are not checked again.
bool SwapAppearanceVolume(const CCampaign* campaign, const CValue& in, CValue& previous,
                          EPropertyStep step, int current,
                          const std::function<bool(const CVolume&)>& isMatched,
                          const std::function<void(int)>& set)
{
    int value = 0;
    if (!ReadInt(in, value))
        return false;
    if (step == EPropertyStep::Do && campaign) {
        const CVolume* volume = campaign->FindVolume(value);
        if (!volume || !isMatched(*volume))
            return false;
    }
    previous.SetInt(current);
    set(value);
    return true;
}

// The caption of one language, read with get and written with set. Do notes whether it made the
// caption record; Undo then takes that record out (the command keeps it) instead of writing the
// old text, and Redo puts it back.
template <class TObject, class TCaption, class Get, class Set>
bool SwapCaption(TObject& object, const CCaptionValue& in, CCaptionValue& previous,
                 EPropertyStep step, SCreatedCaption<TCaption>& created, Get get, Set set)
{
    const int languageId = in.GetLanguageId();
    if (languageId < 0)
        return false;
    previous.SetText(get(languageId));
    previous.SetLanguageId(languageId);
    switch (step) {
    case EPropertyStep::Do:
        created.Created = object.FindCaption(languageId) == nullptr;
        break;
    case EPropertyStep::Undo:
        if (created.Created) {
            created.Kept = object.RemoveCaption(languageId);
            return true;
        }
        break;
    case EPropertyStep::Redo:
        if (created.Created && created.Kept)
            object.AddCaption(std::move(created.Kept));
        break;
    }
    set(languageId, in.GetText());
    return true;
}

bool SwapQuestionCaption(CQuestion& question, bool longCaption, const CCaptionValue& in,
                         CCaptionValue& previous, EPropertyStep step,
                         SCreatedCaption<CQuestionCaption>& created)
{
    if (longCaption) {
        return SwapCaption(
            question, in, previous, step, created,
            [&](int language) { return question.GetLongCaption(language); },
            [&](int language, const QString& text) { question.SetLongCaption(language, text); });
    }
    return SwapCaption(
        question, in, previous, step, created,
        [&](int language) { return question.GetShortCaption(language); },
        [&](int language, const QString& text) { question.SetShortCaption(language, text); });
}

bool SwapModalityCaption(CModality& modality, const CCaptionValue& in, CCaptionValue& previous,
                         EPropertyStep step, SCreatedCaption<CModalityCaption>& created)
{
    return SwapCaption(
        modality, in, previous, step, created,
        [&](int language) { return modality.GetShortCaption(language); },
        [&](int language, const QString& text) { modality.SetShortCaption(language, text); });
}

// A caption value given where a plain value may be given: its language, or -1 with a flag
// clear.
CCaptionValue AsCaptionValue(const CValue& value, bool& isCaption)
{
    const auto* caption = dynamic_cast<const CCaptionValue*>(&value);
    isCaption = caption != nullptr;
    return CCaptionValue(value, caption ? caption->GetLanguageId() : -1);
}

bool ValidMethodList(const QList<quint32>& methods)
{
    return std::all_of(methods.begin(), methods.end(),
                       [](quint32 id) { return id <= kHighestMatchingMethod; });
}

} // namespace

// Campaign ------------------------------------------------------------------------------------

CCmdChangeCampaign::CCmdChangeCampaign(CCampaign* campaign, int property, const CValue& newValue)
    : CCmdChangeProperty(campaign, campaign, property, newValue, IDS_CHANGE_CAMPAIGN)
{
}

bool CCmdChangeCampaign::ApplyProperty(const CValue& in, CValue& previous, EPropertyStep)
{
    CCampaign& c = *m_pObject;
    switch (m_property) {
    case CAMPAIGN_PROP_DEFAULT_LANGUAGE:
        return SwapInt(
            in, previous, [&] { return c.GetDefaultLanguageId(); },
            [&](int v) { c.SetDefaultLanguageId(v); });
    case CAMPAIGN_PROP_CURRENT_LANGUAGE:
        return SwapInt(
            in, previous, [&] { return c.GetCurrentLanguageId(); },
            [&](int v) { c.SetCurrentLanguageId(v); });
    case CAMPAIGN_PROP_NAME:
        return SwapText(
            in, previous, [&] { return c.GetName(); }, [&](const QString& v) { c.SetName(v); });
    case CAMPAIGN_PROP_DESCRIPTION:
        return SwapText(
            in, previous, [&] { return c.GetDescription(); },
            [&](const QString& v) { c.SetDescription(v); });
    default:
        return false;
    }
}

// Wave ----------------------------------------------------------------------------------------

CCmdChangeWave::CCmdChangeWave(CCampaign* campaign, CWave* wave, int property,
                               const CValue& newValue)
    : CCmdChangeProperty(campaign, wave, property, newValue, IDS_CHANGE_WAVE)
{
}

bool CCmdChangeWave::ApplyProperty(const CValue& in, CValue& previous, EPropertyStep)
{
    CWave& w = *m_pObject;
    switch (m_property) {
    case WAVE_PROP_NAME:
        return SwapText(
            in, previous, [&] { return w.GetName(); }, [&](const QString& v) { w.SetName(v); });
    case WAVE_PROP_DESCRIPTION:
        return SwapText(
            in, previous, [&] { return w.GetDescription(); },
            [&](const QString& v) { w.SetDescription(v); });
    case WAVE_PROP_START:
        return SwapDate(
            in, previous, [&] { return w.GetWaveStart(); },
            [&](const QDateTime& v) { w.SetWaveStart(v); });
    case WAVE_PROP_MIDPOINT:
        return SwapDate(
            in, previous, [&] { return w.GetWaveMidpoint(); },
            [&](const QDateTime& v) { w.SetWaveMidpoint(v); });
    case WAVE_PROP_END:
        return SwapDate(
            in, previous, [&] { return w.GetWaveEnd(); },
            [&](const QDateTime& v) { w.SetWaveEnd(v); });
    default:
        return false;
    }
}

// Volume --------------------------------------------------------------------------------------

CCmdChangeVolume::CCmdChangeVolume(CCampaign* campaign, CVolume* volume, int property,
                                   const VolumePropertyValue& newValue)
    : CCmdChangeProperty(campaign, volume, property, newValue, IDS_CHANGE_VOLUME)
{
}

CCmdChangeVolume::~CCmdChangeVolume() = default;

std::unique_ptr<CCallBackInfo> CCmdChangeVolume::CreateCallBackInfo() const
{
    return std::make_unique<CCallBackInfoChangeVolume>(m_pObject, m_property, m_newValue,
                                                       m_oldValue);
}

bool CCmdChangeVolume::ApplyProperty(const VolumePropertyValue& in, VolumePropertyValue& previous,
                                     EPropertyStep step)
{
    CVolume& v = *m_pObject;
    const auto* text = std::get_if<QString>(&in);
    const auto* number = std::get_if<int>(&in);
    const auto* flag = std::get_if<bool>(&in);
    const auto* methods = std::get_if<QList<quint32>>(&in);
    switch (m_property) {
    case VOLUME_PROP_NAME:
        if (!text)
            return false;
        previous = v.GetName();
        v.SetName(*text);
        return true;
    case VOLUME_PROP_PATH_FORMAT: {
        const auto* format = std::get_if<ESourcePathFormat>(&in);
        if (!format)
            return false;
        previous = ESourcePathFormat(v.GetMetaData().SourceFilePathFormat);
        // The interview source gets back its own kind, which may differ from the
        // questionnaire source's that the value carries.
        if (step == EPropertyStep::Do)
            m_oldCaseDataFormat = v.GetCaseData().SourceFilePathFormat;
        v.GetMetaData().SourceFilePathFormat = *format;
        v.GetCaseData().SourceFilePathFormat =
            step == EPropertyStep::Undo ? m_oldCaseDataFormat : int(*format);
        return true;
    }
    case VOLUME_PROP_QUESTIONNAIRE_SOURCE:
    case VOLUME_PROP_INTERVIEW_SOURCE: {
        if (!text)
            return false;
        CSourcePath& path =
            m_property == VOLUME_PROP_QUESTIONNAIRE_SOURCE ? v.GetMetaData() : v.GetCaseData();
        previous = path.SourceString;
        path.SourceString = *text;
        // Do puts in an empty questionnaire, read from the new source when next needed; Undo and
        // Redo exchange it with the one kept, so that each source has its own questionnaire.
        m_keptQuestionnaire = v.ReplaceQuestionnaire(std::move(m_keptQuestionnaire));
        return true;
    }
    case VOLUME_PROP_QUESTIONNAIRE_SURVEY:
    case VOLUME_PROP_INTERVIEW_SURVEY: {
        if (!number)
            return false;
        CSourcePath& path =
            m_property == VOLUME_PROP_QUESTIONNAIRE_SURVEY ? v.GetMetaData() : v.GetCaseData();
        previous = path.SurveyID;
        path.SurveyID = *number;
        return true;
    }
    case VOLUME_PROP_QUESTION_METHODS:
        if (!methods || !ValidMethodList(*methods))
            return false;
        previous = v.GetQuestionMatchingMethods();
        v.SetQuestionMatchingMethods(*methods);
        return true;
    case VOLUME_PROP_RESPONSE_METHODS:
        if (!methods || !ValidMethodList(*methods))
            return false;
        previous = v.GetResponseMatchingMethods();
        v.SetResponseMatchingMethods(*methods);
        return true;
    case VOLUME_PROP_STRICT:
        if (!flag)
            return false;
        previous = v.IsMatchingStrict() != 0;
        v.SetIsMatchingStrict(*flag ? 1 : 0);
        return true;
    case VOLUME_PROP_CASE_SENSITIVE:
        if (!flag)
            return false;
        previous = v.GetCaseSensitiveMatching() != 0;
        v.SetCaseSensitiveMatching(*flag ? 1 : 0);
        return true;
    case VOLUME_PROP_ANCESTOR_VALUES:
        if (!flag)
            return false;
        previous = v.GetMatchUsingAncestorValues() != 0;
        v.SetMatchUsingAncestorValues(*flag ? 1 : 0);
        return true;
    default:
        return false;
    }
}

// Question ------------------------------------------------------------------------------------

CCmdChangeQuestion::CCmdChangeQuestion(CCampaign* campaign, CQuestion* question, int property,
                                       const CValue& newValue)
    : CCmdChangeProperty(campaign, question, property, CCaptionValue(), IDS_CHANGE_QUESTION)
{
    m_newValue = AsCaptionValue(newValue, m_captionGiven);
}

CCmdChangeQuestion::~CCmdChangeQuestion() = default;

bool CCmdChangeQuestion::ApplyProperty(const CCaptionValue& in, CCaptionValue& previous,
                                       EPropertyStep step)
{
    CQuestion& q = *m_pObject;
    switch (m_property) {
    case QUESTION_PROP_IS_DELETED:
        return SwapFlag(
            in, previous, [&] { return q.IsDeleted(); }, [&](int v) { q.SetIsDeleted(v); });
    case QUESTION_PROP_ORDER: {
        int order = 0;
        if (!ReadInt(in, order))
            return false;
        previous.SetInt(q.GetOrder());
        if (step == EPropertyStep::Do && m_pCampaign)
            m_sequenceBefore = m_pCampaign->GetQuestionSequence();
        q.SetOrder(order);
        if (!m_pCampaign)
            return true;
        // The question array stays sorted by order; Undo puts back the very sequence that Do
        // found, ties between equal orders included.
        if (step == EPropertyStep::Undo && m_pCampaign->SetQuestionSequence(m_sequenceBefore))
            return true;
        m_pCampaign->SetMaxQuestionOrder(std::max(m_pCampaign->GetMaxQuestionOrder(), order));
        m_pCampaign->SortQuestions();
        return true;
    }
    case QUESTION_PROP_SHORTCUT:
        return SwapText(
            in, previous, [&] { return q.GetShortcut(); },
            [&](const QString& v) { q.SetShortcut(v); });
    case QUESTION_PROP_INDENT:
        return SwapInt(
            in, previous, [&] { return q.GetIndent(); }, [&](int v) { q.SetIndent(v); });
    case QUESTION_PROP_ELEMENT_TYPE:
        return SwapInt(
            in, previous, [&] { return q.GetElementType(); }, [&](int v) { q.SetElementType(v); });
    case QUESTION_PROP_QUESTION_TYPE:
        return SwapInt(
            in, previous, [&] { return q.GetQuestionType(); },
            [&](int v) { q.SetQuestionType(v); });
    case QUESTION_PROP_DONT_KNOW:
        return SwapFlag(
            in, previous, [&] { return q.IsDontKnow(); }, [&](int v) { q.SetIsDontKnow(v); });
    case QUESTION_PROP_SEMI_OPEN:
        return SwapFlag(
            in, previous, [&] { return q.IsSemiOpen(); }, [&](int v) { q.SetIsSemiOpen(v); });
    case QUESTION_PROP_SCALE:
        return SwapFlag(
            in, previous, [&] { return q.IsScale(); }, [&](int v) { q.SetIsScale(v); });
    case QUESTION_PROP_MULTIPLE:
        return SwapFlag(
            in, previous, [&] { return q.IsMultiple(); }, [&](int v) { q.SetIsMultiple(v); });
    case QUESTION_PROP_RANKED:
        return SwapFlag(
            in, previous, [&] { return q.IsRanked(); }, [&](int v) { q.SetIsRanked(v); });
    case QUESTION_PROP_MAX_RESPONSES:
        return SwapInt(
            in, previous, [&] { return q.GetMaxResponseCount(); },
            [&](int v) { q.SetMaxResponseCount(v); });
    case QUESTION_PROP_DECIMALS:
        return SwapInt(
            in, previous, [&] { return q.GetDecimals(); }, [&](int v) { q.SetDecimals(v); });
    case QUESTION_PROP_MIN_VALUE:
        return SwapNumber(
            in, previous, [&] { return q.GetMinValue(); }, [&](double v) { q.SetMinValue(v); });
    case QUESTION_PROP_MAX_VALUE:
        return SwapNumber(
            in, previous, [&] { return q.GetMaxValue(); }, [&](double v) { q.SetMaxValue(v); });
    case QUESTION_PROP_LEVEL_LINK:
        return SwapFlag(
            in, previous, [&] { return q.IsLevelLink(); }, [&](int v) { q.SetIsLevelLink(v); });
    case QUESTION_PROP_LINK_QUESTION:
        return SwapInt(
            in, previous, [&] { return q.GetLinkQuestionId(); },
            [&](int v) { q.SetLinkQuestionId(v); });
    case QUESTION_PROP_PROBABILITY:
        return SwapFlag(
            in, previous, [&] { return q.IsProbabilityQuestion(); },
            [&](int v) { q.SetIsProbabilityQuestion(v); });
    case QUESTION_PROP_DATE_TYPE:
        return SwapInt(
            in, previous, [&] { return q.GetDateType(); }, [&](int v) { q.SetDateType(v); });
    case QUESTION_PROP_USER_DATA:
        return SwapText(
            in, previous, [&] { return q.GetUserData(); },
            [&](const QString& v) { q.SetUserData(v); });
    case QUESTION_PROP_DEVELOP_LEVELS:
        return SwapFlag(
            in, previous, [&] { return q.IsDevelopLevels(); },
            [&](int v) { q.SetIsDevelopLevels(v); });
    case QUESTION_PROP_SHORT_CAPTION:
    case QUESTION_PROP_LONG_CAPTION:
        return m_captionGiven && SwapQuestionCaption(q, m_property == QUESTION_PROP_LONG_CAPTION,
                                                     in, previous, step, m_caption);
    case QUESTION_PROP_APPEARANCE_VOLUME:
        return SwapAppearanceVolume(
            m_pCampaign, in, previous, step, q.GetAppearanceVolumeId(),
            [&](const CVolume& volume) {
                return volume.FindQuestionMatchingInherited(q.GetQuestionId(),
                                                            volume.GetVolumeId()) != nullptr;
            },
            [&](int v) { q.SetAppearanceVolumeId(v); });
    case QUESTION_PROP_DELETION_WAVE:
        return SwapInt(
            in, previous, [&] { return q.GetDeletionWaveId(); },
            [&](int v) { q.SetDeletionWaveId(v); });
    default:
        return false;
    }
}

template <class TRecord>
CCmdChangeQuestionCaption<TRecord>::CCmdChangeQuestionCaption(CCampaign* campaign,
                                                              CQuestion* question, int property,
                                                              const CCaptionValue& newValue,
                                                              int acceptedProperty)
    : CCmdChangeProperty<CQuestion, CCaptionValue, TRecord>(campaign, question, property, newValue,
                                                            IDS_CHANGE_QUESTION),
      m_acceptedProperty(acceptedProperty)
{
}

template <class TRecord> CCmdChangeQuestionCaption<TRecord>::~CCmdChangeQuestionCaption() = default;

template <class TRecord>
bool CCmdChangeQuestionCaption<TRecord>::ApplyProperty(const CCaptionValue& in,
                                                       CCaptionValue& previous, EPropertyStep step)
{
    return this->m_property == m_acceptedProperty &&
           SwapQuestionCaption(*this->m_pObject, m_acceptedProperty == QUESTION_PROP_LONG_CAPTION,
                               in, previous, step, m_caption);
}

template class CCmdChangeQuestionCaption<CCallBackInfoChangeQuestionShortCaption>;
template class CCmdChangeQuestionCaption<CCallBackInfoChangeQuestionLongCaption>;

CCmdChangeQuestionShortCaption::CCmdChangeQuestionShortCaption(CCampaign* campaign,
                                                               CQuestion* question, int property,
                                                               const CCaptionValue& newValue)
    : CCmdChangeQuestionCaption(campaign, question, property, newValue, QUESTION_PROP_SHORT_CAPTION)
{
}

CCmdChangeQuestionLongCaption::CCmdChangeQuestionLongCaption(CCampaign* campaign,
                                                             CQuestion* question, int property,
                                                             const CCaptionValue& newValue)
    : CCmdChangeQuestionCaption(campaign, question, property, newValue, QUESTION_PROP_LONG_CAPTION)
{
}

// Response ------------------------------------------------------------------------------------

CCmdChangeModality::CCmdChangeModality(CCampaign* campaign, CModality* modality, int property,
                                       const CValue& newValue)
    : CCmdChangeProperty(campaign, modality, property, CCaptionValue(), IDS_CHANGE_RESPONSE)
{
    m_newValue = AsCaptionValue(newValue, m_captionGiven);
}

CCmdChangeModality::~CCmdChangeModality() = default;

bool CCmdChangeModality::ApplyProperty(const CCaptionValue& in, CCaptionValue& previous,
                                       EPropertyStep step)
{
    CModality& m = *m_pObject;
    switch (m_property) {
    case MODALITY_PROP_IS_DELETED:
        return SwapFlag(
            in, previous, [&] { return m.IsDeleted(); }, [&](int v) { m.SetIsDeleted(v); });
    case MODALITY_PROP_ORDER: {
        int order = 0;
        if (!ReadInt(in, order))
            return false;
        previous.SetInt(m.GetModalityOrder());
        CQuestion* question =
            m_pCampaign ? m_pCampaign->GetQuestionById(m.GetQuestionId()) : nullptr;
        if (step == EPropertyStep::Do && question)
            m_sequenceBefore = question->GetModalities();
        m.SetModalityOrder(order);
        if (!question || question->FindModalityIndex(&m) < 0)
            return true;
        // The question's responses stay sorted by order; Undo puts back the sequence Do found.
        if (step == EPropertyStep::Undo && question->SetModalitySequence(m_sequenceBefore))
            return true;
        question->SetMaxModalityOrder(std::max(question->GetMaxModalityOrder(), order));
        question->SortModalities();
        return true;
    }
    case MODALITY_PROP_VALUE:
        return SwapNumber(
            in, previous, [&] { return m.GetValue(); }, [&](double v) { m.SetValue(v); });
    case MODALITY_PROP_ENTRY_CODE:
        return SwapText(
            in, previous, [&] { return m.GetEntryCode(); },
            [&](const QString& v) { m.SetEntryCode(v); });
    case MODALITY_PROP_EXCLUSIVE:
        return SwapFlag(
            in, previous, [&] { return m.IsExclusive(); }, [&](int v) { m.SetIsExclusive(v); });
    case MODALITY_PROP_ROTATION:
        return SwapInt(
            in, previous, [&] { return m.GetRotationBehaviour(); },
            [&](int v) { m.SetRotationBehaviour(v); });
    case MODALITY_PROP_VERSIONS:
        return SwapText(
            in, previous, [&] { return m.GetVersions(); },
            [&](const QString& v) { m.SetVersions(v); });
    case MODALITY_PROP_USER_DATA:
        return SwapText(
            in, previous, [&] { return m.GetUserData(); },
            [&](const QString& v) { m.SetUserData(v); });
    case MODALITY_PROP_SHORT_CAPTION:
        return m_captionGiven && SwapModalityCaption(m, in, previous, step, m_caption);
    case MODALITY_PROP_DELETION_WAVE:
        return SwapInt(
            in, previous, [&] { return m.GetDeletionWaveId(); },
            [&](int v) { m.SetDeletionWaveId(v); });
    case MODALITY_PROP_APPEARANCE_VOLUME:
        return SwapAppearanceVolume(
            m_pCampaign, in, previous, step, m.GetAppearanceVolumeId(),
            [&](const CVolume& volume) {
                return volume.FindModalityMatchingInherited(m.GetModalityId(),
                                                            volume.GetVolumeId()) != nullptr;
            },
            [&](int v) { m.SetAppearanceVolumeId(v); });
    default:
        return false;
    }
}

CCmdChangeModalityShortCaption::CCmdChangeModalityShortCaption(CCampaign* campaign,
                                                               CModality* modality, int property,
                                                               const CCaptionValue& newValue)
    : CCmdChangeProperty(campaign, modality, property, newValue, IDS_CHANGE_RESPONSE)
{
}

CCmdChangeModalityShortCaption::~CCmdChangeModalityShortCaption() = default;

bool CCmdChangeModalityShortCaption::ApplyProperty(const CCaptionValue& in, CCaptionValue& previous,
                                                   EPropertyStep step)
{
    return m_property == MODALITY_PROP_SHORT_CAPTION &&
           SwapModalityCaption(*m_pObject, in, previous, step, m_caption);
}

// Language ------------------------------------------------------------------------------------

CCmdChangeLanguage::CCmdChangeLanguage(CCampaign* campaign, CLanguage* language, int property,
                                       const CValue& newValue)
    : CCmdChangeProperty(campaign, language, property, newValue, IDS_CHANGE_LANGUAGE)
{
}

bool CCmdChangeLanguage::ApplyProperty(const CValue& in, CValue& previous, EPropertyStep)
{
    CLanguage& l = *m_pObject;
    switch (m_property) {
    case LANGUAGE_PROP_IS_DEFAULT:
        return SwapFlag(
            in, previous, [&] { return l.IsDefault(); }, [&](int v) { l.SetIsDefault(v); });
    case LANGUAGE_PROP_ID: {
        int languageId = 0;
        if (!ReadInt(in, languageId))
            return false;
        const int oldLanguageId = l.GetLanguageId();
        // The campaign finds its languages by id, and the captions name theirs by id: all move
        // together, or nothing does.
        if (m_pCampaign) {
            if (!m_pCampaign->ChangeLanguageId(l, languageId))
                return false;
        } else {
            l.SetLanguageId(languageId);
        }
        previous.SetInt(oldLanguageId);
        return true;
    }
    case LANGUAGE_PROP_NAME:
        return SwapText(
            in, previous, [&] { return l.GetLanguageName(); },
            [&](const QString& v) { l.SetLanguageName(v); });
    case LANGUAGE_PROP_ABBREVIATION:
        return SwapText(
            in, previous, [&] { return l.GetLanguageAbbreviation(); },
            [&](const QString& v) { l.SetLanguageAbbreviation(v); });
    default:
        return false;
    }
}
