#pragma once

#include "controls/CustomItem.h"

#include <QString>

namespace pelko_wave {
class CCampaign;
}

// The languages of a campaign as one line: the default language, the current one and the
// others, in the campaign's language order ("English [default, current]; French; German", or
// "English [default]; French [current]; German").
QString GetLanguagesText(const pelko_wave::CCampaign& campaign);

// The "Language" item of the campaign's properties: shows the campaign's languages and, from its
// "..." button, runs the languages dialog, keeping the default and current positions the user
// chose there for the pane to apply.
class CLanguagesItem final : public ICustomItem
{
public:
    CLanguagesItem() = default;

    // The text of the application's campaign, read afresh each time.
    QString GetLanguagesText() const;
    // The positions in the campaign's language list from the last dialog confirmed with OK
    // (0 each until then).
    void GetSelection(int& defaultPosition, int& currentPosition) const;

    int GetEditMode() override;
    void DrawItem(QPainter& painter, const CRect& rect, bool focused) override;
    // Runs the languages dialog; true, keeping its two positions, when it was confirmed.
    bool OnEdit() override;

private:
    int m_nDefaultPosition = 0;
    int m_nCurrentPosition = 0;
};
