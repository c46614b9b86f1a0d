#pragma once

#include "platform/WindowServices.h"

// A progress window that shows nothing and only keeps its position, for runs without windows.
class CSilentProgressWindow final : public IProgressWindow
{
public:
    explicit CSilentProgressWindow(int range) : m_range(range) {}
    void SetPos(int position) override { m_pos = position; }
    int GetPos() const override { return m_pos; }
    void OffsetPos(int steps) override { m_pos += steps; }
    void SetPosToLast() override { m_pos = m_range - 1; }
    void SetMessageText(const QString&) override {}

private:
    int m_range;
    int m_pos = 0;
};
