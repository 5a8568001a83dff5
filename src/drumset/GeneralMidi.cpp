#include "drumset/GeneralMidi.h"

#include <array>
#include <iterator>

namespace {

constexpr std::string_view PercussionNames[] = {
    "Acoustic Bass Drum",
    "Bass Drum 1",
    "Side Stick",
    "Acoustic Snare",
    "Hand Clap",
    "Electric Snare",
    "Low Floor Tom",
    "Closed Hi-Hat",
    "High Floor Tom",
    "Pedal Hi-Hat",
    "Low Tom",
    "Open Hi-Hat",
    "Low Mid Tom",
    "Hi Mid Tom",
    "Crash Cymbal 1",
    "High Tom",
    "Ride Cymbal 1",
    "Chinese Cymbal",
    "Ride Bell",
    "Tambourine",
    "Splash Cymbal",
    "Cowbell",
    "Crash Cymbal 2",
    "Vibraslap",
    "Ride Cymbal 2",
    "Hi Bongo",
    "Low Bongo",
    "Mute Hi Conga",
    "Open Hi Conga",
    "Low Conga",
    "High Timbale",
    "Low Timbale",
    "High Agogo",
    "Low Agogo",
    "Cabasa",
    "Maracas",
    "Short Whistle",
    "Long Whistle",
    "Short Guiro",
    "Long Guiro",
    "Claves",
    "Hi Wood Block",
    "Low Wood Block",
    "Mute Cuica",
    "Open Cuica",
    "Mute Triangle",
    "Open Triangle",
};
static_assert(std::size(PercussionNames) == 81 - GmFirstPercussionKey + 1);

// Spelled as the program has always shown them (e.g. "Skakuhachi").
constexpr std::string_view ProgramNames[] = {
    "Acoustic Grand Piano",
    "Bright Acoustic Piano",
    "Electric Grand Piano",
    "Honky-Tonk Piano",
    "Electric Piano 1",
    "Electric Piano 2",
    "Harpsichord",
    "Clavinet",
    "Celesta",
    "Glockenspiel",
    "Music Box",
    "Vibraphone",
    "Marimba",
    "Xylophone",
    "Tubular Bells",
    "Dulcimer",
    "Drawbar Organ",
    "Percussive Organ",
    "Rock Organ",
    "Church Organ",
    "Reed Organ",
    "Accordion",
    "Harmonica",
    "Tango Accordion",
    "Nylon String Guitar",
    "Steel String Guitar",
    "Electric Jazz Guitar",
    "Electric Clean Guitar",
    "Electric Muted Guitar",
    "Overdriven Guitar",
    "Distortion Guitar",
    "Guitar Harmonics",
    "Acoustic Bass",
    "Electric Bass (finger)",
    "Electric Bass (pick)",
    "Fretless Bass",
    "Slap Bass 1",
    "Slap Bass 2",
    "Synth Bass 1",
    "Synth Bass 2",
    "Violin",
    "Viola",
    "Cello",
    "Contrabass",
    "Tremolo Strings",
    "Pizzicato Strings",
    "Orchestral Strings",
    "Timpani",
    "String Ensemble 1",
    "String Ensemble 2",
    "SynthStrings 1",
    "SynthStrings 2",
    "Choir Aahs",
    "Voice Oohs",
    "Synth Voice",
    "Orchestra Hit",
    "Trumpet",
    "Trombone",
    "Tuba",
    "Muted Trumpet",
    "French Horn",
    "Brass Section",
    "SynthBrass 1",
    "SynthBrass 2",
    "Soprano Sax",
    "Alto Sax",
    "Tenor Sax",
    "Baritone Sax",
    "Oboe",
    "English Horn",
    "Bassoon",
    "Clarinet",
    "Piccolo",
    "Flute",
    "Recorder",
    "Pan Flute",
    "Blown Bottle",
    "Skakuhachi",
    "Whistle",
    "Ocarina",
    "Square Wave",
    "Saw Wave",
    "Syn. Calliope",
    "Chiffer Lead",
    "Charang",
    "Solo Vox",
    "5th Saw Wave",
    "Bass&Lead",
    "Fantasia",
    "Warm Pad",
    "Polysynth",
    "Space Voice",
    "Bowed Glass",
    "Metal Pad",
    "Halo Pad",
    "Sweep Pad",
    "Ice Rain",
    "Soundtrack",
    "Crystal",
    "Atmosphere",
    "Brightness",
    "Goblin",
    "Echo Drops",
    "Star Theme",
    "Sitar",
    "Banjo",
    "Shamisen",
    "Koto",
    "Kalimba",
    "Bagpipe",
    "Fiddle",
    "Shanai",
    "Tinkle Bell",
    "Agogo",
    "Steel Drums",
    "Woodblock",
    "Taiko Drum",
    "Melodic Tom",
    "Synth Drum",
    "Reverse Cymbal",
    "Guitar Fret Noise",
    "Breath Noise",
    "Seashore",
    "Bird Tweet",
    "Telephone Ring",
    "Helicopter",
    "Applause",
    "Gunshot",
};
static_assert(std::size(ProgramNames) == 128);

constexpr std::array<std::string_view, 12> PitchClasses = {"C",  "C#", "D",  "D#", "E",  "F",
                                                           "F#", "G",  "G#", "A",  "A#", "B"};
static constexpr int32_t OctaveCount = 10;

// Index of name among the entries before "(-)", -1 when absent.
int32_t indexIn(const std::vector<std::string>& table, std::string_view name) {
    for (size_t i = 0; i + 1 < table.size(); ++i) {
        if (table[i] == name) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

} // namespace

const std::vector<std::string>& gmPercussionNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list(std::begin(PercussionNames), std::end(PercussionNames));
        list.emplace_back(GmNoAssignment);
        return list;
    }();
    return names;
}

const std::vector<std::string>& gmProgramNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        list.reserve(std::size(ProgramNames) + 1);
        for (size_t i = 0; i < std::size(ProgramNames); ++i) {
            std::string number = std::to_string(i + 1);
            if (number.size() < 2) {
                number.insert(0, "0");
            }
            list.push_back(number + " - " + std::string(ProgramNames[i]));
        }
        list.emplace_back(GmNoAssignment);
        return list;
    }();
    return names;
}

const std::vector<std::string>& gmNoteNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        list.reserve(2 + OctaveCount * PitchClasses.size());
        list.emplace_back("Off");
        for (int32_t octave = 0; octave < OctaveCount; ++octave) {
            for (std::string_view pitch : PitchClasses) {
                list.push_back(std::string(pitch) + std::to_string(octave));
            }
        }
        list.emplace_back(GmNoAssignment);
        return list;
    }();
    return names;
}

int32_t gmPercussionKey(std::string_view name) {
    const int32_t index = indexIn(gmPercussionNames(), name);
    return index < 0 ? -1 : index + GmFirstPercussionKey;
}

int32_t gmProgramIndex(std::string_view name) {
    return indexIn(gmProgramNames(), name);
}

int32_t gmNoteIndex(std::string_view name) {
    return indexIn(gmNoteNames(), name);
}
