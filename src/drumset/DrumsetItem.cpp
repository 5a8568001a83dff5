#include "drumset/DrumsetItem.h"

#include "drumset/GeneralMidi.h"

void TDrumsetItem::updateMidiNumbers() {
    MidiNote = gmPercussionKey(MidiInstrument);
    AltMidiNote = gmPercussionKey(AltMidiInstrument);
    GeneralMidiProgram = gmProgramIndex(GeneralMidiInstrument);
    AltGeneralMidiProgram = gmProgramIndex(AltGeneralMidiInstrument);
    GeneralMidiNoteIndex = gmNoteIndex(GeneralMidiNote);
}

bool TDrumsetItem::isEligible(THitType hitType) const {
    switch (hitType) {
    case THitType::htHeavy:
        return HeavyHit;
    case THitType::htMedium:
        return MediumHit;
    case THitType::htLight:
        return LightHit;
    case THitType::htAny:
        return true;
    }
    return false;
}
