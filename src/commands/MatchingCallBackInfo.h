#pragma once

#include "commands/CallBackInfo.h"

#include <QString>

// Change records of the commands that make, break, rematch and remove matchings and fold
// duplicates. Pointers name model objects (and source items of a volume's questionnaire) that
// the receiver may use during the callback only.

namespace pelko_wave {
class CModality;
class CModalityMatching;
class CQuestion;
class CQuestionMatching;
class CVolume;
class CWave;
} // namespace pelko_wave

namespace qnr {
class CModalite;
class CQuestion;
} // namespace qnr

class CCallBackInfoCreateQuesMatching : public CCallBackInfo
{
public:
    CCallBackInfoCreateQuesMatching(pelko_wave::CVolume* volume = nullptr,
                                    pelko_wave::CQuestion* question = nullptr,
                                    qnr::CQuestion* sourceQuestion = nullptr)
        : Volume(volume), Question(question), SourceQuestion(sourceQuestion)
    {
    }
    pelko_wave::CVolume* Volume;
    pelko_wave::CQuestion* Question;
    qnr::CQuestion* SourceQuestion;
};

class CCallBackInfoCreateModMatching : public CCallBackInfo
{
public:
    CCallBackInfoCreateModMatching(pelko_wave::CVolume* volume = nullptr,
                                   pelko_wave::CModality* modality = nullptr,
                                   qnr::CModalite* sourceModality = nullptr)
        : Volume(volume), Modality(modality), SourceModality(sourceModality)
    {
    }
    pelko_wave::CVolume* Volume;
    pelko_wave::CModality* Modality;
    qnr::CModalite* SourceModality;
};

class CCallBackInfoBreakQuesMatching : public CCallBackInfo
{
public:
    CCallBackInfoBreakQuesMatching(pelko_wave::CVolume* volume = nullptr,
                                   pelko_wave::CQuestion* question = nullptr,
                                   qnr::CQuestion* sourceQuestion = nullptr)
        : Volume(volume), Question(question), SourceQuestion(sourceQuestion)
    {
    }
    pelko_wave::CVolume* Volume;
    pelko_wave::CQuestion* Question;
    qnr::CQuestion* SourceQuestion; // null when the command was built from a source code text
};

class CCallBackInfoBreakModMatching : public CCallBackInfo
{
public:
    CCallBackInfoBreakModMatching(pelko_wave::CVolume* volume = nullptr,
                                  pelko_wave::CModality* modality = nullptr,
                                  qnr::CModalite* sourceModality = nullptr)
        : Volume(volume), Modality(modality), SourceModality(sourceModality)
    {
    }
    pelko_wave::CVolume* Volume;
    pelko_wave::CModality* Modality;
    qnr::CModalite* SourceModality; // null when the command was built from a source code text
};

// The command's three constructor values after the campaign, in order.
class CCallBackInfoDeepBreakQuesMatching : public CCallBackInfo
{
public:
    CCallBackInfoDeepBreakQuesMatching(pelko_wave::CQuestion* question = nullptr,
                                       qnr::CQuestion* sourceQuestion = nullptr, int volumeId = -1)
        : Question(question), SourceQuestion(sourceQuestion), VolumeId(volumeId)
    {
    }
    pelko_wave::CQuestion* Question;
    qnr::CQuestion* SourceQuestion;
    int VolumeId; // the pivot volume
};

// The command's four constructor values after the campaign, in order.
class CCallBackInfoDeepBreakModMatching : public CCallBackInfo
{
public:
    CCallBackInfoDeepBreakModMatching(pelko_wave::CQuestion* question = nullptr,
                                      pelko_wave::CModality* modality = nullptr,
                                      qnr::CModalite* sourceModality = nullptr, int volumeId = -1)
        : Question(question), Modality(modality), SourceModality(sourceModality), VolumeId(volumeId)
    {
    }
    pelko_wave::CQuestion* Question;
    pelko_wave::CModality* Modality;
    qnr::CModalite* SourceModality;
    int VolumeId; // the pivot volume
};

class CCallBackInfoDeepRematchQuestion : public CCallBackInfo
{
public:
    CCallBackInfoDeepRematchQuestion(pelko_wave::CVolume* volume = nullptr,
                                     pelko_wave::CQuestion* question = nullptr)
        : Volume(volume), Question(question)
    {
    }
    pelko_wave::CVolume* Volume;
    pelko_wave::CQuestion* Question;
};

class CCallBackInfoDeepRematchModality : public CCallBackInfo
{
public:
    CCallBackInfoDeepRematchModality(pelko_wave::CVolume* volume = nullptr,
                                     pelko_wave::CQuestion* question = nullptr,
                                     pelko_wave::CModality* modality = nullptr)
        : Volume(volume), Question(question), Modality(modality)
    {
    }
    pelko_wave::CVolume* Volume;
    pelko_wave::CQuestion* Question;
    pelko_wave::CModality* Modality;
};

class CCallBackInfoRemoveQuestionMatching : public CCallBackInfo
{
public:
    explicit CCallBackInfoRemoveQuestionMatching(pelko_wave::CQuestionMatching* matching = nullptr)
        : Matching(matching)
    {
    }
    pelko_wave::CQuestionMatching* Matching;
};

class CCallBackInfoRemoveModalityMatching : public CCallBackInfo
{
public:
    explicit CCallBackInfoRemoveModalityMatching(pelko_wave::CModalityMatching* matching = nullptr)
        : Matching(matching)
    {
    }
    pelko_wave::CModalityMatching* Matching;
};

class CCallBackInfoRemoveDuplicateQuestion : public CCallBackInfo
{
public:
    CCallBackInfoRemoveDuplicateQuestion(int keptQuestionId = -1, int removedQuestionId = -1)
        : KeptQuestionId(keptQuestionId), RemovedQuestionId(removedQuestionId)
    {
    }
    int KeptQuestionId;
    int RemovedQuestionId;
};

class CCallBackInfoRemoveDuplicateModality : public CCallBackInfo
{
public:
    CCallBackInfoRemoveDuplicateModality(pelko_wave::CWave* wave = nullptr,
                                         pelko_wave::CVolume* volume = nullptr,
                                         const QString& sourceId = QString(),
                                         pelko_wave::CModality* kept = nullptr,
                                         pelko_wave::CModality* duplicate = nullptr)
        : Wave(wave), Volume(volume), SourceId(sourceId), Kept(kept), Duplicate(duplicate)
    {
    }
    pelko_wave::CWave* Wave;
    pelko_wave::CVolume* Volume; // may be null
    QString SourceId;            // the duplicate's source id in that volume; empty when none
    pelko_wave::CModality* Kept;
    pelko_wave::CModality* Duplicate;
};
