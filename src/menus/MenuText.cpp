#include "menus/MenuText.h"

#include "res/CommandIds.h"
#include "res/StringTable.h"

namespace menus {
namespace {
bool g_showAccelerators = true;

// The platform's keys of a standard action that a menu can name: combinations with a
// modifier (function keys of special keyboards are left out).
QList<QKeySequence> StandardKeys(QKeySequence::StandardKey key)
{
    QList<QKeySequence> keys;
    for (const QKeySequence& sequence : QKeySequence::keyBindings(key)) {
        if (!sequence.isEmpty() && sequence[0].keyboardModifiers() != Qt::NoModifier)
            keys.append(sequence);
    }
    return keys;
}
} // namespace

bool ShowAccelerators()
{
    return g_showAccelerators;
}

void SetShowAccelerators(bool show)
{
    g_showAccelerators = show;
}

QString KeyText(const QKeySequence& key)
{
    if (key.isEmpty())
        return {};
    const QKeyCombination combination = key[0];
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    QString text;
    if (modifiers & Qt::AltModifier)
        text += QStringLiteral("Alt+");
    if (modifiers & Qt::ControlModifier)
        text += QStringLiteral("Ctrl+");
    if (modifiers & Qt::ShiftModifier)
        text += QStringLiteral("Shift+");
    text += QKeySequence(combination.key()).toString(QKeySequence::NativeText);
    return text;
}

QString AcceleratorText(const QList<QKeySequence>& keys)
{
    QStringList parts;
    for (const QKeySequence& key : keys) {
        const QString text = KeyText(key);
        if (!text.isEmpty())
            parts.append(text);
    }
    return parts.join(QStringLiteral(", "));
}

QString TextWithAccelerator(const QString& text, const QList<QKeySequence>& keys, bool opensSubMenu)
{
    const qsizetype tab = text.indexOf(u'\t');
    QString result = tab < 0 ? text : text.left(tab);
    if (opensSubMenu || !g_showAccelerators)
        return result;
    const QString accelerator = AcceleratorText(keys);
    if (!accelerator.isEmpty())
        result += u'\t' + accelerator;
    return result;
}

QList<QKeySequence> DefaultAccelerators(unsigned commandId)
{
    switch (commandId) {
    case ID_FILE_NEW:
        return StandardKeys(QKeySequence::New);
    case ID_FILE_OPEN:
        return StandardKeys(QKeySequence::Open);
    case ID_FILE_SAVE:
        return StandardKeys(QKeySequence::Save);
    case ID_EDIT_CUT:
        return StandardKeys(QKeySequence::Cut);
    case ID_EDIT_COPY:
        return StandardKeys(QKeySequence::Copy);
    case ID_EDIT_PASTE:
        return StandardKeys(QKeySequence::Paste);
    case ID_EDIT_UNDO:
        return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
    case ID_EDIT_REDO:
        return {QKeySequence(Qt::CTRL | Qt::Key_Y)};
    case ID_LANGUAGES:
        return {QKeySequence(Qt::CTRL | Qt::Key_L)};
    default:
        return {};
    }
}

QString LoadMenuText(unsigned stringId)
{
    const QString text = LoadString(stringId);
    const qsizetype newline = text.lastIndexOf(u'\n');
    return newline < 0 ? text : text.mid(newline + 1);
}

QString LoadPromptText(unsigned stringId)
{
    const QString text = LoadString(stringId);
    const qsizetype newline = text.indexOf(u'\n');
    return newline < 0 ? text : text.left(newline);
}
} // namespace menus
