// What the main window offers and looks like: the menu tree and the tool bars
// against a golden list (TAVORINE_GOLDEN=1 rewrites it), and pictures of the
// window, the splash and the tips window under the build folder.
#include "WindowTestSupport.h"
#include "app/SplashForm.h"
#include "app/TipsForm.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>

namespace {

QString describe(const QAction* item) {
    QString flags;
    if (item->isCheckable()) {
        const bool radio = item->actionGroup() != nullptr && item->actionGroup()->isExclusive();
        flags += radio ? QStringLiteral(" [radio") : QStringLiteral(" [toggle");
        flags += item->isChecked() ? QStringLiteral(", down]") : QStringLiteral("]");
    }
    if (!item->isVisible()) {
        flags += QStringLiteral(" (hidden)");
    }
    if (!item->isEnabled()) {
        flags += QStringLiteral(" (disabled)");
    }
    QString line = item->objectName() + QStringLiteral(" \"") + item->text() + QLatin1Char('"');
    if (!item->shortcut().isEmpty()) {
        line += QLatin1Char(' ') + item->shortcut().toString(QKeySequence::PortableText);
    }
    return line + flags;
}

void dumpMenu(const QMenu* menu, const QString& indent, QStringList& lines) {
    for (const QAction* item : menu->actions()) {
        if (item->isSeparator()) {
            lines.append(indent + QStringLiteral("---"));
        } else if (item->menu() != nullptr) {
            lines.append(indent + describe(item) + QStringLiteral(" >"));
            dumpMenu(item->menu(), indent + QStringLiteral("  "), lines);
        } else {
            lines.append(indent + describe(item));
        }
    }
}

// The menu tree and the tool bars as text, one item per line.
QByteArray dumpWindow(TTavorineForm& window) {
    QStringList lines;
    for (const QAction* title : window.menuBar()->actions()) {
        lines.append(QStringLiteral("menu \"") + title->text() + QLatin1Char('"'));
        dumpMenu(title->menu(), QStringLiteral("  "), lines);
    }
    for (const QToolBar* bar : window.findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        lines.append(
            QStringLiteral("toolbar %1 \"%2\"").arg(bar->objectName(), bar->windowTitle()));
        for (const QAction* item : bar->actions()) {
            if (const auto* field = qobject_cast<const QWidgetAction*>(item)) {
                const auto* spin = qobject_cast<const QSpinBox*>(field->defaultWidget());
                lines.append(QStringLiteral("  field %1 hint \"%2\" %3..%4")
                                 .arg(spin->objectName(), spin->toolTip())
                                 .arg(spin->minimum())
                                 .arg(spin->maximum()));
            } else {
                lines.append(QStringLiteral("  ") + describe(item) + QStringLiteral(" hint \"") +
                             item->toolTip() + QLatin1Char('"'));
            }
        }
    }
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}

QByteArray golden(const char* name, const QByteArray& actual) {
    const std::string path = std::string(TAVORINE_TEST_DATA) + "/app/" + name;
    if (qEnvironmentVariable("TAVORINE_GOLDEN") == QLatin1String("1")) {
        writeBytes(path, actual);
    }
    return readBytes(path);
}

} // namespace

class LookTest : public QObject {
    Q_OBJECT

private slots:
    void init() { removeOptionsFile(); }
    void cleanup() { removeOptionsFile(); }

    void menusAndToolbarsMatchTheGolden();
    void rendersTheMainWindow();

private:
    TProgramFolder m_program;
    TWindowFixture m_fixture;
};

void LookTest::menusAndToolbarsMatchTheGolden() {
    TTavorineForm& window = m_fixture.create();
    const QByteArray actual = dumpWindow(window);
    QCOMPARE(QString::fromUtf8(actual), QString::fromUtf8(golden("main_window_menus.txt", actual)));
}

void LookTest::rendersTheMainWindow() {
    TTavorineForm& window = m_fixture.create();
    window.resize(1100, 640);
    window.show();
    QTRY_VERIFY(window.CurrentFileName() == m_program.demoSong());
    QCoreApplication::processEvents();
    const QImage picture = window.grab().toImage();
    QDir().mkpath(testOutputFolder());
    const QString path = testOutputFolder() + QStringLiteral("/main_window.png");
    QVERIFY(picture.save(path));
    // The grid and its hits are drawn: many colours, not an empty frame.
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 3) {
        for (int x = 0; x < picture.width(); x += 3) {
            colours.insert(picture.pixel(x, y));
        }
    }
    QVERIFY2(colours.size() > 50, qPrintable(QString::number(colours.size())));

    // The splash picture at the splash window's size, and the tips window.
    const QPixmap splash = splashPicture();
    QCOMPARE(splash.size(), QSize(423, 372));
    QVERIFY(splash.save(testOutputFolder() + QStringLiteral("/splash.png")));
    TTipsForm tips({QStringLiteral("One tip."), QStringLiteral("Another tip.")}, &window);
    tips.show();
    QVERIFY(tips.grab().save(testOutputFolder() + QStringLiteral("/tips.png")));
}

int runLookTests(int argc, char** argv) {
    LookTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LookTest.moc"
