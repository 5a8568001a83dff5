// What the hit properties and tempo dialogs are built from: TNumberEdit and
// TUpDown, the number field with its up-down arrows (the up-down holds the
// value inside its range; the field shows it and typing moves it), and the
// dialogs' common frame.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QWidget>
#include <optional>

class QToolButton;

// Takes only the digits, the minus sign and backspace, also when pasted.
class TNumberEdit : public QLineEdit {
public:
    TNumberEdit(const QString& name, int maxLength, QWidget* parent);
};

// The value of a field whose text is all digits; none for an empty text or
// one with any other character (a minus sign). Values too long for int come
// back as the largest int, so that the range still limits them.
std::optional<int> DigitsValue(const QString& text);

class TUpDown : public QWidget {
    Q_OBJECT

public:
    TUpDown(const QString& name, int minimum, int maximum, QWidget* parent);

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    // Keeps the position inside the new range.
    void SetRange(int minimum, int maximum);
    int Position() const { return m_position; }
    // Limited to the range; shown in the field.
    void SetPosition(int position);
    int Increment() const { return m_increment; }
    void SetIncrement(int increment) { m_increment = increment; }
    // The field that shows the position; typing digits there moves it.
    void SetAssociate(QLineEdit* edit);
    QLineEdit* Associate() const { return m_associate; }

    // What an arrow click does: moves by the increment in the direction
    // (+1 up, -1 down), shows the position and signals clicked.
    void Step(int direction);

signals:
    // An arrow was clicked (or an arrow key pressed in the field).
    void clicked();
    // The user changed the field's text (the position already follows it
    // when the text is all digits).
    void edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPosition();
    void associateTextChanged(const QString& text);

    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_increment = 1;
    QLineEdit* m_associate = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    bool m_showing = false;
};

// The field with its up-down beside it, as one widget for a layout cell.
QWidget* MakeFieldPair(TNumberEdit* edit, TUpDown* upDown, QWidget* parent);

// A single border with only a close button in the title bar, and a size
// fixed to the contents.
void SetDialogFrame(QDialog& dialog);
// Places the dialog centred on its parent's window (on the screen without one).
void CentreOnParent(QDialog& dialog);
