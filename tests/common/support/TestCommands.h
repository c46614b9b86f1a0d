#pragma once

// Small commands for testing the command frame (history, composites, the application's command
// execution) without a campaign. Header-only: include it from a test folder that links
// plim_commands.

#include "commands/CmdCallBacks.h"
#include "commands/CmdVirtual.h"
#include "support/QStringPrinter.h"

#include <QString>
#include <QStringList>
#include <memory>

// What the test commands did, shared by all commands of one test.
struct STestJournal
{
    QStringList Steps;     // "do A", "undo A", "redo A"; "fail undo A" for a failed step
    QStringList Applied;   // names of the commands whose change is in the "model", in order
    QStringList Delivered; // "after undo A", "before redo A" ... for each record a callback got
    int LiveCommands = 0;
    int LiveRecords = 0;
};

// The change record of a test command: the command's name.
class CTestCallBackInfo : public CCallBackInfo
{
public:
    CTestCallBackInfo(STestJournal& journal, const QString& name) : Name(name), m_journal(journal)
    {
        ++m_journal.LiveRecords;
    }
    ~CTestCallBackInfo() override { --m_journal.LiveRecords; }

    QString Name;

private:
    STestJournal& m_journal;
};

// Adds or removes its name in the journal's "model". Each step can be made to fail; a failing
// step leaves a record behind, which its caller must delete without delivering it.
class CTestCmd : public CCmdVirtual
{
public:
    CTestCmd(STestJournal& journal, const QString& name) : m_journal(journal), m_name(name)
    {
        ++m_journal.LiveCommands;
    }
    ~CTestCmd() override { --m_journal.LiveCommands; }

    bool Do(std::unique_ptr<CCallBackInfo>& record) override
    {
        return Step("do", FailDo, true, record);
    }
    bool Undo(std::unique_ptr<CCallBackInfo>& record) override
    {
        return Step("undo", FailUndo, false, record);
    }
    bool Redo(std::unique_ptr<CCallBackInfo>& record) override
    {
        return Step("redo", FailRedo, true, record);
    }
    bool CanUndo() const override { return Undoable; }
    bool CanRedo() const override { return Redoable; }
    QString GetName() const override { return m_name; }
    std::unique_ptr<CCallBackInfo> CreateCallBackInfo() const override
    {
        return std::make_unique<CTestCallBackInfo>(m_journal, m_name);
    }

    bool FailDo = false;
    bool FailUndo = false;
    bool FailRedo = false;
    bool Undoable = true;
    bool Redoable = true;
    QString Error; // error text of a failing step; none when empty

private:
    bool Step(const char* step, bool fail, bool apply, std::unique_ptr<CCallBackInfo>& record)
    {
        if (fail) {
            m_journal.Steps << QStringLiteral("fail %1 %2").arg(QLatin1String(step), m_name);
            if (!Error.isEmpty())
                SetErrorText(Error);
            record = CreateCallBackInfo();
            return false;
        }
        m_journal.Steps << QStringLiteral("%1 %2").arg(QLatin1String(step), m_name);
        if (apply)
            m_journal.Applied << m_name;
        else
            m_journal.Applied.removeOne(m_name);
        record = CreateCallBackInfo();
        return true;
    }

    STestJournal& m_journal;
    QString m_name;
};

// A callback that notes "<phase> <name>" in the journal for each record it gets, and deletes
// the record.
inline CCmdCallBack JournalCallBack(STestJournal& journal, const QString& phase)
{
    return [&journal, phase](std::unique_ptr<CCallBackInfo> record) {
        const auto* info = dynamic_cast<const CTestCallBackInfo*>(record.get());
        journal.Delivered << phase + QLatin1Char(' ') + (info ? info->Name : QStringLiteral("?"));
    };
}

inline CCmdCallBacks JournalCallBacks(STestJournal& journal)
{
    return {JournalCallBack(journal, QStringLiteral("after do")),
            JournalCallBack(journal, QStringLiteral("after undo")),
            JournalCallBack(journal, QStringLiteral("after redo"))};
}

inline CCmdPreCallBacks JournalPreCallBacks(STestJournal& journal)
{
    return {JournalCallBack(journal, QStringLiteral("before undo")),
            JournalCallBack(journal, QStringLiteral("before redo"))};
}
