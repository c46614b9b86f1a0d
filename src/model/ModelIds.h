#pragma once

#include <QString>

// Ids and fixed values shared by the whole campaign model.

namespace pelko_wave {

// Stands for "no volume", "no wave" or the open end of a matching range wherever a volume or
// wave id is expected.
inline constexpr int NO_VOLUME_ID = 999999999;
inline constexpr int NO_WAVE_ID = 999999999;
inline constexpr int OPEN_END_ID = 999999999;

// The reserved analysis question: every walk over the campaign's questions skips it.
inline constexpr int RESERVED_QUESTION_ID = 1;

// The source id written into the reserved question's matchings.
inline const QString RESERVED_SOURCE_ID = QStringLiteral("-1");

// The version text that this program writes into a campaign.
inline const QString PROGRAM_VERSION_TEXT = QStringLiteral("5,2,3,8");

// Volume reconciliation states.
enum EVolumeStatus { VOLUME_UNRECONCILED = 0, VOLUME_INCOMPLETE = 1, VOLUME_RECONCILED = 2 };

// Kinds of volume source (the questionnaire file format, or a spreadsheet).
enum ESourceType { SOURCE_ZOZ = 0, SOURCE_DIMENSIONS = 1, SOURCE_TRIPLE_S = 2, SOURCE_EXCEL = 3 };

// Path kinds of a source path record.
enum ESourcePathFormat {
    PATH_ABSOLUTE = 0,
    PATH_RELATIVE = 1,
    PATH_UNC = 2,
    PATH_UNKNOWN = 3,
};

} // namespace pelko_wave
