#pragma once

#include "app/CommandTable.h"
#include "common/qt/QtText.h"

#include <QAction>
#include <QKeySequence>
#include <QList>

namespace quilby {

// Gives `action` the menu text, status prompt, tooltip, shortcuts and check
// state of `command` from the command table, translated, and tags it with
// the command so the main window can place it.
inline void describeCommandAction(QAction* action, Command command) {
    const CommandInfo& info = commandInfo(command);
    action->setData(static_cast<int>(command));
    if (!info.statusTip.empty()) {
        action->setStatusTip(trCore(kCommandTextContext, info.statusTip));
    }
    // Set always: Qt would otherwise derive it from the menu text, mnemonic and all.
    action->setToolTip(info.toolTip.empty()
                           ? qs(plainMenuText(toUtf8(trCore(kCommandTextContext, info.menuText))))
                           : trCore(kCommandTextContext, info.toolTip));
    QList<QKeySequence> keys;
    for (const std::string_view key : info.shortcuts) {
        keys << QKeySequence(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())));
    }
    action->setShortcuts(keys);
    action->setCheckable(info.checkable);
}

// A new action for `command`, owned by `owner`, the object that handles it.
inline QAction* createCommandAction(Command command, QObject* owner) {
    auto* action = new QAction(trCore(kCommandTextContext, commandInfo(command).menuText), owner);
    describeCommandAction(action, command);
    return action;
}

// The same, connected to `owner`'s slot and appended to `actions`, the list
// of actions the owner hands to the main window.
template <typename Owner, typename Slot>
QAction* addCommandAction(QList<QAction*>& actions, Command command, Owner* owner, Slot slot) {
    QAction* action = createCommandAction(command, owner);
    QObject::connect(action, &QAction::triggered, owner, slot);
    actions.append(action);
    return action;
}

// The command an action was created for.
inline Command commandOf(const QAction* action) {
    return static_cast<Command>(action->data().toInt());
}

} // namespace quilby
