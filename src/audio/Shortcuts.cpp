#include "audio/Shortcuts.h"

#include "drumset/DrumsetItem.h"
#include "editor/Plocha.h"

#include <cctype>

namespace audio {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

} // namespace

std::optional<KeyCombination> parseShortcut(std::string_view text) {
    KeyCombination keys;
    for (;;) {
        if (startsWithNoCase(text, "Shift+") && text.size() > 6) {
            keys.Shift = true;
            text.remove_prefix(6);
        } else if (startsWithNoCase(text, "Ctrl+") && text.size() > 5) {
            keys.Ctrl = true;
            text.remove_prefix(5);
        } else if (startsWithNoCase(text, "Alt+") && text.size() > 4) {
            keys.Alt = true;
            text.remove_prefix(4);
        } else {
            break;
        }
    }
    if (text.empty())
        return std::nullopt;
    keys.Key = std::string(text);
    // One letter names the key whatever its case.
    if (keys.Key.size() == 1)
        keys.Key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(keys.Key[0])));
    return keys;
}

std::vector<DrumShortcut> buildDrumShortcuts(const TPlocha& plocha) {
    std::vector<DrumShortcut> list;
    for (size_t t = 0; t < plocha.Tracks.size(); ++t) {
        const TDRPlTrack& track = *plocha.Tracks[t];
        if (!track.GroupData)
            continue;
        if (auto keys = parseShortcut(track.GroupData->Shortcut))
            list.push_back(DrumShortcut{*keys, static_cast<int32_t>(t), -1});
    }
    for (size_t t = 0; t < plocha.Tracks.size(); ++t) {
        for (const auto& row : plocha.Tracks[t]->Samples) {
            if (!row->SampleData)
                continue;
            if (auto keys = parseShortcut(row->SampleData->Shortcut))
                list.push_back(DrumShortcut{*keys, static_cast<int32_t>(t), row->SampleIndex});
        }
    }
    return list;
}

} // namespace audio
