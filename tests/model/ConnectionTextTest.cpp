#include "model/ConnectionText.h"

#include <gtest/gtest.h>

using namespace pelko_wave;

namespace {

// "*" in a case's text stands for the masked password.
QString Masked(const char* text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('*'), MaskedPassword());
}

} // namespace

TEST(ConnectionText, PasswordsAreMaskedAndNothingElse)
{
    struct Case
    {
        const char* connection;
        const char* shown;
    };
    const Case cases[] = {
        {"QPSQL;Host=db;User=ann;Password=s3cret;Database=phone",
         "QPSQL;Host=db;User=ann;Password=*;Database=phone"},
        // Keys in any case, with spaces, and the ODBC and OLE DB spellings.
        {"QODBC; PWD = x;UID=ann", "QODBC; PWD =*;UID=ann"},
        {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a.mdb;Jet OLEDB:Database Password=pw",
         "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a.mdb;Jet OLEDB:Database Password=*"},
        // A value holding "=" is masked whole; so is every password setting.
        {"QPSQL;password=a=b;Pwd=c", "QPSQL;password=*;Pwd=*"},
        // Nothing to hide: an empty password, a key that only looks like one, no password.
        {"QPSQL;Password=;User=ann", "QPSQL;Password=;User=ann"},
        {"QPSQL;PasswordHint=tea", "QPSQL;PasswordHint=tea"},
        {"QSQLITE;Database=/data/survey.db", "QSQLITE;Database=/data/survey.db"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.connection);
        const QString connection = QString::fromUtf8(c.connection);
        const QString shown = MaskConnectionPasswords(connection);
        EXPECT_EQ(shown, Masked(c.shown));
        // Given back unedited, the shown text is the connection exactly.
        EXPECT_EQ(UnmaskConnectionPasswords(shown, connection), connection);
    }
}

TEST(ConnectionText, AnEditedTextKeepsThePasswordsLeftMasked)
{
    const QString original = QStringLiteral("QPSQL;Host=db;Password= s3cret ;Database=phone");
    struct Case
    {
        const char* edited;
        const char* taken;
    };
    const Case cases[] = {
        {"QPSQL;Host=db2;Password=*;Database=phone",
         "QPSQL;Host=db2;Password= s3cret ;Database=phone"},
        {"QPSQL;Host=db;PASSWORD= * ;Database=phone",
         "QPSQL;Host=db;PASSWORD= s3cret ;Database=phone"},
        // A password typed anew, or taken away, is taken as typed.
        {"QPSQL;Host=db;Password=n3w;Database=phone", "QPSQL;Host=db;Password=n3w;Database=phone"},
        {"QPSQL;Host=db;Database=phone", "QPSQL;Host=db;Database=phone"},
        // A mask where the original had no such password stays a mask.
        {"QPSQL;Host=db;Password=*;Pwd=*", "QPSQL;Host=db;Password= s3cret ;Pwd=*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edited);
        EXPECT_EQ(UnmaskConnectionPasswords(Masked(c.edited), original), Masked(c.taken));
    }
}

TEST(ConnectionText, ASourceShowsAFilesPathAsItIsAndADatabasesConnectionMasked)
{
    // A file's path is never read as settings, whatever it holds.
    const CSourcePath file{0, PATH_ABSOLUTE, QStringLiteral("/data/a;Pwd=b.zoz"), 0};
    EXPECT_EQ(GetDisplayedSourceText(file), QStringLiteral("/data/a;Pwd=b.zoz"));
    const CSourcePath database{1, PATH_UNKNOWN, QStringLiteral("QPSQL;Pwd=b;Database=s"), 3};
    EXPECT_EQ(GetDisplayedSourceText(database), Masked("QPSQL;Pwd=*;Database=s"));
}
