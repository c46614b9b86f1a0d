#include "PaneTestSupport.h"

#include "views/LanguagesItem.h"
#include "views/MatchingMethodsItem.h"
#include "widgets/Screenshots.h"

#include <QImage>
#include <QPainter>

using namespace pelko_wave;
using namespace pane_test;

namespace {

void AddLanguage(CCampaign& campaign, int id, bool isDefault = false)
{
    auto language = std::make_unique<CLanguage>(id);
    language->SetIsDefault(isDefault);
    campaign.AddLanguage(std::move(language));
}

// The columns of the image that hold a dark pixel.
struct SInk
{
    int Left = -1;
    int Right = -1;
};

SInk InkOf(const QImage& image)
{
    SInk ink;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                if (ink.Left < 0)
                    ink.Left = x;
                ink.Right = x;
                break;
            }
    return ink;
}

// A run of columns with ink, and the topmost ink row in it.
struct SRun
{
    int Left;
    int Right;
    int Top;
};

std::vector<SRun> RunsOf(const QImage& image)
{
    std::vector<SRun> runs;
    bool inRun = false;
    for (int x = 0; x < image.width(); ++x) {
        int top = -1;
        for (int y = 0; y < image.height() && top < 0; ++y)
            top = qGray(image.pixel(x, y)) < 128 ? y : -1;
        if (top < 0) {
            inRun = false;
            continue;
        }
        if (!inRun)
            runs.push_back({x, x, top});
        runs.back().Right = x;
        runs.back().Top = std::min(runs.back().Top, top);
        inRun = true;
    }
    return runs;
}

// Draws the item into a white image of the size, its value rectangle starting at x = 20.
QImage Draw(ICustomItem& item, int width)
{
    QImage image(width + 40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    painter.setPen(Qt::black);
    item.DrawItem(painter, CRect(20, 0, 20 + width, 20), false);
    painter.end();
    return image;
}

} // namespace

class CustomItemsTest : public CViewTest
{
protected:
    CPaneViewDialogs dialogs;
};

TEST_F(CustomItemsTest, TheLanguagesTextNamesTheDefaultTheCurrentAndTheRestInOrder)
{
    for (const int id : {1036, 2057, 1031, 1040})
        AddLanguage(Campaign(), id, id == 2057);
    const struct
    {
        int Default;
        int Current;
        const char* Text;
    } rows[] = {
        {2057, 2057,
         "English (United Kingdom) [default, current]; French (France); German (Germany); "
         "Italian (Italy)"},
        {2057, 1031,
         "English (United Kingdom) [default]; German (Germany) [current]; French (France); "
         "Italian (Italy)"},
        {1040, 1036,
         "Italian (Italy) [default]; French (France) [current]; English (United Kingdom); German "
         "(Germany)"},
        // No current language yet (a new campaign), or a default the campaign lacks: the role
        // is left out, not shown without a name.
        {2057, 0,
         "English (United Kingdom) [default]; French (France); German (Germany); "
         "Italian (Italy)"},
        {0, 1036,
         "French (France) [current]; English (United Kingdom); German (Germany); "
         "Italian (Italy)"},
    };
    for (const auto& row : rows) {
        Campaign().SetDefaultLanguageId(row.Default);
        Campaign().SetCurrentLanguageId(row.Current);
        EXPECT_EQ(GetLanguagesText(Campaign()), QString::fromUtf8(row.Text));
        // The item reads the campaign afresh.
        EXPECT_EQ(CLanguagesItem().GetLanguagesText(), QString::fromUtf8(row.Text));
    }
}

TEST_F(CustomItemsTest, ItemsDrawTheirTextAfterTheMarginAndCutItWithAnEllipsis)
{
    for (const int id : {2057, 1036, 1031, 1040, 1043, 1053})
        AddLanguage(Campaign(), id, id == 2057);
    Campaign().SetDefaultLanguageId(2057);
    Campaign().SetCurrentLanguageId(2057);
    CLanguagesItem languages;
    CMatchingMethodsItem methods;
    methods.SetMatchingMethods(CMatchingMethodsItem::QuestionMethods, {2, 0, 1, 3, 4, 5});
    for (ICustomItem* item :
         {static_cast<ICustomItem*>(&languages), static_cast<ICustomItem*>(&methods)}) {
        EXPECT_EQ(item->GetEditMode(), CPropertyGrid::EDIT_MODAL);
        // Wide enough: the text starts at the margin and ends well before the right edge.
        const QImage wide = Draw(*item, 1200);
        const SInk wideInk = InkOf(wide);
        EXPECT_GE(wideInk.Left, 20 + CPropertyGrid::GetTextMargin());
        EXPECT_LE(wideInk.Left, 20 + CPropertyGrid::GetTextMargin() + 2);
        EXPECT_LT(wideInk.Right, 20 + 1100);
        // Narrow: the text is cut short of the edge, ending in "...".
        const QImage narrow = Draw(*item, 120);
        const SInk narrowInk = InkOf(narrow);
        EXPECT_LT(narrowInk.Right, 20 + 120);
        EXPECT_GT(narrowInk.Right, 20 + 100);
        // It ends in three dots: three narrow runs of ink sitting on the line.
        const std::vector<SRun> runs = RunsOf(narrow);
        ASSERT_GE(runs.size(), 4u);
        const int textTop = std::min_element(runs.begin(), runs.end(), [](auto& a, auto& b) {
                                return a.Top < b.Top;
                            })->Top;
        for (std::size_t i = runs.size() - 3; i < runs.size(); ++i) {
            EXPECT_LE(runs[i].Right - runs[i].Left, 2) << i;
            EXPECT_GT(runs[i].Top, textTop + 4) << i;
        }
        shots::Save(narrow, QStringLiteral("test-artefacts/views"),
                    item == &languages ? QStringLiteral("languages-item-cut")
                                       : QStringLiteral("methods-item-cut"));
    }
}

TEST_F(CustomItemsTest, TheLanguagesItemKeepsTheDialogsChoiceOnlyOnOk)
{
    CLanguagesItem item;
    int defaultPosition = -1;
    int currentPosition = -1;
    item.GetSelection(defaultPosition, currentPosition);
    EXPECT_EQ(defaultPosition, 0);
    EXPECT_EQ(currentPosition, 0);

    dialogs.DefaultPosition = 2;
    dialogs.CurrentPosition = 1;
    dialogs.QueueResults({IDCANCEL, IDOK});
    EXPECT_FALSE(item.OnEdit());
    item.GetSelection(defaultPosition, currentPosition);
    EXPECT_EQ(defaultPosition, 0);
    EXPECT_EQ(currentPosition, 0);
    EXPECT_TRUE(item.OnEdit());
    item.GetSelection(defaultPosition, currentPosition);
    EXPECT_EQ(defaultPosition, 2);
    EXPECT_EQ(currentPosition, 1);
    EXPECT_EQ(dialogs.Calls, QStringList({"languages", "languages"}));
    EXPECT_EQ(dialogs.CalledModal, std::deque<bool>({true, true}));
    EXPECT_FALSE(app.IsModalState());
}

TEST_F(CustomItemsTest, TheMethodsItemNamesItsMethodsInOrderAndTakesTheDialogsList)
{
    const struct
    {
        int Kind;
        QList<quint32> Methods;
        const char* Text;
    } rows[] = {
        {CMatchingMethodsItem::QuestionMethods, {2, 0}, "Short caption; Internal code"},
        {CMatchingMethodsItem::QuestionMethods, {3, 5, 4}, "Long caption; User data; Manual"},
        {CMatchingMethodsItem::ResponseMethods, {1, 3}, "Entry code; Order"},
        {CMatchingMethodsItem::ResponseMethods, {}, ""},
        {7, {0, 1}, ""},
    };
    for (const auto& row : rows) {
        CMatchingMethodsItem item;
        item.SetMatchingMethods(row.Kind, row.Methods);
        EXPECT_EQ(item.GetMethodsText(), QString::fromLatin1(row.Text)) << row.Kind;
        EXPECT_EQ(item.GetMatchingMethods(), row.Methods);
    }

    CMatchingMethodsItem item;
    item.SetMatchingMethods(CMatchingMethodsItem::ResponseMethods, {2, 1});
    dialogs.Methods = {0};
    dialogs.QueueResults({IDCANCEL, IDOK});
    EXPECT_FALSE(item.OnEdit());
    EXPECT_EQ(item.GetMatchingMethods(), QList<quint32>({2, 1}));
    EXPECT_TRUE(item.OnEdit());
    EXPECT_EQ(item.GetMatchingMethods(), QList<quint32>({0}));
    EXPECT_EQ(dialogs.MethodKinds, std::vector<int>({1, 1}));
    EXPECT_EQ(dialogs.MethodsGiven.back(), QList<quint32>({2, 1}));
    EXPECT_TRUE(dialogs.CalledModal.back());
}

TEST(CustomItems, WithoutDialogsTheItemsOpenNothing)
{
    CScriptedWindowServices windows;
    CWaveApp app;
    app.CreateCampaignObjects(nullptr, nullptr);
    ASSERT_EQ(GetViewDialogs(), nullptr);
    CLanguagesItem languages;
    CMatchingMethodsItem methods;
    EXPECT_FALSE(languages.OnEdit());
    EXPECT_FALSE(methods.OnEdit());
}
