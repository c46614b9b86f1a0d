#pragma once

#include <QString>

class CWaveApp;

namespace pelko_wave {
class CQuestion;
}

// The sample campaign of the window tests and pictures: the three waves of samples/ added and
// reconciled through the application's own commands, saved and opened again.
//   wave 1 "Spring": volume 1 "Online" (wave1.zoz), which builds the campaign questionnaire;
//   wave 2 "Summer": volume 2 "Online" (wave2.zoz) inheriting from volume 1, and volume 3
//                    "Phone" (wave2.zoz) inheriting from volume 2;
//   wave 3 "Autumn": volume 4 "Online" (wave3.zoz) inheriting from volume 2.
namespace sample_campaign {

// Builds the campaign in the application (which must have its campaign objects), writes it to
// a new file at the path and opens that file. The application's window services answer the
// reconciliation's questions. False with the error text when a step fails.
bool BuildSampleCampaign(CWaveApp& app, const QString& path, QString& errorText);

// Gives the campaign question of the shortcut a duplicate, by the program's own commands: its
// matching in the volume is broken, a new campaign question is made from the volume's source
// question of that shortcut and matched to it there. The duplicate is returned; null, with the
// error text, when a step fails.
pelko_wave::CQuestion* MakeDuplicateQuestion(CWaveApp& app, int volumeId, const QString& shortcut,
                                             QString& errorText);

} // namespace sample_campaign
