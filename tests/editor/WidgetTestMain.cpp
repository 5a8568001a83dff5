// Runs the Qt widget tests of the song editor: every test class, or the one
// named by the first argument (the rest go to Qt Test).
#include "DrumsUITest.h"
#include "GridPaintingTest.h"
#include "MapDrumsetFormTest.h"
#include "MouseEditingTest.h"
#include "PlaybackControlTest.h"
#include "PropFormTest.h"

#include <QApplication>
#include <QTest>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

template <typename T>
std::pair<const char*, TestFactory> testClass(const char* name) {
    return {name, [] { return std::make_unique<T>(); }};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::vector<std::pair<const char*, TestFactory>> classes = {
        testClass<GridPaintingTest>("GridPainting"),
        testClass<DrumsUITest>("DrumsUI"),
        testClass<MapDrumsetFormTest>("MapDrumsetForm"),
        testClass<PropFormTest>("PropForm"),
        testClass<MouseEditingTest>("MouseEditing"),
        testClass<PlaybackControlTest>("PlaybackControl"),
    };
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> args(argv, argv + argc);
    if (only != nullptr) {
        args.erase(args.begin() + 1);
    }
    int failed = 0;
    bool ran = false;
    for (const auto& [name, make] : classes) {
        if (only != nullptr && std::strcmp(only, name) != 0) {
            continue;
        }
        ran = true;
        const std::unique_ptr<QObject> test = make();
        failed += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    return ran ? (failed == 0 ? 0 : 1) : 2;
}
