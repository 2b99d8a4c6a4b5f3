// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up benchmark (not a test): time from process start to the first shown main window, the
// resident size then, and the status refresh on a long text. Each start runs in a fresh child.
#include "EditorTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    if (argc > 1) { // the child: tells at once that its window is up, then the rest
        QApplication app(argc, argv);
        EditorFixture f;
        if (!f.start())
            return 2;
        std::puts("shown");
        std::fflush(stdout);
        // resident pages: the second field of /proc/self/statm
        const long pages = testutil::readRaw(u"/proc/self/statm"_s).split(' ').value(1).toLong();
        f.txt()->setPlainText(u"        ld e1 ; linea de programa\n"_s.repeated(912));
        f.txt()->setSel(15000);
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 2000; ++i)
            f.editor->GetEditSts();
        std::printf("%ld kB resident, status refresh (GetEditSts) on a 31000-character text %.2f us\n",
                    pages * sysconf(_SC_PAGESIZE) / 1024, double(t.nsecsElapsed()) / 2000 / 1000.0);
        return 0;
    }
    QCoreApplication app(argc, argv);
    QList<double> totals;
    for (int i = 0; i < 7; ++i) {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(QCoreApplication::applicationFilePath(), {u"--child"_s});
        if (!p.waitForReadyRead(30000))
            return 1;
        totals << double(t.nsecsElapsed()) / 1e6;
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            return 1;
        std::printf("run %d: %.1f ms from process start, %s", i, totals.last(),
                    p.readAllStandardOutput().mid(6).constData());
    }
    std::sort(totals.begin(), totals.end());
    std::printf("median start-up to first shown window: %.1f ms (target < 300)\n", totals[3]);
    return 0;
}
