// The application's caption libraries: read from their file at start-up, written back at exit
// when they changed, and exported to or imported from a file of the user's choice.
#include "app/CaptionLibraryFile.h"
#include "app/WaveApp.h"
#include "app/XmlParser.h"
#include "model/CaptionLibrary.h"

#include <QFileInfo>
#include <QHash>

using pelko_wave::CResponseCaption;
using pelko_wave::CResponseCaptionGroup;
using pelko_wave::CResponseLibrary;

namespace {

SCaptionLibraryFile FileContentOf(const QList<CResponseCaptionGroup*>& groups,
                                  const QList<CResponseLibrary*>& libraries)
{
    SCaptionLibraryFile content;
    for (const CResponseCaptionGroup* group : groups) {
        SCaptionFileGroup fileGroup{
            group->GetGuidText(), group->GetName(), group->GetBaseLabelIdText(), {}};
        for (int i = 0; i < group->GetCaptionCount(); ++i) {
            const CResponseCaption* caption = group->GetCaptionAt(i);
            fileGroup.Labels.push_back({caption->GetGuidText(), caption->GetText()});
        }
        content.Groups.push_back(std::move(fileGroup));
    }
    for (const CResponseLibrary* library : libraries) {
        SCaptionFileLibrary fileLibrary{library->GetGuidText(), library->GetName(), {}};
        for (int i = 0; i < library->GetGroupCount(); ++i) {
            const CResponseCaptionGroup* group = library->GetGroupAt(i);
            SCaptionFileGroupRef ref{group->GetGuidText(), {}};
            for (int j = 0; j < group->GetCaptionCount(); ++j) {
                const CResponseCaption* caption = group->GetCaptionAt(j);
                ref.Labels.push_back(
                    {caption->GetGuidText(), library->GetCaptionState(caption) > 0});
            }
            fileLibrary.Groups.push_back(std::move(ref));
        }
        content.Libraries.push_back(std::move(fileLibrary));
    }
    return content;
}

// The text the libraries are written as: what tells whether they changed.
QString FileTextOf(CXmlParser& parser, const QList<CResponseCaptionGroup*>& groups,
                   const QList<CResponseLibrary*>& libraries)
{
    BuildCaptionLibraryDocument(parser, FileContentOf(groups, libraries));
    return parser.GetXmlText(true);
}

// GUID texts are compared ignoring case.
QString GuidKey(const QString& guidText)
{
    return guidText.toUpper();
}

// Makes the file's groups and libraries and appends them to the lists. A library's reference
// to a group or caption whose GUID is not there is dropped.
void AppendFileContent(const SCaptionLibraryFile& content, QList<CResponseCaptionGroup*>& groups,
                       QList<CResponseLibrary*>& libraries)
{
    for (const SCaptionFileGroup& fileGroup : content.Groups) {
        auto* group = new CResponseCaptionGroup(fileGroup.Name, fileGroup.Id);
        groups.append(group);
        if (!fileGroup.BaseLabelId.isEmpty())
            group->SetBaseLabelIdText(fileGroup.BaseLabelId);
        for (const SCaptionFileLabel& label : fileGroup.Labels)
            group->AddCaption(std::make_unique<CResponseCaption>(label.Text, group, label.Id));
    }

    // Lookups by GUID text, made once so that a large file is read in linear time; the first
    // node of a GUID wins, as a search in order would find it.
    QHash<QString, CResponseCaptionGroup*> groupsByGuid;
    for (qsizetype i = groups.size() - 1; i >= 0; --i)
        groupsByGuid.insert(GuidKey(groups[i]->GetGuidText()), groups[i]);
    QHash<const CResponseCaptionGroup*, QHash<QString, CResponseCaption*>> captionsByGuid;

    for (const SCaptionFileLibrary& fileLibrary : content.Libraries) {
        auto* library = new CResponseLibrary(fileLibrary.Name, fileLibrary.Id);
        libraries.append(library);
        for (const SCaptionFileGroupRef& ref : fileLibrary.Groups) {
            CResponseCaptionGroup* group = groupsByGuid.value(GuidKey(ref.Id));
            if (!group)
                continue;
            if (!library->ContainsGroup(group))
                library->AddGroup(group);
            auto found = captionsByGuid.find(group);
            if (found == captionsByGuid.end()) {
                QHash<QString, CResponseCaption*> captions;
                for (int i = group->GetCaptionCount() - 1; i >= 0; --i)
                    captions.insert(GuidKey(group->GetCaptionAt(i)->GetGuidText()),
                                    group->GetCaptionAt(i));
                found = captionsByGuid.insert(group, captions);
            }
            for (const SCaptionFileLabelState& label : ref.Labels) {
                if (CResponseCaption* caption = found->value(GuidKey(label.Id)))
                    library->SetCaptionState(caption, label.Used ? 1 : 0);
            }
        }
    }
}

} // namespace

CWaveApp::SCaptionLibrariesOwner::~SCaptionLibrariesOwner()
{
    pelko_wave::FreeCaptionLibraries(Groups, Libraries);
}

bool CWaveApp::LoadCaptionLibraries(const QString& path, QList<CResponseCaptionGroup*>& groups,
                                    QList<CResponseLibrary*>& libraries)
{
    SCaptionLibraryFile content;
    if (!LoadCaptionLibraryFile(path, content))
        return false;
    AppendFileContent(content, groups, libraries);
    return true;
}

bool CWaveApp::SaveCaptionLibraries(const QString& path,
                                    const QList<CResponseCaptionGroup*>& groups,
                                    const QList<CResponseLibrary*>& libraries)
{
    return SaveCaptionLibraryFile(path, FileContentOf(groups, libraries));
}

bool CWaveApp::SaveCaptionLibrariesToFile(const QString& path) const
{
    return SaveCaptionLibraries(path, m_captionGroups, m_captionLibraries);
}

QString CWaveApp::GetDefaultCaptionLibraryPath()
{
    return ::GetDefaultCaptionLibraryPath();
}

void CWaveApp::LoadCaptionLibrariesAtStartup()
{
    QList<CResponseCaptionGroup*> groups;
    QList<CResponseLibrary*> libraries;
    const QString configured = m_environmentSettings.GetCaptionsLibraryPath();
    bool loaded = !configured.isEmpty() && LoadCaptionLibraries(configured, groups, libraries);
    if (!loaded) {
        // The option points at the default file from now on, and that file gives the
        // libraries when it can be read. The profile keeps the configured path unless the
        // environment settings are changed, so a file that is out of reach only this time is
        // read again at the next start.
        const QString fallback = GetDefaultCaptionLibraryPath();
        loaded = !fallback.isEmpty() && fallback != configured &&
                 LoadCaptionLibraries(fallback, groups, libraries);
        m_environmentSettings.SetCaptionsLibraryPath(fallback);
        m_profileAsRead.RememberAsRead(EnvironmentSettingsSection(m_environmentSettings));
    }
    if (loaded) {
        pelko_wave::FreeCaptionLibraries(m_captionGroups, m_captionLibraries);
        m_captionGroups = groups;
        m_captionLibraries = libraries;
    }
    CXmlParser parser;
    m_captionLibrariesAsRead = FileTextOf(parser, m_captionGroups, m_captionLibraries);
}

bool CWaveApp::SaveCaptionLibrariesAtExit()
{
    // The file is written only when this process changed the libraries: a run that only read
    // them (a batch run beside the window, or a start whose file could not be read) never
    // overwrites the file, and a file that failed to load is never replaced by empty libraries.
    CXmlParser parser;
    const QString text = FileTextOf(parser, m_captionGroups, m_captionLibraries);
    if (text == m_captionLibrariesAsRead)
        return true;
    const QString path = m_environmentSettings.GetCaptionsLibraryPath();
    if (path.isEmpty() || !parser.SaveToFile(path, CXmlParser::XmlFileUtf16))
        return false;
    m_captionLibrariesAsRead = text;
    return true;
}

bool CWaveApp::ChangeCaptionLibraryFile(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        // Nothing to read: the libraries in use go into the new file at exit.
        m_captionLibrariesAsRead.clear();
        return true;
    }
    QList<CResponseCaptionGroup*> groups;
    QList<CResponseLibrary*> libraries;
    if (!LoadCaptionLibraries(path, groups, libraries)) {
        pelko_wave::FreeCaptionLibraries(groups, libraries);
        return false;
    }
    pelko_wave::FreeCaptionLibraries(m_captionGroups, m_captionLibraries);
    m_captionGroups = groups;
    m_captionLibraries = libraries;
    CXmlParser parser;
    m_captionLibrariesAsRead = FileTextOf(parser, m_captionGroups, m_captionLibraries);
    return true;
}
