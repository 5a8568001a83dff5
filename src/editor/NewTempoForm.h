// TNewTempoForm: the tempo dialog ("Tempo") - bar, tick and tempo of a tempo
// change. One instance lives for the whole run; the tempo commands set it up
// from the change, show it and, when Confirmed, read the values back.
#pragma once

#include <QDialog>

class TNumberEdit;
class TUpDown;
struct TDRTempo;

class TNewTempoForm : public QDialog {
    Q_OBJECT

public:
    explicit TNewTempoForm(QWidget* parent = nullptr);

    void Setup(const TDRTempo& change);
    bool Confirmed() const { return m_confirmed; }
    // Writes Bar, Tick and Tempo from the up-downs into the record.
    void Results(TDRTempo& change) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TNumberEdit* m_barEdit = nullptr;
    TUpDown* m_barUpDown = nullptr;
    TNumberEdit* m_tickEdit = nullptr;
    TUpDown* m_tickUpDown = nullptr;
    TNumberEdit* m_tempoValueEdit = nullptr;
    TUpDown* m_tempoValueUpDown = nullptr;
    bool m_confirmed = false;
};
