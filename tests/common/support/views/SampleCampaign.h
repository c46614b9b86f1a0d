#pragma once

#include <QString>

class CWaveApp;

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

} // namespace sample_campaign
