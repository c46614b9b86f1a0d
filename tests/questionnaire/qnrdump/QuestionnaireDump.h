#pragma once

#include <QString>

namespace qnr {
class CQuestionnaire;
}

// A text dump of a questionnaire as read, one item a line: counts and languages first, then each
// question with its code, shortcut, types, flags, parent and captions per language, then its
// responses. Golden files of the samples and the qnrdump program use it.
QString DumpQuestionnaire(const qnr::CQuestionnaire& questionnaire);
