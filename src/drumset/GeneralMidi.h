// General MIDI name tables (percussion keys, programs, notes) and the lookups
// that turn a drumset item's MIDI texts into numbers. Each table ends with the
// entry "(-)", which the editor offers for removing an assignment.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

static constexpr std::string_view GmNoAssignment = "(-)";
static constexpr int32_t GmFirstPercussionKey = 35;

// "Acoustic Bass Drum" (key 35) .. "Open Triangle" (key 81), then "(-)".
const std::vector<std::string>& gmPercussionNames();
// "01 - Acoustic Grand Piano" .. "128 - Gunshot", then "(-)".
const std::vector<std::string>& gmProgramNames();
// "Off", "C0", "C#0", .. "B9", then "(-)".
const std::vector<std::string>& gmNoteNames();

// The General MIDI key of a percussion name (35..81), -1 when not in the
// table. "(-)" counts as not in the table: it is never an assignment.
int32_t gmPercussionKey(std::string_view name);
// The program index 0..127 of a program name, -1 when absent.
int32_t gmProgramIndex(std::string_view name);
// The index of a note name ("Off" = 0, "C0" = 1, ..), -1 when absent.
int32_t gmNoteIndex(std::string_view name);
