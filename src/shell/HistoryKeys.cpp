#include "shell/HistoryKeys.h"

#include "app/WaveApp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

CHistoryKeyFilter::CHistoryKeyFilter(CWaveApp& app, std::function<void()> afterKey, QObject* parent)
    : QObject(parent), m_app(app), m_afterKey(std::move(afterKey))
{
}

bool CHistoryKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Z && key->key() != Qt::Key_Y) ||
        !(key->modifiers() & Qt::ControlModifier))
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !m_mainWindow || widget->window() != m_mainWindow ||
        QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return false;

    if (event->type() == QEvent::ShortcutOverride) {
        // Taken here, so that neither a shortcut nor the focused widget's own undo runs: the key
        // press that follows comes to this filter.
        event->accept();
        return true;
    }
    const bool taken = m_app.PreTranslateHistoryKey(key->key(), true);
    if (taken && m_afterKey)
        m_afterKey();
    return taken;
}
