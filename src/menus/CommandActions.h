#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class QAction;

// What an update handler sets for its command: enabled, checked (a check or a radio mark) and
// the item's text. Whatever the handler leaves alone stays as it was, except that a command
// whose update handlers leave its enabling alone is enabled exactly when some handler runs it.
class CCmdUI
{
public:
    explicit CCmdUI(unsigned id) : m_nID(id) {}

    void Enable(bool enable = true) { m_enable = enable; }
    // 0 unchecked, 1 checked, 2 indeterminate (shown checked).
    void SetCheck(int check = 1) { m_check = check; }
    // A radio mark instead of a check mark, on or off.
    void SetRadio(bool on = true) { m_radio = on; }
    // The item's text without accelerator; the accelerator text is added to it.
    void SetText(const QString& text) { m_text = text; }

    const unsigned m_nID;
    std::optional<bool> m_enable;
    std::optional<int> m_check;
    std::optional<bool> m_radio;
    std::optional<QString> m_text;
};

// The program's commands as actions: one QAction per command id, shared by the menu bar, the
// toolbars and the views' key bindings, made on first use with its text (from the main menu,
// with its accelerator text), shortcuts, status-bar prompt and tool tip (from the string table).
//
// Each command has an ordered list of handlers: view before document before frame before
// application, and within one level in the order they were added. Running a command runs the
// first handler that has a command function; updating it asks the first handler that has an
// update function. A handler belongs to an owner object and goes when the owner is destroyed.
//
// The window program runs UpdateAll when a menu opens and after every command, and the views
// ask for a pass (RequestUpdate) when what the commands act on changes, so that menus and
// toolbar buttons show the state of the moment.
class CCommandActions : public QObject
{
    Q_OBJECT
public:
    enum ELevel
    {
        View = 0,
        Document = 1,
        Frame = 2,
        Application = 3
    };
    using CommandHandler = std::function<void()>;
    using UpdateHandler = std::function<void(CCmdUI&)>;

    explicit CCommandActions(QObject* parent = nullptr);
    ~CCommandActions() override;

    // The action of the command, made on first ask.
    QAction* Action(unsigned id);
    // The action of the command when it has been made, else null.
    QAction* FindAction(unsigned id) const;
    // The command id an action stands for (this registry's or a context menu's own); 0 for
    // an action of no command.
    static unsigned CommandId(const QAction* action);
    // Marks an action as standing for the command.
    static void SetCommandId(QAction* action, unsigned id);

    // Adds a handler of the command at the level (making the command's action when missing).
    // Either function may be empty.
    void AddHandler(unsigned id, ELevel level, QObject* owner, CommandHandler onCommand,
                    UpdateHandler onUpdate = {});
    // Removes every handler of the owner.
    void RemoveHandlers(const QObject* owner);

    // Runs the command when its update leaves it enabled: the first handler with a command
    // function takes it. Returns false when the command is disabled or no handler takes it.
    bool Execute(unsigned id);
    // Updates the action of the command (made when missing).
    void Update(unsigned id);
    // Updates every action made so far (every command with a handler has one).
    void UpdateAll();
    // Asks for an UpdateAll at the next turn of the event loop: the requests made before it
    // runs give one pass.
    void RequestUpdate();
    // The number of UpdateAll passes so far.
    quint64 GetUpdatePassCount() const { return m_updatePasses; }

Q_SIGNALS:
    // After a command ran through Execute (from an action, a key or a call).
    void CommandExecuted(unsigned id);

private:
    struct SHandler
    {
        ELevel Level;
        quint64 Serial;
        QPointer<QObject> Owner;
        bool HasOwner;
        CommandHandler OnCommand;
        UpdateHandler OnUpdate;
    };
    std::vector<SHandler>* Handlers(unsigned id);
    void Apply(QAction* action, const CCmdUI& ui, bool hasCommand);

    std::map<unsigned, QAction*> m_actions;
    std::map<unsigned, std::vector<SHandler>> m_handlers;
    quint64 m_nextSerial = 0;
    quint64 m_updatePasses = 0;
    bool m_updateRequested = false;
};
