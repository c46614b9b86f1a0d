#pragma once

#include <QString>

// The database that holds a volume's interviews, reached through Qt Sql. A connection string
// names the driver first and then its settings, separated by ";":
//   QSQLITE;Database=/data/survey.db
//   QPSQL;Host=db.example.org;Port=5432;Database=surveys;User=plim;Password=secret
// Keys (case ignored): Database (or "Data Source"), Host (or Server), Port, User (or UID),
// Password (or PWD); any other "key=value" goes to the driver as a connection option.

struct SSurveyConnectionString
{
    QString Driver;
    QString DatabaseName;
    QString HostName;
    // -1 leaves the driver's own port.
    int Port = -1;
    QString UserName;
    QString Password;
    // The driver's own options, "KEY=value" joined by ";".
    QString ConnectOptions;
};

// Splits the text; false when it names no driver.
bool ParseSurveyConnectionString(const QString& text, SSurveyConnectionString& parsed);

// The outcome of a test of a connection string with a survey ID.
struct SSurveyConnectionTest
{
    enum EResult
    {
        Success,
        // The database could not be opened or asked: Source names the driver, Description says
        // what the driver reported.
        ConnectionError,
        // The string names no driver, or one this program does not have.
        UnknownError
    };
    EResult Result = UnknownError;
    QString Source;
    QString Description;
};

// Opens the database on a connection of its own (the driver named in any case), counts the rows of
// the survey's data structure table ("PELDataStructure<survey ID>") and closes it again. A SQLite
// database is opened read-only, so that testing never makes a file.
SSurveyConnectionTest TestSurveyConnection(const QString& connectionString, int surveyId);
