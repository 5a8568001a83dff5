// TActionList: a named list of keyboard-shortcut actions of the main window
// that can be suspended as a whole, so that typed keys reach an edit field
// (a pattern name being edited) instead of triggering shortcuts.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QWidget;

class TActionList : public QObject {
    Q_OBJECT

public:
    // The actions' shortcuts work while owner's window is active.
    TActionList(const QString& name, QWidget* owner);

    // Takes the action into the list and onto the owner; the list's state
    // applies to it at once.
    void addAction(QAction* action);
    // Removes and deletes every action (the pattern and drumset lists are
    // refilled when their patterns or drumset change).
    void clear();
    const QList<QAction*>& actions() const { return m_actions; }

    // A suspended list's actions are disabled; enabling gives each action the
    // state it had before.
    void setSuspended(bool suspended);
    bool isSuspended() const { return m_suspended; }

private:
    QWidget* m_owner;
    QList<QAction*> m_actions;
    bool m_suspended = false;
};
