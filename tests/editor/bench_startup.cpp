// Start-up benchmark (not a test): time from process start to the first shown main window, the
// resident size then, and the status refresh on a long text. Each start runs in a fresh child.
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

// Field `index` (from 0) of a /proc/self file's line starting with `prefix`, split at blanks.
QByteArray procField(const char* file, const QByteArray& prefix, int index)
{
    QFile f(QString::fromLatin1(file));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith(prefix))
            return l.mid(prefix.size()).simplified().split(' ').value(index);
    return {};
}

int child(int argc, char** argv, const QString& folder)
{
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
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    // the process's start in clock ticks: field 22 of /proc/self/stat, the 20th after the name
    QFile statFile(QStringLiteral("/proc/self/stat"));
    statFile.open(QIODevice::ReadOnly);
    const QByteArray line = statFile.readAll();
    const double ticks = line.mid(line.lastIndexOf(')') + 2).split(' ').value(19).toDouble();
    const double total = (double(now.tv_sec) + double(now.tv_nsec) / 1e9) * 1000.0 -
                         ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
    QString text;
    while (text.size() < 31000)
        text += QStringLiteral("        ld e1 ; linea de programa\n");
    editor.txtPrg()->setPlainText(text);
    editor.txtPrg()->setSel(15000);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 2000; ++i)
        editor.GetEditSts();
    std::printf("%.1f %s %.2f\n", total, procField("/proc/self/status", "VmRSS:", 0).constData(),
                double(t.nsecsElapsed()) / 2000 / 1000.0);
    editor.ProgramModified = false; // leave without the save question
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
    QList<double> totals;
    for (int i = 0; i < 7; ++i) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), dir.path()});
        p.waitForFinished(30000);
        const QList<QByteArray> v = p.readAllStandardOutput().trimmed().split(' ');
        if (p.exitCode() != 0 || v.size() < 3)
            return 1;
        std::printf("run %d: %s ms from process start, %s kB resident, status refresh (GetEditSts) on a "
                    "31000-character text %s us\n",
                    i, v[0].constData(), v[1].constData(), v[2].constData());
        totals << v[0].toDouble();
    }
    std::sort(totals.begin(), totals.end());
    std::printf("median start-up to first shown window: %.1f ms (target < 300)\n", totals[3]);
    return 0;
}
