#include "views/LanguagesItem.h"

#include "controls/PropertyGrid.h"
#include "grid/DrawTextFormat.h"
#include "model/Campaign.h"
#include "platform/AppServices.h"
#include "platform/FormatString.h"
#include "views/ViewDialogs.h"

#include <QPainter>
#include <QStringList>

using namespace pelko_wave;

namespace {

QString LanguageName(const CCampaign& campaign, int languageId)
{
    const CLanguage* language = campaign.FindLanguage(languageId);
    return language ? language->GetLanguageName() : QString();
}

} // namespace

QString GetLanguagesText(const CCampaign& campaign)
{
    const int defaultId = campaign.GetDefaultLanguageId();
    const int currentId = campaign.GetCurrentLanguageId();
    const QString defaultName = LanguageName(campaign, defaultId);
    const QString currentName = LanguageName(campaign, currentId);
    // A role that names no language of the campaign (a new campaign has no current language
    // yet) is left out rather than shown without a name.
    QStringList parts;
    if (defaultId == currentId) {
        if (!defaultName.isEmpty())
            parts << FormatString(QStringLiteral("%s [default, current]"), {defaultName});
    } else {
        if (!defaultName.isEmpty())
            parts << FormatString(QStringLiteral("%s [default]"), {defaultName});
        if (!currentName.isEmpty())
            parts << FormatString(QStringLiteral("%s [current]"), {currentName});
    }
    for (int i = 0; i < campaign.GetLanguageCount(); ++i) {
        const CLanguage* language = campaign.GetLanguage(i);
        if (language->GetLanguageId() != defaultId && language->GetLanguageId() != currentId)
            parts << language->GetLanguageName();
    }
    return parts.join(QStringLiteral("; "));
}

QString CLanguagesItem::GetLanguagesText() const
{
    const IWaveApp* app = GetWaveApp();
    const CCampaign* campaign = app ? app->GetCampaign() : nullptr;
    return campaign ? ::GetLanguagesText(*campaign) : QString();
}

void CLanguagesItem::GetSelection(int& defaultPosition, int& currentPosition) const
{
    defaultPosition = m_nDefaultPosition;
    currentPosition = m_nCurrentPosition;
}

int CLanguagesItem::GetEditMode()
{
    return CPropertyGrid::EDIT_MODAL;
}

void CLanguagesItem::DrawItem(QPainter& painter, const CRect& rect, bool)
{
    CRect text = rect;
    text.left += CPropertyGrid::GetTextMargin();
    DrawText(painter, GetLanguagesText(), text,
             DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

bool CLanguagesItem::OnEdit()
{
    IViewDialogs* dialogs = GetViewDialogs();
    if (!dialogs)
        return false;
    int defaultPosition = m_nDefaultPosition;
    int currentPosition = m_nCurrentPosition;
    {
        CModalDialogScope modal;
        if (dialogs->RunLanguagesDialog(m_pGrid, defaultPosition, currentPosition) != IDOK)
            return false;
    }
    m_nDefaultPosition = defaultPosition;
    m_nCurrentPosition = currentPosition;
    return true;
}
