#pragma once

#include <QString>

// The texts by which the reconciliation page and the dialogs show questions and responses. A
// campaign item without a caption in the display language (the campaign's current language)
// shows its caption in a language of the same primary language, else in any other language of
// the campaign, each walked by ascending language id. A source item shows its own caption or,
// when the language option asks for it, its caption in the display language.

namespace pelko_wave {
class CModality;
class CQuestion;
} // namespace pelko_wave
namespace qnr {
class CQuestion;
}

// Caption mode 0 (the language option SourceItems): the localised caption in the display
// language; 1: the source question's own caption; any other mode: empty.
QString GetSourceQuestionDisplayLongCaption(const qnr::CQuestion& question);
QString GetSourceQuestionDisplayShortCaption(const qnr::CQuestion& question);

// Captions of campaign items with the language fallback.
QString GetModalityDisplayCaption(const pelko_wave::CModality& modality);
QString GetQuestionDisplayLongCaption(const pelko_wave::CQuestion& question);
QString GetQuestionDisplayShortCaption(const pelko_wave::CQuestion& question);
