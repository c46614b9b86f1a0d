#pragma once

#include <QString>
#include <vector>

// The caption-library file ("CaptionsLibrary.xml" in the user's data folder, or a file the user
// exports to or imports from), as it stands in the file:
//   <xml>
//     <groups>
//       <group ID="guid"> <name>..</name> <base_label_id>guid</base_label_id>
//         <labels> <label ID="guid">caption text</label> ... </labels> </group> ...
//     </groups>
//     <libraries>
//       <library ID="guid"> <name>..</name>
//         <group ID="guid"> <label ID="guid" state="1"/> ... </group> ... </library> ...
//     </libraries>
//   </xml>
// GUIDs are written without braces. A library refers to groups and captions by GUID; the
// references are resolved when the content becomes caption-library objects.

struct SCaptionFileLabel
{
    QString Id;
    QString Text;
};

struct SCaptionFileGroup
{
    QString Id;
    QString Name;
    QString BaseLabelId; // empty when the file has none
    std::vector<SCaptionFileLabel> Labels;
};

// A library's use of one caption of a group.
struct SCaptionFileLabelState
{
    QString Id;
    bool Used = false;
};

struct SCaptionFileGroupRef
{
    QString Id;
    std::vector<SCaptionFileLabelState> Labels;
};

struct SCaptionFileLibrary
{
    QString Id;
    QString Name;
    std::vector<SCaptionFileGroupRef> Groups;
};

struct SCaptionLibraryFile
{
    std::vector<SCaptionFileGroup> Groups;
    std::vector<SCaptionFileLibrary> Libraries;
};

class CXmlParser;

// Builds the file's document in parser (whose root must be empty).
void BuildCaptionLibraryDocument(CXmlParser& parser, const SCaptionLibraryFile& content);

// Writes the file as UTF-16; returns whether it was written.
bool SaveCaptionLibraryFile(const QString& path, const SCaptionLibraryFile& content);

// Reads a file. A group or library without a name element is named "(group)" or
// "(library)"; missing attributes give empty texts; a file without "libraries" gives none.
// Fails only when the file cannot be loaded.
bool LoadCaptionLibraryFile(const QString& path, SCaptionLibraryFile& content);

// The default caption-library file, "Pelko/Plim/CaptionsLibrary.xml" in the user's data
// folder. Makes the folders, and the file (an XML header only) when it does not exist yet.
// An empty text when any of that fails.
QString GetDefaultCaptionLibraryPath();
