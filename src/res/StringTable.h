#pragma once

#include <QString>

// The program's string table: every user-visible text by its id. An unknown id gives an empty
// text.
QString LoadString(unsigned id);
