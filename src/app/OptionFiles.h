#pragma once

#include <QString>

class CQuestionDiffsOptions;
class CModalityDiffsOptions;

// The difference-options file: the campaign's local options ("PlimLocalOptions.xml" beside the
// campaign file) and the options the general page exports, in one layout:
//   <xml>
//     <Group name="Question Diffs"> <Setting tag="caption">1</Setting> ... </Group>
//     <Group name="Response Diffs"> ... </Group>
//   </xml>
// with one Setting per stored kind, in id order, 1 when the kind is enabled and 0 when not.

// The local options file beside a campaign file; empty when the campaign has no path.
QString GetLocalOptionsPath(const QString& campaignPath);

// Writes both sets as UTF-16; returns whether the file was written.
bool SaveDiffsOptionsFile(const QString& path, const CQuestionDiffsOptions& questions,
                          const CModalityDiffsOptions& responses);

// Reads a file into the sets: each kind the file names (by caption, ignoring case; hidden
// kinds too) takes the file's flag, the others keep theirs. Fails when the file does not exist
// or cannot be loaded, leaving the sets unchanged.
bool LoadDiffsOptionsFile(const QString& path, CQuestionDiffsOptions& questions,
                          CModalityDiffsOptions& responses);
