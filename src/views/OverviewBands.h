#pragma once

#include <vector>

// The arithmetic of the overview bar: a list of row states pressed into a band area of a given
// height, one band per run of equal states. Plain functions, so that the bar's drawing, its
// clicks and its marker are one computation that tests can check without a window.

// One band: the run of rows it stands for and the pixels it takes (offsets from the area's top).
struct SOverviewBand
{
    int FirstRow = 0;
    int RowCount = 0;
    int State = 0;
    int Top = 0;
    int Height = 0;
};

// The bands of the states in an area of the height. A run starting at row i of length L takes
// (height left) * L / (rows left) pixels, rounded, and at least 1 pixel for the states that
// mark something (1 and 2); the walk stops when every row is placed or the area is full.
std::vector<SOverviewBand> ComputeOverviewBands(const std::vector<int>& states, int areaHeight);

// The row at the offset from the area's top: the band that holds the offset gives its first row
// plus the share of the band above the offset; -1 outside every band.
int OverviewRowAt(const std::vector<SOverviewBand>& bands, int offset);

// The span of the row inside its band (offsets from the area's top; the rows of a band share
// its height evenly); false when the row has no band.
bool OverviewRowSpan(const std::vector<SOverviewBand>& bands, int row, double& top, double& bottom);
