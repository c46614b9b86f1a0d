#pragma once

#include "controls/ButtonST.h"

#include <functional>
#include <memory>

// The timer of an auto-repeat button: started with a period, it calls Tick until stopped or
// started again. Tests give their own.
class IRepeatTimer
{
public:
    virtual ~IRepeatTimer() = default;
    virtual void Start(int milliseconds) = 0;
    virtual void Stop() = 0;
    std::function<void()> Tick;
};

// A button that repeats its click while it is held down: one click after the initial delay,
// then one every repeat interval, none at release; a press released before the first repeat
// gives exactly one click.
class CAutoRepeatButton : public CButtonST
{
    Q_OBJECT

public:
    CAutoRepeatButton(int initialDelay, int repeatInterval, QWidget* parent = nullptr);
    ~CAutoRepeatButton() override;

    void SetRepeatTimer(std::unique_ptr<IRepeatTimer> timer);
    int GetRepeatCount() const { return m_repeatCount; }
    int GetInitialDelay() const { return m_initialDelay; }
    int GetRepeatInterval() const { return m_repeatInterval; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OnTick();

    int m_repeatCount = 0;
    int m_initialDelay;
    int m_repeatInterval;
    std::unique_ptr<IRepeatTimer> m_timer;
};
