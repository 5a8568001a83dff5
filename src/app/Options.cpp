#include "app/Options.h"

#include "app/Sluzby.h"

#include <stdexcept>

std::string GetDefaultDrumsetFile() {
    return joinPath(joinPath(GetProgramFolder(), "Drumsets"), "default.dum");
}

std::string GetDefaultPatternFile() {
    return joinPath(joinPath(GetProgramFolder(), "Patterns"), "default.ptn");
}

TOptionsItem::TOptionsItem(QObject* parent) : QObject(parent) {
    applyPresets();
}

void TOptionsItem::applyPresets() {
    m_defaultDrumsetFile = GetDefaultDrumsetFile();
    m_defaultPatternFile = GetDefaultPatternFile();
    m_runMaximized = true;
    m_showTipsOnStartup = true;
    m_showPatternManagerOnStartup = true;
    m_soundDevice = 0;
}

const std::string& TOptionsItem::mru(int number) const {
    if (number < 1 || number > MRUCount) {
        throw std::out_of_range("MRU" + std::to_string(number));
    }
    return m_mru[number - 1];
}

void TOptionsItem::setMru(int number, const std::string& value) {
    if (number < 1 || number > MRUCount) {
        throw std::out_of_range("MRU" + std::to_string(number));
    }
    m_mru[number - 1] = value;
}
