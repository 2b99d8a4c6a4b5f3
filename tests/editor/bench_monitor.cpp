// SPDX-License-Identifier: GPL-3.0-or-later
// Monitor benchmark (not a test): the editor's "Monitor variables" with the fast link against
// mk38sim --pace, its polls a second beside the line's floor and the CPU the editor spends.
//   build/tests/bench_monitor [seconds]
#include "Editor.h"
#include "Poller.h"
#include "SimProcess.h"

#include <QtWidgets>
#include <cstdio>
#include <ctime>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    testutil::SimProcess sim({QStringLiteral("--pace")});
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(WMK38_BIN_DIR "/es.def"), dir.filePath(QStringLiteral("es.def")));
    Editor editor(dir.path(), {});
    if (!sim.start())
        return 1;
    for (int n = 1; n <= 6; ++n)
        editor.link().setDevice(n, sim.device());
    if (!editor.startUp())
        return 2;
    editor.show();
    editor.link().setFast(true);
    editor.findChild<QAction*>(QStringLiteral("mnMonitor"))->trigger();
    auto* monitor = editor.findChild<QDialog*>(QStringLiteral("Monitor"));
    auto* stop = monitor->findChild<QPushButton*>(QStringLiteral("cmdDetener"));
    QTimer::singleShot((argc > 1 ? std::atoi(argv[1]) : 10) * 1000, stop, &QPushButton::click);
    const qsizetype before = sim.received().size();
    const std::clock_t cpu = std::clock();
    QElapsedTimer t;
    t.start();
    QEventLoop polling;
    QObject::connect(monitor->findChild<plclink::Poller*>(), &plclink::Poller::finished, &polling, &QEventLoop::quit);
    monitor->findChild<QPushButton*>(QStringLiteral("cmdRecibir"))->click();
    polling.exec(); // until stopped
    const double ms = double(t.nsecsElapsed()) / 1e6, polls = double(sim.received().size() - before);
    std::printf("editor monitor, fast link: %.1f polls/s (line floor %.1f), CPU %.2f %% of one core\n",
                1000.0 * polls / ms, 240.0 / 14,
                100.0 * 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC / ms);
    editor.ProgramModified = false;
    return 0;
}
