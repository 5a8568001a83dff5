// tavorine: the desktop application. It takes no command-line options.
#include "app/MainWindow.h"
#include "app/SplashForm.h"
#include "app/UserDialogs.h"
#include "audio/AudioOutput.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv) {
    // Made before anything else and freed after every window: it loads
    // libresample, which the program starts without when it is missing.
    audio::AudioOutput audioOutput;

    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(TAVORINE_VERSION));

    auto splash = std::make_unique<TSplashForm>();
    splash->showNow();

    QApplication::setApplicationName(QStringLiteral("Tavorine"));

    TQtUserDialogs dialogs;
    TTavorineForm window(audioOutput, dialogs);
    window.CreateRunLongDialogs();

    splash->close();
    splash.reset();

    window.show();
    const int result = QApplication::exec();
    audioOutput.stop();
    return result;
}
