#include "ControlsTestSupport.h"

#include "controls/PropPageFrame.h"
#include "controls/TreePropSheet.h"
#include "grid/SysColors.h"
#include "widgets/Screenshots.h"

#include <QStackedWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace TreePropSheet;

namespace {

// A page that may refuse to be left.
class CTestPage : public CPropertyPage
{
public:
    using CPropertyPage::CPropertyPage;
    bool OnKillActive() override
    {
        ++Asked;
        return MayLeave;
    }
    bool MayLeave = true;
    int Asked = 0;
};

QStringList TreeLines(QTreeWidget& tree)
{
    QStringList lines;
    QTreeWidgetItemIterator it(&tree);
    for (; *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
            ++depth;
        lines << QString(depth * 2, u' ') + (*it)->text(0) + u' ' +
                     QString::number(CTreePropSheet::PageIndexOf(*it));
    }
    return lines;
}

} // namespace

TEST(TreePropSheet, SplitCaptionPathReadsEscapes)
{
    struct SCase
    {
        QString Path;
        QStringList Levels;
    };
    const SCase cases[] = {
        {QStringLiteral("Environment::General"),
         {QStringLiteral("Environment"), QStringLiteral("General")}},
        {QStringLiteral("Alpha\\::Beta::Gamma"),
         {QStringLiteral("Alpha::Beta"), QStringLiteral("Gamma")}},
        {QStringLiteral("Alpha\\::Beta"), {QStringLiteral("Alpha\\::Beta")}},
        {QStringLiteral("Alpha\\\\::Beta"), {QStringLiteral("Alpha\\"), QStringLiteral("Beta")}},
        {QStringLiteral("One"), {QStringLiteral("One")}},
        {QStringLiteral("a::b::c"),
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
    };
    for (const SCase& c : cases) {
        QString path = c.Path;
        QStringList levels;
        while (!path.isEmpty())
            levels << CTreePropSheet::SplitCaptionPath(path);
        EXPECT_EQ(levels, c.Levels) << c.Path.toStdString();
    }
}

TEST(TreePropSheet, PathsBecomeNodesAndLaterPagesReuseThem)
{
    CScriptedControlDialogs dialogs;
    CTreePropSheet sheet(QStringLiteral("Options"));
    sheet.AddPage(new CTestPage(QStringLiteral("Alpha::Beta")));
    sheet.AddPage(new CTestPage(QStringLiteral("Alpha::Gamma")));
    sheet.EnsureCreated();
    EXPECT_EQ(TreeLines(*sheet.GetPageTreeControl()),
              QStringList({QStringLiteral("Alpha -1"), QStringLiteral("  Beta 0"),
                           QStringLiteral("  Gamma 1")}));
    sheet.AddPage(new CTestPage(QStringLiteral("Alpha")), -1);
    EXPECT_EQ(TreeLines(*sheet.GetPageTreeControl()),
              QStringList({QStringLiteral("Alpha 2"), QStringLiteral("  Beta 0"),
                           QStringLiteral("  Gamma 1")}));
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
}

TEST(TreePropSheet, EmptyParentHidesThePageAndShowsTheMessage)
{
    CTreePropSheet sheet(QStringLiteral("Options"));
    sheet.SetTreeViewMode(true, true, false);
    auto* general = new CTestPage(QStringLiteral("Environment::General"));
    sheet.AddPage(general);
    sheet.AddPage(new CTestPage(QStringLiteral("Advanced::Reconciliation Options")));
    ShowActive(sheet);
    EXPECT_FALSE(sheet.SetTreeViewMode(false, false, false));
    QTreeWidget* tree = sheet.GetPageTreeControl();
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("General"));
    EXPECT_TRUE(general->isVisible());
    EXPECT_EQ(sheet.GetFrame()->GetCaptionText(), QStringLiteral("General"));

    tree->setCurrentItem(tree->topLevelItem(1)); // "Advanced", no page of its own
    EXPECT_FALSE(general->isVisible());
    EXPECT_EQ(sheet.GetActiveIndex(), -1);
    EXPECT_EQ(sheet.GetFrame()->GetMessageText(), QString()); // no format: no text
    EXPECT_EQ(sheet.GetFrame()->GetCaptionText(), QStringLiteral("Advanced"));
    sheet.SetEmptyPageText(QStringLiteral("Choose one of the pages under %s."));
    EXPECT_EQ(sheet.GetFrame()->GetMessageText(),
              QStringLiteral("Choose one of the pages under Advanced."));
    EXPECT_EQ(general->Asked, 1);
}

TEST(TreePropSheet, APageThatRefusesKeepsTheSelection)
{
    CScriptedControlDialogs dialogs;
    CTreePropSheet sheet(QStringLiteral("Options"));
    auto* first = new CTestPage(QStringLiteral("A::One"));
    auto* second = new CTestPage(QStringLiteral("A::Two"));
    sheet.AddPage(first);
    sheet.AddPage(second);
    ShowActive(sheet);
    first->MayLeave = false;
    QTreeWidget* tree = sheet.GetPageTreeControl();
    QTreeWidgetItem* one = tree->currentItem();
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    EXPECT_EQ(tree->currentItem(), one);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_TRUE(first->isVisible());
    // OK asks the page too.
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    first->MayLeave = true;
    dialogs.OnModal = [](QDialog& shown) {
        shown.accept();
        return shown.result();
    };
    EXPECT_EQ(sheet.DoModal(), 1);
}

TEST(TreePropSheet, CtrlTabWalksTheTreeAndWraps)
{
    CTreePropSheet sheet(QStringLiteral("Options"));
    for (const char* caption :
         {"Environment::General", "Environment::Reconciliation", "Advanced::Reconciliation Options",
          "Differences::Question Differences"})
        sheet.AddPage(new CTestPage(QString::fromLatin1(caption)));
    ShowActive(sheet);
    QTreeWidget* tree = sheet.GetPageTreeControl();
    QStringList walked;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(&sheet, Qt::Key_Tab, Qt::ControlModifier);
        walked << tree->currentItem()->text(0);
    }
    EXPECT_EQ(walked,
              QStringList({QStringLiteral("Environment::Reconciliation").split(u':').last(),
                           QStringLiteral("Advanced"), QStringLiteral("Reconciliation Options"),
                           QStringLiteral("Differences"), QStringLiteral("Question Differences"),
                           QStringLiteral("Environment"), QStringLiteral("General"),
                           QStringLiteral("Reconciliation")}));
    // Back from the first top-level node goes to the last node in pre-order.
    tree->setCurrentItem(tree->topLevelItem(0));
    sheet.SelectPreviousTreePage();
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Question Differences"));
    sheet.SelectPreviousTreePage();
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Differences"));
    sheet.SelectPreviousTreePage();
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Reconciliation Options"));
}

TEST(PropPageFrame, AreasAndTheGradient)
{
    CPropPageFrameDefault frame;
    frame.resize(300, 200);
    frame.SetCaptionHeight(24);
    EXPECT_EQ(frame.GetCaptionArea(), CRect(0, 0, 300, 0));
    EXPECT_EQ(frame.GetMessageArea(), CRect(0, 0, 300, 200));
    frame.SetCaptionVisible(true);
    EXPECT_EQ(frame.GetCaptionArea(), CRect(0, 0, 300, 24));
    EXPECT_EQ(frame.GetMessageArea(), CRect(0, 25, 300, 200));
    frame.SetCaption(QStringLiteral("A caption far too long to fit into the bar of this frame"));
    const QImage image = shots::Grab(frame);
    const QColor left = ColorRefToQColor(GetSysColor(COLOR_ACTIVECAPTION));
    const QColor right = ColorRefToQColor(GetSysColor(COLOR_3DFACE));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 0, 1), left, 3));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 299, 1), right, 3));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, 299, 22), right, 3));
    shots::Save(image, QStringLiteral("test-artefacts/controls"), QStringLiteral("page-frame"));
    // The caption text, in the caption-text colour, reads on the caption colour: every column
    // that holds text has that colour above the text.
    const QColor text = ColorRefToQColor(GetSysColor(COLOR_CAPTIONTEXT));
    int textColumns = 0;
    for (int x = 0; x < 300; ++x) {
        bool hasText = false;
        for (int y = 4; y < 20; ++y)
            hasText = hasText || shots::ColourNear(shots::PixelAt(image, x, y), text, 8);
        if (!hasText)
            continue;
        ++textColumns;
        EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, x, 1), left, 3)) << x;
    }
    EXPECT_GT(textColumns, 100);
}
