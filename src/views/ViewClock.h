#pragma once

#include <QtGlobal>

// The monotonic clock of the views (fades and other timed drawing read it); tests install one
// they move by hand.
class IViewClock
{
public:
    virtual ~IViewClock() = default;
    // Milliseconds since an arbitrary fixed start; never goes back.
    virtual qint64 MonotonicMilliseconds() const = 0;
};

// The installed clock: the system's steady clock unless a test installed another.
const IViewClock& GetViewClock();
// Installs a clock (not owned) or, with null, the system's again.
void SetViewClock(const IViewClock* clock);
