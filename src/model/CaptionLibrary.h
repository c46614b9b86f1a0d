#pragma once

#include "model/Guid.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

// Response caption libraries: groups of differently worded response captions that mean the same
// thing, so that response matching can treat them as equal. A library collects groups and keeps
// a state per caption. Every node has a GUID, by which copies made for editing are matched with
// the nodes they came from and by which the caption-library file names them.
//
// Ownership: the application owns its list of groups and its list of libraries (raw pointers,
// freed with FreeCaptionLibraries); a group owns its captions; a library only refers to groups.

namespace pelko_wave {

class CResponseCaptionGroup;

class CCaptionLibraryBase
{
public:
    // Node kinds given at construction.
    enum EKind { KIND_CAPTION = 0, KIND_GROUP = 1, KIND_LIBRARY = 2 };
    // What GetNodeType answers.
    enum ENodeType { NODE_LIBRARY = 0, NODE_GROUP = 1, NODE_CAPTION = 2 };

    virtual ~CCaptionLibraryBase() = default;
    virtual QString GetName() const = 0;
    virtual void SetName(const QString& name) = 0;
    // NODE_LIBRARY, NODE_GROUP or NODE_CAPTION.
    virtual int GetNodeType() const = 0;

    int GetKind() const { return m_kind; }
    const GUID& GetGuid() const { return m_guid; }
    void SetGuid(const GUID& guid) { m_guid = guid; }
    // The GUID without its braces, as the caption-library file writes it.
    QString GetGuidText() const;

protected:
    // A node with a new GUID.
    explicit CCaptionLibraryBase(int kind);
    // A node with the GUID of the text (braces optional); a text that is no GUID gives the
    // node a new one, so that no two nodes share one.
    CCaptionLibraryBase(int kind, const QString& guidText);
    CCaptionLibraryBase(const CCaptionLibraryBase&) = default;
    CCaptionLibraryBase& operator=(const CCaptionLibraryBase&) = default;

private:
    GUID m_guid;
    int m_kind;
};

// The GUID of a text with or without braces; false when it is no GUID.
bool ParseGuidText(const QString& text, GUID& guid);
// The GUID as text without braces.
QString GuidToPlainText(const GUID& guid);

class CResponseCaption : public CCaptionLibraryBase
{
public:
    CResponseCaption(const QString& text, CResponseCaptionGroup* group);
    CResponseCaption(const QString& text, CResponseCaptionGroup* group, const QString& guidText);
    // Text, group and GUID.
    CResponseCaption(const CResponseCaption& other) = default;
    CResponseCaption& operator=(const CResponseCaption&) = delete;

    QString GetName() const override { return m_text; }
    void SetName(const QString& name) override { m_text = name; }
    int GetNodeType() const override { return NODE_CAPTION; }
    const QString& GetText() const { return m_text; }
    // The group that holds it (borrowed).
    CResponseCaptionGroup* GetGroup() const { return m_group; }
    void SetGroup(CResponseCaptionGroup* group) { m_group = group; }

private:
    QString m_text;
    CResponseCaptionGroup* m_group;
};

class CResponseCaptionGroup : public CCaptionLibraryBase
{
public:
    explicit CResponseCaptionGroup(const QString& name);
    CResponseCaptionGroup(const QString& name, const QString& guidText);
    // GUID, name, base label and a copy of every caption, held by the new group.
    CResponseCaptionGroup(const CResponseCaptionGroup& other);
    CResponseCaptionGroup& operator=(const CResponseCaptionGroup&) = delete;
    ~CResponseCaptionGroup() override;

    QString GetName() const override { return m_name; }
    void SetName(const QString& name) override { m_name = name; }
    int GetNodeType() const override { return NODE_GROUP; }

    int GetCaptionCount() const { return int(m_captions.size()); }
    // Null when i is out of range.
    CResponseCaption* GetCaptionAt(int i) const;
    // Appends the caption, which the group now owns and which now names the group.
    CResponseCaption* AddCaption(std::unique_ptr<CResponseCaption> caption);
    bool ContainsCaption(const CResponseCaption* caption) const;
    // Takes the caption out and hands it to the caller; null when the group does not hold it.
    std::unique_ptr<CResponseCaption> RemoveCaption(const CResponseCaption* caption);
    // The caption with the GUID; null when none.
    CResponseCaption* FindCaptionByGuid(const GUID& guid) const;

    // The caption chosen as the group's base label; all zero when none.
    const GUID& GetBaseLabelId() const { return m_baseLabelId; }
    void SetBaseLabelId(const GUID& guid) { m_baseLabelId = guid; }
    // From text with or without braces; a text that is no GUID clears the base label.
    void SetBaseLabelIdText(const QString& guidText);
    QString GetBaseLabelIdText() const { return GuidToPlainText(m_baseLabelId); }
    // The caption whose GUID is the base label id; null when none.
    CResponseCaption* GetBaseLabel() const { return FindCaptionByGuid(m_baseLabelId); }

private:
    QString m_name;
    std::vector<std::unique_ptr<CResponseCaption>> m_captions;
    GUID m_baseLabelId;
};

class CResponseLibrary : public CCaptionLibraryBase
{
public:
    explicit CResponseLibrary(const QString& name);
    CResponseLibrary(const QString& name, const QString& guidText);
    // A copy that refers to the given copies of the groups (each of the source's groups is
    // replaced by the copy with its GUID; groups without a copy are left out) and carries
    // every caption state over to the copied caption of the same group and caption GUIDs
    // (states whose group or caption is not found are dropped).
    CResponseLibrary(const CResponseLibrary& other,
                     const QList<CResponseCaptionGroup*>& groupCopies);
    CResponseLibrary(const CResponseLibrary&) = delete;
    CResponseLibrary& operator=(const CResponseLibrary&) = delete;

    QString GetName() const override { return m_name; }
    void SetName(const QString& name) override { m_name = name; }
    int GetNodeType() const override { return NODE_LIBRARY; }

    int GetGroupCount() const { return int(m_groups.size()); }
    // Null when i is out of range.
    CResponseCaptionGroup* GetGroupAt(int i) const;
    void AddGroup(CResponseCaptionGroup* group);
    bool ContainsGroup(const CResponseCaptionGroup* group) const;
    // Takes the group out of the library together with the states of its captions; the group
    // itself stays alive. False when the library does not hold it.
    bool RemoveGroup(const CResponseCaptionGroup* group);

    // A state per caption (0 when none).
    void SetCaptionState(const CResponseCaption* caption, int state);
    int GetCaptionState(const CResponseCaption* caption) const;
    bool RemoveCaptionState(const CResponseCaption* caption);
    int GetCaptionStateCount() const { return int(m_captionStates.size()); }

private:
    QString m_name;
    QList<CResponseCaptionGroup*> m_groups; // borrowed
    QHash<const CResponseCaption*, int> m_captionStates;
};

// The caption-library dialog's copies of the application's libraries. The outputs are emptied
// first; every group is copied once and the copied libraries refer to those copies.
void CopyCaptionLibraries(const QList<CResponseCaptionGroup*>& sourceGroups,
                          const QList<CResponseLibrary*>& sourceLibraries,
                          QList<CResponseCaptionGroup*>& groups,
                          QList<CResponseLibrary*>& libraries);
// The same from the application's libraries.
void CopyCaptionLibraries(QList<CResponseCaptionGroup*>& groups,
                          QList<CResponseLibrary*>& libraries);
// Frees the application's libraries and groups and adopts the given ones, which the
// application owns from then on (the given lists are emptied). False, freeing the given ones,
// when there is no application.
bool SetCaptionLibraries(QList<CResponseCaptionGroup*>& groups,
                         QList<CResponseLibrary*>& libraries);
// Deletes every library, then every group, and empties both lists.
void FreeCaptionLibraries(QList<CResponseCaptionGroup*>& groups,
                          QList<CResponseLibrary*>& libraries);

} // namespace pelko_wave
