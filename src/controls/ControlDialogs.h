#pragma once

#include "grid/ColorRef.h"
#include "grid/LogFont.h"

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// The modal questions the controls ask: the file, folder, colour and font choosers and the run of
// the controls' own dialogs. The window build answers with Qt's dialogs; tests install a scripted
// double. Each chooser returns false, leaving its value alone, when the user cancelled.
class IControlDialogs
{
public:
    virtual ~IControlDialogs() = default;

    // A file to open. The filter is written as the controls' callers write it
    // ("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"); the path is the initial file and, on
    // OK, the full path chosen.
    virtual bool ChooseFile(QWidget* owner, const QString& filter, QString& path) = 0;
    // A folder, starting at the path; on OK the path is the folder chosen.
    virtual bool ChooseFolder(QWidget* owner, const QString& title, QString& path) = 0;
    virtual bool ChooseColor(QWidget* owner, COLORREF& colour) = 0;
    // The font chooser with effects (underline, strike-out); the whole font is replaced on OK.
    virtual bool ChooseFont(QWidget* owner, LOGFONT& font) = 0;
    // Runs a dialog modally and returns its result (the controls' dialogs end with the id of the
    // button that closed them: IDOK, IDCANCEL).
    virtual int RunModal(QDialog& dialog) = 0;
};

// The dialogs in use: Qt's until a test installs others.
IControlDialogs& GetControlDialogs();
// Installs dialogs (not owned; the caller keeps them alive) or, with null, Qt's again.
void SetControlDialogs(IControlDialogs* dialogs);

// Qt's name filters of a filter word: "Name (*.a)|*.a|..." gives "Name (*.a)" per pair, the
// pair's patterns (";" between them) put in the name's parentheses; "*.*" becomes "*", every file.
QStringList FileFilterToNameFilters(const QString& filter);

// Gives a file chooser the size its columns need in the user's font (Qt's own chooser opens
// too narrow for its date column), unless it is larger already.
void SizeFileChooser(QWidget& chooser);
