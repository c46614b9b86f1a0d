#include "views/ReconColumnLayout.h"

namespace recon_columns {

bool QuestionColumnWidths(int clientWidth, int margin, int textMode, QuestionWidths& widths)
{
    const int m = 16 + 2 * margin;
    const int a = clientWidth - 4 * m - kNumberWidth;
    const int s = a * 15 / 100 / 2;
    const int t = a * 55 / 100 / 2;
    const int l = a * 30 / 100;
    const int r = a - (l + 2 * t + 2 * s);
    if (m <= 0 || a <= 0 || s <= 0 || t <= 0 || l <= 0)
        return false;
    const auto text = [&](int mode) { return textMode == mode ? t : 0; };
    widths = {kNumberWidth, m,       m,       s,    text(0), text(1), text(2), m, m, s,
              text(0),      text(1), text(2), l + r};
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
