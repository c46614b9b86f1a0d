#pragma once

#include <QString>

class IProgressWindow;

namespace pelko_wave {
class CCampaign;
}

// The steps of Package Campaign (CWaveApp::PackageCampaign).

// Asks for the folder to hold the package, starting at the campaign file's folder; empty when
// the user cancelled.
QString BrowseForPackageFolder(const QString& campaignFilePath);

// Makes the package folder inside the chosen folder: "<name> Package", else "<name> Package
// <n>" with the first n from 1 to 999 that is free. Returns its path, or an empty text with
// errorId set: 63358 when the chosen folder does not exist, 63359 when no folder could be made.
QString MakePackageFolder(const QString& folder, const QString& campaignName, unsigned& errorId);

// Copies the source files of every volume of the campaign (a copy of the open one) into the
// package: a folder "Wave <n> (<name>)" per wave and in it a folder "Volume <n> (<name>)" per
// volume, holding that volume's files. The volumes are pointed at the copies, relative to the
// package's campaign file. The progress window advances by the steps and names each file.
// False when a folder or a copy could not be made.
bool CopyCampaignFilesToPackage(pelko_wave::CCampaign& campaign, const QString& packageFolder,
                                IProgressWindow& progress, int folderStep, int fileStep);
