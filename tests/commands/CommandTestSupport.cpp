#include "CommandTestSupport.h"

#include "app/WaveApp.h"
#include "model/Campaign.h"
#include "storage/DBAccessDAO.h"

#include <QFile>
#include <QMap>
#include <sqlite3.h>

namespace command_test {

QString Dump(const pelko_wave::CCampaign& campaign)
{
    return pelko_wave::DumpCampaign(campaign, pelko_wave::DUMP_STORED);
}

namespace {

struct SRecord
{
    QString Key;
    QStringList Names;
    QStringList Values;
};

// "Kind [id] name=value ...": values are quoted texts, {...} or [...] groups, or plain words.
SRecord ParseRecord(const QString& line)
{
    SRecord record;
    qsizetype at = line.indexOf(u' ');
    const QString kind = line.left(at < 0 ? line.size() : at);
    QString id;
    if (at >= 0) {
        const qsizetype next = line.indexOf(u' ', at + 1);
        const QString word = line.mid(at + 1, next < 0 ? -1 : next - at - 1);
        if (!word.contains(u'=')) {
            id = word;
            at = next;
        }
    }
    while (at >= 0 && at < line.size()) {
        const qsizetype equals = line.indexOf(u'=', at + 1);
        if (equals < 0)
            break;
        record.Names << line.mid(at + 1, equals - at - 1);
        qsizetype end = equals + 1;
        int depth = 0;
        bool quoted = false;
        for (; end < line.size(); ++end) {
            const QChar c = line[end];
            if (quoted) {
                if (c == u'\\')
                    ++end;
                else if (c == u'"')
                    quoted = false;
            } else if (c == u'"') {
                quoted = true;
            } else if (c == u'{' || c == u'[') {
                ++depth;
            } else if (c == u'}' || c == u']') {
                --depth;
            } else if (c == u' ' && depth == 0) {
                break;
            }
        }
        record.Values << line.mid(equals + 1, end - equals - 1);
        at = end < line.size() ? end : -1;
    }
    // The fields that name a record without an id.
    static const QMap<QString, int> naming = {
        {"Campaign", 0},         {"Counters", 0},        {"QuestionMatching", 2},
        {"ModalityMatching", 2}, {"QuestionCaption", 3}, {"ModalityCaption", 4},
        {"ModalityMerging", 3},
    };
    if (!id.isEmpty()) {
        record.Key = kind + u' ' + id;
    } else if (naming.contains(kind)) {
        record.Key = kind;
        for (int i = 0; i < naming.value(kind) && i < record.Values.size(); ++i)
            record.Key += u' ' + record.Names[i] + u'=' + record.Values[i];
    } else {
        record.Key = line;
    }
    return record;
}

QString End(int volumeId)
{
    return volumeId == pelko_wave::OPEN_END_ID ? QStringLiteral("*") : QString::number(volumeId);
}

} // namespace

QString QuestionOrdersText(const pelko_wave::CCampaign& campaign)
{
    QStringList items;
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        const pelko_wave::CQuestion& q = *campaign.GetQuestion(i);
        items << QStringLiteral("%1%2").arg(q.GetShortcut()).arg(q.GetOrder());
    }
    return items.join(u' ');
}

QString ResponseOrdersText(const pelko_wave::CQuestion& question, int languageId)
{
    QStringList items;
    for (const pelko_wave::CModality* m : question.GetModalities())
        items << QStringLiteral("%1%2")
                     .arg(m->GetShortCaption(languageId))
                     .arg(m->GetModalityOrder());
    return items.join(u' ');
}

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

QStringList DumpDiff(const QString& before, const QString& after)
{
    const auto parse = [](const QString& dump) {
        QMap<QString, std::pair<QString, SRecord>> records;
        for (const QString& line : dump.split(u'\n', Qt::SkipEmptyParts)) {
            SRecord record = ParseRecord(line);
            records.insert(record.Key, {line, record});
        }
        return records;
    };
    const auto from = parse(before);
    const auto to = parse(after);
    QStringList diff;
    for (auto it = from.cbegin(); it != from.cend(); ++it) {
        const auto found = to.constFind(it.key());
        if (found == to.cend()) {
            diff << QStringLiteral("- ") + it->first;
            continue;
        }
        if (found->first == it->first)
            continue;
        const SRecord& a = it->second;
        const SRecord& b = found->second;
        for (int i = 0; i < a.Names.size() && i < b.Names.size(); ++i) {
            if (a.Values[i] != b.Values[i])
                diff << QStringLiteral("%1 %2: %3 -> %4")
                            .arg(it.key(), a.Names[i], a.Values[i], b.Values[i]);
        }
    }
    for (auto it = to.cbegin(); it != to.cend(); ++it) {
        if (!from.contains(it.key()))
            diff << QStringLiteral("+ ") + it->first;
    }
    return diff;
}

QString SaveAndReload(const pelko_wave::CCampaign& campaign, const QString& path, QString* error)
{
    QFile::remove(path);
    CDBAccessDAO storage;
    storage.SetFilePath(path);
    if (!storage.CreateDatabase() || !storage.Save(campaign)) {
        if (error)
            *error = storage.GetErrorText();
        return QString();
    }
    storage.Close();
    pelko_wave::CCampaign loaded;
    CDBAccessDAO reader;
    SLoadCampaignRecord record;
    record.Campaign = &loaded;
    record.DBAccess = &reader;
    record.Path = path;
    if (!LoadCampaign(record)) {
        if (error)
            *error = reader.GetErrorText();
        return QString();
    }
    reader.Close();
    return Dump(loaded);
}

QString CheckCampaignFile(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return QStringLiteral("cannot open ") + path;
    }
    QStringList problems;
    for (const char* sql : {"PRAGMA integrity_check", "PRAGMA foreign_key_check"}) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        while (statement && sqlite3_step(statement) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                row << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
            if (row != QStringList{"ok"})
                problems << row.join(u' ');
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return problems.join(u'\n');
}

::testing::AssertionResult KeepsItsReferences(const pelko_wave::CCampaign& campaign)
{
    using namespace pelko_wave;
    using ::testing::AssertionFailure;
    const auto volumeExists = [&](int id) { return campaign.FindVolume(id) != nullptr; };
    const auto endExists = [&](int id) { return id == OPEN_END_ID || volumeExists(id); };
    for (int i = 0; i < campaign.GetModalityCount(); ++i) {
        const CModality& modality = *campaign.GetModality(i);
        const CQuestion* question = campaign.GetQuestionById(modality.GetQuestionId());
        if (!question || question->FindModalityIndex(&modality) < 0)
            return AssertionFailure() << "response " << modality.GetModalityId()
                                      << " without its question " << modality.GetQuestionId();
        if (!volumeExists(modality.GetAppearanceVolumeId()))
            return AssertionFailure()
                   << "response " << modality.GetModalityId() << " appears in volume "
                   << modality.GetAppearanceVolumeId() << ", which is not in the campaign";
    }
    for (int i = 0; i < campaign.GetQuestionCount(); ++i) {
        const CQuestion& question = *campaign.GetQuestion(i);
        for (int r = 0; r < question.GetModalityCount(); ++r) {
            if (campaign.GetModalityById(question.GetModality(r)->GetModalityId()) !=
                question.GetModality(r))
                return AssertionFailure() << "question " << question.GetQuestionId()
                                          << " lists a response the campaign has not";
        }
        if (!volumeExists(question.GetAppearanceVolumeId()))
            return AssertionFailure()
                   << "question " << question.GetQuestionId() << " appears in volume "
                   << question.GetAppearanceVolumeId() << ", which is not in the campaign";
    }
    for (int w = 0; w < campaign.GetWaveCount(); ++w) {
        for (int v = 0; v < campaign.GetWave(w)->GetVolumeCount(); ++v) {
            const CVolume& volume = *campaign.GetWave(w)->GetVolume(v);
            for (int i = 0; i < volume.GetQuestionMatchingCount(); ++i) {
                const CQuestionMatching& m = *volume.GetQuestionMatching(i);
                if (!campaign.GetQuestionById(m.GetQuestionId()) ||
                    !volumeExists(m.GetVolumeId()) || !volumeExists(m.GetStartVolumeId()) ||
                    !endExists(m.GetEndVolumeId()))
                    return AssertionFailure()
                           << "volume " << volume.GetVolumeId() << " holds a matching of question "
                           << m.GetQuestionId() << " [" << m.GetStartVolumeId() << ".."
                           << m.GetEndVolumeId() << "] naming what is not there";
            }
            for (int i = 0; i < volume.GetModalityMatchingCount(); ++i) {
                const CModalityMatching& m = *volume.GetModalityMatching(i);
                const CModality* modality = campaign.GetModalityById(m.GetModalityId());
                if (!modality || modality->GetQuestionId() != m.GetQuestionId() ||
                    !volumeExists(m.GetVolumeId()) || !volumeExists(m.GetStartVolumeId()) ||
                    !endExists(m.GetEndVolumeId()))
                    return AssertionFailure()
                           << "volume " << volume.GetVolumeId() << " holds a matching of response "
                           << m.GetModalityId() << " [" << m.GetStartVolumeId() << ".."
                           << m.GetEndVolumeId() << "] naming what is not there";
            }
        }
    }
    for (int i = 0; i < campaign.GetModalityMergingCount(); ++i) {
        const CModalityMerging& m = *campaign.GetModalityMerging(i);
        if (!volumeExists(m.GetMergeVolumeId()) ||
            !campaign.GetModalityById(m.GetMasterModalityId()) ||
            !campaign.GetModalityById(m.GetChildModalityId()))
            return AssertionFailure() << "a merging of " << m.GetChildModalityId() << " into "
                                      << m.GetMasterModalityId() << " in volume "
                                      << m.GetMergeVolumeId() << " names what is not there";
    }
    return ::testing::AssertionSuccess();
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
