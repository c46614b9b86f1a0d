#pragma once

#include "commands/CallBackInfo.h"

// Change records of the commands that add, merge, order and adjust campaign questions and
// responses. Pointers name model objects that the receiver may use during the callback only.

namespace pelko_wave {
class CModality;
class CQuestion;
class CVolume;
class CWave;
} // namespace pelko_wave

class CCallBackInfoNewQuestion : public CCallBackInfo
{
public:
    explicit CCallBackInfoNewQuestion(pelko_wave::CQuestion* question = nullptr)
        : Question(question)
    {
    }
    pelko_wave::CQuestion* Question; // the campaign question made by the command
};

class CCallBackInfoCreateChapter : public CCallBackInfo
{
public:
    explicit CCallBackInfoCreateChapter(pelko_wave::CQuestion* chapter = nullptr) : Chapter(chapter)
    {
    }
    pelko_wave::CQuestion* Chapter; // the chapter question made by the command
};

class CCallBackInfoNewModality : public CCallBackInfo
{
public:
    explicit CCallBackInfoNewModality(pelko_wave::CModality* modality = nullptr)
        : Modality(modality)
    {
    }
    pelko_wave::CModality* Modality; // the campaign response made by the command
};

class CCallBackInfoMergeModalities : public CCallBackInfo
{
public:
    CCallBackInfoMergeModalities(pelko_wave::CVolume* volume = nullptr,
                                 pelko_wave::CModality* master = nullptr,
                                 pelko_wave::CModality* child = nullptr)
        : Volume(volume), Master(master), Child(child)
    {
    }
    pelko_wave::CVolume* Volume; // the merge volume
    pelko_wave::CModality* Master;
    pelko_wave::CModality* Child;
};

class CCallBackInfoMaximiseResponseCnt : public CCallBackInfo
{
public:
    explicit CCallBackInfoMaximiseResponseCnt(int count = 0) : Count(count) {}
    int Count; // questions whose maximum response count was raised
};

class CCallBackInfoSwapResponseOrder : public CCallBackInfo
{
public:
    CCallBackInfoSwapResponseOrder(int firstModalityId = -1, int secondModalityId = -1)
        : FirstModalityId(firstModalityId), SecondModalityId(secondModalityId)
    {
    }
    int FirstModalityId;
    int SecondModalityId;
};

class CCallBackInfoReorderQuesModalities : public CCallBackInfo
{
public:
    explicit CCallBackInfoReorderQuesModalities(pelko_wave::CQuestion* question = nullptr)
        : Question(question)
    {
    }
    pelko_wave::CQuestion* Question; // the question whose responses were reordered
};

class CCallBackInfoOrderCampaignQuestions : public CCallBackInfo
{
public:
    explicit CCallBackInfoOrderCampaignQuestions(pelko_wave::CWave* wave = nullptr) : Wave(wave) {}
    pelko_wave::CWave* Wave; // the wave whose order was applied
};

class CCallBackInfoOrderCampaignModalities : public CCallBackInfo
{
public:
    explicit CCallBackInfoOrderCampaignModalities(pelko_wave::CWave* wave = nullptr) : Wave(wave) {}
    pelko_wave::CWave* Wave; // the wave whose order was applied
};
