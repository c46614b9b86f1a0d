#include "controls/AutoRepeatButton.h"

#include <QMouseEvent>
#include <QTimer>

namespace {

class CQtRepeatTimer final : public IRepeatTimer
{
public:
    CQtRepeatTimer()
    {
        m_timer.setSingleShot(false);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (Tick)
                Tick();
        });
    }
    void Start(int milliseconds) override { m_timer.start(milliseconds); }
    void Stop() override { m_timer.stop(); }

private:
    QTimer m_timer;
};

} // namespace

CAutoRepeatButton::CAutoRepeatButton(int initialDelay, int repeatInterval, QWidget* parent)
    : CButtonST(parent), m_initialDelay(initialDelay), m_repeatInterval(repeatInterval)
{
    SetRepeatTimer(std::make_unique<CQtRepeatTimer>());
}

CAutoRepeatButton::~CAutoRepeatButton() = default;

void CAutoRepeatButton::SetRepeatTimer(std::unique_ptr<IRepeatTimer> timer)
{
    if (m_timer)
        m_timer->Stop();
    m_timer = std::move(timer);
    if (m_timer)
        m_timer->Tick = [this] { OnTick(); };
}

void CAutoRepeatButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_timer) {
        m_timer->Start(m_initialDelay);
        m_repeatCount = 0;
    }
    CButtonST::mousePressEvent(event);
}

void CAutoRepeatButton::OnTick()
{
    // Nothing while the button does not show pushed (the mouse went off it).
    if (!isDown())
        return;
    m_timer->Start(m_repeatInterval);
    Q_EMIT clicked(false);
    ++m_repeatCount;
}

void CAutoRepeatButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CButtonST::mouseReleaseEvent(event);
        return;
    }
    if (m_timer)
        m_timer->Stop();
    // The button's own release handling is left out: it would click once more.
    if (m_repeatCount == 0 && isDown())
        Q_EMIT clicked(false);
    setDown(false);
}
