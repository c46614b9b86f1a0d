#include "model/CaptionLibrary.h"

#include "platform/AppServices.h"

#include <algorithm>

namespace pelko_wave {

bool ParseGuidText(const QString& text, GUID& guid)
{
    QString plain = text.trimmed();
    if (plain.startsWith(QLatin1Char('{')) && plain.endsWith(QLatin1Char('}')))
        plain = plain.mid(1, plain.size() - 2);
    return ParseGuid(plain, guid);
}

QString GuidToPlainText(const GUID& guid)
{
    QString text;
    if (!GuidToText(guid, text))
        return QString();
    return text.mid(1, text.size() - 2);
}

// Nodes -----------------------------------------------------------------------------------------

CCaptionLibraryBase::CCaptionLibraryBase(int kind) : m_kind(kind)
{
    CreateGuid(m_guid);
}

CCaptionLibraryBase::CCaptionLibraryBase(int kind, const QString& guidText) : m_kind(kind)
{
    if (!ParseGuidText(guidText, m_guid))
        CreateGuid(m_guid);
}

QString CCaptionLibraryBase::GetGuidText() const
{
    return GuidToPlainText(m_guid);
}

CResponseCaption::CResponseCaption(const QString& text, CResponseCaptionGroup* group)
    : CCaptionLibraryBase(KIND_CAPTION), m_text(text), m_group(group)
{
}

CResponseCaption::CResponseCaption(const QString& text, CResponseCaptionGroup* group,
                                   const QString& guidText)
    : CCaptionLibraryBase(KIND_CAPTION, guidText), m_text(text), m_group(group)
{
}

// Groups ----------------------------------------------------------------------------------------

CResponseCaptionGroup::CResponseCaptionGroup(const QString& name)
    : CCaptionLibraryBase(KIND_GROUP), m_name(name)
{
}

CResponseCaptionGroup::CResponseCaptionGroup(const QString& name, const QString& guidText)
    : CCaptionLibraryBase(KIND_GROUP, guidText), m_name(name)
{
}

CResponseCaptionGroup::CResponseCaptionGroup(const CResponseCaptionGroup& other)
    : CCaptionLibraryBase(other), m_name(other.m_name), m_baseLabelId(other.m_baseLabelId)
{
    for (const auto& caption : other.m_captions)
        AddCaption(std::make_unique<CResponseCaption>(*caption));
}

CResponseCaptionGroup::~CResponseCaptionGroup() = default;

CResponseCaption* CResponseCaptionGroup::GetCaptionAt(int i) const
{
    return i >= 0 && i < GetCaptionCount() ? m_captions[size_t(i)].get() : nullptr;
}

CResponseCaption* CResponseCaptionGroup::AddCaption(std::unique_ptr<CResponseCaption> caption)
{
    caption->SetGroup(this);
    m_captions.push_back(std::move(caption));
    return m_captions.back().get();
}

bool CResponseCaptionGroup::ContainsCaption(const CResponseCaption* caption) const
{
    return std::any_of(m_captions.begin(), m_captions.end(),
                       [caption](const auto& c) { return c.get() == caption; });
}

std::unique_ptr<CResponseCaption> CResponseCaptionGroup::RemoveCaption(const CResponseCaption* caption)
{
    const auto it = std::find_if(m_captions.begin(), m_captions.end(),
                                 [caption](const auto& c) { return c.get() == caption; });
    if (it == m_captions.end())
        return nullptr;
    std::unique_ptr<CResponseCaption> removed = std::move(*it);
    m_captions.erase(it);
    return removed;
}

CResponseCaption* CResponseCaptionGroup::FindCaptionByGuid(const GUID& guid) const
{
    for (const auto& caption : m_captions) {
        if (caption->GetGuid() == guid)
            return caption.get();
    }
    return nullptr;
}

void CResponseCaptionGroup::SetBaseLabelIdText(const QString& guidText)
{
    GUID guid;
    m_baseLabelId = ParseGuidText(guidText, guid) ? guid : GUID();
}

// Libraries -------------------------------------------------------------------------------------

CResponseLibrary::CResponseLibrary(const QString& name)
    : CCaptionLibraryBase(KIND_LIBRARY), m_name(name)
{
}

CResponseLibrary::CResponseLibrary(const QString& name, const QString& guidText)
    : CCaptionLibraryBase(KIND_LIBRARY, guidText), m_name(name)
{
}

namespace {

CResponseCaptionGroup* FindGroupByGuid(const QList<CResponseCaptionGroup*>& groups, const GUID& guid)
{
    for (CResponseCaptionGroup* group : groups) {
        if (group->GetGuid() == guid)
            return group;
    }
    return nullptr;
}

} // namespace

CResponseLibrary::CResponseLibrary(const CResponseLibrary& other,
                                   const QList<CResponseCaptionGroup*>& groupCopies)
    : CCaptionLibraryBase(other), m_name(other.m_name)
{
    for (const CResponseCaptionGroup* group : other.m_groups) {
        if (CResponseCaptionGroup* copy = FindGroupByGuid(groupCopies, group->GetGuid()))
            m_groups.append(copy);
    }
    for (auto it = other.m_captionStates.cbegin(); it != other.m_captionStates.cend(); ++it) {
        const CResponseCaption* caption = it.key();
        if (!caption->GetGroup())
            continue;
        const CResponseCaptionGroup* group = FindGroupByGuid(m_groups, caption->GetGroup()->GetGuid());
        if (const CResponseCaption* copy = group ? group->FindCaptionByGuid(caption->GetGuid()) : nullptr)
            m_captionStates.insert(copy, it.value());
    }
}

CResponseCaptionGroup* CResponseLibrary::GetGroupAt(int i) const
{
    return i >= 0 && i < GetGroupCount() ? m_groups[i] : nullptr;
}

void CResponseLibrary::AddGroup(CResponseCaptionGroup* group)
{
    m_groups.append(group);
}

bool CResponseLibrary::ContainsGroup(const CResponseCaptionGroup* group) const
{
    return m_groups.contains(const_cast<CResponseCaptionGroup*>(group));
}

bool CResponseLibrary::RemoveGroup(const CResponseCaptionGroup* group)
{
    if (!ContainsGroup(group))
        return false;
    for (int i = 0; i < group->GetCaptionCount(); ++i)
        m_captionStates.remove(group->GetCaptionAt(i));
    m_groups.removeOne(const_cast<CResponseCaptionGroup*>(group));
    return true;
}

void CResponseLibrary::SetCaptionState(const CResponseCaption* caption, int state)
{
    m_captionStates.insert(caption, state);
}

int CResponseLibrary::GetCaptionState(const CResponseCaption* caption) const
{
    return m_captionStates.value(caption, 0);
}

bool CResponseLibrary::RemoveCaptionState(const CResponseCaption* caption)
{
    return m_captionStates.remove(caption) > 0;
}

// Editing ---------------------------------------------------------------------------------------

void CopyCaptionLibraries(const QList<CResponseCaptionGroup*>& sourceGroups,
                          const QList<CResponseLibrary*>& sourceLibraries,
                          QList<CResponseCaptionGroup*>& groups,
                          QList<CResponseLibrary*>& libraries)
{
    groups.clear();
    libraries.clear();
    // One copy per group, shared by every library that holds it.
    for (const CResponseCaptionGroup* group : sourceGroups) {
        if (!FindGroupByGuid(groups, group->GetGuid()))
            groups.append(new CResponseCaptionGroup(*group));
    }
    for (const CResponseLibrary* library : sourceLibraries) {
        for (int i = 0; i < library->GetGroupCount(); ++i) {
            const CResponseCaptionGroup* group = library->GetGroupAt(i);
            if (!FindGroupByGuid(groups, group->GetGuid()))
                groups.append(new CResponseCaptionGroup(*group));
        }
        libraries.append(new CResponseLibrary(*library, groups));
    }
}

void CopyCaptionLibraries(QList<CResponseCaptionGroup*>& groups,
                          QList<CResponseLibrary*>& libraries)
{
    const IWaveApp* app = GetWaveApp();
    if (!app) {
        groups.clear();
        libraries.clear();
        return;
    }
    CopyCaptionLibraries(app->GetCaptionGroups(), app->GetCaptionLibraries(), groups, libraries);
}

bool SetCaptionLibraries(QList<CResponseCaptionGroup*>& groups,
                         QList<CResponseLibrary*>& libraries)
{
    IWaveApp* app = GetWaveApp();
    if (!app) {
        FreeCaptionLibraries(groups, libraries);
        return false;
    }
    QList<CResponseCaptionGroup*>& appGroups = app->GetCaptionGroupsToEdit();
    QList<CResponseLibrary*>& appLibraries = app->GetCaptionLibrariesToEdit();
    if (&appGroups == &groups && &appLibraries == &libraries)
        return true;
    FreeCaptionLibraries(appGroups, appLibraries);
    appGroups.append(groups);
    appLibraries.append(libraries);
    groups.clear();
    libraries.clear();
    return true;
}

void FreeCaptionLibraries(QList<CResponseCaptionGroup*>& groups,
                          QList<CResponseLibrary*>& libraries)
{
    qDeleteAll(libraries);
    libraries.clear();
    qDeleteAll(groups);
    groups.clear();
}

} // namespace pelko_wave
