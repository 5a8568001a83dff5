// TBarSpinBox: the start and end bar fields of the play tool bar - a number
// field with spin buttons from 0 to 999999 that takes digits only, and hands
// the Delete key to the window (it deletes the selected hits) instead of
// editing the text.
#pragma once

#include <QSpinBox>

class TBarSpinBox : public QSpinBox {
    Q_OBJECT

public:
    static constexpr int MaxBar = 999999;

    explicit TBarSpinBox(QWidget* parent = nullptr);

signals:
    // The Delete key was pressed in the field; the field itself is unchanged.
    void deletePressed();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
};
