#include "menus/NewMenu.h"

#include "menus/CommandActions.h"
#include "menus/MenuColors.h"
#include "menus/MenuIcons.h"
#include "menus/MenuText.h"
#include "menus/MenuTheme.h"
#include "menus/NewMenuHook.h"
#include "menus/NewMenuStyle.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>

using namespace menus;

CNewMenu::CNewMenu() = default;

CNewMenu::~CNewMenu()
{
    DestroyMenu();
}

void CNewMenu::DestroyMenu()
{
    // Pop-ups first (their QMenus' actions sit in this level's QMenu), last first.
    while (!m_subMenus.empty())
        m_subMenus.pop_back();
    m_menu.reset();
}

bool CNewMenu::LoadMenu(unsigned menuId, CCommandActions* actions)
{
    DestroyMenu();
    const SMenuResource* resource = FindMenuResource(menuId);
    if (!resource)
        return false;
    Build(resource->Items, actions);
    return true;
}

void CNewMenu::Build(std::span<const SMenuItem> items, CCommandActions* actions)
{
    m_menu = std::make_unique<QMenu>();
    m_bSharedActions = actions != nullptr;
    for (const SMenuItem& item : items) {
        if (item.IsSeparator()) {
            m_menu->addSeparator();
        } else if (item.IsPopup()) {
            auto sub = std::make_unique<CNewMenu>();
            sub->m_pParent = this;
            sub->Build(item.Items, actions);
            sub->m_menu->setTitle(QString::fromUtf16(item.Text));
            m_menu->addMenu(sub->m_menu.get());
            m_subMenus.push_back(std::move(sub));
        } else {
            const QString label = QString::fromUtf16(item.Text);
            QAction* action;
            if (actions) {
                action = actions->Action(item.Id);
                action->setText(TextWithAccelerator(label, action->shortcuts()));
            } else {
                action = new QAction(m_menu.get());
                CCommandActions::SetCommandId(action, item.Id);
                action->setText(TextWithAccelerator(label, DefaultAccelerators(item.Id)));
                action->setStatusTip(LoadPromptText(item.Id));
            }
            if (item.Flags & MIF_GRAYED)
                action->setEnabled(false);
            m_menu->addAction(action);
        }
    }
    if (actions) {
        // The commands of a pop-up are brought up to date each time it opens.
        QMenu* menu = m_menu.get();
        QObject::connect(menu, &QMenu::aboutToShow, actions, [menu, actions] {
            for (QAction* action : menu->actions()) {
                if (const unsigned id = CCommandActions::CommandId(action))
                    actions->Update(id);
            }
        });
    }
}

bool CNewMenu::IsLoaded() const
{
    return m_menu != nullptr;
}

QMenu* CNewMenu::GetMenu() const
{
    return m_menu.get();
}

int CNewMenu::GetMenuItemCount() const
{
    return m_menu ? int(m_menu->actions().size()) : 0;
}

unsigned CNewMenu::GetMenuItemID(int position) const
{
    if (!m_menu || position < 0 || position >= GetMenuItemCount())
        return 0;
    return CCommandActions::CommandId(m_menu->actions().at(position));
}

CNewMenu* CNewMenu::GetSubMenuAt(int position) const
{
    if (!m_menu || position < 0 || position >= GetMenuItemCount())
        return nullptr;
    const QMenu* popup = m_menu->actions().at(position)->menu();
    for (const auto& sub : m_subMenus) {
        if (sub->m_menu.get() == popup)
            return sub.get();
    }
    return nullptr;
}

QAction* CNewMenu::FindCommand(unsigned id) const
{
    if (!m_menu)
        return nullptr;
    for (int i = 0; i < GetMenuItemCount(); ++i) {
        if (const CNewMenu* sub = GetSubMenuAt(i)) {
            if (QAction* found = sub->FindCommand(id))
                return found;
        } else if (GetMenuItemID(i) == id) {
            return m_menu->actions().at(i);
        }
    }
    return nullptr;
}

bool CNewMenu::EnableMenuItem(unsigned id, bool enable)
{
    bool found = false;
    for (int i = 0; i < GetMenuItemCount(); ++i) {
        if (CNewMenu* sub = GetSubMenuAt(i)) {
            found = sub->EnableMenuItem(id, enable) || found;
        } else if (id != 0 && GetMenuItemID(i) == id) {
            m_menu->actions().at(i)->setEnabled(enable);
            found = true;
        }
    }
    return found;
}

bool CNewMenu::RemoveMenuItem(unsigned idOrPosition, unsigned flags)
{
    if (!m_menu)
        return false;
    if (flags & MF_BYPOSITION) {
        const int position = int(idOrPosition);
        if (position < 0 || position >= GetMenuItemCount())
            return false;
        QAction* action = m_menu->actions().at(position);
        if (CNewMenu* sub = GetSubMenuAt(position)) {
            const auto it = std::find_if(m_subMenus.begin(), m_subMenus.end(),
                                         [sub](const auto& p) { return p.get() == sub; });
            m_subMenus.erase(it); // its QMenu, and with it the pop-up item, go
            return true;
        }
        m_menu->removeAction(action);
        if (action->parent() == m_menu.get())
            delete action;
        return true;
    }
    for (int i = 0; i < GetMenuItemCount(); ++i) {
        if (CNewMenu* sub = GetSubMenuAt(i)) {
            if (sub->RemoveMenuItem(idOrPosition, flags))
                return true;
        } else if (idOrPosition != 0 && GetMenuItemID(i) == idOrPosition) {
            return RemoveMenuItem(unsigned(i), MF_BYPOSITION);
        }
    }
    return false;
}

void CNewMenu::GrowIconSize(QSize size)
{
    if (!m_menu)
        return;
    const QVariant current = m_menu->property(CNewMenuStyle::kIconSizeProperty);
    const QSize now = current.isValid() ? current.toSize() : QSize(16, 15);
    m_menu->setProperty(CNewMenuStyle::kIconSizeProperty, now.expandedTo(size));
    for (const auto& sub : m_subMenus)
        sub->GrowIconSize(size);
}

void CNewMenu::ApplyIcons(const CNewMenuIcons& icons)
{
    const std::vector<unsigned>& commands = icons.Commands();
    for (auto it = commands.rbegin(); it != commands.rend(); ++it) {
        const QPixmap image = icons.Image(*it);
        std::vector<const CNewMenu*> levels{this};
        while (!levels.empty()) {
            const CNewMenu* level = levels.back();
            levels.pop_back();
            for (int i = 0; i < level->GetMenuItemCount(); ++i) {
                if (const CNewMenu* sub = level->GetSubMenuAt(i)) {
                    levels.push_back(sub);
                } else if (level->GetMenuItemID(i) == *it) {
                    QAction* action = level->m_menu->actions().at(i);
                    action->setIcon(QIcon(image));
                    action->setIconVisibleInMenu(true);
                }
            }
        }
    }
    GrowIconSize(icons.ImageSize());
}

bool CNewMenu::LoadToolBar(unsigned toolbarId, COLORREF transparent)
{
    const CNewMenuIcons* icons = CNewMenuIcons::FindOrLoad(toolbarId, transparent);
    if (!icons)
        return false;
    ApplyIcons(*icons);
    return true;
}

bool CNewMenu::LoadToolBar(unsigned bitmapId, std::span<const unsigned> ids, COLORREF transparent)
{
    const CNewMenuIcons* icons = CNewMenuIcons::FindOrLoad(bitmapId, ids, transparent);
    if (!icons)
        return false;
    ApplyIcons(*icons);
    return true;
}

void CNewMenu::AttachTo(QMenuBar* bar)
{
    if (!m_menu || !bar)
        return;
    for (const auto& sub : m_subMenus)
        bar->addMenu(sub->m_menu.get());
}

unsigned CNewMenu::TrackPopupMenu(QPoint globalPosition)
{
    if (!m_menu)
        return 0;
    return CCommandActions::CommandId(m_menu->exec(globalPosition));
}

int CNewMenu::SetDrawMode(int mode)
{
    CNewMenuStyle::Install();
    return CNewMenuHook::Instance().SetDrawMode(mode);
}

int CNewMenu::GetDrawMode()
{
    return CurrentDrawMode();
}

QString CNewMenu::LoadMenuText(unsigned stringId)
{
    return menus::LoadMenuText(stringId);
}

std::optional<QBrush> CNewMenu::GetThemeBrush()
{
    return menus::GetThemeBrush();
}

void CNewMenu::SetMenuBackground(QMenuBar* bar)
{
    if (!bar)
        return;
    bar->setProperty(CNewMenuStyle::kThemeBrushProperty, true);
    bar->update();
}

bool ShowContextMenu(unsigned menuId, int popup, const std::function<void(CNewMenu&)>& prepare,
                     const std::function<void(unsigned)>& onCommand, std::optional<QPoint> at)
{
    CNewMenu menu;
    if (!menu.LoadMenu(menuId))
        return false;
    CNewMenu* sub = menu.GetSubMenuAt(popup);
    if (!sub)
        return false;
    if (prepare)
        prepare(*sub);
    const unsigned chosen = sub->TrackPopupMenu(at.value_or(QCursor::pos()));
    if (chosen != 0 && onCommand)
        onCommand(chosen);
    return true;
}
