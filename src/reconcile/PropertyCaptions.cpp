#include "reconcile/PropertyCaptions.h"

#include "res/StringTable.h"

#include <iterator>

namespace {

// The string-table id of each property's caption; 0 for an id without caption.
constexpr unsigned kQuestionCaptions[kQuestionPropertyCount] = {
    63009, 63010, 63011, 63012, 63013, 63014, 63015, 63016, 63017, 63018,
    63019, 63020, 63021, 63022, 63023, 63024, 63025, 63026, 63027, 63028,
    63029, 63030, 63464, 63032, 63429, 63035, 63033, 0,     0,
};

constexpr unsigned kModalityCaptions[kModalityPropertyCount] = {
    63100, 63101, 63102, 63103, 63104, 63105, 63106, 63107, 63108, 63109, 0, 0,
};

template <size_t N> QString CaptionOf(const unsigned (&table)[N], int id)
{
    if (id < 0 || id >= int(N) || table[id] == 0)
        return QString();
    return LoadString(table[id]);
}

template <size_t N> int FindByCaption(const unsigned (&table)[N], const QString& text)
{
    for (int id = 0; id < int(N); ++id) {
        if (CaptionOf(table, id).compare(text, Qt::CaseInsensitive) == 0)
            return id;
    }
    return int(N);
}

} // namespace

QString GetQuestionPropertyCaption(int id)
{
    return CaptionOf(kQuestionCaptions, id);
}

QString GetModalityPropertyCaption(int id)
{
    return CaptionOf(kModalityCaptions, id);
}

int FindQuestionPropertyByCaption(const QString& text)
{
    return FindByCaption(kQuestionCaptions, text);
}

int FindModalityPropertyByCaption(const QString& text)
{
    return FindByCaption(kModalityCaptions, text);
}
