#include "menus/NewToolBar.h"

#include "menus/CommandActions.h"
#include "menus/MenuIcons.h"
#include "res/MenuTables.h"

#include <QAction>
#include <QWidgetAction>

using namespace menus;

namespace {
constexpr const char* kControlProperty = "plimToolBarControl";
}

CNewToolBar::CNewToolBar(QWidget* parent) : QToolBar(parent)
{
    setIconSize(QSize(16, 15));
    setMovable(true);
    connect(this, &QToolBar::orientationChanged, this, &CNewToolBar::OnOrientationChanged);
}

bool CNewToolBar::LoadToolBarResource(unsigned id, CCommandActions& actions, COLORREF transparent)
{
    const SToolBarResource* resource = FindToolBarResource(id);
    if (!resource)
        return false;
    setIconSize(QSize(resource->ButtonWidth, resource->ButtonHeight));
    const CNewMenuIcons* icons = CNewMenuIcons::FindOrLoad(id, transparent);
    for (unsigned command : resource->Buttons) {
        if (command == 0) {
            addSeparator();
            continue;
        }
        QAction* action = actions.Action(command);
        if (icons && action->icon().isNull()) {
            action->setIcon(QIcon(icons->Image(command)));
            action->setIconVisibleInMenu(false);
        }
        addAction(action);
    }
    return true;
}

QAction* CNewToolBar::AddControl(QWidget* control)
{
    QAction* action = addWidget(control);
    action->setProperty(kControlProperty, true);
    action->setVisible(orientation() == Qt::Horizontal);
    return action;
}

void CNewToolBar::OnOrientationChanged(Qt::Orientation orientation)
{
    for (QAction* action : actions()) {
        if (action->property(kControlProperty).toBool())
            action->setVisible(orientation == Qt::Horizontal);
    }
}
