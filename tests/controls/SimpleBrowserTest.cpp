#include "controls/SimpleBrowser.h"

#include "widgets/Screenshots.h"

#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

QString ReadReport(const char* name)
{
    QFile file(QStringLiteral(PLIM_SOURCE_DIR "/tests/reconcile/data/") +
               QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

class CScriptedOwner final : public INotifyOwner
{
public:
    LRESULT OnNotify(NMHDR& header) override
    {
        Seen.push_back(static_cast<SimpleBrowserNotification&>(header));
        return Answer;
    }
    int Answer = 0;
    std::vector<SimpleBrowserNotification> Seen;
};

// The point of the browser window's viewport where a text shows.
QPoint WhereTextShows(QTextBrowser& browser, const QString& text)
{
    const QTextCursor found = browser.document()->find(text);
    EXPECT_FALSE(found.isNull()) << text.toStdString();
    QTextCursor middle(browser.document());
    middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    return browser.cursorRect(middle).center();
}

} // namespace

TEST(SimpleBrowser, SelfClosingStartTagsAreOpened)
{
    const std::pair<const char*, const char*> cases[] = {
        {"<p class = \"indent0 fontBold color0\"/>\ntext",
         "<p class = \"indent0 fontBold color0\">\ntext"},
        {"<P CLASS='x' />", "<P CLASS='x' >"},
        {"<p/>", "<p>"},
        {"<br/><br />", "<br/><br />"},
        {"<meta http-equiv=\"Content-Type\" content=\"text/html\"/>",
         "<meta http-equiv=\"Content-Type\" content=\"text/html\"/>"},
        {"<a title=\"a/>b\" href=\"#x\">go</a>", "<a title=\"a/>b\" href=\"#x\">go</a>"},
        {"<!-- <p/> --><p/>", "<!-- <p/> --><p>"},
        {"<style>p/>x {}</style><p/>", "<style>p/>x {}</style><p>"},
        {"a < b </p> <", "a < b </p> <"},
        {"<p class=\"unfinished/>", "<p class=\"unfinished/>"},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(OpenSelfClosingTags(QString::fromUtf8(input)), QString::fromUtf8(expected))
            << input;
}

TEST(SimpleBrowser, ShowsAReconciliationReportStyled)
{
    QWidget dialog;
    dialog.resize(700, 500);
    auto* placeholder = new QWidget(&dialog);
    placeholder->setGeometry(10, 10, 680, 480);
    placeholder->setProperty("controlId", 1154);
    SimpleBrowser browser;
    ASSERT_TRUE(browser.CreateFromControl(placeholder));
    EXPECT_EQ(browser.geometry(), QRect(10, 10, 680, 480));
    EXPECT_EQ(browser.GetDlgCtrlID(), 1154);
    EXPECT_EQ(dialog.findChildren<QWidget*>().contains(placeholder), false);
    browser.Write(ReadReport("sample_wave2.html"));
    dialog.show();

    QTextBrowser& view = *browser.GetBrowserWindow();
    const QImage image = shots::GrabAndSave(view, "gallery", "SimpleBrowserReport");

    // The first line: bold, blue on grey.
    const QTextBlock first = view.document()->findBlock(
        view.document()->find(QStringLiteral("Reconciliation run")).selectionStart());
    EXPECT_TRUE(first.charFormat().font().bold() ||
                first.begin().fragment().charFormat().fontWeight() >= QFont::Bold);
    const QPoint title = WhereTextShows(view, QStringLiteral("Reconciliation run"));
    EXPECT_TRUE(shots::ColourNear(shots::PixelAt(image, view.viewport()->width() - 20, title.y()),
                                  QColor(220, 220, 220), 2));
    bool blue = false;
    for (int x = 0; x < 200 && !blue; ++x) {
        const QColor pixel = shots::PixelAt(image, x, title.y());
        blue = pixel.blue() > 150 && pixel.red() < 100 && pixel.green() < 100;
    }
    EXPECT_TRUE(blue);

    // An indented line on light grey, its text further right than the first line's.
    const QPoint indented = WhereTextShows(view, QStringLiteral("Not using caption libraries"));
    EXPECT_TRUE(
        shots::ColourNear(shots::PixelAt(image, view.viewport()->width() - 20, indented.y()),
                          QColor(240, 240, 240), 2));
    const QTextCursor line = view.document()->find(QStringLiteral("Not using caption libraries"));
    QTextCursor start(view.document());
    start.setPosition(line.selectionStart());
    QTextCursor titleStart(view.document());
    titleStart.setPosition(
        view.document()->find(QStringLiteral("Reconciliation run")).selectionStart());
    EXPECT_GT(view.cursorRect(start).left(), view.cursorRect(titleStart).left() + 5);
}

TEST(SimpleBrowser, WritesAfterClearShowInOrderAndClearEmpties)
{
    QWidget dialog;
    SimpleBrowser browser;
    ASSERT_TRUE(browser.Create(&dialog, QRect(0, 0, 400, 300), 1197));
    browser.Write(QStringLiteral("<html><body><p>first</p></body>\n</html>\n"));
    browser.Write(QStringLiteral("<html><body><p>second</p></body>\n</html>\n"));
    const QString text = browser.GetDocument()->toPlainText();
    EXPECT_GE(text.indexOf(QStringLiteral("first")), 0);
    EXPECT_GT(text.indexOf(QStringLiteral("second")), text.indexOf(QStringLiteral("first")));

    browser.Clear();
    EXPECT_TRUE(browser.GetDocument()->toPlainText().trimmed().isEmpty());
    EXPECT_TRUE(browser.GetWrittenHtml().isEmpty());
    browser.Write(QStringLiteral("<p>third</p>"));
    EXPECT_EQ(browser.GetDocument()->toPlainText().trimmed(), QStringLiteral("third"));
}

TEST(SimpleBrowser, WithoutCreateEverythingDoesNothing)
{
    SimpleBrowser browser;
    browser.Write(QStringLiteral("<p>x</p>"));
    browser.Clear();
    browser.Navigate(QStringLiteral("about:blank"));
    browser.Refresh();
    EXPECT_EQ(browser.GetDocument(), nullptr);
    EXPECT_FALSE(browser.CreateFromControl(nullptr));
    QWidget orphan;
    EXPECT_FALSE(browser.CreateFromControl(&orphan));
}

TEST(SimpleBrowser, LinkClicksAskTheOwnerAndAnchorsScroll)
{
    QWidget dialog;
    dialog.resize(300, 200);
    SimpleBrowser browser;
    ASSERT_TRUE(browser.Create(&dialog, QRect(0, 0, 300, 200), 1172));
    CScriptedOwner owner;
    browser.SetOwner(&owner);
    QString html = QStringLiteral("<html><body><p><a href=\"#end\">Go down</a> "
                                  "<a href=\"http://example.com/\">Outside</a></p>");
    for (int i = 0; i < 60; ++i)
        html += QStringLiteral("<p>line %1</p>").arg(i);
    html += QStringLiteral("<p><a name=\"end\"></a>The end</p></body></html>");
    browser.Write(html);
    dialog.show();
    QTextBrowser& view = *browser.GetBrowserWindow();
    QScrollBar& bar = *view.verticalScrollBar();
    ASSERT_EQ(bar.value(), 0);

    // The owner refuses: nothing moves.
    owner.Answer = 1;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, WhereTextShows(view, "Go down"));
    ASSERT_EQ(owner.Seen.size(), 1u);
    EXPECT_EQ(owner.Seen[0].code, SBN_BEFORE_NAVIGATE);
    EXPECT_EQ(owner.Seen[0].URL, QStringLiteral("#end"));
    EXPECT_EQ(owner.Seen[0].idFrom, 1172u);
    EXPECT_EQ(bar.value(), 0);

    // An outside address is asked about and loads nothing.
    owner.Answer = 0;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, WhereTextShows(view, "Outside"));
    ASSERT_EQ(owner.Seen.size(), 2u);
    EXPECT_EQ(owner.Seen[1].URL, QStringLiteral("http://example.com/"));
    EXPECT_GE(browser.GetDocument()->toPlainText().indexOf(QStringLiteral("line 59")), 0);

    // Allowed: the anchor scrolls into view.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, WhereTextShows(view, "Go down"));
    EXPECT_GT(bar.value(), 0);

    // Without an owner every navigation goes ahead.
    browser.SetOwner(nullptr);
    bar.setValue(0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, WhereTextShows(view, "Go down"));
    EXPECT_GT(bar.value(), 0);
}

TEST(SimpleBrowser, BlankNavigationEmptiesAndReportsCompletion)
{
    QWidget dialog;
    SimpleBrowser browser;
    ASSERT_TRUE(browser.Create(&dialog, QRect(0, 0, 100, 100), 5));
    browser.Write(QStringLiteral("<p>x</p>"));
    QSignalSpy notified(&browser, &SimpleBrowser::Notify);
    browser.Navigate(QStringLiteral("about:blank"));
    ASSERT_EQ(notified.count(), 2);
    EXPECT_EQ(notified[0][0].value<SimpleBrowserNotification>().code, SBN_NAVIGATE_COMPLETE);
    EXPECT_EQ(notified[1][0].value<SimpleBrowserNotification>().code, SBN_DOCUMENT_COMPLETE);
    EXPECT_EQ(notified[1][0].value<SimpleBrowserNotification>().URL, QStringLiteral("about:blank"));
    EXPECT_TRUE(browser.GetDocument()->toPlainText().trimmed().isEmpty());
}

TEST(SimpleBrowser, NothingIsLoadedFromOutsideTheText)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("picture.png"));
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(picture));
    QWidget dialog;
    SimpleBrowser browser;
    ASSERT_TRUE(browser.Create(&dialog, QRect(0, 0, 100, 100), 5));
    const QUrl url = QUrl::fromLocalFile(picture);
    browser.Write(QStringLiteral("<p><img src=\"%1\"/></p>").arg(url.toString()));
    dialog.show();
    shots::Grab(dialog);
    const QVariant resource = browser.GetDocument()->resource(QTextDocument::ImageResource, url);
    EXPECT_TRUE(qvariant_cast<QImage>(resource).isNull());
    EXPECT_TRUE(resource.toByteArray().isEmpty());
}
