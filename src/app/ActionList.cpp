#include "app/ActionList.h"

#include <QAction>
#include <QWidget>
#include <utility>

namespace {

// The enabled state an action had before its list was suspended.
constexpr const char* EnabledBeforeSuspension = "tavorineEnabledBeforeSuspension";

} // namespace

TActionList::TActionList(const QString& name, QWidget* owner) : QObject(owner), m_owner(owner) {
    setObjectName(name);
}

void TActionList::addAction(QAction* action) {
    m_actions.append(action);
    m_owner->addAction(action);
    // Drum shortcut actions are freed with their drumset, not by the list.
    connect(action, &QObject::destroyed, this, [this](QObject* gone) {
        m_actions.removeIf([gone](QAction* a) { return static_cast<QObject*>(a) == gone; });
    });
    if (m_suspended) {
        action->setProperty(EnabledBeforeSuspension, action->isEnabled());
        action->setEnabled(false);
    }
}

void TActionList::clear() {
    const QList<QAction*> actions = std::exchange(m_actions, {});
    for (QAction* action : actions) {
        m_owner->removeAction(action);
        delete action;
    }
}

void TActionList::setSuspended(bool suspended) {
    if (suspended == m_suspended) {
        return;
    }
    m_suspended = suspended;
    for (QAction* action : m_actions) {
        if (suspended) {
            action->setProperty(EnabledBeforeSuspension, action->isEnabled());
            action->setEnabled(false);
        } else {
            const QVariant before = action->property(EnabledBeforeSuspension);
            action->setEnabled(!before.isValid() || before.toBool());
        }
    }
}
