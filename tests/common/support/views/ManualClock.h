#pragma once

#include "views/ViewClock.h"

// A clock that stands still until the test moves it; installs itself for its lifetime.
class CManualClock : public IViewClock
{
public:
    explicit CManualClock(qint64 start = 1000) : m_now(start) { SetViewClock(this); }
    ~CManualClock() override
    {
        if (&GetViewClock() == this)
            SetViewClock(nullptr);
    }
    CManualClock(const CManualClock&) = delete;
    CManualClock& operator=(const CManualClock&) = delete;

    qint64 MonotonicMilliseconds() const override { return m_now; }
    void Advance(qint64 milliseconds) { m_now += milliseconds; }

private:
    qint64 m_now;
};
