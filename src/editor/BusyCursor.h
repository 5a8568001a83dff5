// The program's wait cursor, shown (true) and taken back (false) in pairs.
#pragma once

#include <QApplication>

inline void ShowBusyCursor(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}
