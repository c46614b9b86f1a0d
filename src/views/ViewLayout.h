#pragma once

#include <QString>

class QWidget;

// How the main frame keeps the panes' sizes in the user profile (section "Layout"): each pane
// implements this beside being a widget. The frame reads and applies the sizes when it lays out
// its splitters and has each pane save its own before its window is destroyed.
class CViewLayout
{
public:
    virtual ~CViewLayout() = default;

    // Writes the pane's sizes to the profile.
    virtual void SaveLayout() = 0;
    // The pane's stored width and height; -1 each when the profile holds none.
    virtual void ReadLayout(int& width, int& height) = 0;
    // Applies stored sizes to the pane's own children.
    virtual void ApplyLayout() = 0;
};

namespace view_layout {

// "Layout/<key>" of the profile; -1 when absent or not a number.
int ReadValue(const QString& key);
void WriteValue(const QString& key, int value);
// "<name>Width" and "<name>Height", each -1 when absent.
void ReadPaneSize(const QString& name, int& width, int& height);
// Writes the widget's client size under "<name>Width" and "<name>Height".
void SavePaneSize(const QString& name, const QWidget& pane);

} // namespace view_layout
