#pragma once

#include "commands/CallBackInfo.h"

#include <map>
#include <set>

// Change records of the composite commands: made once per composite step and naming the wave,
// question or response that the whole step concerned.

// Made by a plain CMetaCmd; no data.
class CCallBackInfoMetaCmd : public CCallBackInfo
{
};

class CCallBackInfoMetaReconcileWaveCmd : public CCallBackInfo
{
public:
    explicit CCallBackInfoMetaReconcileWaveCmd(int waveId = -1) : WaveId(waveId) {}
    int WaveId;
};

class CCallBackInfoMetaReReconcileWaveCmd : public CCallBackInfo
{
public:
    explicit CCallBackInfoMetaReReconcileWaveCmd(int waveId = -1) : WaveId(waveId) {}
    int WaveId;
};

class CCallBackInfoMetaRemoveWaveCmd : public CCallBackInfo
{
public:
    explicit CCallBackInfoMetaRemoveWaveCmd(int waveId = -1) : WaveId(waveId) {}
    int WaveId;
};

// The id given to the composite (the wave whose order is applied).
class CCallBackInfoMetaOrderCampaignCmd : public CCallBackInfo
{
public:
    explicit CCallBackInfoMetaOrderCampaignCmd(int id = -1) : Id(id) {}
    int Id;
};

// The campaign question and the question-property indexes that the composite's sub-commands
// change.
class CCallBackInfoMetaChangeQuestionCmd : public CCallBackInfo
{
public:
    explicit CCallBackInfoMetaChangeQuestionCmd(int questionId = -1, std::set<int> properties = {})
        : QuestionId(questionId), Properties(std::move(properties))
    {
    }
    int QuestionId;
    std::set<int> Properties;
};

class CCallBackInfoMetaChangeModalityCmd : public CCallBackInfo
{
public:
    explicit CCallBackInfoMetaChangeModalityCmd(int modalityId = -1) : ModalityId(modalityId) {}
    int ModalityId;
};

// The three ids given to the composite, in order.
class CCallBackInfoMetaChangeQuesAppVolIDCmd : public CCallBackInfo
{
public:
    CCallBackInfoMetaChangeQuesAppVolIDCmd(int volumeId = -1, int questionId = -1,
                                           int sourceQuestionId = -1)
        : VolumeId(volumeId), QuestionId(questionId), SourceQuestionId(sourceQuestionId)
    {
    }
    int VolumeId;
    int QuestionId;
    int SourceQuestionId;
};

// The three ids given to the composite, in order.
class CCallBackInfoMetaChangeModAppVolIDCmd : public CCallBackInfo
{
public:
    CCallBackInfoMetaChangeModAppVolIDCmd(int volumeId = -1, int modalityId = -1,
                                          int sourceModalityId = -1)
        : VolumeId(volumeId), ModalityId(modalityId), SourceModalityId(sourceModalityId)
    {
    }
    int VolumeId;
    int ModalityId;
    int SourceModalityId;
};

// Copies of the collections given to the composite; their meaning is the moving view's (the
// tree items' states before the move and after it).
class CCallBackInfoMetaMoveQuestionsCmd : public CCallBackInfo
{
public:
    CCallBackInfoMetaMoveQuestionsCmd() = default;
    CCallBackInfoMetaMoveQuestionsCmd(std::set<int> ids, std::map<int, int> before,
                                      std::map<int, int> after)
        : Ids(std::move(ids)), Before(std::move(before)), After(std::move(after))
    {
    }
    std::set<int> Ids;
    std::map<int, int> Before;
    std::map<int, int> After;
};

// The campaign questions that a consolidation of duplicates concerned.
class CCallBackInfoMetaRemoveDuplicatesCmd : public CCallBackInfo
{
public:
    explicit CCallBackInfoMetaRemoveDuplicatesCmd(std::set<int> questionIds = {})
        : QuestionIds(std::move(questionIds))
    {
    }
    std::set<int> QuestionIds;
};
