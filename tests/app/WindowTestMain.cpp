// The main window tests run offscreen, in Qt's standard-paths test mode, with
// a temporary home, so that nothing outside temporary folders is touched. The
// first argument may name one test class; the rest go to Qt Test.
#include "WindowTestSupport.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstring>
#include <utility>
#include <vector>

int main(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid()) {
        return 1;
    }
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_DATA_HOME");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavorine"));

    const std::vector<std::pair<const char*, int (*)(int, char**)>> classes = {
        {"Startup", runStartupTests},           {"RecentFiles", runRecentFilesWindowTests},
        {"SaveAndClose", runSaveAndCloseTests}, {"Toolbars", runToolbarWindowTests},
        {"Commands", runCommandTests},          {"Look", runLookTests},
        {"PlayCommands", runPlayCommandTests},
    };
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> args(argv, argv + argc);
    if (only != nullptr) {
        args.erase(args.begin() + 1);
    }
    int failed = 0;
    bool ran = false;
    for (const auto& [name, run] : classes) {
        if (only != nullptr && std::strcmp(only, name) != 0) {
            continue;
        }
        ran = true;
        failed += run(static_cast<int>(args.size()), args.data()) != 0 ? 1 : 0;
    }
    return ran ? (failed == 0 ? 0 : 1) : 2;
}
