// tavorine-cli: the headless companion of the desktop application. It works
// on the same files with the same code, with its own folder as the program
// folder.
#include "cli/Commands.h"

#include <cstring>
#include <exception>
#include <iostream>
#include <map>

namespace {

using TCommand = int (*)(const TArguments&);

const std::map<std::string, TCommand>& commands() {
    static const std::map<std::string, TCommand> table = {
        {"info", infoCommand},
        {"resave", resaveCommand},
        {"drumset-info", drumsetInfoCommand},
        {"drumset-resave", drumsetResaveCommand},
        {"play", playCommand},
    };
    return table;
}

int usage(const std::string& line = {}) {
    std::cerr << "usage: tavorine-cli " << (line.empty() ? "COMMAND ARGUMENTS" : line) << '\n';
    if (line.empty()) {
        std::cerr << "commands:\n"
                     "  info SONG.drm [--drumset FILE.dum]  print the song as JSON\n"
                     "  resave IN.drm OUT.drm            load a song and save it again\n"
                     "  drumset-info FILE.dum            print the drumset as JSON\n"
                     "  drumset-resave IN.dum OUT.dum    read, renumber and write a drumset\n"
                     "  play SONG.drm [--start B] [--end B] [--loop N] [--device N]\n"
                     "       [--capture OUT.wav]         play in real time (capture: \"Silent "
                     "output\")\n";
    }
    return ExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        usage();
        return ExitOk;
    }
    auto it = commands().find(name);
    if (it == commands().end()) {
        std::cerr << "tavorine-cli: unknown command \"" << name << "\"\n";
        return usage();
    }
    TArguments args(argv + 2, argv + argc);
    try {
        return it->second(args);
    } catch (const UsageError& e) {
        return usage(e.message);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return ExitError;
    }
}
