#include "views/ViewClock.h"

#include <chrono>

namespace {

class CSteadyClock final : public IViewClock
{
public:
    qint64 MonotonicMilliseconds() const override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

const CSteadyClock g_steadyClock;
const IViewClock* g_clock = nullptr;

} // namespace

const IViewClock& GetViewClock()
{
    return g_clock ? *g_clock : g_steadyClock;
}

void SetViewClock(const IViewClock* clock)
{
    g_clock = clock;
}
