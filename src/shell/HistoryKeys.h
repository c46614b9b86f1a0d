#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class CWaveApp;
class QWidget;

// The application's keyboard filter for Undo and Redo: Ctrl+Z and Ctrl+Y pressed in the main
// window go to the application before any widget or shortcut of the window sees them, and undo
// or redo a step when the history allows it (else they are swallowed). While a modal window is
// up the keys are left to it: the history is not touched.
class CHistoryKeyFilter : public QObject
{
    Q_OBJECT

public:
    // Called after the application took a key, so that menus and toolbars show the new state.
    CHistoryKeyFilter(CWaveApp& app, std::function<void()> afterKey, QObject* parent = nullptr);

    // The window whose keys are filtered.
    void SetMainWindow(QWidget* window) { m_mainWindow = window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CWaveApp& m_app;
    std::function<void()> m_afterKey;
    QPointer<QWidget> m_mainWindow;
};
