#include "reconcile/PropertyCaptions.h"

#include "res/StringTable.h"

#include <iterator>

namespace {

struct SPropertyCaption
{
    unsigned StringId; // 0: the id has no caption
    const char16_t* Text;
};

// The captions come from the string table. They are also the names of the stored options, so
// a caption must never come out empty for a captioned id: the text beside each string id
// stands in while the table lacks it.
constexpr SPropertyCaption kQuestionCaptions[kQuestionPropertyCount] = {
    {63009, u"Is deleted"},
    {63010, u"Order"},
    {63011, u"Shortcut"},
    {63012, u"Indent"},
    {63013, u"Element type"},
    {63014, u"Question type"},
    {63015, u"Is don't know"},
    {63016, u"Is semi-open"},
    {63017, u"Is scale"},
    {63018, u"Is multiple"},
    {63019, u"Is ranked"},
    {63020, u"Max response count"},
    {63021, u"Decimals"},
    {63022, u"Minimum value"},
    {63023, u"Maximum value"},
    {63024, u"Is level link"},
    {63025, u"Link question"},
    {63026, u"Is probability question"},
    {63027, u"Is date type"},
    {63028, u"Question class"},
    {63029, u"Versions"},
    {63030, u"User data"},
    {63464, u"Develop levels"},
    {63032, u"Short captions"},
    {63429, u"Long captions"},
    {63035, u"Response count"},
    {63033, u"Responses"},
    {0, u""},
    {0, u""},
};

constexpr SPropertyCaption kModalityCaptions[kModalityPropertyCount] = {
    {63100, u"Question ID"},
    {63101, u"Is deleted"},
    {63102, u"Order"},
    {63103, u"Value"},
    {63104, u"Entry code"},
    {63105, u"Is exclusive"},
    {63106, u"Rotation behaviour"},
    {63107, u"Versions"},
    {63108, u"User data"},
    {63109, u"Short captions"},
    {0, u""},
    {0, u""},
};

template <size_t N> QString CaptionOf(const SPropertyCaption (&table)[N], int id)
{
    if (id < 0 || id >= int(N) || table[id].StringId == 0)
        return QString();
    const QString text = LoadString(table[id].StringId);
    return text.isEmpty() ? QString::fromUtf16(table[id].Text) : text;
}

template <size_t N> int FindByCaption(const SPropertyCaption (&table)[N], const QString& text)
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
