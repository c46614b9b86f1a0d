#include "dialogs/DBConnectionDlg.h"
#include "dialogs/DialogControls.h"
#include "dialogs/SurveyConnection.h"

#include "support/ScriptedWindowServices.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QLineEdit& Edit(const CDBConnectionDlg& dialog, int id)
{
    return *FindControl<QLineEdit>(dialog, id);
}

// A survey database with the data structure table of survey 7 (three rows).
QString MakeSurveyDatabase(const QTemporaryDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("survey.db"));
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make-survey"));
        database.setDatabaseName(path);
        EXPECT_TRUE(database.open());
        QSqlQuery query(database);
        EXPECT_TRUE(query.exec(QStringLiteral("CREATE TABLE PELDataStructure7 (Id INTEGER)")));
        EXPECT_TRUE(
            query.exec(QStringLiteral("INSERT INTO PELDataStructure7 VALUES (1), (2), (3)")));
        query = QSqlQuery();
        database.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make-survey"));
    return path;
}

} // namespace

TEST(DBConnectionDlgTest, OkWaitsForBothValues)
{
    CDBConnectionDlg dialog;
    dialog.show();
    QApplication::processEvents();
    auto& ok = *FindControl<QPushButton>(dialog, CDBConnectionDlg::IDC_OK);
    QLineEdit& connection = Edit(dialog, CDBConnectionDlg::IDC_CONNECTION_STRING);
    QLineEdit& surveyId = Edit(dialog, CDBConnectionDlg::IDC_SURVEY_ID);
    EXPECT_FALSE(ok.isEnabled());
    QTest::keyClicks(&connection, QStringLiteral("QSQLITE;Database=/data/survey.db"));
    EXPECT_FALSE(ok.isEnabled());
    // The survey ID takes digits only.
    QTest::keyClicks(&surveyId, QStringLiteral("x-"));
    EXPECT_TRUE(surveyId.text().isEmpty());
    EXPECT_FALSE(ok.isEnabled());
    QTest::keyClicks(&surveyId, QStringLiteral("4a2"));
    EXPECT_EQ(surveyId.text(), QStringLiteral("42"));
    EXPECT_TRUE(ok.isEnabled());
    EXPECT_EQ(dialog.GetSurveyId(), 42);
    connection.clear();
    EXPECT_FALSE(ok.isEnabled());
    QTest::keyClicks(&connection, QStringLiteral("QSQLITE;Database=/data/survey.db"));
    QTest::mouseClick(&ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_EQ(dialog.GetConnectionString(), QStringLiteral("QSQLITE;Database=/data/survey.db"));

    // Ten digits at most, and a number beyond an int is kept at the largest.
    surveyId.setText(QStringLiteral("99999999999"));
    EXPECT_EQ(surveyId.text().size(), 10);
    EXPECT_EQ(dialog.GetSurveyId(), 2147483647);
}

TEST(DBConnectionDlgTest, TestCountsTheSurveyTableAndSaysHowItWent)
{
    QTemporaryDir folder;
    const QString database = MakeSurveyDatabase(folder);
    const QString missing = folder.filePath(QStringLiteral("missing.db"));
    struct SCase
    {
        QString Connection;
        QString SurveyId;
        unsigned Icon;
        QStringList Shown; // what the message says, in parts
    };
    const QString failed = QStringLiteral(
        "An error occurred attempting to connect to the database using the specified connection "
        "string. Further error information: \n\tSource: QSQLITE\n\tDescription: ");
    const SCase cases[] = {
        {QStringLiteral("QSQLITE;Database=") + database,
         QStringLiteral("7"),
         MB_ICONINFORMATION,
         {QStringLiteral("The test connection to the survey database was successful.")}},
        // No table for survey 8: the driver's description is shown.
        {QStringLiteral("qsqlite; database = ") + database,
         QStringLiteral("8"),
         MB_ICONWARNING,
         {failed, QStringLiteral("no such table: PELDataStructure8")}},
        // A database that is not there is not made by the test.
        {QStringLiteral("QSQLITE;Database=") + missing,
         QStringLiteral("7"),
         MB_ICONWARNING,
         {failed}},
        {QStringLiteral("QNOSUCHDRIVER;Database=") + database,
         QStringLiteral("7"),
         MB_ICONWARNING,
         {QStringLiteral("An unknown error occurred attempting to connect to the database using "
                         "the specified connection string.")}},
        {QStringLiteral("Database=") + database,
         QStringLiteral("7"),
         MB_ICONWARNING,
         {QStringLiteral("An unknown error occurred")}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.Connection.toStdString());
        CScriptedWindowServices windows;
        CDBConnectionDlg dialog;
        dialog.show();
        Edit(dialog, CDBConnectionDlg::IDC_CONNECTION_STRING).setText(c.Connection);
        Edit(dialog, CDBConnectionDlg::IDC_SURVEY_ID).setText(c.SurveyId);
        QTest::mouseClick(FindControl<QPushButton>(dialog, CDBConnectionDlg::IDC_TEST),
                          Qt::LeftButton);
        ASSERT_EQ(windows.Prompts.size(), 1);
        for (const QString& part : c.Shown)
            EXPECT_TRUE(windows.Prompts[0].contains(part)) << windows.Prompts[0].toStdString();
        EXPECT_EQ(windows.PromptTypes[0], c.Icon);
        EXPECT_EQ(windows.WaitCursorDepth, 0);
        EXPECT_GT(windows.WaitCursorCount, 0);
        // The dialog stays open with its values.
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.GetConnectionString(), c.Connection);
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
}

TEST(DBConnectionDlgTest, ConnectionStringsNameTheDriverAndItsSettings)
{
    SSurveyConnectionString parsed;
    ASSERT_TRUE(ParseSurveyConnectionString(
        QStringLiteral("QPSQL; Host=db.example.org;PORT=5432;Database=surveys;UID=plim;"
                       "Pwd=secret;connect_timeout=5;;"),
        parsed));
    EXPECT_EQ(parsed.Driver, QStringLiteral("QPSQL"));
    EXPECT_EQ(parsed.HostName, QStringLiteral("db.example.org"));
    EXPECT_EQ(parsed.Port, 5432);
    EXPECT_EQ(parsed.DatabaseName, QStringLiteral("surveys"));
    EXPECT_EQ(parsed.UserName, QStringLiteral("plim"));
    EXPECT_EQ(parsed.Password, QStringLiteral("secret"));
    EXPECT_EQ(parsed.ConnectOptions, QStringLiteral("connect_timeout=5"));

    ASSERT_TRUE(
        ParseSurveyConnectionString(QStringLiteral("QSQLITE;Data Source=/data/a=b.db"), parsed));
    EXPECT_EQ(parsed.DatabaseName, QStringLiteral("/data/a=b.db"));
    EXPECT_EQ(parsed.Port, -1);

    for (const char* bad : {"", " ;Database=x", "Database=/data/survey.db"})
        EXPECT_FALSE(ParseSurveyConnectionString(QString::fromLatin1(bad), parsed)) << bad;
}

TEST(DBConnectionDlgTest, APortSettingWithoutAPortNumberSetsNoPort)
{
    struct Case
    {
        const char* setting;
        int port; // -1: the driver's own
    };
    const Case cases[] = {
        {"Port=", -1},   {"Port= ", -1},     {"Port", -1},        {"Port=db", -1},
        {"Port=-5", -1}, {"Port=70000", -1}, {"Port=5432", 5432}, {"port = 6543 ", 6543},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        SSurveyConnectionString parsed;
        ASSERT_TRUE(ParseSurveyConnectionString(
            QStringLiteral("QPSQL;Host=db;%1;Database=surveys").arg(QLatin1String(c.setting)),
            parsed));
        EXPECT_EQ(parsed.Port, c.port);
        EXPECT_EQ(parsed.HostName, QStringLiteral("db"));
        EXPECT_EQ(parsed.DatabaseName, QStringLiteral("surveys"));
    }
}
