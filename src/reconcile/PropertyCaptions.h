#pragma once

#include <QString>

// The captions of the question and response property ids. The ids are also the difference
// kinds and the column ids of the difference dialogs; the captions name the difference options
// in the profile and in the options files, and are read back by caption.

// Question property ids 0 to 28 (27 and 28 have no caption); response ids 0 to 11 (10 and 11
// have none).
inline constexpr int kQuestionPropertyCount = 29;
inline constexpr int kModalityPropertyCount = 12;

// The ids that the comparisons, the difference dialogs and the reports treat apart: the caption
// ids carry a language, and the response count and the responses are not properties of the
// question itself.
inline constexpr int kQuestionShortCaptionsId = 23;
inline constexpr int kQuestionLongCaptionsId = 24;
inline constexpr int kQuestionResponseCountId = 25;
inline constexpr int kQuestionResponsesId = 26;
inline constexpr int kModalityShortCaptionsId = 9;

// The caption of an id; an empty text for an id without one or out of range.
QString GetQuestionPropertyCaption(int id);
QString GetModalityPropertyCaption(int id);

// The first id whose caption equals text ignoring case; kQuestionPropertyCount (29) or
// kModalityPropertyCount (12) when none does. An empty text finds the first id without a
// caption (27 or 10).
int FindQuestionPropertyByCaption(const QString& text);
int FindModalityPropertyByCaption(const QString& text);
