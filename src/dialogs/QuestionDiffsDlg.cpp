#include "dialogs/QuestionDiffsDlg.h"

#include "model/Campaign.h"
#include "model/Captions.h"
#include "model/Language.h"
#include "model/Question.h"
#include "model/ValueTexts.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "questionnaire/Question.h"
#include "reconcile/PropertyCaptions.h"
#include "reconcile/PropertyTexts.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;

namespace {

constexpr int kElementType = 4;
constexpr int kQuestionType = 5;
constexpr int kDateType = 18;

// The details and the editor of each difference kind. Kinds without a row here have no values
// of their own (deleted, order, versions): nothing to show, nothing to edit.
using E = EDiffEditor;
// The minimum and the maximum are real numbers, negative ones too: a plain edit takes them.
constexpr SDiffKind kKinds[] = {
    {2, 63042, E::Text},       {3, 63043, E::Number},     {4, 63044, E::Text},
    {5, 63045, E::Text},       {6, 63046, E::TrueFalse},  {7, 63047, E::TrueFalse},
    {8, 63048, E::TrueFalse},  {9, 63049, E::TrueFalse},  {10, 63050, E::TrueFalse},
    {11, 63051, E::Number},    {12, 63052, E::Number},    {13, 63053, E::Text},
    {14, 63054, E::Text},      {15, 63055, E::TrueFalse}, {16, 63056, E::Number},
    {17, 63057, E::TrueFalse}, {18, 63058, E::TrueFalse}, {19, 63059, E::Number},
    {21, 63061, E::Text},      {22, 63463, E::TrueFalse}, {23, 0, E::Caption},
    {24, 0, E::Caption},       {25, 63064, E::Number},    {26, 63067, E::Text},
};

// The value of a text that names one of the numbered texts (ignoring case), or of a number.
std::optional<int> NamedValue(const QString& text,
                              const std::vector<std::pair<int, QString>>& names)
{
    const QString trimmed = text.trimmed();
    for (const auto& [value, name] : names)
        if (name.compare(trimmed, Qt::CaseInsensitive) == 0)
            return value;
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::vector<std::pair<int, QString>> ElementTypeNames()
{
    return {{0, LoadString(IDS_CHAPTER)}, {1, LoadString(IDS_QUESTION)}, {2, LoadString(IDS_LOOP)}};
}

std::vector<std::pair<int, QString>> QuestionTypeNames()
{
    return {{1, LoadString(IDS_CLOSED)},
            {3, LoadString(IDS_DATE)},
            {4, LoadString(IDS_OPEN)},
            {5, LoadString(IDS_NUMERIC)},
            {8, LoadString(IDS_PROBABILITY)}};
}

QString NameOf(int value, const std::vector<std::pair<int, QString>>& names)
{
    for (const auto& [named, name] : names)
        if (named == value)
            return name;
    return IntToText(value);
}

} // namespace

CQuestionDiffsDlg::CQuestionDiffsDlg(QWidget* parent)
    : CDiffsDlg(IDD, tr("Question Differences"), CWaveGridCtrl::QuestionGrid, IDC_NEW_QUESTION,
                tr("New Question"), parent)
{
}

void CQuestionDiffsDlg::SetQuestions(const CQuestion* campaignQuestion,
                                     const qnr::CQuestion* sourceQuestion)
{
    m_question = campaignQuestion;
    m_source = sourceQuestion;
}

QString CQuestionDiffsDlg::ElementTypeText(int elementType)
{
    return NameOf(elementType, ElementTypeNames());
}

QString CQuestionDiffsDlg::QuestionTypeText(int questionType)
{
    return NameOf(questionType, QuestionTypeNames());
}

QString CQuestionDiffsDlg::RowCaption(int kind, int languageId) const
{
    if (kind == kQuestionShortCaptionsId || kind == kQuestionLongCaptionsId)
        return GetQuestionColumnTitle(kind, languageId);
    return GetQuestionPropertyCaption(kind);
}

QString CQuestionDiffsDlg::CampaignCaption(int kind, int languageId) const
{
    const CQuestionCaption* caption = m_question ? m_question->FindCaption(languageId) : nullptr;
    if (!caption)
        return QString();
    return kind == kQuestionLongCaptionsId ? caption->GetLongCaption() : caption->GetShortCaption();
}

QString CQuestionDiffsDlg::SourceCaption(int kind, int languageId) const
{
    const qnr::CLocalisedTexts::SEntry* entry =
        m_source ? m_source->GetCaptions().Find(languageId) : nullptr;
    if (!entry)
        return QString();
    return kind == kQuestionLongCaptionsId ? entry->longCaption : entry->shortCaption;
}

SDiffRowView CQuestionDiffsDlg::DescribeRow(int kind, int languageId) const
{
    SDiffRowView view;
    const SDiffKind* entry = FindDiffKind(kKinds, kind);
    if (!entry || !m_question || !m_source)
        return view;
    view.Editor = entry->Editor;
    switch (kind) {
    case kQuestionShortCaptionsId:
    case kQuestionLongCaptionsId: {
        const bool isShort = kind == kQuestionShortCaptionsId;
        if (const CLanguage* language = CampaignLanguage(languageId))
            view.Details = FormatString(LoadString(isShort ? IDS_QUESTION_SHORT_CAPTIONS_DIFFER_IN
                                                           : IDS_LONG_CAPTIONS_DIFFER_IN),
                                        {language->GetLanguageName()});
        else
            view.Details =
                LoadString(isShort ? IDS_QUESTION_SHORT_CAPTIONS_DIFFER : IDS_LONG_CAPTIONS_DIFFER);
        view.Source = SourceCaption(kind, languageId);
        view.Campaign = CampaignCaption(kind, languageId);
        return view;
    }
    case kElementType:
        view.Source = ElementTypeText(m_source->GetTypeElement());
        break;
    case kQuestionType:
        view.Source = QuestionTypeText(m_source->GetTypeQuestion());
        break;
    case kQuestionResponseCountId:
        view.Source = IntToText(GetSourceResponseCount(m_source));
        view.Campaign = IntToText(GetCampaignResponseCount(m_waveId, m_volumeId, *m_question));
        break;
    case kQuestionResponsesId:
        break;
    default:
        GetQuestionPropertyText(*m_source, kind, view.Source);
        break;
    }
    view.Details = LoadString(entry->Details);
    if (kind == kDateType)
        view.Campaign = IntToText(m_question->GetDateType());
    else if (kind != kQuestionResponseCountId && kind != kQuestionResponsesId)
        GetCampaignQuestionPropertyText(*m_question, kind, view.Campaign);
    return view;
}

bool CQuestionDiffsDlg::IsInFirstSet(int kind) const
{
    const IWaveApp* app = GetWaveApp();
    return app && app->IsQuestionDiffKindHidden(kind);
}

bool CQuestionDiffsDlg::IsInSecondSet(int kind) const
{
    const IWaveApp* app = GetWaveApp();
    return app && app->IsQuestionDiffKindHiddenInDialog(kind);
}

std::optional<QString> CQuestionDiffsDlg::SourceValue(int kind, int languageId) const
{
    if (!m_source)
        return std::nullopt;
    switch (kind) {
    case kQuestionShortCaptionsId:
    case kQuestionLongCaptionsId:
        // The caption of the row's language, for a language the campaign has; the long caption
        // too, so that no language gets another's text.
        if (!CampaignLanguage(languageId))
            return std::nullopt;
        return SourceCaption(kind, languageId);
    case kDateType:
        // The commands read the date type as the number it is.
        return IntToText(m_source->GetDateType());
    default: {
        QString text;
        if (!GetQuestionPropertyText(*m_source, kind, text))
            return std::nullopt;
        return text;
    }
    }
}

QString CQuestionDiffsDlg::ShownValue(int kind, const QString& value) const
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        return value;
    switch (kind) {
    case kElementType:
        return ElementTypeText(number);
    case kQuestionType:
        return QuestionTypeText(number);
    case kDateType:
        return BoolToText(number != 0 ? 1 : 0);
    default:
        return value;
    }
}

QString CQuestionDiffsDlg::StoredValue(int kind, const QString& shown) const
{
    switch (kind) {
    case kElementType:
    case kQuestionType: {
        // A type typed by its name is kept as its number, which the change command reads.
        const std::optional<int> value =
            NamedValue(shown, kind == kElementType ? ElementTypeNames() : QuestionTypeNames());
        return value ? IntToText(*value) : shown;
    }
    case kDateType: {
        // The date type is a number of which the list shows only whether it is set: "True" keeps
        // the campaign's own kind of date when it has one, else takes the source's.
        if (shown.compare(BoolToText(1), Qt::CaseInsensitive) != 0)
            return IntToText(0);
        int dateType = m_question ? m_question->GetDateType() : 0;
        if (dateType == 0 && m_source)
            dateType = m_source->GetDateType();
        return IntToText(dateType != 0 ? dateType : 1);
    }
    default:
        return shown;
    }
}

unsigned CQuestionDiffsDlg::UpdateAllPrompt() const
{
    return IDS_UPDATE_QUESTION;
}

unsigned CQuestionDiffsDlg::NewItemPrompt() const
{
    return IDS_NEW_QUESTION;
}
