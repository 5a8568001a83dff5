// kitgen: writes the default kit's samples into a folder. Deterministic: the
// same files on every run.
#include "Instruments.h"

#include <filesystem>
#include <functional>
#include <iostream>

using kitgen::Signal;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kitgen OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    struct Strength {
        const char* suffix;
        double value;
    };
    const Strength strengths[] = {{"heavy", 1.0}, {"medium", 0.7}, {"light", 0.45}};
    std::vector<std::pair<std::string, std::function<Signal()>>> sounds;
    for (const Strength& s : strengths) {
        const double v = s.value;
        const std::string n = s.suffix;
        sounds.push_back({"kick-" + n, [v] { return kitgen::bassDrum(v); }});
        sounds.push_back({"snare-" + n, [v] { return kitgen::snare(v); }});
        sounds.push_back({"hihat-closed-" + n, [v] { return kitgen::hiHat(v, 0.04, 101); }});
    }
    sounds.push_back({"sidestick", [] { return kitgen::sideStick(1.0); }});
    sounds.push_back({"handclap", [] { return kitgen::handClap(1.0); }});
    sounds.push_back({"hihat-pedal", [] { return kitgen::hiHat(0.8, 0.07, 103); }});
    sounds.push_back({"hihat-open", [] { return kitgen::hiHat(0.9, 0.45, 107); }});
    sounds.push_back({"tom-high", [] { return kitgen::tom(1.0, 210, 5); }});
    sounds.push_back({"tom-mid", [] { return kitgen::tom(1.0, 155, 6); }});
    sounds.push_back({"tom-floor", [] { return kitgen::tom(1.0, 100, 7); }});
    sounds.push_back({"crash", [] { return kitgen::crash(1.0); }});
    sounds.push_back({"ride", [] { return kitgen::ride(1.0); }});
    sounds.push_back({"ride-bell", [] { return kitgen::rideBell(1.0); }});
    try {
        for (const auto& [name, make] : sounds)
            kitgen::writeWav((folder / (name + ".wav")).string(), make());
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
