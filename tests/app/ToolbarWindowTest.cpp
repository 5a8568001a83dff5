// The main window's tool bars: their places at start, written to
// "options.ini" at close and read back at the next start, and Reset toolbars.
#include "WindowTestSupport.h"
#include "app/ToolbarPlacement.h"

#include <QAction>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <tuple>

namespace {

// "Name@area/row" for each tool bar, docked ones in row and position order;
// hidden ones are marked with a "-".
QStringList layoutOf(TTavorineForm& window) {
    std::vector<TToolbarSection> sections = captureToolbarSections(window);
    // The top dock first, then the others.
    const auto key = [](const TToolbarSection& s) {
        return std::make_tuple(s.LastDock != TopDockName, s.LastDock, s.DockRow, s.DockPos);
    };
    std::stable_sort(sections.begin(), sections.end(),
                     [&](const auto& a, const auto& b) { return key(a) < key(b); });
    QStringList layout;
    for (const TToolbarSection& section : sections) {
        layout.append(QStringLiteral("%1%2@%3/%4")
                          .arg(section.Visible ? "" : "-")
                          .arg(QString::fromStdString(section.Name))
                          .arg(QString::fromStdString(section.DockedTo))
                          .arg(section.DockRow));
    }
    return layout;
}

// Moves tool bars away from their start: the play tool bar into the second
// row after the divisions, the mode tool bar to the bottom, the navigation
// tool bar hidden.
void rearrange(TTavorineForm& window) {
    QToolBar* play = window.toolbar(QStringLiteral("PlayToolbar"));
    window.removeToolBar(play);
    window.addToolBar(Qt::TopToolBarArea, play);
    play->show();
    QToolBar* mode = window.toolbar(QStringLiteral("ModeToolbar"));
    window.removeToolBar(mode);
    window.addToolBar(Qt::BottomToolBarArea, mode);
    mode->show();
    window.toolbar(QStringLiteral("NavigationToolbar"))->hide();
}

const QStringList StartLayout = {"ModeToolbar@MainDock/0", "HitTypeToolbar@MainDock/0",
                                 "ZoomToolbar@MainDock/0", "NavigationToolbar@MainDock/0",
                                 "PlayToolbar@MainDock/0", "Toolbar971@MainDock/1"};

} // namespace

class ToolbarWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { removeOptionsFile(); }
    void cleanup() { removeOptionsFile(); }

    void startPlacesInTheTopDock();
    void sectionsAreWrittenAndReadBack();
    void resetToolbarsRestoresTheFiveAndKeepsTheDivisions();
};

void ToolbarWindowTest::startPlacesInTheTopDock() {
    const TProgramFolder program;
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    QCOMPARE(layoutOf(window), StartLayout);
}

void ToolbarWindowTest::sectionsAreWrittenAndReadBack() {
    const TProgramFolder program;
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    rearrange(window);
    const QStringList moved = layoutOf(window);
    QCOMPARE(moved, (QStringList{"HitTypeToolbar@MainDock/0", "ZoomToolbar@MainDock/0",
                                 "-NavigationToolbar@MainDock/0", "Toolbar971@MainDock/1",
                                 "PlayToolbar@MainDock/1", "ModeToolbar@BottomDock/0"}));
    QVERIFY(window.close());
    QCOMPARE(iniValue(optionsFile(), "ToolbarsNavigationToolbar", "Visible"), QStringLiteral("0"));
    QCOMPARE(iniValue(optionsFile(), "ToolbarsModeToolbar", "DockedTo"),
             QStringLiteral("BottomDock"));

    TTavorineForm& again = fixture.create();
    QCOMPARE(layoutOf(again), moved);
    QVERIFY(again.toolbar(QStringLiteral("NavigationToolbar"))->isHidden());
}

void ToolbarWindowTest::resetToolbarsRestoresTheFiveAndKeepsTheDivisions() {
    const TProgramFolder program;
    TWindowFixture fixture;
    TTavorineForm& window = fixture.create();
    rearrange(window);
    window.action(QStringLiteral("ResetToolbarsItem"))->trigger();
    QCOMPARE(layoutOf(window), StartLayout);
    for (QToolBar* bar : window.findChildren<QToolBar*>()) {
        QVERIFY2(!bar->isHidden(), qPrintable(bar->objectName()));
    }
}

int runToolbarWindowTests(int argc, char** argv) {
    ToolbarWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ToolbarWindowTest.moc"
