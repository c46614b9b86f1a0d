#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The parsed command line. A plain word names the campaign file to open in the window program;
// switches ("-NAME[:value]", or "/NAME[:value]" when NAME is one of the switches below) describe
// a windowless batch run that adds a new wave to a campaign. Switch names ignore case.
//
//   ?          help: the usage text
//   LINKQ:s    shortcut of the link question of the volumes
//   SOURCE:p   a source file (repeatable); a ".txt" file lists sources, one a line
//   TARGET:p   the campaign file to add the wave to
//   OUTPUT:p   where the reconciliation report goes
//   A:[Q][R]   new questions / responses may be added
//   I:[Q][R]   unmatched campaign questions / responses are ignored
//   X:[Q][R]   inherited question / response matchings may be broken
//   M:letters  question matching methods in order (I S C L U)
//   N:letters  response matching methods in order (I E C O U)
//   C          new responses keep their source codes as ids when free
//   R          report only: the campaign file is not saved
class CWaveCmdLineInfo
{
public:
    enum ShellCommand
    {
        FileNew,
        FileOpen
    };

    // Parses the program's arguments (without the program's own name). False for a word that
    // is no switch of the program, or a second campaign file; GetErrorText then says which.
    bool ParseCommandLine(const QStringList& arguments);
    // One argument: a switch without its leading "/" or "-", or a plain word. False when the
    // argument is not taken (an unknown switch, a second file name).
    bool ParseParam(const QString& param, bool isSwitch, bool isLast);
    // Whether a word starting with "/" names one of the switches (then it is no path).
    static bool IsSwitchName(const QString& word);

    // A batch run: sources were given, or help was asked for.
    bool IsBatchRun() const { return !m_sources.isEmpty() || m_help; }

    // Checks the command line before a batch run uses it: always accepted, with an empty error
    // text; a run prints the text and stops when it is refused.
    bool Validate(QString& errorText) const
    {
        errorText.clear();
        return true;
    }

    // Expands list files among the sources: each source whose extension is ".txt" (any case)
    // is replaced in place by the paths its lines name, in file order; blank lines are skipped
    // and a list file named inside a list file stays a source. False when a list file could not
    // be read, or is no regular file (it is then replaced by nothing); the error text names it.
    bool ReadListFile();

    // The matching-method lists; when the command line gave none, the defaults (questions:
    // shortcut, short caption, long caption; responses: short caption, entry code).
    const QList<int>& GetQuestionMatchingMethods();
    const QList<int>& GetResponseMatchingMethods();

    // The fixed text printed for "?".
    static QString GetUsageText();

    const QString& GetFileName() const { return m_fileName; }
    ShellCommand GetShellCommand() const { return m_shellCommand; }
    const QString& GetLinkQuestion() const { return m_linkQuestion; }
    const QStringList& GetSources() const { return m_sources; }
    const QString& GetTarget() const { return m_target; }
    const QString& GetOutput() const { return m_output; }
    bool GetAllowNewQuestions() const { return m_allowNewQuestions; }
    bool GetAllowNewResponses() const { return m_allowNewResponses; }
    bool GetIgnoreUnmatchedQuestions() const { return m_ignoreUnmatchedQuestions; }
    bool GetIgnoreUnmatchedResponses() const { return m_ignoreUnmatchedResponses; }
    bool GetBreakQuestionMatchings() const { return m_breakQuestionMatchings; }
    bool GetBreakResponseMatchings() const { return m_breakResponseMatchings; }
    bool GetHelp() const { return m_help; }
    // The "C" switch: new campaign responses take their source codes as ids when free.
    bool GetKeepSourceCodes() const { return m_keepSourceCodes; }
    bool GetReportOnly() const { return m_reportOnly; }
    // Why the command line or a list file was refused; empty when nothing was.
    const QString& GetErrorText() const { return m_errorText; }

private:
    static void AppendMethods(const QString& letters, const char* codes, QList<int>& methods);

    // What the framework's own record keeps: the file named on the command line.
    QString m_fileName;
    ShellCommand m_shellCommand = FileNew;

    QString m_linkQuestion;
    QStringList m_sources;
    QString m_target;
    QString m_output;
    bool m_allowNewQuestions = false;
    bool m_allowNewResponses = false;
    bool m_ignoreUnmatchedQuestions = false;
    bool m_ignoreUnmatchedResponses = false;
    bool m_breakQuestionMatchings = false;
    bool m_breakResponseMatchings = false;
    bool m_help = false;
    bool m_keepSourceCodes = false;
    bool m_reportOnly = false;
    QList<int> m_questionMethods;
    QList<int> m_responseMethods;

    QString m_errorText;
};
