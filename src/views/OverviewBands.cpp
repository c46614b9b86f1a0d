#include "views/OverviewBands.h"

#include <algorithm>

std::vector<SOverviewBand> ComputeOverviewBands(const std::vector<int>& states, int areaHeight)
{
    std::vector<SOverviewBand> bands;
    const int count = int(states.size());
    int used = 0;
    for (int first = 0; first < count && used < areaHeight;) {
        int last = first + 1;
        while (last < count && states[size_t(last)] == states[size_t(first)])
            ++last;
        const int run = last - first;
        const int left = count - first;
        const int state = states[size_t(first)];
        int height = int(double(areaHeight - used) * run / left + 0.5);
        if ((state == 1 || state == 2) && height < 1)
            height = 1;
        bands.push_back({first, run, state, used, height});
        used += height;
        first = last;
    }
    return bands;
}

int OverviewRowAt(const std::vector<SOverviewBand>& bands, int offset)
{
    // The bands are in ascending order of their tops.
    const auto after =
        std::upper_bound(bands.begin(), bands.end(), offset,
                         [](int value, const SOverviewBand& band) { return value < band.Top; });
    if (after == bands.begin())
        return -1;
    const SOverviewBand& band = *(after - 1);
    if (offset >= band.Top + band.Height || band.Height <= 0)
        return -1;
    return band.FirstRow + (offset - band.Top) * band.RowCount / band.Height;
}

bool OverviewRowSpan(const std::vector<SOverviewBand>& bands, int row, double& top, double& bottom)
{
    const auto after =
        std::upper_bound(bands.begin(), bands.end(), row, [](int value, const SOverviewBand& band) {
            return value < band.FirstRow;
        });
    if (after == bands.begin())
        return false;
    const SOverviewBand& band = *(after - 1);
    if (row >= band.FirstRow + band.RowCount)
        return false;
    const double share = double(band.Height) / band.RowCount;
    top = band.Top + (row - band.FirstRow) * share;
    bottom = top + share;
    return true;
}
