#pragma once

#include "commands/CallBackInfo.h"
#include "reconcile/ReconcileResults.h"

#include <QString>

// Change records of the commands that reconcile and unreconcile waves and volumes, add and
// remove them, add languages, prepare the default language, mark grouped steps, and upgrade the
// campaign. Pointers name model objects (or a command's own records) that the receiver may use
// during the callback only.

namespace pelko_wave {
class CLanguage;
class CVolume;
class CWave;
struct SPrepDefLangState;
} // namespace pelko_wave

// What a wave reconciliation did: the command's results per volume (not owned), the wave and a
// copy of the report. The after-Do callback shows the report and the open-numeric pairs.
class CCallBackInfoReconcileWave : public CCallBackInfo
{
public:
    CCallBackInfoReconcileWave(const pelko_wave::ReconcileResultsMap* results = nullptr,
                               int waveId = -1, const QString& report = QString())
        : Results(results), WaveId(waveId), Report(report)
    {
    }
    const pelko_wave::ReconcileResultsMap* Results;
    int WaveId;
    QString Report;
};

// The captions that the default-language preparation added and replaced (the command's own
// record, not owned).
class CCallBackInfoPrepDefLang : public CCallBackInfo
{
public:
    explicit CCallBackInfoPrepDefLang(const pelko_wave::SPrepDefLangState* state = nullptr)
        : State(state)
    {
    }
    const pelko_wave::SPrepDefLangState* State;
};

class CCallBackInfoNewWave : public CCallBackInfo
{
public:
    CCallBackInfoNewWave(pelko_wave::CWave* wave = nullptr, pelko_wave::CWave* before = nullptr)
        : Wave(wave), InsertedBefore(before)
    {
    }
    pelko_wave::CWave* Wave;           // the wave made by the command
    pelko_wave::CWave* InsertedBefore; // the wave it was inserted before; null when appended
};

class CCallBackInfoNewVolume : public CCallBackInfo
{
public:
    CCallBackInfoNewVolume(int volumeId = -1, pelko_wave::CVolume* volume = nullptr)
        : VolumeId(volumeId), Volume(volume)
    {
    }
    int VolumeId;
    pelko_wave::CVolume* Volume;
};

// The id given to the new-volume place holder (-1 or the volume concerned).
class CCallBackInfoNewVolumePlaceHolder : public CCallBackInfo
{
public:
    explicit CCallBackInfoNewVolumePlaceHolder(int id = -1) : Id(id) {}
    int Id;
};

// Made by the place holder that marks a grouped step; no data.
class CCallBackInfoFixAllPlaceHolderCmd : public CCallBackInfo
{
};

class CCallBackInfoAddVolAnalyseMatchingCmd : public CCallBackInfo
{
public:
    explicit CCallBackInfoAddVolAnalyseMatchingCmd(pelko_wave::CVolume* volume = nullptr)
        : Volume(volume)
    {
    }
    pelko_wave::CVolume* Volume;
};

class CCallBackInfoUnreconcileVolume : public CCallBackInfo
{
public:
    CCallBackInfoUnreconcileVolume(int volumeId = -1, int waveId = -1)
        : VolumeId(volumeId), WaveId(waveId)
    {
    }
    int VolumeId;
    int WaveId; // the volume's wave
};

class CCallBackInfoRemoveVolume : public CCallBackInfo
{
public:
    CCallBackInfoRemoveVolume(int volumeId = -1, int waveId = -1)
        : VolumeId(volumeId), WaveId(waveId)
    {
    }
    int VolumeId;
    int WaveId; // the volume's wave
};

class CCallBackInfoRemoveWave : public CCallBackInfo
{
public:
    explicit CCallBackInfoRemoveWave(int waveId = -1) : WaveId(waveId) {}
    int WaveId;
};

class CCallBackInfoAddLanguage : public CCallBackInfo
{
public:
    explicit CCallBackInfoAddLanguage(pelko_wave::CLanguage* language = nullptr)
        : Language(language)
    {
    }
    pelko_wave::CLanguage* Language; // the language made by the command
};

// Made by the campaign upgrade; no data.
class CCallBackInfoMoveToMostRecentVersion : public CCallBackInfo
{
};
