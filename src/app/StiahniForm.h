// TStiahniForm: the dialog of the hidden "Stiahni hits..." command, which
// pulls or stretches the hits of a range of bars in time.
#pragma once

#include <QDialog>
#include <cstdint>

class QSpinBox;

class TStiahniForm : public QDialog {
    Q_OBJECT

public:
    explicit TStiahniForm(QWidget* parent = nullptr);

    int32_t StartBar() const;
    int32_t EndBar() const;
    int32_t Ticks() const;

private:
    QSpinBox* m_startBar;
    QSpinBox* m_endBar;
    QSpinBox* m_ticks;
};
