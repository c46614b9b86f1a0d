#pragma once

#include <functional>
#include <optional>

// The state of the keyboard's lock keys, as the window system tells it.
struct SLockKeys
{
    bool Caps = false;
    bool Num = false;
    bool Scroll = false;
    bool operator==(const SLockKeys&) const = default;
};

// Reads the lock keys now; none when the state cannot be had at the moment.
using LockKeyReader = std::function<std::optional<SLockKeys>()>;

// The reader of the platform the program runs on: on X11 the keyboard extension's indicators.
// Empty where the platform does not tell the lock state (Wayland, no display, offscreen).
LockKeyReader PlatformLockKeyReader();
