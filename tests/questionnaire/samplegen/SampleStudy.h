#pragma once

#include <QString>
#include <memory>

namespace qnr {
class CQuestionnaire;
}

// The sample tracking study of samples/: a coffee-shop brand tracker in English and French, of
// three waves. Between waves questions are added, dropped, reworded and recoded.
std::unique_ptr<qnr::CQuestionnaire> BuildSampleWave(int wave);

// Writes the three waves, each as wave<N>.zoz, wave<N>.sss and wave<N>.mdd, into a folder.
bool WriteSampleStudy(const QString& folder, QString& error);
