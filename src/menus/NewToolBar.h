#pragma once

#include "menus/ColorRef.h"

#include <QToolBar>

class CCommandActions;

// A toolbar drawn in the current menu theme (CNewMenuStyle): gripper dots, rounded corners,
// a background that continues the menu-bar gradient, Office-2003 hot, pressed and checked
// buttons, and shaded, normal and disabled images from one strip. Controls placed in the bar
// are hidden while it is docked left or right and shown again when it lies across.
class CNewToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit CNewToolBar(QWidget* parent = nullptr);

    // Loads the toolbar resource: a button per command (the command's shared action) and a
    // separator per gap, each button with its image from the strip (transparent colour
    // CLR_DEFAULT: the strip's top-left pixel). A command that has an image already keeps it;
    // an image set here is not shown in menus. Returns false, adding nothing, when the
    // resource is unknown; a strip that cannot be read leaves the buttons without images.
    bool LoadToolBarResource(unsigned id, CCommandActions& actions,
                             menus::COLORREF transparent = menus::CLR_DEFAULT);
    // Places a control after the buttons; returns its action.
    QAction* AddControl(QWidget* control);

private:
    void OnOrientationChanged(Qt::Orientation orientation);
};
