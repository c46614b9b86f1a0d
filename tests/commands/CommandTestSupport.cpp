#include "CommandTestSupport.h"

#include "model/Campaign.h"

namespace command_test {

QString Dump(const pelko_wave::CCampaign& campaign)
{
    return pelko_wave::DumpCampaign(campaign, pelko_wave::DUMP_STORED);
}

namespace {

QString End(int volumeId)
{
    return volumeId == pelko_wave::OPEN_END_ID ? QStringLiteral("*") : QString::number(volumeId);
}

} // namespace

QString MatchingsText(const pelko_wave::CCampaign& campaign)
{
    QStringList lines;
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        const pelko_wave::CWave& wave = *campaign.GetWave(w);
        for (int v = 0; v < wave.GetVolumeCount(); ++v) {
            const pelko_wave::CVolume& volume = *wave.GetVolume(v);
            for (int i = 0; i < volume.GetQuestionMatchingCount(); ++i) {
                const auto& m = *volume.GetQuestionMatching(i);
                lines << QStringLiteral("Q%1@%2=%3[%4..%5]")
                             .arg(m.GetQuestionId())
                             .arg(volume.GetVolumeId())
                             .arg(m.GetSourceId())
                             .arg(m.GetStartVolumeId())
                             .arg(End(m.GetEndVolumeId()));
            }
            for (int i = 0; i < volume.GetModalityMatchingCount(); ++i) {
                const auto& m = *volume.GetModalityMatching(i);
                lines << QStringLiteral("R%1@%2=%3[%4..%5]")
                             .arg(m.GetModalityId())
                             .arg(volume.GetVolumeId())
                             .arg(m.GetModalitySourceId())
                             .arg(m.GetStartVolumeId())
                             .arg(End(m.GetEndVolumeId()));
            }
        }
    }
    lines.sort();
    return lines.join(u' ');
}

::testing::AssertionResult RunSteps(CCmdVirtual& command, const pelko_wave::CCampaign& campaign,
                                    QString* afterDo, SStepRecords* records, bool leaveDone)
{
    const QString before = Dump(campaign);
    std::unique_ptr<CCallBackInfo> record;
    if (!command.Do(record))
        return ::testing::AssertionFailure()
               << "Do failed: " << command.GetErrorText().toStdString();
    if (!record)
        return ::testing::AssertionFailure() << "Do made no record";
    const QString done = Dump(campaign);
    if (afterDo)
        *afterDo = done;
    if (records)
        records->AfterDo = std::move(record);

    record.reset();
    if (!command.Undo(record) || !record)
        return ::testing::AssertionFailure() << "Undo failed or made no record";
    if (auto same = SameDump(Dump(campaign), before); !same)
        return ::testing::AssertionFailure() << "Undo: " << same.message();
    if (records)
        records->AfterUndo = std::move(record);

    record.reset();
    if (!command.Redo(record) || !record)
        return ::testing::AssertionFailure() << "Redo failed or made no record";
    if (auto same = SameDump(Dump(campaign), done); !same)
        return ::testing::AssertionFailure() << "Redo: " << same.message();
    if (records)
        records->AfterRedo = std::move(record);
    if (leaveDone)
        return ::testing::AssertionSuccess();

    record.reset();
    if (!command.Undo(record))
        return ::testing::AssertionFailure() << "second Undo failed";
    if (auto same = SameDump(Dump(campaign), before); !same)
        return ::testing::AssertionFailure() << "second Undo: " << same.message();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult FailsWithoutChange(CCmdVirtual& command,
                                              const pelko_wave::CCampaign& campaign)
{
    const QString before = Dump(campaign);
    std::unique_ptr<CCallBackInfo> record;
    if (command.Do(record))
        return ::testing::AssertionFailure() << "Do succeeded";
    if (record)
        return ::testing::AssertionFailure() << "a failed Do left a record";
    if (auto same = SameDump(Dump(campaign), before); !same)
        return ::testing::AssertionFailure()
               << "a failed Do changed the campaign: " << same.message();
    return ::testing::AssertionSuccess();
}

} // namespace command_test

bool CCommandTest::Execute(std::unique_ptr<CCmdVirtual> command, CCmdCallBacks callBacks)
{
    return m_history.Execute(command, std::move(callBacks));
}

::testing::AssertionResult CCommandTest::ExecuteAndCycle(std::unique_ptr<CCmdVirtual> command,
                                                         int cycles)
{
    const QString before = Dump();
    std::unique_ptr<CCmdVirtual> held = std::move(command);
    if (!m_history.Execute(held, {}))
        return ::testing::AssertionFailure() << "Do failed: " << held->GetErrorText().toStdString();
    return CycleUndoRedo(
        m_history, [this] { return Dump(); }, before, Dump(), cycles);
}

::testing::AssertionResult CycleUndoRedo(CommandHistory& history,
                                         const std::function<QString()>& dump,
                                         const QString& before, const QString& after, int cycles)
{
    for (int i = 0; i < cycles; ++i) {
        if (!history.Undo())
            return ::testing::AssertionFailure() << "Undo " << i + 1 << " failed";
        if (auto same = SameDump(dump(), before); !same)
            return ::testing::AssertionFailure() << "after Undo " << i + 1 << ":" << same.message();
        if (!history.Redo())
            return ::testing::AssertionFailure() << "Redo " << i + 1 << " failed";
        if (auto same = SameDump(dump(), after); !same)
            return ::testing::AssertionFailure() << "after Redo " << i + 1 << ":" << same.message();
    }
    return ::testing::AssertionSuccess();
}
