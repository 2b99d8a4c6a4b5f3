// Start-up benchmark (not a test): time from process start to the first shown main window,
// and the resident size then. Runs the start in fresh child processes and reports each.
#include "Editor.h"
#include "ProgramText.h"
#include "Pty.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <time.h>
#include <unistd.h>

namespace {
// Milliseconds since this process was started, from the kernel's own start time.
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (double(now.tv_sec) + double(now.tv_nsec) / 1e9) * 1000.0 -
           startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& l : status.readAll().split('\n'))
        if (l.startsWith("VmRSS:"))
            return l.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

int child(int argc, char** argv, const QString& folder)
{
    QElapsedTimer inMain;
    inMain.start();
    QApplication app(argc, argv);
    Editor editor(folder, {});
    testutil::Pty pty; // a port that opens: no error box on a machine without serial ports
    for (int n = 1; n <= 6; ++n)
        editor.link().setDevice(n, pty.path());
    if (!editor.startUp())
        return 2;
    editor.show();
    while (!editor.windowHandle() || !editor.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    const double total = msSinceProcessStart();
    std::printf("%.1f %lld %ld\n", total, inMain.elapsed(), residentKb());
    if (qEnvironmentVariableIsSet("BENCH_STATUS")) {
        // the status refresh every key release runs, on a text at the load limit
        QString text;
        while (text.size() < 31000)
            text += QStringLiteral("        ld e1 ; linea de programa\n");
        editor.txtPrg()->setPlainText(text);
        editor.txtPrg()->setSel(15000);
        QElapsedTimer t;
        t.start();
        const int n = qEnvironmentVariableIntValue("BENCH_STATUS");
        for (int i = 0; i < n; ++i)
            editor.GetEditSts();
        std::fprintf(stderr, "%.2f\n", double(t.nsecsElapsed()) / n / 1000.0);
        editor.ProgramModified = false; // leave without the save question
    }
    editor.close();
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(WMK38_BIN_DIR "/es.def"), dir.filePath(QStringLiteral("es.def")));
    const int runs = 7;
    QList<double> totals;
    long rss = 0;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), dir.path()});
        p.waitForFinished(30000);
        const QList<QByteArray> v = p.readAllStandardOutput().trimmed().split(' ');
        if (p.exitCode() != 0 || v.size() < 3) {
            std::fprintf(stderr, "run %d failed: %s\n", i, p.readAllStandardError().constData());
            return 1;
        }
        std::printf("run %d: %s ms from process start (%s ms in main), %s kB resident\n", i, v[0].constData(),
                    v[1].constData(), v[2].constData());
        totals << v[0].toDouble();
        rss = std::max(rss, v[2].toLong());
    }
    std::sort(totals.begin(), totals.end());
    QProcess status;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("BENCH_STATUS"), QStringLiteral("20000"));
    status.setProcessEnvironment(env);
    status.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), dir.path()});
    status.waitForFinished(60000);
    std::printf("status refresh (GetEditSts, 5 requests through OrvLib2) on a 31000-character text: %s us\n",
                status.readAllStandardError().trimmed().split('\n').last().constData());
    std::printf("median start-up to first shown window: %.1f ms (target < 300); max resident: %.1f MB "
                "(target < 80)\n",
                totals[runs / 2], double(rss) / 1024.0);
    return 0;
}
