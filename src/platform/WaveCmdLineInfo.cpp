#include "platform/WaveCmdLineInfo.h"

#include "platform/FormatString.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QFile>
#include <QFileInfo>

namespace {

const char* const kSwitchNames[] = {"?", "LINKQ", "SOURCE", "TARGET", "OUTPUT", "A",
                                    "I", "X",     "M",      "N",      "C",      "R"};

// The name and value of a switch: the name is the text before the first ':' when that ':' is
// not the last character, else the whole argument.
void SplitSwitch(const QString& param, QString& name, QString& value)
{
    const qsizetype colon = param.indexOf(u':');
    if (colon >= 0 && colon + 1 < param.size()) {
        name = param.left(colon).toUpper();
        value = param.mid(colon + 1);
    } else {
        name = param.toUpper();
        value.clear();
    }
}

// Method letters of the "M" and "N" switches by method id (a space: no letter).
constexpr char kQuestionMethodLetters[] = "ISCL U";
constexpr char kResponseMethodLetters[] = "IECO U";

} // namespace

bool CWaveCmdLineInfo::IsSwitchName(const QString& word)
{
    QString name = word.startsWith(u'/') || word.startsWith(u'-') ? word.mid(1) : word;
    const qsizetype colon = name.indexOf(u':');
    if (colon >= 0)
        name.truncate(colon);
    name = name.toUpper();
    for (const char* known : kSwitchNames) {
        if (name == QLatin1String(known))
            return true;
    }
    return false;
}

bool CWaveCmdLineInfo::ParseCommandLine(const QStringList& arguments)
{
    m_errorText.clear();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        // "-" always starts a switch; "/" only when it names one, since paths start with it too.
        const bool isSwitch =
            word.startsWith(u'-') || (word.startsWith(u'/') && IsSwitchName(word));
        const QString param = isSwitch ? word.mid(1) : word;
        if (!ParseParam(param, isSwitch, i + 1 == arguments.size())) {
            m_errorText = FormatString(QStringLiteral("%s: %s"),
                                       {word, LoadString(isSwitch ? IDS_CMDLINE_UNKNOWN_SWITCH
                                                                  : IDS_CMDLINE_SECOND_FILE)});
            return false;
        }
    }
    return true;
}

bool CWaveCmdLineInfo::ParseParam(const QString& param, bool isSwitch, bool isLast)
{
    if (!isSwitch) {
        if (!m_fileName.isEmpty())
            return false;
        m_fileName = param;
        m_shellCommand = FileOpen;
        return true;
    }

    QString name;
    QString value;
    SplitSwitch(param, name, value);
    if (name == u"?") {
        m_help = true;
    } else if (name == u"LINKQ") {
        m_linkQuestion = value;
    } else if (name == u"TARGET") {
        m_target = value;
    } else if (name == u"OUTPUT") {
        m_output = value;
    } else if (name == u"SOURCE") {
        m_sources.append(value);
    } else if (name == u"A" || name == u"I" || name == u"X") {
        const QString upper = value.toUpper();
        const bool questions = upper.contains(u'Q');
        const bool responses = upper.contains(u'R');
        if (name == u"A") {
            m_allowNewQuestions = questions;
            m_allowNewResponses = responses;
        } else if (name == u"I") {
            m_ignoreUnmatchedQuestions = questions;
            m_ignoreUnmatchedResponses = responses;
        } else {
            m_breakQuestionMatchings = questions;
            m_breakResponseMatchings = responses;
        }
    } else if (name == u"M") {
        AppendMethods(value, kQuestionMethodLetters, m_questionMethods);
    } else if (name == u"N") {
        AppendMethods(value, kResponseMethodLetters, m_responseMethods);
    } else if (name == u"C") {
        m_keepSourceCodes = true;
    } else if (name == u"R") {
        m_reportOnly = true;
    } else {
        return false;
    }
    return true;
}

void CWaveCmdLineInfo::AppendMethods(const QString& letters, const char* codes, QList<int>& methods)
{
    for (const QChar c : letters.toUpper()) {
        for (int id = 0; codes[id] != '\0'; ++id) {
            if (codes[id] != ' ' && c == QLatin1Char(codes[id])) {
                if (!methods.contains(id))
                    methods.append(id);
                break;
            }
        }
    }
}

bool CWaveCmdLineInfo::ReadListFile()
{
    bool allRead = true;
    QStringList unreadable;
    for (qsizetype i = 0; i < m_sources.size();) {
        const QString entry = m_sources[i];
        if (QFileInfo(entry).suffix().compare(u"txt", Qt::CaseInsensitive) != 0) {
            ++i;
            continue;
        }
        QStringList paths;
        QFile file(entry);
        // Only a regular file is read: a FIFO or a device could block the run for ever.
        if (QFileInfo(entry).isFile() && file.open(QIODevice::ReadOnly)) {
            while (!file.atEnd()) {
                QByteArray line = file.readLine();
                while (line.endsWith('\n') || line.endsWith('\r'))
                    line.chop(1);
                const QString path = QString::fromLocal8Bit(line);
                if (!path.trimmed().isEmpty())
                    paths.append(path);
            }
        } else {
            allRead = false;
            unreadable.append(entry);
        }
        m_sources.remove(i);
        for (const QString& path : paths)
            m_sources.insert(i++, path);
    }
    if (!allRead)
        m_errorText = FormatString(LoadString(IDS_CMDLINE_LIST_FILE_UNREADABLE),
                                   {unreadable.join(QStringLiteral("', '"))});
    return allRead;
}

const QList<int>& CWaveCmdLineInfo::GetQuestionMatchingMethods()
{
    if (m_questionMethods.isEmpty())
        m_questionMethods = {1, 2, 3};
    return m_questionMethods;
}

const QList<int>& CWaveCmdLineInfo::GetResponseMatchingMethods()
{
    if (m_responseMethods.isEmpty())
        m_responseMethods = {2, 1};
    return m_responseMethods;
}

QString CWaveCmdLineInfo::GetUsageText()
{
    return QStringLiteral(
        "\n"
        "Starts PelkoPlim, optionally adding a new wave to an existing PelkoPlim \n"
        "campaign without showing the user-interface.\n"
        "\n"
        "USAGE:\n"
        "  plim /source:\"path\" [+ /source:\"path\" [+ ...]] \n"
        "         [/target:\"path\"] [/output:\"path\"] \n"
        "         [/LINKQ:\"shortcut\"] \n"
        "         [/A:[Q|R]] [/X:[Q|R]] [/I:[Q|R]] \n"
        "         [/M:[I|S|C|L|U]] [/N:[I|E|C|O|U]] [/R]\n"
        "\n"
        "where\n"
        "  /source:\"path\"  Specifies the source ZOZ file(s) to add to the campaign\n"
        "  /target:\"path\"  Specifies the DUV to add the new wave to. If one is not \n"
        "                    specified, a new DUV will be created \n"
        "  /output:\"path\"  Specifies the file where results of the (attempted) \n"
        "                    reconciliation will be saved\n"
        "\n"
        "  /LINKQ:\"shortcut\"  Identifies the link question for the volumes \n"
        "  /A  Specifies that new questions and/or responses may be added \n"
        "      to the campaign\n"
        "        Q  Allow new questions \n"
        "        R  Allow new reponses \n"
        "  /X  Specifies that existing question and/or response matchings may \n"
        "      be broken\n"
        "        Q  Break question matchings \n"
        "        R  Break response matchings\n"
        "  /I  Ignore unmatched source questions and/or responses\n"
        "        Q  Ignore unmatched questions \n"
        "        R  Ignore unmatched responses\n"
        "  /M  Specify question matching methods, in order\n"
        "        I  Internal code \n"
        "        S  Shortcut\n"
        "        C  Short caption \n"
        "        L  Long caption\n"
        "        U  User data\n"
        "  /N  Specify response matching methods, in order\n"
        "        I  Internal code \n"
        "        E  Entry code\n"
        "        C  Short caption \n"
        "        O  Response order\n"
        "        U  User data\n"
        "  /R  Do not save changes to the DUV, generate a report only\n"
        "\n"
        "Example:\n"
        "\n"
        "  plim /target:\"/data/study.duv\" /source:\"/data/wave7.zoz\" "
        "/output:\"/data/wave7.html\" \n"
        "       /A:QR\n"
        "\n"
        "Note: do *not* specify an extension to the application filename; use 'plim'.\n"
        "\n"
        "\n");
}
