#include "views/ReconColumnLayout.h"

#include <algorithm>

namespace recon_columns {

bool QuestionColumnWidths(int clientWidth, int margin, int textMode, QuestionWidths& widths,
                          const SColumnNeeds& needs)
{
    const int m = 16 + 2 * margin;
    const int a = clientWidth - 4 * m - kNumberWidth;
    int s = a * 15 / 100 / 2;
    int t = a * 55 / 100 / 2;
    int l = a * 30 / 100;
    const int r = a - (l + 2 * t + 2 * s);
    if (m <= 0 || a <= 0 || s <= 0 || t <= 0 || l <= 0)
        return false;
    // Code columns that need more than their share take it, up to a quarter of the width each,
    // from the text columns and the volume in the shares those have (55 : 55 : 30).
    const int code = std::clamp(needs.Code, s, std::max(s, a / 4));
    const int extra = 2 * (code - s);
    const int fromText = extra * 55 / 140;
    s = code;
    t -= fromText;
    l -= extra - 2 * fromText;
    // Text columns that then need more take it from the volume, which keeps half its share.
    const int text = std::clamp(needs.Text - t, 0, std::max(0, (l - a * 15 / 100) / 2));
    t += text;
    l -= 2 * text;
    const auto shown = [&](int mode) { return textMode == mode ? t : 0; };
    widths = {kNumberWidth, m,        m,        s,    shown(0), shown(1), shown(2), m, m, s,
              shown(0),     shown(1), shown(2), l + r};
    return true;
}

ResponseWidths ResponseColumnWidths(const QuestionWidths& q, int entryCodes)
{
    const int codes = entryCodes == 0 ? q[2] + q[3] : 0;
    const int entries = entryCodes == 1 ? q[2] + q[3] : 0;
    const int sourceCodes = entryCodes == 0 ? q[8] + q[9] : 0;
    const int sourceEntries = entryCodes == 1 ? q[8] + q[9] : 0;
    return {q[0],
            q[1],
            codes,
            entries,
            q[4] + q[5] + q[6],
            q[7],
            sourceCodes,
            sourceEntries,
            q[10] + q[11] + q[12],
            q[13]};
}

} // namespace recon_columns
