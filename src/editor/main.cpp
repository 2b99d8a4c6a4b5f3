// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFiles.h"
#include "Editor.h"
#include "Settings.h"

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// In the language the window would use.
QString usage()
{
    return QCoreApplication::translate(
        "main", "Uso: wmk38 [/debugmode] [ARCHIVO]\n"
                "  ARCHIVO .prg         se abre como con \"Cargar\"\n"
                "  ARCHIVO .obj, .bld   se traduce como con \"Descompilar\"\n"
                "  /debugmode           modo de diagnóstico\n"
                "  --help, --version\n"
                "Estado de salida:\n"
                "  0  al salir\n"
                "  1  no pudo arrancar (falta ES.DEF u OrvLib2)\n");
}

int g_signalPipe[2] = {-1, -1};

void onTerminate(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_signalPipe[1], &byte, 1);
}

// A termination request (the session ending, kill) closes the window the usual way: the
// modified program is offered for saving and the settings are written. Caught from the start,
// it is acted upon once the window runs.
void catchTermination()
{
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    // answered before any window or display connection: a terminal user expects these anywhere
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            QCoreApplication core(argc, argv);
            const QString folder = QCoreApplication::applicationDirPath();
            useLanguage(appfiles::dataFolder(folder), appfiles::settingsFile(folder));
            std::fputs(usage().toLocal8Bit().constData(), stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("wmk38 %s\n", WMK38_VERSION);
            return 0;
        }
    }
    catchTermination();
    QApplication app(argc, argv);
    // the desktop pairs the window with its menu entry (icon, name) by this id
    QGuiApplication::setDesktopFileName(QStringLiteral(WMK38_APP_ID));
    Editor editor(QCoreApplication::applicationDirPath(), QCoreApplication::arguments().mid(1));
    if (!editor.startUp())
        return 1;
    // only now: a close inside the start-up's own waits would leave a window that never shows
    if (g_signalPipe[0] >= 0) {
        auto* terminate = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &editor);
        QObject::connect(terminate, &QSocketNotifier::activated, &editor, [&editor] {
            char bytes[16];
            while (::read(g_signalPipe[0], bytes, sizeof bytes) > 0) {
            }
            editor.close();
        });
    }
    editor.show();
    return app.exec();
}
