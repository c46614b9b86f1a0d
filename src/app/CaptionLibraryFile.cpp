#include "app/CaptionLibraryFile.h"

#include "app/XmlParser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

namespace {

const QString kRootName = QStringLiteral("xml");
const QString kGroups = QStringLiteral("groups");
const QString kGroup = QStringLiteral("group");
const QString kLibraries = QStringLiteral("libraries");
const QString kLibrary = QStringLiteral("library");
const QString kName = QStringLiteral("name");
const QString kBaseLabelId = QStringLiteral("base_label_id");
const QString kLabels = QStringLiteral("labels");
const QString kLabel = QStringLiteral("label");
const QString kId = QStringLiteral("ID");
const QString kState = QStringLiteral("state");

// What a new default file holds: an XML header, without byte-order mark.
const QString kEmptyLibraryText = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\" ?>");

CXmlElement* AddWithId(CXmlParser& parser, CXmlElement* parent, const QString& name,
                       const QString& id, const QString& value = QString())
{
    CXmlElement* element = parser.AddChildElement(parent, name, QString(), value);
    parser.SetAttribute(element, kId, id);
    return element;
}

// The value of the child of that name, or fallback when there is none.
QString ChildValue(CXmlParser& parser, CXmlElement* element, const QString& name,
                   const QString& fallback = QString())
{
    const CXmlElement* child = parser.FindChildElement(element, name);
    return child ? child->GetValue() : fallback;
}

// Makes one folder level; an existing folder is fine.
bool MakeFolder(const QString& path)
{
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

} // namespace

void BuildCaptionLibraryDocument(CXmlParser& parser, const SCaptionLibraryFile& content)
{
    CXmlElement* root = parser.GetRootElement();
    root->SetName(kRootName);

    CXmlElement* groups = parser.AddChildElement(root, kGroups);
    for (const SCaptionFileGroup& group : content.Groups) {
        CXmlElement* groupElement = AddWithId(parser, groups, kGroup, group.Id);
        parser.AddChildElement(groupElement, kName, QString(), group.Name);
        parser.AddChildElement(groupElement, kBaseLabelId, QString(), group.BaseLabelId);
        CXmlElement* labels = parser.AddChildElement(groupElement, kLabels);
        for (const SCaptionFileLabel& label : group.Labels)
            AddWithId(parser, labels, kLabel, label.Id, label.Text);
    }

    CXmlElement* libraries = parser.AddChildElement(root, kLibraries);
    for (const SCaptionFileLibrary& library : content.Libraries) {
        CXmlElement* libraryElement = AddWithId(parser, libraries, kLibrary, library.Id);
        parser.AddChildElement(libraryElement, kName, QString(), library.Name);
        for (const SCaptionFileGroupRef& group : library.Groups) {
            CXmlElement* groupElement = AddWithId(parser, libraryElement, kGroup, group.Id);
            for (const SCaptionFileLabelState& label : group.Labels) {
                CXmlElement* labelElement = AddWithId(parser, groupElement, kLabel, label.Id);
                parser.SetAttribute(labelElement, kState,
                                    label.Used ? QStringLiteral("1") : QStringLiteral("0"));
            }
        }
    }
}

bool SaveCaptionLibraryFile(const QString& path, const SCaptionLibraryFile& content)
{
    CXmlParser parser;
    BuildCaptionLibraryDocument(parser, content);
    return parser.SaveToFile(path, CXmlParser::XmlFileUtf16);
}

bool LoadCaptionLibraryFile(const QString& path, SCaptionLibraryFile& content)
{
    CXmlParser parser;
    if (!parser.LoadFromFile(path, CXmlParser::XmlFileByMark))
        return false;
    CXmlElement* root = parser.GetRootElement();

    if (CXmlElement* groups = parser.FindChildElement(root, kGroups)) {
        for (int i = 0; i < groups->GetChildCount(); ++i) {
            CXmlElement* element = groups->GetChildAt(i);
            SCaptionFileGroup group;
            group.Name = ChildValue(parser, element, kName, QStringLiteral("(group)"));
            group.Id = parser.GetAttribute(element, kId);
            group.BaseLabelId = ChildValue(parser, element, kBaseLabelId);
            if (CXmlElement* labels = parser.FindChildElement(element, kLabels)) {
                for (int j = 0; j < labels->GetChildCount(); ++j) {
                    CXmlElement* label = labels->GetChildAt(j);
                    group.Labels.push_back({parser.GetAttribute(label, kId), label->GetValue()});
                }
            }
            content.Groups.push_back(std::move(group));
        }
    }

    CXmlElement* libraries = parser.FindChildElement(root, kLibraries);
    if (!libraries)
        return true;
    for (int i = 0; i < libraries->GetChildCount(); ++i) {
        CXmlElement* element = libraries->GetChildAt(i);
        SCaptionFileLibrary library;
        library.Name = ChildValue(parser, element, kName, QStringLiteral("(library)"));
        library.Id = parser.GetAttribute(element, kId);
        // From the first "group" on, every following child refers to a group.
        for (CXmlElement* groupElement = parser.FindChildElement(element, kGroup); groupElement;
             groupElement = parser.GetNextChildElement(element)) {
            SCaptionFileGroupRef group;
            group.Id = parser.GetAttribute(groupElement, kId);
            for (int j = 0; j < groupElement->GetChildCount(); ++j) {
                CXmlElement* label = groupElement->GetChildAt(j);
                const bool used = parser.GetAttribute(label, kState)
                                      .compare(QStringLiteral("1"), Qt::CaseInsensitive) == 0;
                group.Labels.push_back({parser.GetAttribute(label, kId), used});
            }
            library.Groups.push_back(std::move(group));
        }
        content.Libraries.push_back(std::move(library));
    }
    return true;
}

QString GetDefaultCaptionLibraryPath()
{
    const QString dataFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataFolder.isEmpty())
        return QString();
    const QString pelko = QDir(dataFolder).filePath(QStringLiteral("Pelko"));
    if (!MakeFolder(pelko))
        return QString();
    const QString plim = QDir(pelko).filePath(QStringLiteral("Plim"));
    if (!MakeFolder(plim))
        return QString();
    const QString path = QDir(plim).filePath(QStringLiteral("CaptionsLibrary.xml"));
    if (QFileInfo(path).isFile())
        return path;

    QByteArray bytes(2 * kEmptyLibraryText.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < kEmptyLibraryText.size(); ++i)
        qToLittleEndian<char16_t>(kEmptyLibraryText.at(i).unicode(),
                                  reinterpret_cast<uchar*>(bytes.data()) + 2 * i);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return QFileInfo(path).isFile() ? path : QString(); // made by another process meanwhile
    if (file.write(bytes) != bytes.size()) {
        file.close();
        file.remove();
        return QString();
    }
    return file.flush() ? path : QString();
}
