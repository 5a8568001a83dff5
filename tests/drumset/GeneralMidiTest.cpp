// The General MIDI name tables and the numbers derived from an item's names.
#include "drumset/GeneralMidi.h"

#include "drumset/DrumsetItem.h"

#include <gtest/gtest.h>

TEST(GeneralMidi, TablesHoldTheirEntriesThenTheRemovalEntry) {
    struct Case {
        const std::vector<std::string>& table;
        size_t size;
        std::vector<std::pair<size_t, std::string>> entries;
    };
    const Case cases[] = {
        {gmPercussionNames(),
         48,
         {{0, "Acoustic Bass Drum"}, {7, "Closed Hi-Hat"}, {46, "Open Triangle"}, {47, "(-)"}}},
        {gmProgramNames(),
         129,
         {{0, "01 - Acoustic Grand Piano"},
          {8, "09 - Celesta"},
          {77, "78 - Skakuhachi"},
          {87, "88 - Bass&Lead"},
          {98, "99 - Crystal"},
          {99, "100 - Atmosphere"},
          {127, "128 - Gunshot"},
          {128, "(-)"}}},
        {gmNoteNames(),
         122,
         {{0, "Off"}, {1, "C0"}, {2, "C#0"}, {12, "B0"}, {13, "C1"}, {120, "B9"}, {121, "(-)"}}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.table.size(), c.size);
        for (const auto& [index, name] : c.entries) {
            EXPECT_EQ(c.table[index], name) << index;
        }
    }
}

TEST(GeneralMidi, UpdateMidiNumbersDerivesKeysProgramsAndNotes) {
    TDrumsetItem item;
    item.MidiInstrument = "Acoustic Bass Drum";
    item.AltMidiInstrument = "Open Triangle";
    item.GeneralMidiInstrument = "10 - Glockenspiel";
    item.AltGeneralMidiInstrument = "128 - Gunshot";
    item.GeneralMidiNote = "A#4";
    item.updateMidiNumbers();
    EXPECT_EQ(item.MidiNote, 35);
    EXPECT_EQ(item.AltMidiNote, 81);
    EXPECT_EQ(item.GeneralMidiProgram, 9);
    EXPECT_EQ(item.AltGeneralMidiProgram, 127);
    EXPECT_EQ(item.GeneralMidiNoteIndex, 1 + 4 * 12 + 10);

    // Unknown, empty, removal-entry and wrongly cased names are no assignment.
    item.MidiInstrument = "(-)";
    item.AltMidiInstrument = "";
    item.GeneralMidiInstrument = "Glockenspiel";
    item.AltGeneralMidiInstrument = "(-)";
    item.GeneralMidiNote = "c4";
    item.updateMidiNumbers();
    EXPECT_EQ(item.MidiNote, -1);
    EXPECT_EQ(item.AltMidiNote, -1);
    EXPECT_EQ(item.GeneralMidiProgram, -1);
    EXPECT_EQ(item.AltGeneralMidiProgram, -1);
    EXPECT_EQ(item.GeneralMidiNoteIndex, -1);
}
