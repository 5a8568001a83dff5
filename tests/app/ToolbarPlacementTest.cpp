// Tool bar places of an offscreen QMainWindow: captured into the records of
// "options.ini", written and read back, and applied to a new window that
// then looks the same.
#include "app/ToolbarPlacement.h"

#include "OptionsTestSupport.h"
#include "app/Options.h"
#include "app/OptionsFile.h"
#include "app/RecentFiles.h"

#include <QAction>
#include <QLayout>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <memory>

namespace {

// A main window with the six tool bars, all in one top row in reverse order.
class TTestWindow {
public:
    TTestWindow() {
        m_window.resize(900, 600);
        m_window.setCentralWidget(new QWidget);
        for (auto name = MainWindowToolbarNames.rbegin(); name != MainWindowToolbarNames.rend();
             ++name) {
            QToolBar* bar = new QToolBar(&m_window);
            bar->setObjectName(
                QString::fromLatin1(name->data(), static_cast<qsizetype>(name->size())));
            bar->addAction(bar->objectName());
            m_window.addToolBar(bar);
        }
    }
    QMainWindow& window() { return m_window; }
    QToolBar* bar(const char* name) { return m_window.findChild<QToolBar*>(name); }

    // Every tool bar as "Name/DockedTo/DockRow/DockPos/Visible", for comparing.
    QString layout() {
        m_window.layout()->activate();
        QString text;
        for (const TToolbarSection& s : captureToolbarSections(m_window)) {
            text += QString("%1/%2/%3/%4/%5 ")
                        .arg(QString::fromStdString(s.Name), QString::fromStdString(s.DockedTo))
                        .arg(s.DockRow)
                        .arg(s.DockPos)
                        .arg(s.Visible);
        }
        return text;
    }

private:
    QMainWindow m_window;
};

const TToolbarSection* find(const std::vector<TToolbarSection>& sections, const char* name) {
    for (const TToolbarSection& s : sections) {
        if (s.Name == name) {
            return &s;
        }
    }
    return nullptr;
}

} // namespace

class ToolbarPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void capturesRowsOrderAndHiddenBars();
    void appliedPlacesLookTheSame();
    void leavesUnknownAndFixedPlacesAlone();
    void floatingBarComesBackDocked();
};

// The arranged window: top row 0 Navigation, Zoom (hidden), HitType; top
// row 1 Mode; bottom row 0 Play, bottom row 1 Toolbar971.
static void arrange(QMainWindow& window) {
    auto bar = [&](const char* name) { return window.findChild<QToolBar*>(name); };
    for (QToolBar* b : window.findChildren<QToolBar*>()) {
        window.removeToolBar(b);
    }
    window.addToolBar(Qt::TopToolBarArea, bar("NavigationToolbar"));
    window.addToolBar(Qt::TopToolBarArea, bar("ZoomToolbar"));
    window.addToolBar(Qt::TopToolBarArea, bar("HitTypeToolbar"));
    window.addToolBarBreak(Qt::TopToolBarArea);
    window.addToolBar(Qt::TopToolBarArea, bar("ModeToolbar"));
    window.addToolBar(Qt::BottomToolBarArea, bar("PlayToolbar"));
    window.addToolBarBreak(Qt::BottomToolBarArea);
    window.addToolBar(Qt::BottomToolBarArea, bar("Toolbar971"));
    for (QToolBar* b : window.findChildren<QToolBar*>()) {
        b->show();
    }
    bar("ZoomToolbar")->hide();
}

void ToolbarPlacementTest::capturesRowsOrderAndHiddenBars() {
    TTestWindow test;
    arrange(test.window());
    QToolBar* zoom = test.bar("ZoomToolbar");
    QSignalSpy visibility(zoom, &QToolBar::visibilityChanged);
    QSignalSpy toggled(zoom->toggleViewAction(), &QAction::toggled);

    const std::vector<TToolbarSection> sections = captureToolbarSections(test.window());
    QCOMPARE(sections.size(), size_t{6});
    const TToolbarSection* navigation = find(sections, "NavigationToolbar");
    const TToolbarSection* zoomSection = find(sections, "ZoomToolbar");
    const TToolbarSection* hitType = find(sections, "HitTypeToolbar");
    QVERIFY(navigation && zoomSection && hitType);
    for (const TToolbarSection* s : {navigation, zoomSection, hitType}) {
        QCOMPARE(s->DockedTo, std::string("MainDock"));
        QCOMPARE(s->LastDock, std::string("MainDock"));
        QCOMPARE(s->DockRow, 0);
        QCOMPARE(s->Rev, 3);
    }
    // The hidden bar keeps its slot between its neighbours.
    QVERIFY(!zoomSection->Visible && navigation->Visible);
    QCOMPARE(navigation->DockPos, 0);
    QVERIFY(navigation->DockPos < zoomSection->DockPos && zoomSection->DockPos < hitType->DockPos);
    QCOMPARE(find(sections, "ModeToolbar")->DockRow, 1);
    QCOMPARE(find(sections, "PlayToolbar")->DockedTo, std::string("BottomDock"));
    QCOMPARE(find(sections, "PlayToolbar")->DockRow, 0);
    QCOMPARE(find(sections, "Toolbar971")->DockRow, 1);

    // Capturing leaves no trace on the hidden bar.
    QVERIFY(zoom->isHidden() && !zoom->toggleViewAction()->isChecked());
    QCOMPARE(visibility.count(), 0);
    QCOMPARE(toggled.count(), 0);
}

void ToolbarPlacementTest::appliedPlacesLookTheSame() {
    TTestWindow original;
    arrange(original.window());
    const QString expected = original.layout();

    // Through the file, onto a window with the default places, shown or not.
    const TTestFolder folder;
    const std::string path = folder.file("options.ini");
    TOptionsItem options;
    TRecentFileList recent;
    SaveOptions(options, recent, captureToolbarSections(original.window()), path);
    const TOptionsLoadResult loaded = LoadOptions(options, recent, path);
    QCOMPARE(loaded.Toolbars.size(), size_t{6});

    for (const bool shown : {false, true}) {
        TTestWindow restored;
        if (shown) {
            restored.window().show();
            QVERIFY(QTest::qWaitForWindowExposed(&restored.window()));
        }
        QVERIFY(restored.layout() != expected);
        applyToolbarSections(restored.window(), loaded.Toolbars);
        QCOMPARE(restored.layout(), expected);
        QVERIFY(restored.bar("ZoomToolbar")->isHidden());
        QVERIFY(!restored.bar("ModeToolbar")->isHidden());
        QCOMPARE(restored.window().toolBarArea(restored.bar("Toolbar971")), Qt::BottomToolBarArea);
        // Applying the window's own places changes nothing.
        applyToolbarSections(restored.window(), captureToolbarSections(restored.window()));
        QCOMPARE(restored.layout(), expected);
    }
}

void ToolbarPlacementTest::leavesUnknownAndFixedPlacesAlone() {
    TTestWindow test;
    QToolBar* fixed = test.bar("PlayToolbar");
    fixed->setMovable(false);
    test.bar("ModeToolbar")->setAllowedAreas(Qt::TopToolBarArea);
    const QString before = test.layout();
    QCOMPARE(find(captureToolbarSections(test.window()), "PlayToolbar")->DockedTo, std::string());

    auto section = [](const char* name, const char* dockedTo, bool visible = true) {
        TToolbarSection s;
        s.Name = name;
        s.DockedTo = dockedTo;
        s.LastDock = "Nowhere";
        s.DockRow = 3;
        s.Visible = visible;
        return s;
    };
    applyToolbarSections(test.window(), {
                                            section("PlayToolbar", ""),
                                            section("zoomtoolbar", "NoSuchDock"),
                                            section("NavigationToolbar", "+"),
                                            section("ModeToolbar", "LeftDock"),
                                            section("Unknown", "MainDock"),
                                            section("HitTypeToolbar", "", false),
                                        });
    // Only the Visible of HitTypeToolbar took effect.
    QVERIFY(test.bar("HitTypeToolbar")->isHidden());
    test.bar("HitTypeToolbar")->show();
    QCOMPARE(test.layout(), before);
}

void ToolbarPlacementTest::floatingBarComesBackDocked() {
    TTestWindow test;
    arrange(test.window());
    test.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&test.window()));
    QToolBar* mode = test.bar("ModeToolbar");
    // Drag the bar by its handle far out of the window.
    const QPoint handle(4, mode->height() / 2);
    QTest::mousePress(mode, Qt::LeftButton, {}, handle);
    for (int step = 1; step <= 20; ++step) {
        QTest::mouseMove(mode, handle + QPoint(step * 10, 300 + step * 10));
    }
    QTest::mouseRelease(mode, Qt::LeftButton, {}, handle + QPoint(200, 500));
    if (!mode->isFloating()) {
        QSKIP("this platform plugin does not let a tool bar be dragged off");
    }
    const std::vector<TToolbarSection> sections = captureToolbarSections(test.window());
    const TToolbarSection* floating = find(sections, "ModeToolbar");
    QCOMPARE(floating->DockedTo, std::string("+"));
    QCOMPARE(floating->LastDock, std::string("MainDock"));
    QCOMPARE(floating->FloatLeft, mode->x());
    QCOMPARE(floating->FloatTop, mode->y());
    QCOMPARE(floating->FloatRightX, mode->width());
    // After the top area's only row, which is all that is left there.
    QCOMPARE(floating->DockRow, 1);

    TTestWindow restored;
    applyToolbarSections(restored.window(), sections);
    QVERIFY(!restored.bar("ModeToolbar")->isFloating());
    QCOMPARE(restored.window().toolBarArea(restored.bar("ModeToolbar")), Qt::TopToolBarArea);
    const std::vector<TToolbarSection> after = captureToolbarSections(restored.window());
    const TToolbarSection* docked = find(after, "ModeToolbar");
    QCOMPARE(docked->DockRow, 1);
    QCOMPARE(docked->DockPos, 0);
    // The same in the window it floats from.
    applyToolbarSections(test.window(), sections);
    QVERIFY(!mode->isFloating());
    QCOMPARE(test.window().toolBarArea(mode), Qt::TopToolBarArea);
    QCOMPARE(test.layout(), restored.layout());
}

int runToolbarPlacementTests(int argc, char** argv) {
    ToolbarPlacementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ToolbarPlacementTest.moc"
