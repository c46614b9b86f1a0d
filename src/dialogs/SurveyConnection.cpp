#include "dialogs/SurveyConnection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <atomic>

namespace {

const QString kSqlite = QStringLiteral("QSQLITE");

// The port a "Port=" setting gives; -1 (the driver's own) for an empty value or one that is no
// port number.
int PortOf(const QString& value)
{
    bool ok = false;
    const int port = value.toInt(&ok);
    return ok && port >= 0 && port <= 65535 ? port : -1;
}

} // namespace

bool ParseSurveyConnectionString(const QString& text, SSurveyConnectionString& parsed)
{
    parsed = {};
    const QStringList parts = text.split(QLatin1Char(';'));
    parsed.Driver = parts.value(0).trimmed();
    if (parsed.Driver.isEmpty() || parsed.Driver.contains(QLatin1Char('=')))
        return false;
    QStringList options;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed();
        if (part.isEmpty())
            continue;
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        const QString key = part.left(equals).trimmed().toLower();
        const QString value = equals < 0 ? QString() : part.mid(equals + 1).trimmed();
        if (key == QLatin1String("database") || key == QLatin1String("data source"))
            parsed.DatabaseName = value;
        else if (key == QLatin1String("host") || key == QLatin1String("server"))
            parsed.HostName = value;
        else if (key == QLatin1String("port"))
            parsed.Port = PortOf(value);
        else if (key == QLatin1String("user") || key == QLatin1String("uid"))
            parsed.UserName = value;
        else if (key == QLatin1String("password") || key == QLatin1String("pwd"))
            parsed.Password = value;
        else
            options << part;
    }
    parsed.ConnectOptions = options.join(QLatin1Char(';'));
    return true;
}

SSurveyConnectionTest TestSurveyConnection(const QString& connectionString, int surveyId)
{
    SSurveyConnectionTest test;
    SSurveyConnectionString parsed;
    if (!ParseSurveyConnectionString(connectionString, parsed))
        return test;
    // Driver names are taken whatever their case.
    const QStringList drivers = QSqlDatabase::drivers();
    const auto driver =
        std::find_if(drivers.begin(), drivers.end(), [&parsed](const QString& name) {
            return name.compare(parsed.Driver, Qt::CaseInsensitive) == 0;
        });
    if (driver == drivers.end())
        return test;
    parsed.Driver = *driver;

    static std::atomic<int> s_connections{0};
    const QString name = QStringLiteral("plim-survey-test-%1").arg(++s_connections);
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(parsed.Driver, name);
        if (!database.isValid()) {
            database = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            return test;
        }
        database.setDatabaseName(parsed.DatabaseName);
        if (!parsed.HostName.isEmpty())
            database.setHostName(parsed.HostName);
        if (parsed.Port >= 0)
            database.setPort(parsed.Port);
        if (!parsed.UserName.isEmpty())
            database.setUserName(parsed.UserName);
        if (!parsed.Password.isEmpty())
            database.setPassword(parsed.Password);
        QString options = parsed.ConnectOptions;
        if (parsed.Driver == kSqlite)
            options = options.isEmpty() ? QStringLiteral("QSQLITE_OPEN_READONLY")
                                        : options + QStringLiteral(";QSQLITE_OPEN_READONLY");
        database.setConnectOptions(options);

        test.Source = parsed.Driver;
        if (!database.open()) {
            test.Result = SSurveyConnectionTest::ConnectionError;
            test.Description = database.lastError().text();
        } else {
            QSqlQuery query(database);
            if (!query.exec(
                    QStringLiteral("SELECT COUNT(*) FROM PELDataStructure%1").arg(surveyId))) {
                test.Result = SSurveyConnectionTest::ConnectionError;
                test.Description = query.lastError().text();
            } else {
                test.Result = SSurveyConnectionTest::Success;
            }
            query.finish();
            query = QSqlQuery();
            database.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return test;
}
