#pragma once

#include <QString>

// Files and folders of a campaign: its data folder beside the campaign file, and the copies of
// source files made into it or into a package.

namespace pelko_wave {

// The campaign's data folder ("brand.duv" gives "brand.dat" beside it), created when missing;
// returns its path.
QString MakeDataFolder(const QString& campaignFilePath);
// The data folder's path without creating it.
QString GetDataFolderPath(const QString& campaignFilePath);
// Deletes the files of the campaign's data folder, then the folder itself; returns whether the
// folder was removed.
bool DeleteFolderTree(const QString& campaignFilePath);
// Copies every file of the source folder into the target folder, overwriting; with descend,
// every sub-folder too (made in the target and copied the same way; links to folders are not
// followed). Single failures are ignored.
bool CopyFolderTree(const QString& sourceFolder, const QString& targetFolder, bool descend);
// Copies a source file into the folder, as "name_TAG.ext" with unique (TAG a new eight-digit
// tag) or "name.ext" without, together with its data folder ("name.dat" beside the source
// file) when it has one. Returns the copy's path, whether or not the copy succeeded.
QString CopySourceFileToPackage(const QString& sourceFilePath, const QString& targetFolder,
                                bool unique);
// The folder for data shared by all users; false (with a line on the standard output) when
// there is none.
bool GetCommonAppDataPath(QString& path);

} // namespace pelko_wave
