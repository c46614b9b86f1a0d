#pragma once

#include <QString>

// Version texts of campaign files: the version of the program that wrote a file, and the
// versions from which the file format changed.
class CPlimVersionUtils
{
public:
    // Volumes.MatchUsingAncestorValues exists from this version on.
    static const QString VERSION_ANCESTOR_VALUES;
    // Volumes.CaseSensitiveMatching exists from this version on.
    static const QString VERSION_CASE_SENSITIVE;
    // Questions.IsDevelopLevels exists from this version on.
    static const QString VERSION_DEVELOP_LEVELS;
    // The Versions texts of questions and responses may be empty from this version on.
    static const QString VERSION_EMPTY_VERSIONS;

    explicit CPlimVersionUtils(const QString& fileVersion) : m_fileVersion(fileVersion) {}

    // Whether the file was written by a program strictly older than the version (four numbers
    // weighed major first; "." or "," separate them).
    bool IsFileOlderThan(const QString& version) const;
    // The version text this program writes into a campaign.
    static const QString& GetProgramVersionText();

private:
    QString m_fileVersion;
};
