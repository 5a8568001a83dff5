#include "app/MenuShortcuts.h"

#include <QAction>
#include <QEvent>
#include <QHash>
#include <QKeySequence>
#include <QMenuBar>
#include <QShortcutEvent>

namespace {

// Takes the menu bar's mnemonic shortcut events for the keys of the actions
// and triggers those actions instead.
class TMnemonicOverride : public QObject {
public:
    explicit TMnemonicOverride(QMenuBar& bar) : QObject(&bar) {}

    void add(const QKeySequence& key, QAction* action) { m_actions.insert(key, action); }
    bool isEmpty() const { return m_actions.isEmpty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Shortcut) {
            const auto* shortcut = static_cast<QShortcutEvent*>(event);
            if (QAction* action = m_actions.value(shortcut->key())) {
                if (action->isEnabled()) {
                    action->trigger();
                }
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QHash<QKeySequence, QAction*> m_actions;
};

} // namespace

void giveShortcutsPriorityOverMnemonics(QWidget& window, QMenuBar& bar) {
    auto* filter = new TMnemonicOverride(bar);
    const QList<QAction*> actions = window.findChildren<QAction*>();
    for (const QAction* menu : bar.actions()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(menu->text());
        if (mnemonic.isEmpty()) {
            continue;
        }
        for (QAction* action : actions) {
            if (action->shortcut() == mnemonic && action != menu) {
                // Still shown in the menu, but left to the filter while the
                // menus are closed.
                action->setShortcutContext(Qt::WidgetShortcut);
                filter->add(mnemonic, action);
            }
        }
    }
    if (filter->isEmpty()) {
        delete filter;
    } else {
        bar.installEventFilter(filter);
    }
}
