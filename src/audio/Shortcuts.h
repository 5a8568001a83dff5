// Drum shortcuts: the key combinations read from the drumset's Shortcut
// texts ("Shift+", "Ctrl+", "Alt+" before a key name) and the list of
// shortcuts the rows give, for a window to bind to keys. Qt-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TPlocha;

namespace audio {

struct KeyCombination {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    // The key's name as written: "A", "5", "F7", "Space", "Num 3", ...
    std::string Key;

    friend bool operator==(const KeyCombination&, const KeyCombination&) = default;
};

// None for an empty text or one without a key after its modifiers.
std::optional<KeyCombination> parseShortcut(std::string_view text);

struct DrumShortcut {
    KeyCombination Keys;
    int32_t Group = 0;   // track index
    int32_t Sample = -1; // the sample row's SampleIndex; -1 for the group row
};

// Group rows first (in track order), then sample rows, as the rows stand.
std::vector<DrumShortcut> buildDrumShortcuts(const TPlocha& plocha);

} // namespace audio
