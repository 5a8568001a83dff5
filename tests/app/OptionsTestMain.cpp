// The options tests run offscreen, in Qt's standard-paths test mode, with a
// temporary home, so that nothing outside temporary folders is touched.
#include "OptionsTestSupport.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid()) {
        return 1;
    }
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_DATA_HOME");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);

    int failed = 0;
    for (int (*run)(int, char**) : {runIniFileTests, runSerializerTests, runOptionsFileTests,
                                    runRecentFilesTests, runToolbarPlacementTests}) {
        failed += run(argc, argv) != 0 ? 1 : 0;
    }
    return failed;
}
