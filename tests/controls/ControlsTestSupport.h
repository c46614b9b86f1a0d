#pragma once

#include "controls/ControlDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>

#include <functional>

// Scripted answers for the controls' modal questions; installs itself for its lifetime. Each
// chooser answers with the value set here (or cancels when none is set) and counts its calls.
class CScriptedControlDialogs : public IControlDialogs
{
public:
    CScriptedControlDialogs() { SetControlDialogs(this); }
    ~CScriptedControlDialogs() override { SetControlDialogs(nullptr); }

    bool ChooseFile(QWidget*, const QString& filter, QString& path) override
    {
        ++Calls;
        LastFilter = filter;
        LastPath = path;
        if (!Answer)
            return false;
        path = FileAnswer;
        return true;
    }
    bool ChooseFolder(QWidget*, const QString& title, QString& path) override
    {
        ++Calls;
        LastTitle = title;
        LastPath = path;
        if (!Answer)
            return false;
        path = FolderAnswer;
        return true;
    }
    bool ChooseColor(QWidget*, COLORREF& colour) override
    {
        ++Calls;
        if (!Answer)
            return false;
        colour = ColourAnswer;
        return true;
    }
    bool ChooseFont(QWidget*, LOGFONT& font) override
    {
        ++Calls;
        if (!Answer)
            return false;
        font = FontAnswer;
        return true;
    }
    // Shows the dialog, lets the script work on it, and returns the script's answer (Cancel
    // without a script).
    int RunModal(QDialog& dialog) override
    {
        ++Calls;
        dialog.show();
        QApplication::processEvents();
        const int result = OnModal ? OnModal(dialog) : 2;
        dialog.hide();
        return result;
    }

    bool Answer = true;
    QString FileAnswer;
    QString FolderAnswer;
    COLORREF ColourAnswer = 0;
    LOGFONT FontAnswer;
    std::function<int(QDialog&)> OnModal;
    int Calls = 0;
    QString LastFilter;
    QString LastTitle;
    QString LastPath;
};

// Shows a top-level window and makes it the active one, so that focus changes arrive.
inline void ShowActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window);
    QApplication::processEvents();
}
