// Monitor benchmark (not a test): the editor's "Monitor variables" with the fast link against
// mk38sim --pace, its polls a second beside the line's floor and the CPU the editor spends.
//   build/tests/bench_monitor [seconds]
#include "Editor.h"
#include "SimProcess.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    testutil::SimProcess sim({QStringLiteral("--pace")});
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(WMK38_BIN_DIR "/es.def"), dir.filePath(QStringLiteral("es.def")));
    if (!sim.start())
        return 1;
    Editor editor(dir.path(), {});
    for (int n = 1; n <= 6; ++n)
        editor.link().setDevice(n, sim.device());
    if (!editor.startUp())
        return 2;
    editor.show();
    editor.link().setFast(true);
    editor.findChild<QAction*>(QStringLiteral("mnMonitor"))->trigger();
    auto* monitor = editor.findChild<QDialog*>(QStringLiteral("Monitor"));
    QTimer::singleShot(seconds * 1000, monitor, [monitor] {
        monitor->findChild<QPushButton*>(QStringLiteral("cmdDetener"))->click();
    });
    const qsizetype before = sim.received().size();
    rusage r0{}, r1{};
    getrusage(RUSAGE_SELF, &r0);
    QElapsedTimer t;
    t.start();
    monitor->findChild<QPushButton*>(QStringLiteral("cmdRecibir"))->click(); // polls until stopped
    const double ms = double(t.nsecsElapsed()) / 1e6;
    getrusage(RUSAGE_SELF, &r1);
    const double cpu =
        (r1.ru_utime.tv_sec - r0.ru_utime.tv_sec + r1.ru_stime.tv_sec - r0.ru_stime.tv_sec) * 1e3 +
        (r1.ru_utime.tv_usec - r0.ru_utime.tv_usec + r1.ru_stime.tv_usec - r0.ru_stime.tv_usec) / 1e3;
    const double polls = double(sim.received().size() - before);
    std::printf("editor monitor, fast link: %.1f polls/s (line floor %.1f), CPU %.2f %% of one core\n",
                1000.0 * polls / ms, 1000.0 / (14 * 1000.0 / 240), 100.0 * cpu / ms);
    editor.ProgramModified = false;
    return 0;
}
