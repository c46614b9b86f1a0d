#pragma once

#include <QImage>

#include <vector>

// The image lists of the reconciliation page's grids, drawn in code (16 x 16 each).

// The seven match-state images, side by side (112 x 16): 0 a side is missing (red), 1 matched,
// 2 appeared in one of the wave's volumes, 3 a source item left without its match, 4 removed
// as of the wave, 5 merged into another response, 6 missing and removed.
QImage DrawMatchStateStrip();

// The question grid's list: the seven state images, then the 23 question-kind images (a kind k
// is image 7 + k).
const std::vector<QImage>& QuestionGridImages();
// The response grid's list: the seven state images.
const std::vector<QImage>& ResponseGridImages();
