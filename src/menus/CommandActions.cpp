#include "menus/CommandActions.h"

#include "menus/MenuText.h"
#include "res/CommandIds.h"
#include "res/MenuTables.h"

#include <QAction>
#include <QActionGroup>

#include <algorithm>

namespace {
constexpr const char* kCommandIdProperty = "plimCommandId";

// The label a command shows where no handler names it: its main-menu text, else the menu text
// of its string resource.
QString DefaultLabel(unsigned id)
{
    if (const SMenuResource* menu = FindMenuResource(IDR_MAINFRAME)) {
        if (const SMenuItem* item = FindMenuCommand(menu->Items, id))
            return QString::fromUtf16(item->Text);
    }
    return menus::LoadMenuText(id);
}

QString PlainLabel(QString label)
{
    label.remove(u'&');
    if (label.endsWith(QStringLiteral("...")))
        label.chop(3);
    return label;
}
} // namespace

CCommandActions::CCommandActions(QObject* parent) : QObject(parent) {}

CCommandActions::~CCommandActions() = default;

unsigned CCommandActions::CommandId(const QAction* action)
{
    return action ? action->property(kCommandIdProperty).toUInt() : 0;
}

void CCommandActions::SetCommandId(QAction* action, unsigned id)
{
    action->setProperty(kCommandIdProperty, id);
}

QAction* CCommandActions::FindAction(unsigned id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QAction* CCommandActions::Action(unsigned id)
{
    if (QAction* existing = FindAction(id))
        return existing;
    auto* action = new QAction(this);
    SetCommandId(action, id);
    const QString label = DefaultLabel(id);
    const QList<QKeySequence> keys = menus::DefaultAccelerators(id);
    action->setShortcuts(keys);
    action->setText(menus::TextWithAccelerator(label, keys));
    action->setStatusTip(menus::LoadPromptText(id));
    const QString tip = menus::LoadMenuText(id);
    action->setToolTip(tip.isEmpty() ? PlainLabel(label) : tip);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    m_actions.emplace(id, action);
    return action;
}

void CCommandActions::AddHandler(unsigned id, ELevel level, QObject* owner,
                                 CommandHandler onCommand, UpdateHandler onUpdate)
{
    Action(id); // the update pass covers every command that has a handler
    std::vector<SHandler>& list = m_handlers[id];
    list.push_back(SHandler{level, m_nextSerial++, owner, owner != nullptr, std::move(onCommand),
                            std::move(onUpdate)});
    std::stable_sort(list.begin(), list.end(), [](const SHandler& a, const SHandler& b) {
        return a.Level != b.Level ? a.Level < b.Level : a.Serial < b.Serial;
    });
}

void CCommandActions::RemoveHandlers(const QObject* owner)
{
    for (auto& [id, list] : m_handlers) {
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [owner](const SHandler& h) {
                                      return h.HasOwner && h.Owner.data() == owner;
                                  }),
                   list.end());
    }
}

std::vector<CCommandActions::SHandler>* CCommandActions::Handlers(unsigned id)
{
    const auto it = m_handlers.find(id);
    if (it == m_handlers.end())
        return nullptr;
    // Handlers whose owner is gone leave with it.
    std::vector<SHandler>& list = it->second;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [](const SHandler& h) { return h.HasOwner && h.Owner.isNull(); }),
               list.end());
    return &list;
}

void CCommandActions::Update(unsigned id)
{
    QAction* action = Action(id);
    CCmdUI ui(id);
    bool hasCommand = false;
    if (std::vector<SHandler>* list = Handlers(id)) {
        hasCommand = std::any_of(list->begin(), list->end(),
                                 [](const SHandler& h) { return bool(h.OnCommand); });
        // Copied: an update handler may add or remove handlers.
        const std::vector<SHandler> handlers = *list;
        for (const SHandler& handler : handlers) {
            if (handler.OnUpdate) {
                handler.OnUpdate(ui);
                break;
            }
        }
    }
    Apply(action, ui, hasCommand);
}

void CCommandActions::Apply(QAction* action, const CCmdUI& ui, bool hasCommand)
{
    action->setEnabled(ui.m_enable.value_or(hasCommand));
    if (ui.m_radio) {
        if (!action->actionGroup()) {
            // A group of its own makes the menus draw a radio mark; the update decides the
            // state, so nothing is exclusive.
            auto* group = new QActionGroup(action);
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
            group->addAction(action);
        }
        action->setCheckable(true);
        action->setChecked(*ui.m_radio);
    }
    if (ui.m_check) {
        action->setCheckable(true);
        action->setChecked(*ui.m_check != 0);
    }
    if (ui.m_text)
        action->setText(menus::TextWithAccelerator(*ui.m_text, action->shortcuts()));
}

void CCommandActions::UpdateAll()
{
    ++m_updatePasses;
    std::vector<unsigned> ids;
    for (const auto& [id, action] : m_actions)
        ids.push_back(id);
    for (unsigned id : ids)
        Update(id);
}

void CCommandActions::RequestUpdate()
{
    if (m_updateRequested)
        return;
    m_updateRequested = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_updateRequested = false;
            UpdateAll();
        },
        Qt::QueuedConnection);
}

bool CCommandActions::Execute(unsigned id)
{
    Update(id);
    if (!Action(id)->isEnabled())
        return false;
    std::vector<SHandler>* list = Handlers(id);
    if (!list)
        return false;
    for (const SHandler& handler : *list) {
        if (handler.OnCommand) {
            const CommandHandler run = handler.OnCommand; // the handler may remove itself
            run();
            Q_EMIT CommandExecuted(id);
            return true;
        }
    }
    return false;
}
