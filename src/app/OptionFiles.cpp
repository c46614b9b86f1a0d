#include "app/OptionFiles.h"

#include "app/XmlParser.h"
#include "reconcile/DiffsOptions.h"
#include "reconcile/PropertyCaptions.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <climits>

namespace {

const QString kRootName = QStringLiteral("xml");
const QString kQuestionGroup = QStringLiteral("Question Diffs");
const QString kResponseGroup = QStringLiteral("Response Diffs");

// The leading integer of a text, as C's atoi reads it: blanks, a sign, digits; 0 when none.
int LeadingInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    qint64 value = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i)
        value = std::min<qint64>(value * 10 + (text.at(i).unicode() - u'0'), INT_MAX);
    return int(negative ? -value : value);
}

template <typename TOptions>
void WriteGroup(CXmlParser& parser, const QString& groupName, const std::vector<int>& kinds,
                QString (*captionOf)(int), const TOptions& options)
{
    CXmlElement* group = parser.AddChildElement(parser.GetRootElement(), QStringLiteral("Group"));
    parser.SetAttribute(group, QStringLiteral("name"), groupName);
    for (const int kind : kinds) {
        const QString caption = captionOf(kind);
        if (caption.isEmpty())
            continue;
        CXmlElement* setting = parser.AddChildElement(
            group, QStringLiteral("Setting"), QString(),
            options.IsEnabled(kind) ? QStringLiteral("1") : QStringLiteral("0"));
        parser.SetAttribute(setting, QStringLiteral("tag"), caption);
    }
}

} // namespace

QString GetLocalOptionsPath(const QString& campaignPath)
{
    if (campaignPath.isEmpty())
        return QString();
    return QFileInfo(campaignPath).dir().filePath(LoadString(IDS_LOCAL_OPTIONS_FILE));
}

bool SaveDiffsOptionsFile(const QString& path, const CQuestionDiffsOptions& questions,
                          const CModalityDiffsOptions& responses)
{
    CXmlParser parser;
    parser.GetRootElement()->SetName(kRootName);
    WriteGroup(parser, kQuestionGroup, GetStoredQuestionDiffKinds(), GetQuestionPropertyCaption,
               questions);
    WriteGroup(parser, kResponseGroup, GetStoredModalityDiffKinds(), GetModalityPropertyCaption,
               responses);
    return parser.SaveToFile(path, CXmlParser::XmlFileUtf16);
}

bool LoadDiffsOptionsFile(const QString& path, CQuestionDiffsOptions& questions,
                          CModalityDiffsOptions& responses)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    CXmlParser parser;
    if (!parser.LoadFromFile(path, CXmlParser::XmlFileByMark))
        return false;

    CXmlElement* root = parser.GetRootElement();
    for (CXmlElement* group = parser.GetFirstChildElement(root); group;
         group = parser.GetNextChildElement(root)) {
        const QString groupName = parser.GetAttribute(group, QStringLiteral("name"));
        const bool isQuestions = groupName.compare(kQuestionGroup, Qt::CaseInsensitive) == 0;
        const bool isResponses = groupName.compare(kResponseGroup, Qt::CaseInsensitive) == 0;
        if (!isQuestions && !isResponses)
            continue;
        for (CXmlElement* setting = parser.GetFirstChildElement(group); setting;
             setting = parser.GetNextChildElement(group)) {
            // Kinds without a caption are never written, so an empty tag names no kind.
            const QString tag = parser.GetAttribute(setting, QStringLiteral("tag"));
            if (tag.isEmpty())
                continue;
            if (isQuestions) {
                const int kind = FindQuestionPropertyByCaption(tag);
                if (kind < kQuestionPropertyCount)
                    questions.SetEnabled(kind, LeadingInteger(setting->GetValue()) != 0);
            } else {
                const int kind = FindModalityPropertyByCaption(tag);
                if (kind < kModalityPropertyCount)
                    responses.SetEnabled(kind, LeadingInteger(setting->GetValue()) != 0);
            }
        }
    }
    return true;
}
