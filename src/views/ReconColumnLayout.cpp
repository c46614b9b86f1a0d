#include "views/ReconColumnLayout.h"

#include <algorithm>

namespace recon_columns {

namespace {

bool IsShown(const SColumn& column, int mode)
{
    return column.ShownIn == -1 || column.ShownIn == mode;
}

// The number of the question grid's columns of the width group that the text mode shows.
int ShownCount(EWidth width, int textMode)
{
    return int(std::ranges::count_if(QuestionColumns(), [&](const SQuestionColumn& column) {
        return column.Width == width && IsShown(column, textMode);
    }));
}

} // namespace

int ImageColumnWidth(int margin)
{
    return 16 + 2 * margin;
}

bool QuestionColumnWidths(int clientWidth, int margin, int textMode, QuestionWidths& widths,
                          const SColumnNeeds& needs)
{
    const int images = ShownCount(EWidth::Image, textMode);
    const int codes = ShownCount(EWidth::Code, textMode);
    // A mode that shows no text column leaves the text share empty.
    const int texts = std::max(ShownCount(EWidth::Text, textMode), ShownCount(EWidth::Text, 0));
    const int rests = ShownCount(EWidth::Rest, textMode);
    const int m = ImageColumnWidth(margin);
    const int a = clientWidth - images * m - kNumberWidth;
    if (codes <= 0 || texts <= 0 || rests != 1)
        return false;
    int s = a * kCodeShare / 100 / codes;
    int t = a * kTextShare / 100 / texts;
    int l = a * kRestShare / 100;
    const int r = a - (l + texts * t + codes * s);
    if (m <= 0 || a <= 0 || s <= 0 || t <= 0 || l <= 0)
        return false;
    // Code columns that need more than their share take it, up to a quarter of the width each,
    // from the shown text columns and the rest column, each giving in proportion to its group's
    // share; the rest column gives what the rounding leaves.
    const int code = std::clamp(needs.Code, s, std::max(s, a / 4));
    const int extra = codes * (code - s);
    const int fromText = extra * kTextShare / (texts * kTextShare + kRestShare);
    s = code;
    t -= fromText;
    l -= extra - texts * fromText;
    // Text columns that then need more take it from the rest column, which keeps half its share.
    const int text =
        std::clamp(needs.Text - t, 0, std::max(0, (l - a * kRestShare / 100 / 2) / texts));
    t += text;
    l -= texts * text;
    for (size_t col = 0; col < widths.size(); ++col) {
        const SQuestionColumn& column = QuestionColumns()[col];
        int width = 0;
        if (IsShown(column, textMode)) {
            switch (column.Width) {
            case EWidth::Number:
                width = kNumberWidth;
                break;
            case EWidth::Image:
                width = m;
                break;
            case EWidth::Code:
                width = s;
                break;
            case EWidth::Text:
                width = t;
                break;
            case EWidth::Rest:
                width = l + r;
                break;
            }
        }
        widths[col] = width;
    }
    return true;
}

ResponseWidths ResponseColumnWidths(const QuestionWidths& q, int entryCodes)
{
    ResponseWidths widths{};
    for (size_t col = 0; col < widths.size(); ++col) {
        const SResponseColumn& column = ResponseColumns()[col];
        if (!IsShown(column, entryCodes))
            continue;
        for (int under = column.UnderFirst; under <= column.UnderLast; ++under)
            widths[col] += q[size_t(under)];
    }
    return widths;
}

} // namespace recon_columns
