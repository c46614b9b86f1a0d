#pragma once

#include "commands/MetaCmd.h"

#include <map>
#include <set>

// Composites that keep the subject of their step (a wave, a question, a response) and name it in
// their change record, so that the issuing view knows what the whole step concerned. They run
// their sub-commands exactly as CMetaCmd does.

class CMetaReconcileWaveCmd : public CMetaCmd
{
public:
    CMetaReconcileWaveCmd(unsigned nameId, int waveId) : CMetaCmd(nameId), m_waveId(waveId) {}
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    int m_waveId;
};

class CMetaReReconcileWaveCmd : public CMetaCmd
{
public:
    CMetaReReconcileWaveCmd(unsigned nameId, int waveId) : CMetaCmd(nameId), m_waveId(waveId) {}
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    int m_waveId;
};

class CMetaRemoveWaveCmd : public CMetaCmd
{
public:
    CMetaRemoveWaveCmd(unsigned nameId, int waveId) : CMetaCmd(nameId), m_waveId(waveId) {}
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    int m_waveId;
};

class CMetaOrderCampaignCmd : public CMetaCmd
{
public:
    CMetaOrderCampaignCmd(unsigned nameId, int id) : CMetaCmd(nameId), m_id(id) {}
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    int m_id;
};

// Names the question and, at record time, the question properties its sub-commands change: a
// question change its index, a short-caption change 23, a long-caption change 24.
class CMetaChangeQuestionCmd : public CMetaCmd
{
public:
    CMetaChangeQuestionCmd(unsigned nameId, int questionId)
        : CMetaCmd(nameId), m_questionId(questionId)
    {
    }
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    int m_questionId;
};

class CMetaChangeModalityCmd : public CMetaCmd
{
public:
    CMetaChangeModalityCmd(unsigned nameId, int modalityId)
        : CMetaCmd(nameId), m_modalityId(modalityId)
    {
    }
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    int m_modalityId;
};

class CMetaChangeQuesAppVolIDCmd : public CMetaCmd
{
public:
    CMetaChangeQuesAppVolIDCmd(unsigned nameId, int volumeId, int questionId, int sourceQuestionId)
        : CMetaCmd(nameId), m_volumeId(volumeId), m_questionId(questionId),
          m_sourceQuestionId(sourceQuestionId)
    {
    }
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    int m_volumeId;
    int m_questionId;
    int m_sourceQuestionId;
};

class CMetaChangeModAppVolIDCmd : public CMetaCmd
{
public:
    CMetaChangeModAppVolIDCmd(unsigned nameId, int volumeId, int modalityId, int sourceModalityId)
        : CMetaCmd(nameId), m_volumeId(volumeId), m_modalityId(modalityId),
          m_sourceModalityId(sourceModalityId)
    {
    }
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    int m_volumeId;
    int m_modalityId;
    int m_sourceModalityId;
};

// Keeps copies of the moving view's collections (an id set and two id-to-id maps) and hands
// copies of them in every record.
class CMetaMoveQuestionsCmd : public CMetaCmd
{
public:
    CMetaMoveQuestionsCmd(unsigned nameId, std::set<int> ids, std::map<int, int> before,
                          std::map<int, int> after)
        : CMetaCmd(nameId), m_ids(std::move(ids)), m_before(std::move(before)),
          m_after(std::move(after))
    {
    }
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;

private:
    std::set<int> m_ids;
    std::map<int, int> m_before;
    std::map<int, int> m_after;
};

// The duplicates dialog's consolidation: names, at record time, every campaign question its
// sub-commands concern (the kept and the removed questions, and the questions whose responses
// are folded together), whose differences the step makes stale.
class CMetaRemoveDuplicatesCmd : public CMetaCmd
{
public:
    using CMetaCmd::CMetaCmd;
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override;
};
