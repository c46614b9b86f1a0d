// The user guide: the README's Markdown made into one HTML page, the stretches for developers
// left out, and the places the program finds it in.

#include "guide/UserGuide.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace user_guide;

namespace {

QString ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The page's body, from after its title to its end.
QString Body(const QString& html)
{
    const qsizetype start = html.indexOf(QStringLiteral("</h1>\n"));
    const qsizetype end = html.indexOf(QStringLiteral("</body>"));
    return start < 0 || end < 0 ? QString() : html.mid(start + 6, end - start - 6);
}

bool WriteFile(const QString& path)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write("<html></html>") > 0;
}

} // namespace

TEST(UserGuideTest, TheReadmesBlocksBecomeHtml)
{
    struct Case
    {
        const char* What;
        const char* Markdown;
        const char* Html;
    };
    const Case cases[] = {
        {"paragraph", "One line\nand the next.\n\nAnother.",
         "<p>One line and the next.</p>\n<p>Another.</p>\n"},
        {"escaped", "a < b & \"c\"", "<p>a &lt; b &amp; &quot;c&quot;</p>\n"},
        {"code span", "Run `plim -?` or `a<b>`; a lone ` stays.",
         "<p>Run <code>plim -?</code> or <code>a&lt;b&gt;</code>; a lone ` stays.</p>\n"},
        {"heading", "### Batch run",
         "<h3><a id=\"batch-run\" name=\"batch-run\"></a>Batch run</h3>\n"},
        {"list", "- first\n  goes on\n- second",
         "<ul>\n<li>first goes on</li>\n<li>second</li>\n</ul>\n"},
        {"table", "| switch | meaning |\n|---|---|\n| `-A:QR` | allow `a|b` |",
         "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n<tr><th>switch</th>"
         "<th>meaning</th></tr>\n<tr><td><code>-A:QR</code></td><td>allow <code>a|b</code>"
         "</td></tr>\n</table>\n"},
        {"fenced code", "```sh\nx < y && z\n```",
         "<pre><code>x &lt; y &amp;&amp; z</code></pre>\n"},
        {"indented code", "Use:\n\n    plim [campaign.duv]\n      -?\n\nDone.",
         "<p>Use:</p>\n<pre><code>plim [campaign.duv]\n  -?</code></pre>\n<p>Done.</p>\n"},
    };
    for (const Case& c : cases) {
        const QString html = MakeUserGuideHtml(QString::fromUtf8(c.Markdown));
        EXPECT_EQ(Body(html), QString::fromUtf8(c.Html)) << c.What;
    }
}

TEST(UserGuideTest, ThePageIsTitledByTheFirstHeadingAndListsItsSections)
{
    const QString html = MakeUserGuideHtml(QStringLiteral(
        "# Plim\r\n\r\nKeeps a study.\r\n\r\n## Command line\r\n\r\nText.\r\n\r\n### Batch run\r\n"
        "\r\nMore.\r\n\r\n## What Plim does not do (yet)\r\n\r\n- Print.\r\n"));
    EXPECT_TRUE(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("<title>Plim User Guide</title>")));
    // The opening paragraph, then the sections' list, then the sections.
    EXPECT_EQ(
        Body(html),
        QStringLiteral(
            "<p>Keeps a study.</p>\n<h2>Contents</h2>\n<ul>\n"
            "<li><a href=\"#command-line\">Command line</a></li>\n"
            "<li><a href=\"#what-plim-does-not-do-yet\">What Plim does not do (yet)</a></li>\n"
            "</ul>\n"
            "<h2><a id=\"command-line\" name=\"command-line\"></a>Command line</h2>\n"
            "<p>Text.</p>\n"
            "<h3><a id=\"batch-run\" name=\"batch-run\"></a>Batch run</h3>\n<p>More.</p>\n"
            "<h2><a id=\"what-plim-does-not-do-yet\" name=\"what-plim-does-not-do-yet\"></a>"
            "What Plim does not do (yet)</h2>\n<ul>\n<li>Print.</li>\n</ul>\n"));
}

TEST(UserGuideTest, TheStretchesForDevelopersAreLeftOut)
{
    const QString html = MakeUserGuideHtml(QStringLiteral(
        "# Plim\n\nFor users.\n\n<!-- not in the user guide -->\n## Build and run\n\n"
        "```sh\n./plim.sh\n```\n<!-- in the user guide -->\n\n## Command line\n\nText with "
        "`<!-- not in the user guide -->` in it.\n  <!-- not in the user guide -->  \n"
        "Benchmarks.\n<!-- in the user guide -->\n\nThe end.\n"));
    EXPECT_EQ(
        Body(html),
        QStringLiteral("<p>For users.</p>\n<h2>Contents</h2>\n<ul>\n"
                       "<li><a href=\"#command-line\">Command line</a></li>\n</ul>\n"
                       "<h2><a id=\"command-line\" name=\"command-line\"></a>Command line</h2>\n"
                       "<p>Text with <code>&lt;!-- not in the user guide --&gt;</code> in it.</p>\n"
                       "<p>The end.</p>\n"));
}

TEST(UserGuideTest, TheReadmesGuideHoldsTheSectionsForUsersOnly)
{
    const QString html = MakeUserGuideHtml(ReadFile(QStringLiteral(PLIM_SOURCE_DIR "/README.md")));
    for (const char* section :
         {"Command line", "Where Plim keeps its settings", "Building a study in the window",
          "The reconciliation page", "What Plim does not do (yet)"})
        EXPECT_TRUE(html.contains(QStringLiteral("<li><a href=\"#")) &&
                    html.contains(QStringLiteral("</a>%1</h2>").arg(QString::fromUtf8(section))))
            << section;
    for (const char* developers : {"Build and run", "For developers", "<h2><a id=\"layout\"",
                                   "bench_", "plim_xml_fuzz", "PLIM_TSAN", "qnrdump"})
        EXPECT_FALSE(html.contains(QString::fromUtf8(developers))) << developers;
}

TEST(UserGuideTest, TheGuideIsFoundBesideTheProgramThenInItsInstall)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString beside = bin + QStringLiteral("/plim-guide.html");
    const QString installed = root.filePath(QStringLiteral("share/plim/plim-guide.html"));
    EXPECT_EQ(UserGuidePlaces(bin, QStringLiteral("share/plim")), (QStringList{beside, installed}));
    EXPECT_TRUE(FindUserGuide(bin, QStringLiteral("share/plim")).isEmpty());

    ASSERT_TRUE(WriteFile(installed));
    EXPECT_EQ(FindUserGuide(bin, QStringLiteral("share/plim")), installed);
    ASSERT_TRUE(WriteFile(beside));
    EXPECT_EQ(FindUserGuide(bin, QStringLiteral("share/plim")), beside);

    // An install folder set absolute is taken as it stands.
    const QString elsewhere = root.filePath(QStringLiteral("opt/doc"));
    EXPECT_EQ(UserGuidePlaces(bin, elsewhere).last(),
              elsewhere + QStringLiteral("/plim-guide.html"));
}
