#include "dialogs/CampaignViewDialogs.h"
#include "dialogs/DialogControls.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/NewVolumeInheritsFromPage.h"
#include "dialogs/NewVolumeMatchingPage.h"
#include "dialogs/NewVolumeSheet.h"
#include "dialogs/NewVolumeSourcePage.h"

#include "app/WaveApp.h"
#include "commands/WaveCommands.h"
#include "controls/ControlDialogs.h"
#include "controls/XListCtrl.h"
#include "model/Campaign.h"
#include "model/Question.h"
#include "model/Volume.h"
#include "model/Wave.h"
#include "questionnaire/Question.h"
#include "questionnaire/Questionnaire.h"
#include "res/SourceFileFilter.h"
#include "res/StringTable.h"
#include "storage/DBAccess.h"
#include "support/ScriptedWindowServices.h"
#include "support/views/SampleCampaign.h"
#include "support/views/ScriptedViewDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace pelko_wave;

namespace {

QString Sample(const char* name)
{
    return QStringLiteral(PLIM_SOURCE_DIR "/samples/") + QString::fromLatin1(name);
}

// The wizard on a campaign, shown on its first page.
class CWizard
{
public:
    explicit CWizard(const SNewVolumeWizardInput& input)
    {
        sheet.SetInput(input);
        sheet.resize(640, 620);
        sheet.show();
        QApplication::processEvents();
    }

    template <class T> T& Control(int id)
    {
        T* control = FindControl<T>(sheet, id);
        EXPECT_NE(control, nullptr) << id;
        return *control;
    }
    QAbstractButton& Button(QWizard::WizardButton which) { return *sheet.button(which); }
    bool NextEnabled() { return Button(QWizard::NextButton).isEnabled(); }
    bool FinishEnabled() { return Button(QWizard::FinishButton).isEnabled(); }
    void Click(int id)
    {
        QTest::mouseClick(&Control<QAbstractButton>(id), Qt::LeftButton, {},
                          QPoint(6, Control<QAbstractButton>(id).height() / 2));
    }
    void Next() { QTest::mouseClick(&Button(QWizard::NextButton), Qt::LeftButton); }

    // The source page filled in: a name and the questionnaire file.
    void FillSource(const QString& path, const QString& name = QStringLiteral("Web"))
    {
        Control<QLineEdit>(CNewVolumeSourcePage::IDC_NAME).setText(name);
        Control<QLineEdit>(CNewVolumeSourcePage::IDC_QUESTION_PATH).setText(path);
    }
    // On to the matching page with the inheritance page's choice made.
    void ToMatching(const QString& path, int ancestorRow = -1)
    {
        FillSource(path);
        Next();
        if (ancestorRow >= 0) {
            Click(CNewVolumeInheritsFromPage::IDC_INHERITS);
            sheet.GetInheritsFromPage()->GetList()->SetCurSel(ancestorRow);
        }
        Next();
        EXPECT_EQ(sheet.currentId(), CNewVolumeSheet::PAGE_MATCHING);
    }

    CNewVolumeSheet sheet;
};

// The texts of a method list's rows, with "[x]" for a ticked one.
QStringList MethodRows(const CXListCtrl& list)
{
    QStringList rows;
    for (int row = 0; row < list.GetItemCount(); ++row)
        rows << list.GetItemText(row, 1) + (list.GetCheckbox(row, 0) == 1 ? " [x]" : "");
    return rows;
}

QStringList ListTexts(const QListWidget& list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

// Clicks the check box of a list's row.
void ClickCheck(CXListCtrl& list, int row)
{
    const QRect rowRect = list.visualItemRect(list.topLevelItem(row));
    QStyleOptionViewItem option;
    option.initFrom(list.viewport());
    option.rect = QRect(0, rowRect.top(), list.columnWidth(0), rowRect.height());
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QPoint point = list.style()
                             ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list)
                             .center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, point);
}

void DragRow(CXListCtrl& list, int from, int onto)
{
    const QPoint start = list.visualItemRect(list.topLevelItem(from)).center();
    const QPoint end = list.visualItemRect(list.topLevelItem(onto)).center();
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(end), list.viewport()->mapToGlobal(QPointF(end)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, end);
}

// The wizard's tests on an empty campaign; those on the sample campaign build it first.
class NewVolumeWizardTest : public ::testing::Test
{
protected:
    NewVolumeWizardTest() { app.CreateCampaignObjects(nullptr, nullptr); }

    bool BuildSample()
    {
        QString error;
        const bool built =
            sample_campaign::BuildSampleCampaign(app, folder.filePath("sample.duv"), error);
        EXPECT_TRUE(built) << qPrintable(error);
        return built;
    }
    CCampaign& Campaign() { return *app.GetCampaign(); }
    CWave* AddEmptyWave()
    {
        std::unique_ptr<CCmdVirtual> command =
            std::make_unique<CCmdNewWave>(&Campaign(), -1, QStringLiteral("Winter"), QString(),
                                          QDateTime(), QDateTime(), QDateTime());
        EXPECT_TRUE(app.ExecuteCommand(command, {}, nullptr, nullptr, true));
        return Campaign().GetWave(Campaign().GetWaveCount() - 1);
    }
    SNewVolumeWizardInput Input(CWave* wave)
    {
        SNewVolumeWizardInput input;
        input.Campaign = &Campaign();
        input.Wave = wave;
        return input;
    }

    QTemporaryDir folder;
    CScriptedWindowServices windows;
    CWaveApp app;
    CScriptedViewDialogs dialogs;
};

} // namespace

TEST_F(NewVolumeWizardTest, TheSourcePageStartsWithZozRelativeAndInterviewsWithTheQuestions)
{
    CWizard w(Input(AddEmptyWave()));
    EXPECT_EQ(w.sheet.currentId(), CNewVolumeSheet::PAGE_SOURCE);
    EXPECT_EQ(w.sheet.windowTitle(), QStringLiteral("New Volume Source"));
    EXPECT_TRUE(w.Control<QRadioButton>(CNewVolumeSourcePage::IDC_SOURCE_ZOZ).isChecked());
    EXPECT_TRUE(w.Control<QRadioButton>(CNewVolumeSourcePage::IDC_PATH_RELATIVE).isChecked());
    EXPECT_TRUE(
        w.Control<QCheckBox>(CNewVolumeSourcePage::IDC_INTERVIEWS_WITH_QUESTIONS).isChecked());
    EXPECT_FALSE(w.Control<QCheckBox>(CNewVolumeSourcePage::IDC_COPY_QUESTION_SOURCE).isChecked());
    for (int id :
         {CNewVolumeSourcePage::IDC_INTERVIEWS_FROM_FILE,
          CNewVolumeSourcePage::IDC_INTERVIEWS_FROM_DATABASE,
          CNewVolumeSourcePage::IDC_INTERVIEW_PATH, CNewVolumeSourcePage::IDC_INTERVIEW_BROWSE,
          CNewVolumeSourcePage::IDC_COPY_INTERVIEW_SOURCE,
          CNewVolumeSourcePage::IDC_CONNECTION_STRING, CNewVolumeSourcePage::IDC_CONNECT})
        EXPECT_FALSE(w.Control<QWidget>(id).isEnabled()) << id;

    // Next waits for a name and an existing questionnaire file.
    EXPECT_FALSE(w.NextEnabled());
    w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_NAME).setText(QStringLiteral("Web"));
    EXPECT_FALSE(w.NextEnabled());
    w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_QUESTION_PATH).setText(Sample("nowhere.zoz"));
    EXPECT_FALSE(w.NextEnabled());
    // Browse... fills the path from the file chooser, with the filter of the chosen type.
    windows.Choices = {Sample("wave1.zoz")};
    QTest::mouseClick(&w.Control<QAbstractButton>(CNewVolumeSourcePage::IDC_QUESTION_BROWSE),
                      Qt::LeftButton);
    EXPECT_EQ(w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_QUESTION_PATH).text(),
              Sample("wave1.zoz"));
    EXPECT_TRUE(w.NextEnabled());
    w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_NAME).setText(QStringLiteral("   "));
    EXPECT_FALSE(w.NextEnabled());
}

TEST_F(NewVolumeWizardTest, InterviewsFromAFileOrADatabaseNeedTheirSource)
{
    CWizard w(Input(AddEmptyWave()));
    w.FillSource(Sample("wave1.zoz"));
    ASSERT_TRUE(w.NextEnabled());
    w.Click(CNewVolumeSourcePage::IDC_INTERVIEWS_WITH_QUESTIONS);
    // From a file, by default: the file must exist.
    EXPECT_TRUE(w.Control<QWidget>(CNewVolumeSourcePage::IDC_INTERVIEW_PATH).isEnabled());
    EXPECT_FALSE(w.Control<QWidget>(CNewVolumeSourcePage::IDC_CONNECT).isEnabled());
    EXPECT_FALSE(w.NextEnabled());
    w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_INTERVIEW_PATH).setText(Sample("wave1.sss"));
    EXPECT_TRUE(w.NextEnabled());

    // From a database: Connect... cancelled keeps Next off; a connection turns it on.
    w.Click(CNewVolumeSourcePage::IDC_INTERVIEWS_FROM_DATABASE);
    EXPECT_FALSE(w.Control<QWidget>(CNewVolumeSourcePage::IDC_INTERVIEW_PATH).isEnabled());
    EXPECT_TRUE(w.Control<QWidget>(CNewVolumeSourcePage::IDC_CONNECT).isEnabled());
    EXPECT_FALSE(w.NextEnabled());
    dialogs.QueueResults({IDCANCEL, IDOK});
    dialogs.ConnectionAnswer = {QStringLiteral("QSQLITE;Database=/data/survey.db"), 42};
    QTest::mouseClick(&w.Control<QAbstractButton>(CNewVolumeSourcePage::IDC_CONNECT),
                      Qt::LeftButton);
    EXPECT_TRUE(w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_CONNECTION_STRING).text().isEmpty());
    EXPECT_FALSE(w.NextEnabled());
    QTest::mouseClick(&w.Control<QAbstractButton>(CNewVolumeSourcePage::IDC_CONNECT),
                      Qt::LeftButton);
    EXPECT_EQ(dialogs.Calls, (QStringList{"DBConnectionDlg", "DBConnectionDlg"}));
    EXPECT_TRUE(dialogs.CalledModal[1]);
    EXPECT_EQ(w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_CONNECTION_STRING).text(),
              QStringLiteral("QSQLITE;Database=/data/survey.db"));
    EXPECT_TRUE(w.NextEnabled());

    // A Triple-S source reads its interviews from a file.
    w.Click(CNewVolumeSourcePage::IDC_SOURCE_TRIPLE_S);
    EXPECT_TRUE(
        w.Control<QRadioButton>(CNewVolumeSourcePage::IDC_INTERVIEWS_FROM_FILE).isChecked());
    EXPECT_FALSE(
        w.Control<QWidget>(CNewVolumeSourcePage::IDC_INTERVIEWS_FROM_DATABASE).isEnabled());
    w.Click(CNewVolumeSourcePage::IDC_SOURCE_ZOZ);
    EXPECT_TRUE(w.Control<QWidget>(CNewVolumeSourcePage::IDC_INTERVIEWS_FROM_DATABASE).isEnabled());

    // Next reads the page: a database source gives the connection and its survey.
    w.Click(CNewVolumeSourcePage::IDC_INTERVIEWS_FROM_DATABASE);
    w.Click(CNewVolumeSourcePage::IDC_COPY_QUESTION_SOURCE);
    w.Click(CNewVolumeSourcePage::IDC_PATH_UNC);
    w.Next();
    ASSERT_EQ(w.sheet.currentId(), CNewVolumeSheet::PAGE_INHERITANCE);
    const CNewVolumeSourcePage& page = *w.sheet.GetSourcePage();
    EXPECT_EQ(page.GetName(), QStringLiteral("Web"));
    EXPECT_EQ(page.GetSourceType(), SOURCE_ZOZ);
    EXPECT_EQ(page.GetPathFormat(), PATH_UNC);
    EXPECT_FALSE(page.GetInterviewsWithQuestions());
    EXPECT_TRUE(page.GetInterviewsFromDatabase());
    EXPECT_EQ(page.GetInterviewSource(), QStringLiteral("QSQLITE;Database=/data/survey.db"));
    EXPECT_EQ(page.GetSurveyId(), 42);
    EXPECT_TRUE(page.GetCopyQuestionSource());
    EXPECT_FALSE(page.GetCopyInterviewSource());
}

TEST_F(NewVolumeWizardTest, TheConnectionIsShownWithItsPasswordMaskedAndTakenWhole)
{
    CWizard w(Input(AddEmptyWave()));
    w.FillSource(Sample("wave1.zoz"));
    w.Click(CNewVolumeSourcePage::IDC_INTERVIEWS_WITH_QUESTIONS);
    w.Click(CNewVolumeSourcePage::IDC_INTERVIEWS_FROM_DATABASE);
    const QString connection =
        QStringLiteral("QPSQL;Host=db.example.org;User=plim;Password=s3cret;Database=surveys");
    dialogs.QueueResults({IDOK});
    dialogs.ConnectionAnswer = {connection, 42};
    QTest::mouseClick(&w.Control<QAbstractButton>(CNewVolumeSourcePage::IDC_CONNECT),
                      Qt::LeftButton);
    EXPECT_EQ(w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_CONNECTION_STRING).text(),
              QStringLiteral("QPSQL;Host=db.example.org;User=plim;Password=") +
                  QString(8, QChar(0x2022)) + QStringLiteral(";Database=surveys"));
    ASSERT_TRUE(w.NextEnabled());
    w.Next();
    ASSERT_EQ(w.sheet.currentId(), CNewVolumeSheet::PAGE_INHERITANCE);
    EXPECT_EQ(w.sheet.GetSourcePage()->GetInterviewSource(), connection);
}

TEST_F(NewVolumeWizardTest, SourcesAreReadAsWhatTheirContentShows)
{
    QTemporaryDir files;
    // A Triple-S file named like a ZOZ file, and a text that is no questionnaire.
    const QString disguised = files.filePath(QStringLiteral("survey.zoz"));
    ASSERT_TRUE(QFile::copy(Sample("wave2.sss"), disguised));
    const QString notes = files.filePath(QStringLiteral("notes.zoz"));
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("these are notes, not a questionnaire");
    file.close();

    struct SCase
    {
        QString Path;
        int Type;
        int Radio;
    };
    for (const SCase& c :
         {SCase{Sample("wave2.sss"), SOURCE_TRIPLE_S, CNewVolumeSourcePage::IDC_SOURCE_TRIPLE_S},
          SCase{Sample("wave2.mdd"), SOURCE_DIMENSIONS,
                CNewVolumeSourcePage::IDC_SOURCE_DIMENSIONS},
          SCase{disguised, SOURCE_TRIPLE_S, CNewVolumeSourcePage::IDC_SOURCE_TRIPLE_S},
          SCase{Sample("wave2.zoz"), SOURCE_ZOZ, CNewVolumeSourcePage::IDC_SOURCE_ZOZ}}) {
        SCOPED_TRACE(c.Path.toStdString());
        CWizard w(Input(nullptr));
        // The radios follow the file's content.
        w.Click(CNewVolumeSourcePage::IDC_SOURCE_DIMENSIONS);
        w.FillSource(c.Path);
        EXPECT_TRUE(w.Control<QRadioButton>(c.Radio).isChecked());
        w.Next();
        ASSERT_EQ(w.sheet.currentId(), CNewVolumeSheet::PAGE_INHERITANCE);
        EXPECT_EQ(w.sheet.GetSourcePage()->GetSourceType(), c.Type);
        // The new source is read in its format: its questions reach the matching page.
        const qnr::CQuestionnaire* source = w.sheet.GetNewSource();
        ASSERT_NE(source, nullptr);
        w.Next();
        EXPECT_GT(w.Control<QListWidget>(CNewVolumeMatchingPage::IDC_THIS_QUESTIONS).count(), 0);
    }

    // A file that shows no questionnaire format is refused at Next, with a message.
    CWizard w(Input(nullptr));
    w.FillSource(notes);
    ASSERT_TRUE(w.NextEnabled());
    w.Next();
    EXPECT_EQ(w.sheet.currentId(), CNewVolumeSheet::PAGE_SOURCE);
    ASSERT_EQ(windows.Prompts.size(), 1);
    EXPECT_TRUE(windows.Prompts[0].contains(
        QStringLiteral("It is neither a ZOZ, a Triple-S nor a Dimensions questionnaire.")));
}

TEST_F(NewVolumeWizardTest, BothBrowseButtonsListEveryQuestionnaireFirstWhateverTheType)
{
    // The chooser's lists, in order: every format the program reads, each alone, all files.
    const QStringList expected = {"All questionnaires (*.zoz *.sss *.xml *.mdd)",
                                  "ZOZ files (*.zoz)", "Triple-S files (*.sss *.xml)",
                                  "Dimensions files (*.mdd)", "All files (*)"};
    EXPECT_EQ(FileFilterToNameFilters(SourceFileFilter()), expected);

    CWizard w(Input(AddEmptyWave()));
    w.Click(CNewVolumeSourcePage::IDC_INTERVIEWS_WITH_QUESTIONS);
    for (int radio :
         {CNewVolumeSourcePage::IDC_SOURCE_ZOZ, CNewVolumeSourcePage::IDC_SOURCE_TRIPLE_S,
          CNewVolumeSourcePage::IDC_SOURCE_DIMENSIONS}) {
        w.Click(radio);
        for (int browse : {CNewVolumeSourcePage::IDC_QUESTION_BROWSE,
                           CNewVolumeSourcePage::IDC_INTERVIEW_BROWSE})
            QTest::mouseClick(&w.Control<QAbstractButton>(browse), Qt::LeftButton);
    }
    ASSERT_EQ(windows.ChooserFilters.size(), 6);
    for (const QString& filter : windows.ChooserFilters)
        EXPECT_EQ(filter, SourceFileFilter());
}

TEST_F(NewVolumeWizardTest, APathThatCannotBeUsedSaysWhyUnderItsField)
{
    QTemporaryDir files;
    CWizard w(Input(AddEmptyWave()));
    QLabel& questionReason = w.Control<QLabel>(CNewVolumeSourcePage::IDC_QUESTION_PATH_REASON);
    QLabel& interviewReason = w.Control<QLabel>(CNewVolumeSourcePage::IDC_INTERVIEW_PATH_REASON);
    QLineEdit& questionPath = w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_QUESTION_PATH);
    w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_NAME).setText(QStringLiteral("Web"));

    // Nothing typed yet: no reason.
    EXPECT_FALSE(questionReason.isVisible());
    const QString pipe = files.filePath(QStringLiteral("pipe.sss"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    struct SCase
    {
        const char* Name;
        QString Path;
        QString Reason;
    };
    const SCase cases[] = {
        {"missing", files.filePath(QStringLiteral("nowhere.sss")),
         QStringLiteral("No file of this name exists.")},
        {"a folder", files.path(), QStringLiteral("This is a folder: choose a file in it.")},
        {"a pipe", pipe,
         QStringLiteral(
             "This is not an ordinary file (a device or a pipe): choose a questionnaire file.")},
        {"a readable file", Sample("wave1.zoz"), QString()},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Name);
        questionPath.setText(c.Path);
        EXPECT_EQ(questionReason.text(), c.Reason);
        EXPECT_EQ(questionReason.isVisible(), !c.Reason.isEmpty());
        EXPECT_EQ(w.NextEnabled(), c.Reason.isEmpty());
    }

    // A file its user may not read (the test cannot make one when it runs with every right).
    const QString locked = files.filePath(QStringLiteral("locked.zoz"));
    ASSERT_TRUE(QFile::copy(Sample("wave1.zoz"), locked));
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    if (!QFileInfo(locked).isReadable()) {
        questionPath.setText(locked);
        EXPECT_EQ(questionReason.text(),
                  QStringLiteral("The file cannot be read: you have no permission to read it."));
        EXPECT_FALSE(w.NextEnabled());
        questionPath.setText(Sample("wave1.zoz"));
    }

    // The interview file's line shows only while the interviews come from that file.
    QLineEdit& interviewPath = w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_INTERVIEW_PATH);
    interviewPath.setText(files.filePath(QStringLiteral("gone.dat")));
    EXPECT_FALSE(interviewReason.isVisible());
    w.Click(CNewVolumeSourcePage::IDC_INTERVIEWS_WITH_QUESTIONS);
    EXPECT_TRUE(interviewReason.isVisible());
    EXPECT_EQ(interviewReason.text(), QStringLiteral("No file of this name exists."));
    EXPECT_FALSE(w.NextEnabled());
    interviewPath.setText(Sample("wave1.sss"));
    EXPECT_FALSE(interviewReason.isVisible());
    EXPECT_TRUE(w.NextEnabled());
}

TEST_F(NewVolumeWizardTest, CompatibilityRatingsChangeAboveTheirBounds)
{
    const std::pair<double, const char*> cases[] = {
        {100, "excellent"}, {90.01, "excellent"}, {90, "good"}, {70.01, "good"},
        {70, "fair"},       {30.01, "fair"},      {30, "poor"}, {0, "poor"},
    };
    for (const auto& [percent, rating] : cases)
        EXPECT_EQ(LoadString(InheritanceRatingId(percent)), QString::fromLatin1(rating)) << percent;
}

TEST_F(NewVolumeWizardTest, WithoutAWaveThereIsNoInheritance)
{
    CWizard w(Input(nullptr));
    w.FillSource(Sample("wave1.zoz"));
    w.Next();
    ASSERT_EQ(w.sheet.currentId(), CNewVolumeSheet::PAGE_INHERITANCE);
    EXPECT_EQ(w.sheet.windowTitle(), QStringLiteral("New Volume Inheritance"));
    EXPECT_TRUE(
        w.Control<QRadioButton>(CNewVolumeInheritsFromPage::IDC_NOT_INHERITING).isChecked());
    EXPECT_FALSE(w.Control<QWidget>(CNewVolumeInheritsFromPage::IDC_INHERITS).isEnabled());
    EXPECT_FALSE(w.Control<QWidget>(CNewVolumeInheritsFromPage::IDC_ANCESTORS).isEnabled());
    EXPECT_TRUE(w.NextEnabled());
    w.Next();
    EXPECT_EQ(w.sheet.GetInheritsFromPage()->GetAncestorVolumeId(), -1);
    // No ancestor: matching against the parent's values is off.
    EXPECT_FALSE(w.Control<QWidget>(CNewVolumeMatchingPage::IDC_PARENT_VALUES).isEnabled());
}

TEST_F(NewVolumeWizardTest, AncestorsAreTheEarlierVolumesRatedByTheNewSource)
{
    ASSERT_TRUE(BuildSample());
    CWizard w(Input(Campaign().GetWave(1)));
    w.FillSource(Sample("wave2.zoz"));
    w.Next();
    CXListCtrl& list = *w.sheet.GetInheritsFromPage()->GetList();
    ASSERT_EQ(list.GetItemCount(), 3);
    const QStringList names = {"Spring - Online", "Summer - Online", "Summer - Phone"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list.GetItemText(row, 0), names[row]);
        EXPECT_EQ(int(list.GetItemData(row)), row + 1);
    }
    // The volumes the new source was reconciled from fit it whole.
    EXPECT_EQ(list.GetItemText(2, 1), QStringLiteral("100.00%"));
    EXPECT_EQ(list.GetItemText(2, 2), QStringLiteral("100.00% (excellent)"));
    EXPECT_TRUE(list.GetItemText(0, 2).endsWith(QLatin1Char(')')));
    // Volumes that already have an heir cannot be chosen.
    EXPECT_FALSE(list.GetEnabled(0));
    EXPECT_FALSE(list.GetEnabled(1));
    EXPECT_TRUE(list.GetEnabled(2));

    // "Not using inheritance" is valid; inheriting needs a row.
    EXPECT_TRUE(w.NextEnabled());
    EXPECT_FALSE(list.isEnabled());
    w.Click(CNewVolumeInheritsFromPage::IDC_INHERITS);
    EXPECT_TRUE(list.isEnabled());
    EXPECT_FALSE(w.NextEnabled());
    EXPECT_FALSE(list.SetCurSel(1));
    list.SetCurSel(2);
    EXPECT_TRUE(w.NextEnabled());
    w.Next();
    EXPECT_EQ(w.sheet.GetInheritsFromPage()->GetAncestorVolumeId(), 3);
    EXPECT_TRUE(w.Control<QWidget>(CNewVolumeMatchingPage::IDC_PARENT_VALUES).isEnabled());

    // Back with the same file keeps the list and the choice; another file rates anew.
    w.sheet.back();
    EXPECT_EQ(list.GetCurSel(), 2);
    w.sheet.back();
    w.Control<QLineEdit>(CNewVolumeSourcePage::IDC_QUESTION_PATH).setText(Sample("wave3.zoz"));
    w.Next();
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_NE(list.GetItemText(2, 2), QStringLiteral("100.00% (excellent)"));

    // A later wave lists the volumes of every wave before it.
    CWizard later(Input(Campaign().GetWave(2)));
    later.FillSource(Sample("wave3.zoz"));
    later.Next();
    EXPECT_EQ(later.sheet.GetInheritsFromPage()->GetList()->GetItemCount(), 4);
}

TEST_F(NewVolumeWizardTest, MethodListsStartFromTheGivenOrderAndRowsMoveWithTheirTicks)
{
    // No methods given: shortcut for questions and short caption for responses.
    {
        CWizard w(Input(AddEmptyWave()));
        w.ToMatching(Sample("wave1.zoz"));
        EXPECT_EQ(w.Button(QWizard::FinishButton).text(), QStringLiteral("Done"));
        EXPECT_EQ(MethodRows(*w.sheet.GetMatchingPage()->GetQuestionMethodList()),
                  (QStringList{"Internal code", "Shortcut [x]", "Short caption", "Long caption",
                               "Manual", "User data"}));
        EXPECT_EQ(MethodRows(*w.sheet.GetMatchingPage()->GetResponseMethodList()),
                  (QStringList{"Internal code", "Entry code", "Short caption [x]", "Order",
                               "Manual", "User data"}));
        EXPECT_EQ(w.sheet.GetMatchingPage()->GetQuestionMethodList()->GetItemToolTipText(1, 1),
                  QStringLiteral("Match questions by question shortcuts"));
        // Every method shows without scrolling, at the wizard's own size.
        w.sheet.resize(w.sheet.sizeHint());
        QApplication::processEvents();
        for (CXListCtrl* list : {w.sheet.GetMatchingPage()->GetQuestionMethodList(),
                                 w.sheet.GetMatchingPage()->GetResponseMethodList()}) {
            const QRect lastRow =
                list->visualItemRect(list->topLevelItem(list->GetItemCount() - 1));
            EXPECT_LE(lastRow.bottom(), list->viewport()->height()) << "a method row scrolled away";
        }
    }

    SNewVolumeWizardInput input = Input(AddEmptyWave());
    input.QuestionMethods = {3, 1, 9, 3};
    input.ResponseMethods = {5};
    input.CaseSensitive = true;
    CWizard w(input);
    w.ToMatching(Sample("wave1.zoz"));
    CXListCtrl& questions = *w.sheet.GetMatchingPage()->GetQuestionMethodList();
    CXListCtrl& responses = *w.sheet.GetMatchingPage()->GetResponseMethodList();
    EXPECT_EQ(MethodRows(questions),
              (QStringList{"Long caption [x]", "Shortcut [x]", "Internal code", "Short caption",
                           "Manual", "User data"}));
    EXPECT_EQ(MethodRows(responses), (QStringList{"User data [x]", "Internal code", "Entry code",
                                                  "Short caption", "Order", "Manual"}));
    EXPECT_TRUE(w.Control<QCheckBox>(CNewVolumeMatchingPage::IDC_CASE_SENSITIVE).isChecked());

    // "Shortcut" dragged onto "Manual": it goes before it, ticked, and is selected.
    DragRow(questions, 1, 4);
    EXPECT_EQ(MethodRows(questions),
              (QStringList{"Long caption [x]", "Internal code", "Short caption", "Shortcut [x]",
                           "Manual", "User data"}));
    EXPECT_EQ(questions.GetCurSel(), 3);
    // "Internal code" dragged up onto the first row.
    DragRow(questions, 1, 0);
    ClickCheck(questions, 0);
    EXPECT_EQ(MethodRows(questions),
              (QStringList{"Internal code [x]", "Long caption [x]", "Short caption", "Shortcut [x]",
                           "Manual", "User data"}));

    // Without a response method there is no Finish.
    EXPECT_TRUE(w.FinishEnabled());
    ClickCheck(responses, 0);
    EXPECT_FALSE(w.FinishEnabled());
    ClickCheck(responses, 3);
    EXPECT_TRUE(w.FinishEnabled());
    w.Click(CNewVolumeMatchingPage::IDC_STRICT);
    QTest::mouseClick(&w.Button(QWizard::FinishButton), Qt::LeftButton);
    EXPECT_EQ(w.sheet.result(), int(ID_WIZFINISH));
    SNewVolumeWizardResult result;
    w.sheet.GetResult(result);
    EXPECT_EQ(result.QuestionMethods, (QList<quint32>{0, 3, 1}));
    EXPECT_EQ(result.ResponseMethods, (QList<quint32>{2}));
    EXPECT_TRUE(result.Strict);
    EXPECT_TRUE(result.CaseSensitive);
    EXPECT_FALSE(result.MatchUsingParentValues);
}

TEST_F(NewVolumeWizardTest, TheMatchingPageShowsEveryTextWholeAtTheWizardsSmallestSize)
{
    // As in the window program, which keeps every dialog as wide as its title.
    CDialogTitleFit titleFit;
    qApp->installEventFilter(&titleFit);
    CWizard w(Input(AddEmptyWave()));
    w.ToMatching(Sample("wave1.zoz"));
    qApp->removeEventFilter(&titleFit);
    w.sheet.resize(1, 1); // the window system keeps it at its minimum size
    QApplication::processEvents();
    CNewVolumeMatchingPage& page = *w.sheet.GetMatchingPage();
    for (QAbstractButton* button : page.findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(&page) && !button->text().isEmpty())
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    }
    for (CXListCtrl* list : {page.GetQuestionMethodList(), page.GetResponseMethodList()})
        EXPECT_GE(list->columnWidth(0), list->header()->sectionSizeHint(0))
            << "the \"Enable\" heading is cut";
}

TEST_F(NewVolumeWizardTest, AlignmentNeedsAMainVolumeAndACommonQuestionInBoth)
{
    ASSERT_TRUE(BuildSample());
    // The first volume of a wave: nothing to line up with.
    {
        CWizard w(Input(AddEmptyWave()));
        w.ToMatching(Sample("wave3.zoz"));
        EXPECT_FALSE(w.Control<QGroupBox>(CNewVolumeMatchingPage::IDC_ALIGNMENT).isEnabled());
        EXPECT_TRUE(w.FinishEnabled());
    }

    // A second volume of wave 2, whose main volume is "Summer - Online".
    CWizard w(Input(Campaign().GetWave(1)));
    w.ToMatching(Sample("wave2.sss"), 2);
    EXPECT_EQ(w.sheet.windowTitle(), QStringLiteral("New Volume Matching"));
    EXPECT_TRUE(w.Control<QGroupBox>(CNewVolumeMatchingPage::IDC_ALIGNMENT).isEnabled());
    EXPECT_TRUE(w.Control<QRadioButton>(CNewVolumeMatchingPage::IDC_ALIGN_BY_ORDER).isChecked());
    auto& mainList = w.Control<QListWidget>(CNewVolumeMatchingPage::IDC_MAIN_QUESTIONS);
    auto& thisList = w.Control<QListWidget>(CNewVolumeMatchingPage::IDC_THIS_QUESTIONS);
    EXPECT_FALSE(mainList.isEnabled());
    EXPECT_EQ(ListTexts(mainList), (QStringList{"S2", "Q1", "Q3_OTH", "Q6", "D1", "D4"}));
    EXPECT_TRUE(ListTexts(thisList).contains(QStringLiteral("Q6")));
    EXPECT_TRUE(w.FinishEnabled());

    w.Click(CNewVolumeMatchingPage::IDC_ALIGN_BY_QUESTION);
    EXPECT_TRUE(mainList.isEnabled());
    EXPECT_FALSE(w.FinishEnabled());
    mainList.setCurrentRow(3);
    EXPECT_FALSE(w.FinishEnabled());
    thisList.setCurrentRow(ListTexts(thisList).indexOf(QStringLiteral("Q6")));
    EXPECT_TRUE(w.FinishEnabled());
    w.Click(CNewVolumeMatchingPage::IDC_PARENT_VALUES);
    QTest::mouseClick(&w.Button(QWizard::FinishButton), Qt::LeftButton);
    ASSERT_EQ(w.sheet.result(), int(ID_WIZFINISH));

    SNewVolumeWizardResult result;
    w.sheet.GetResult(result);
    EXPECT_EQ(result.Name, QStringLiteral("Web"));
    EXPECT_EQ(result.SourceType, SOURCE_TRIPLE_S);
    EXPECT_EQ(result.PathFormat, PATH_RELATIVE);
    EXPECT_EQ(result.QuestionSource, Sample("wave2.sss"));
    EXPECT_TRUE(result.InterviewsWithQuestions);
    EXPECT_EQ(result.InterviewSource, Sample("wave2.sss"));
    EXPECT_EQ(result.AncestorVolumeId, 3);
    EXPECT_TRUE(result.MatchUsingParentValues);
    EXPECT_EQ(result.AlignmentKind, 1);
    // The main volume's Q6 is the campaign question it was matched to.
    const CQuestion* q6 = Campaign().GetQuestionById(result.MainVolumeQuestion);
    ASSERT_NE(q6, nullptr);
    EXPECT_EQ(q6->GetShortcut(), QStringLiteral("Q6"));
    const qnr::CQuestionnaire* source = w.sheet.GetNewSource();
    ASSERT_NE(source, nullptr);
    bool found = false;
    for (int i = 0; i < source->GetNbreQuestion(); ++i)
        if (QString::number(source->GetQuestion(i)->GetCodeQuestion()) == result.CommonQuestionCode)
            found = source->GetQuestion(i)->GetShortcut() == QStringLiteral("Q6");
    EXPECT_TRUE(found) << result.CommonQuestionCode.toStdString();
}

TEST_F(NewVolumeWizardTest, TheDialogsCallHandsTheResultBackOnlyOnFinish)
{
    CWave* wave = AddEmptyWave();
    CCampaignViewDialogs campaignDialogs;
    SNewVolumeWizardResult result;
    result.Name = QStringLiteral("untouched");
    QTimer::singleShot(0, [] {
        if (QWidget* sheet = QApplication::activeModalWidget())
            QTest::keyClick(sheet, Qt::Key_Escape);
    });
    EXPECT_EQ(campaignDialogs.RunNewVolumeWizard(nullptr, Input(wave), result), IDCANCEL);
    EXPECT_EQ(result.Name, QStringLiteral("untouched"));

    QTimer::singleShot(0, [] {
        auto* sheet = qobject_cast<CNewVolumeSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        FindControl<QLineEdit>(*sheet, CNewVolumeSourcePage::IDC_NAME)->setText("Phone");
        FindControl<QLineEdit>(*sheet, CNewVolumeSourcePage::IDC_QUESTION_PATH)
            ->setText(Sample("wave1.mdd"));
        sheet->next();
        sheet->next();
        sheet->button(QWizard::FinishButton)->click();
    });
    ASSERT_EQ(campaignDialogs.RunNewVolumeWizard(nullptr, Input(wave), result), ID_WIZFINISH);
    EXPECT_EQ(result.Name, QStringLiteral("Phone"));
    EXPECT_EQ(result.SourceType, SOURCE_DIMENSIONS);
    EXPECT_EQ(result.AncestorVolumeId, -1);
    EXPECT_EQ(result.QuestionMethods, QList<quint32>{1});
    EXPECT_EQ(result.ResponseMethods, QList<quint32>{2});
    EXPECT_EQ(result.AlignmentKind, 0);
}
