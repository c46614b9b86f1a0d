#pragma once

#include <QString>

// Names of campaign files and folders made by the program.

// A new campaign file for a source: the source path with ".duv" in place of its extension, or,
// when that file exists, "<path without extension>_<n>.duv" with the first n from 1 whose file
// does not exist.
QString UniqueCampaignFileName(const QString& sourcePath);

// Whether two paths name the same file: their canonical paths when the file exists, else their
// cleaned absolute paths; two names of one file (hard links) are the same file too.
bool IsSameFile(const QString& a, const QString& b);

// Whether the path lies inside the folder (the folder itself excluded), comparing whole path
// components: "/a/b.dat/x" lies in "/a/b.dat", "/a/b.data/x" does not.
bool IsPathInFolder(const QString& path, const QString& folder);

// The text made fit to be one component of a path: separators, control characters and NULs
// become "_", and the text is cut (never inside a character) to at most maxBytes bytes of
// UTF-8, so that the component stays within the file system's name limit.
QString SafePathComponent(const QString& text, int maxBytes = 200);
