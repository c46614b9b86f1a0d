#include "dialogs/ModalityDiffsDlg.h"

#include "model/Campaign.h"
#include "model/Captions.h"
#include "model/Language.h"
#include "model/Modality.h"
#include "model/ValueTexts.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "questionnaire/Modalite.h"
#include "reconcile/PropertyCaptions.h"
#include "reconcile/PropertyTexts.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "views/WaveGridCtrl.h"

using namespace pelko_wave;

namespace {

constexpr int kQuestionId = 0;
constexpr int kRotation = 6;

// The details and the editor of each difference kind. Kinds without a row here have no values
// of their own (deleted, order, entry codes, versions): nothing to show, nothing to edit.
using E = EDiffEditor;
// A response's value is a real number, negative ones too: a plain edit takes it, as it takes a
// question's minimum and maximum.
constexpr SDiffKind kKinds[] = {
    {0, 63090, E::Number},   {3, 63093, E::Text}, {5, 63095, E::TrueFalse},
    {6, 63096, E::Rotation}, {8, 63098, E::Text}, {9, 0, E::Caption},
};

} // namespace

CModalityDiffsDlg::CModalityDiffsDlg(QWidget* parent)
    : CDiffsDlg(IDD, tr("Response Differences"), CWaveGridCtrl::ResponseGrid, IDC_NEW_RESPONSE,
                tr("New Response"), parent)
{
}

void CModalityDiffsDlg::SetModalities(const CModality* campaignModality,
                                      const qnr::CModalite* sourceModality)
{
    m_modality = campaignModality;
    m_source = sourceModality;
}

QString CModalityDiffsDlg::RowCaption(int kind, int languageId) const
{
    if (kind == kModalityShortCaptionsId)
        return GetModalityColumnTitle(kind, languageId);
    return GetModalityPropertyCaption(kind);
}

QString CModalityDiffsDlg::SourceCaption(int languageId) const
{
    const qnr::CLocalisedTexts::SEntry* entry =
        m_source ? m_source->GetCaptions().Find(languageId) : nullptr;
    return entry ? entry->shortCaption : QString();
}

SDiffRowView CModalityDiffsDlg::DescribeRow(int kind, int languageId) const
{
    SDiffRowView view;
    const SDiffKind* entry = FindDiffKind(kKinds, kind);
    if (!entry || !m_modality || !m_source)
        return view;
    view.Editor = entry->Editor;
    switch (kind) {
    case kModalityShortCaptionsId:
        if (const CLanguage* language = CampaignLanguage(languageId))
            view.Details = FormatString(LoadString(IDS_RESPONSE_SHORT_CAPTIONS_DIFFER_IN),
                                        {language->GetLanguageName()});
        else
            view.Details = LoadString(IDS_RESPONSE_SHORT_CAPTIONS_DIFFER);
        view.Source = SourceCaption(languageId);
        if (const CModalityCaption* caption = m_modality->FindCaption(languageId))
            view.Campaign = caption->GetShortCaption();
        return view;
    case kQuestionId:
        // The source response does not know its question: only the campaign side is shown.
        view.Campaign = IntToText(m_modality->GetQuestionId());
        break;
    case kRotation:
        view.Source = RotationText(m_source->GetRotationBehaviour());
        GetCampaignModalityPropertyText(*m_modality, kind, view.Campaign);
        break;
    default:
        GetModalityPropertyText(*m_source, kind, view.Source);
        GetCampaignModalityPropertyText(*m_modality, kind, view.Campaign);
        break;
    }
    view.Details = LoadString(entry->Details);
    return view;
}

bool CModalityDiffsDlg::IsInFirstSet(int kind) const
{
    const IWaveApp* app = GetWaveApp();
    return app && app->IsModalityDiffKindHidden(kind);
}

bool CModalityDiffsDlg::IsInSecondSet(int kind) const
{
    const IWaveApp* app = GetWaveApp();
    return app && app->IsModalityDiffKindHiddenInDialog(kind);
}

std::optional<QString> CModalityDiffsDlg::SourceValue(int kind, int languageId) const
{
    if (!m_source)
        return std::nullopt;
    if (kind == kModalityShortCaptionsId) {
        if (!CampaignLanguage(languageId))
            return std::nullopt;
        return SourceCaption(languageId);
    }
    QString text;
    if (!GetModalityPropertyText(*m_source, kind, text))
        return std::nullopt;
    return text;
}

QString CModalityDiffsDlg::ShownValue(int kind, const QString& value) const
{
    bool ok = false;
    const int number = value.toInt(&ok);
    return kind == kRotation && ok ? RotationText(number) : value;
}

QString CModalityDiffsDlg::StoredValue(int kind, const QString& shown) const
{
    if (kind != kRotation)
        return shown;
    // The list's item: kept as its number, which the change command reads.
    for (int rotation = 0; rotation <= 2; ++rotation)
        if (RotationText(rotation) == shown)
            return IntToText(rotation);
    return shown;
}

unsigned CModalityDiffsDlg::UpdateAllPrompt() const
{
    return IDS_UPDATE_RESPONSE;
}

unsigned CModalityDiffsDlg::NewItemPrompt() const
{
    return IDS_NEW_RESPONSE;
}
