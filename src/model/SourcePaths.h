#pragma once

#include <QList>
#include <QString>

// Conversions between the path kinds of a source path record: absolute, relative to the
// campaign file, and the network form "//server/share/...".

namespace pelko_wave {

// The relative text made absolute against the campaign file's folder. Backslashes count as
// separators and doubled separators are collapsed.
QString MakeAbsolutePath(const QString& campaignFilePath, const QString& relativePath);

// The path of the target relative to the campaign file's folder; an empty text when the two do
// not share a root (a local path and a network path, or two network shares) or either is not
// absolute.
QString MakeRelativePath(const QString& campaignFilePath, const QString& targetPath);

// Whether the text is in the network form "//server/share..." (or "\\server\share...").
bool IsUncPath(const QString& path);

// One line of the system's mount table.
struct SMountEntry
{
    QString Source;     // what is mounted: "//server/share", "server:/export", a device
    QString MountPoint; // where
    QString Type;       // the file-system type: "cifs", "nfs", "ext4" ...
};

// The mounts of this system (empty when the table cannot be read).
QList<SMountEntry> ReadMountTable();

// The network form of a path: a network path is returned unchanged; a path under a mounted
// network share (SMB/CIFS or NFS) is mapped to "//server/share/rest"; anything else (a relative
// or too short text, a local disk) gives an empty text.
QString MakeUncPath(const QString& path);
// The same against a given mount table.
QString MakeUncPath(const QString& path, const QList<SMountEntry>& mounts);

} // namespace pelko_wave
