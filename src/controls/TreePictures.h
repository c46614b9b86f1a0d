#pragma once

#include <QImage>

// The image strips of the campaign views' trees, drawn in code: 16 x 16 images side by side on
// a transparent background (white, the strips' mask colour, is never used inside an image).

// The 23 question-kind images (368 x 16), at the indexes of the question kinds: 0 chapter,
// 2 single choice, 4 date or time, 6 scale or yes/no, 10 loop over responses, 11 numeric loop,
// 12 level loop, 13 multiple choice, 15 numeric, 17 open, 19 grid loop, 22 no question. The
// other indexes show the kind before them, greyed.
QImage DrawQuestionKindStrip();

// The campaign tree's images (48 x 16): campaign, wave, volume.
QImage DrawCampaignTreeStrip();

// The caption library tree's images (48 x 16): library, caption group, caption.
QImage DrawCaptionLibraryStrip();
