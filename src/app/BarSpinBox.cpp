#include "app/BarSpinBox.h"

#include <QKeyEvent>
#include <algorithm>

TBarSpinBox::TBarSpinBox(QWidget* parent) : QSpinBox(parent) {
    setRange(0, MaxBar);
    setAccelerated(true);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
}

QValidator::State TBarSpinBox::validate(QString& input, int& pos) const {
    // Characters other than digits are dropped as they are typed, so "12a"
    // stays "12".
    QString digits;
    int removedBeforeCursor = 0;
    for (int i = 0; i < input.size(); ++i) {
        if (input.at(i).isDigit() && input.at(i).unicode() < 128) {
            digits.append(input.at(i));
        } else if (i < pos) {
            ++removedBeforeCursor;
        }
    }
    if (digits != input) {
        input = digits;
        pos = std::max(0, pos - removedBeforeCursor);
    }
    if (input.isEmpty()) {
        return QValidator::Intermediate;
    }
    return QSpinBox::validate(input, pos);
}

void TBarSpinBox::keyPressEvent(QKeyEvent* event) {
    constexpr Qt::KeyboardModifiers Chords =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Chords) == 0) {
        event->accept();
        emit deletePressed();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

bool TBarSpinBox::event(QEvent* event) {
    // The field only takes digits, so every other typed key (Space, a drum
    // shortcut letter) stays the window's shortcut while the field has focus.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isDigit()) {
            event->ignore();
            return false;
        }
    }
    return QSpinBox::event(event);
}
