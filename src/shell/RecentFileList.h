#pragma once

#include <QString>
#include <QStringList>

class CCommandActions;
class QMenu;

// The shortened name a recent file shows under: its whole absolute path, whatever folder the
// program was started from; when longer than maxLength, "<root>/.../<last folders>/<name>" with
// as many of the last folders as fit, or (atLeastName) the file name alone when not even one
// folder fits. Empty for an empty path.
QString AbbreviateRecentPath(const QString& path, int maxLength, bool atLeastName = true);

// The menu text of the recent-file item at the position (from 0): its number, then the display
// name with every "&" doubled. Items are numbered (position + 1 + startIndex) modulo 16: "&1 "
// to "&9 " (and "&0 ") with their mnemonics, "1&0 " for 10, "11 " to "15 " without.
QString RecentFileMenuText(int position, int startIndex, const QString& displayName);

// The list of recently opened campaign files: the files opened or saved last, newest first, each
// by its absolute path, kept in the profile section "Recent File List" as "File1" to "FileN", and
// shown in the File menu at the place of the "Recent File" item. Its size (the "MRUSize" option,
// up to 16) and the length of the names it shows ("MRUFileNameLength") can change while the
// program runs.
class CRecentFileListEx
{
public:
    static constexpr int kMaxSize = 16;

    CRecentFileListEx(int startIndex, const QString& section, const QString& entryFormat, int size,
                      int maxDisplayLength);

    int GetSize() const { return int(m_names.size()); }
    // The path of the slot; empty for an empty slot or an index out of range.
    QString GetItem(int index) const { return m_names.value(index); }
    // The number of slots holding a file (they come first).
    int GetCount() const;
    const QString& GetSectionName() const { return m_section; }

    // Puts the file (made absolute) at the top, moving it up when the list holds it already (no
    // file twice), else dropping the oldest when the list is full.
    void Add(const QString& path);
    // Removes the slot's file; the ones below move up.
    void Remove(int index);
    // Changes the number of slots (0 to 16; any other size is refused), keeping the first
    // files in order and dropping those beyond a smaller size.
    bool Resize(int size);
    void SetMaxDisplayLength(int length) { m_maxDisplayLength = length; }
    int GetMaxDisplayLength() const { return m_maxDisplayLength; }

    // The display name of the slot's file (AbbreviateRecentPath with the list's length); false
    // for an empty slot.
    bool GetDisplayName(QString& name, int index, bool atLeastName = true) const;

    // The profile: reads the slots from "File1".. (a relative path, which would name another
    // file from each folder the program is started in, is left out), writes them (the section
    // holds then exactly the files of the list).
    void ReadList();
    void WriteList() const;
    // Empties every slot, writes the empty list to the profile and reads it back.
    void Clear();

    // Rebuilds the recent-file section of the menu whole: every recent-file item (commands
    // 57616 to 57631) goes, and one item per file is put in its place with the next command, or,
    // when the list is empty, the first command alone with the menu's own text ("Recent File"),
    // disabled. Each item's status-bar prompt is its full path. Does nothing when the menu holds
    // no recent-file item.
    void UpdateMenu(QMenu& menu, CCommandActions& actions);

private:
    int m_startIndex;
    QString m_section;
    QString m_entryFormat;
    QStringList m_names;
    int m_maxDisplayLength;
    QString m_menuText; // the menu's own text of its first recent-file item
};
