#include "PaneTestSupport.h"

#include "res/SourceFileFilter.h"
#include "views/CampaignTreeModel.h"
#include "views/LeftView.h"
#include "views/RightView.h"

#include <QLocale>
#include <QSettings>
#include <QTreeView>

using namespace pelko_wave;
using namespace pane_test;

namespace {

constexpr int kString = CPropertyGrid::IT_STRING;
constexpr int kText = CPropertyGrid::IT_TEXT;
constexpr int kInteger = CPropertyGrid::IT_INTEGER;
constexpr int kCombo = CPropertyGrid::IT_COMBO;
constexpr int kBool = CPropertyGrid::IT_BOOLEAN;
constexpr int kDate = CPropertyGrid::IT_DATE;
constexpr int kFile = CPropertyGrid::IT_FILE;
constexpr int kCustom = CPropertyGrid::IT_CUSTOM;

// One expected item: its slot, name, type, shown text and whether it can be edited.
struct SItemRow
{
    int Slot;
    const char* Name;
    int Type;
    QString Text;
    bool Editable;
};

QString ShortDate(QDate date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

// "%A, %d %B %Y" in the user's language.
QString LongDate(QDate date)
{
    const QLocale locale;
    return QStringLiteral("%1, %2 %3 %4")
        .arg(locale.dayName(date.dayOfWeek()))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(locale.monthName(date.month()))
        .arg(date.year());
}

} // namespace

class PropertyPaneTest : public CViewTest
{
protected:
    PropertyPaneTest()
    {
        BuildPaneCampaign(Campaign());
        pane.resize(420, 480);
        pane.show();
    }

    // Checks the items of the pane against the rows, in the order the section shows them.
    void ExpectItems(const std::vector<SItemRow>& rows, const QString& section)
    {
        CPropertyGrid& grid = *pane.GetGrid();
        const CPropertyGrid::CSection* shown = grid.FindSection(0);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->m_title, section);
        ASSERT_EQ(shown->m_items.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const SItemRow& row = rows[i];
            const CPropertyGrid::CItem& item = shown->m_items[i];
            SCOPED_TRACE(row.Name);
            EXPECT_EQ(item.m_hItem, pane.GetSlotItem(row.Slot));
            EXPECT_EQ(item.m_name, QString::fromLatin1(row.Name));
            EXPECT_EQ(item.m_type, row.Type);
            EXPECT_EQ(ShownText(pane, row.Slot), row.Text);
            EXPECT_EQ(item.m_editable, row.Editable);
        }
    }

    CBottomView pane;
};

TEST_F(PropertyPaneTest, TheCampaignShowsItsFactsAndItsEditableProperties)
{
    pane.ShowCampaignProperties();
    EXPECT_EQ(pane.GetShownKind(), CBottomView::ShownCampaign);
    ExpectItems(
        {
            {CBottomView::CampaignName, "Name", kString, QStringLiteral("Brand tracker"), true},
            {CBottomView::CampaignDescription, "Description", kText, QStringLiteral("(Not set)"),
             true},
            {CBottomView::CampaignWaveCount, "Wave count", kInteger, QStringLiteral("3"), false},
            // Start dates only: the earliest and the latest; Winter has none.
            {CBottomView::CampaignFirstDate, "First wave date", kDate, ShortDate(QDate(2024, 3, 1)),
             false},
            {CBottomView::CampaignLastDate, "Last wave date", kDate, ShortDate(QDate(2024, 9, 1)),
             false},
            {CBottomView::CampaignLanguage, "Language", kCustom,
             QStringLiteral("English (United Kingdom) [default, current]; French (France); "
                            "German (Germany)"),
             true},
        },
        QStringLiteral("Campaign Properties"));
    EXPECT_EQ(pane.GetSlotItem(CBottomView::CampaignLastDateText), CPropertyGrid::NO_ITEM);
}

TEST_F(PropertyPaneTest, CampaignDatesWithoutAValidStartDateShowAsNotSet)
{
    for (const bool withWaves : {false, true}) {
        SCOPED_TRACE(withWaves);
        app.CreateCampaignObjects(nullptr, nullptr);
        if (withWaves)
            view_test::AddWave(Campaign(), 1, QStringLiteral("Winter"));
        pane.ShowCampaignProperties();
        for (const int slot :
             {int(CBottomView::CampaignFirstDate), int(CBottomView::CampaignLastDateText)}) {
            const CPropertyGrid::CItem* item = pane.GetGrid()->FindItem(pane.GetSlotItem(slot));
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->m_type, kString);
            EXPECT_FALSE(item->m_editable);
            EXPECT_EQ(ShownText(pane, slot), QStringLiteral("(Not set)"));
        }
        EXPECT_EQ(pane.GetSlotItem(CBottomView::CampaignLastDate), CPropertyGrid::NO_ITEM);
        EXPECT_EQ(ShownText(pane, CBottomView::CampaignName), QStringLiteral("(Not set)"));
    }
}

TEST_F(PropertyPaneTest, AWaveShowsItsIdsAndItsDatesWithinEachOther)
{
    pane.ShowWaveProperties(1);
    EXPECT_EQ(pane.GetShownKind(), CBottomView::ShownWave);
    ExpectItems(
        {
            {CBottomView::WaveName, "Name", kString, QStringLiteral("Spring"), true},
            {CBottomView::WaveDescription, "Description", kText, QStringLiteral("(Not set)"), true},
            {CBottomView::WaveId, "ID", kInteger, QStringLiteral("1"), false},
            {CBottomView::WaveOrder, "Order", kInteger, QStringLiteral("1"), false},
            {CBottomView::WaveVolumeCount, "Volume count", kInteger, QStringLiteral("2"), false},
            {CBottomView::WaveStart, "Start date", kDate, LongDate(QDate(2024, 3, 1)), true},
            {CBottomView::WaveMidpoint, "Mid-point", kDate, LongDate(QDate(2024, 3, 15)), true},
            {CBottomView::WaveEnd, "End date", kDate, LongDate(QDate(2024, 3, 31)), true},
        },
        QStringLiteral("Wave Properties"));
    // Start <= mid-point <= end.
    const struct
    {
        int Slot;
        QDate Minimum;
        QDate Maximum;
    } bounds[] = {
        {CBottomView::WaveStart, QDate(), QDate(2024, 3, 15)},
        {CBottomView::WaveMidpoint, QDate(2024, 3, 1), QDate(2024, 3, 31)},
        {CBottomView::WaveEnd, QDate(2024, 3, 15), QDate()},
    };
    for (const auto& bound : bounds) {
        QDateTime minimum;
        QDateTime maximum;
        ASSERT_TRUE(pane.GetGrid()->GetDateRange(pane.GetSlotItem(bound.Slot), minimum, maximum));
        EXPECT_EQ(minimum.date(), bound.Minimum) << bound.Slot;
        EXPECT_EQ(maximum.date(), bound.Maximum) << bound.Slot;
    }

    // A wave without dates shows empty dates.
    pane.ShowWaveProperties(3);
    EXPECT_EQ(ShownText(pane, CBottomView::WaveStart), QString());
    EXPECT_EQ(ShownText(pane, CBottomView::WaveVolumeCount), QStringLiteral("0"));
}

TEST_F(PropertyPaneTest, AVolumeShowsItsSourcesMethodsAndFlags)
{
    pane.ShowVolumeProperties(1);
    EXPECT_EQ(pane.GetShownKind(), CBottomView::ShownVolume);
    ExpectItems(
        {
            {CBottomView::VolumeName, "Name", kString, QStringLiteral("Online"), true},
            {CBottomView::VolumeId, "ID", kInteger, QStringLiteral("1"), false},
            {CBottomView::VolumeStatus, "Status", kString, QStringLiteral("Reconciled"), false},
            {CBottomView::VolumeInheritsFrom, "Inherits from", kString, QStringLiteral("None"),
             false},
            {CBottomView::VolumeType, "Type", kString, QStringLiteral("ZOZ file"), false},
            {CBottomView::VolumePathFormat, "File path format", kCombo, QStringLiteral("Absolute"),
             true},
            {CBottomView::VolumeQuestionFile, "Question source file", kFile,
             QStringLiteral("/data/spring.zoz"), true},
            {CBottomView::VolumeInterviewFile, "Interview source file", kFile,
             QStringLiteral("/data/spring.zoz"), true},
            {CBottomView::VolumeQuestionMethods, "Question matching methods", kCustom,
             QStringLiteral("Short caption; Internal code"), true},
            {CBottomView::VolumeResponseMethods, "Response matching methods", kCustom, QString(),
             true},
            {CBottomView::VolumeCaseSensitive, "Case-sensitive matching", kBool,
             QStringLiteral("False"), true},
            // A root volume has no parent values to use.
            {CBottomView::VolumeParentValues, "Match using parent values", kBool,
             QStringLiteral("False"), false},
            {CBottomView::VolumeStrict, "Strict matching", kBool, QStringLiteral("True"), true},
        },
        QStringLiteral("Volume Properties"));
    EXPECT_EQ(pane.GetGrid()->FindItem(pane.GetSlotItem(CBottomView::VolumePathFormat))->m_options,
              QStringList({"Absolute", "Relative", "UNC"}));
    EXPECT_EQ(
        pane.GetGrid()->FindItem(pane.GetSlotItem(CBottomView::VolumeQuestionFile))->m_options,
        QStringList({SourceFileFilter()}));
    for (const int slot :
         {int(CBottomView::VolumeQuestionDb), int(CBottomView::VolumeQuestionSurvey),
          int(CBottomView::VolumeInterviewDb), int(CBottomView::VolumeInterviewSurvey)})
        EXPECT_EQ(pane.GetSlotItem(slot), CPropertyGrid::NO_ITEM) << slot;
}

TEST_F(PropertyPaneTest, AnInheritingVolumeWithADatabaseAndAnUnknownPathKind)
{
    pane.ShowVolumeProperties(2);
    ExpectItems(
        {
            {CBottomView::VolumeName, "Name", kString, QStringLiteral("Phone"), true},
            {CBottomView::VolumeId, "ID", kInteger, QStringLiteral("2"), false},
            {CBottomView::VolumeStatus, "Status", kString,
             QStringLiteral("Incomplete reconciliation"), false},
            {CBottomView::VolumeInheritsFrom, "Inherits from", kString, QStringLiteral("Online"),
             false},
            {CBottomView::VolumeType, "Type", kString, QStringLiteral("Triple-S"), false},
            // The unknown kind is offered, shown and cannot be changed.
            {CBottomView::VolumePathFormat, "File path format", kCombo, QStringLiteral("Unknown"),
             false},
            {CBottomView::VolumeQuestionFile, "Question source file", kFile,
             QStringLiteral("phone.sss"), true},
            {CBottomView::VolumeInterviewDb, "Interview source DB", kString,
             QStringLiteral("Provider=plim;Data Source=phone"), true},
            {CBottomView::VolumeInterviewSurvey, "Interview survey ID", kInteger,
             QStringLiteral("7"), true},
            {CBottomView::VolumeQuestionMethods, "Question matching methods", kCustom,
             QStringLiteral("Shortcut"), true},
            {CBottomView::VolumeResponseMethods, "Response matching methods", kCustom,
             QStringLiteral("Short caption; Entry code"), true},
            {CBottomView::VolumeCaseSensitive, "Case-sensitive matching", kBool,
             QStringLiteral("True"), true},
            {CBottomView::VolumeParentValues, "Match using parent values", kBool,
             QStringLiteral("True"), true},
            {CBottomView::VolumeStrict, "Strict matching", kBool, QStringLiteral("False"), true},
        },
        QStringLiteral("Volume Properties"));
    EXPECT_EQ(pane.GetGrid()->FindItem(pane.GetSlotItem(CBottomView::VolumePathFormat))->m_options,
              QStringList({"Absolute", "Relative", "UNC", "Unknown"}));
    EXPECT_EQ(
        pane.GetGrid()->FindItem(pane.GetSlotItem(CBottomView::VolumeQuestionFile))->m_options,
        QStringList({SourceFileFilter()}))
        << "a Triple-S volume's file is chosen from every questionnaire the program reads";
    EXPECT_EQ(pane.GetSlotItem(CBottomView::VolumeInterviewFile), CPropertyGrid::NO_ITEM);
    // The methods items hold copies of the volume's lists.
    EXPECT_EQ(pane.GetResponseMethodsItem().GetMatchingMethods(), QList<quint32>({2, 1}));
    EXPECT_EQ(pane.GetResponseMethodsItem().GetKind(), CMatchingMethodsItem::ResponseMethods);
}

TEST_F(PropertyPaneTest, EveryFillStartsFromAnEmptyGrid)
{
    pane.ShowVolumeProperties(1);
    const HITEM strict = pane.GetSlotItem(CBottomView::VolumeStrict);
    ASSERT_NE(strict, CPropertyGrid::NO_ITEM);
    pane.ShowWaveProperties(2);
    EXPECT_EQ(pane.GetGrid()->FindItem(strict), nullptr);
    EXPECT_EQ(pane.GetGrid()->FindSection(0)->m_items.size(), 8u);
    EXPECT_EQ(pane.GetSlotItem(CBottomView::VolumeStrict), CPropertyGrid::NO_ITEM);
    EXPECT_EQ(pane.GetShownWaveId(), 2);
    EXPECT_EQ(pane.GetShownVolumeId(), -1);

    // An id the campaign does not know shows nothing.
    pane.ShowVolumeProperties(99);
    EXPECT_EQ(pane.GetGrid()->FindSection(0), nullptr);
    pane.ClearProperties();
    EXPECT_EQ(pane.GetSlotItem(CBottomView::VolumeName), CPropertyGrid::NO_ITEM);
}

TEST_F(PropertyPaneTest, TheCampaignTreeSelectionChoosesWhatThePaneShows)
{
    CRightView right;
    CLeftView left;
    left.SetPanes(&right, &pane);
    left.ResetAfterLoad();
    EXPECT_EQ(pane.GetShownKind(), CBottomView::ShownCampaign);
    left.SelectVolumeItem(2, 0);
    EXPECT_EQ(pane.GetShownKind(), CBottomView::ShownVolume);
    EXPECT_EQ(ShownText(pane, CBottomView::VolumeName), QStringLiteral("Phone"));
    left.SelectWaveItem(2, 0);
    EXPECT_EQ(pane.GetShownKind(), CBottomView::ShownWave);
    EXPECT_EQ(ShownText(pane, CBottomView::WaveName), QStringLiteral("Autumn"));
}

TEST_F(PropertyPaneTest, ThePaneKeepsItsSizeInTheProfile)
{
    pane.resize(333, 222);
    pane.SaveLayout();
    int width = 0;
    int height = 0;
    pane.ReadLayout(width, height);
    EXPECT_EQ(width, 333);
    EXPECT_EQ(height, 222);
    QSettings().remove(QStringLiteral("Layout"));
    pane.ReadLayout(width, height);
    EXPECT_EQ(width, -1);
    EXPECT_EQ(height, -1);
}
