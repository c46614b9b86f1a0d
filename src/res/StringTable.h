#pragma once

#include <QString>

#include <span>

// The program's string table: every user-visible text by its id. An unknown id gives an empty
// text.
QString LoadString(unsigned id);

// One entry of the string table.
struct SStringEntry
{
    unsigned Id;
    const char16_t* Text;
};

// Every entry of the string table, sorted by id; for code that checks or lists the table itself.
std::span<const SStringEntry> GetStringTable();
