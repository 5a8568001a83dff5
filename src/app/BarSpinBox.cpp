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
