// Timings of the compiler: in-process compile of a 32000-character source, and the whole
// `mk38c compile` of that source against the bare start of the tool (`mk38c --version`).
#include "Compiler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

// A program that fills most of the image, among EQUs and long comments, up to 32000 characters.
QString benchmarkSource()
{
    const QString comment = QStringLiteral("   ; comentario de la linea con algo de texto\r\n");
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("k%1 equ %2 ; constante de prueba\r\n").arg(i).arg(i * 3);
    for (int b = 0; b < 15; ++b) // 15 blocks of 16 bytes
        text += QStringLiteral("bucle%1: ld e%2").arg(b).arg(b % 8 + 1) + comment +
                QStringLiteral("  out s%1").arg(b % 6 + 1) + comment + QStringLiteral("  tp tp1 k%1").arg(b) +
                comment + QStringLiteral("  if1 bucle%1").arg(b) + comment + QStringLiteral("  osc 0.5 1.5") +
                comment + QStringLiteral("  nota\r\n  nota\r\n");
    while (text.size() < 32000)
        text += QStringLiteral("; ") + QString(60, u'-') + QStringLiteral("\r\n");
    return text.left(32000);
}

// The median of `runs` timings of call, in the unit call returns.
template <class Call> double median(int runs, Call call)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(call());
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double toolMs(const QStringList& args)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral(WMK38_BIN_DIR "/mk38c"), args);
    p.waitForFinished(30000);
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QFile defsFile(QStringLiteral(WMK38_BIN_DIR "/es.def"));
    if (!defsFile.open(QIODevice::ReadOnly))
        return 1;
    const QStringList defs = compiler::readDefinitions(defsFile.readAll());
    const QString source = benchmarkSource();
    out << "source: " << source.size() << " characters, " << compiler::compile(source, defs).length
        << " bytes compiled\n";
    out << "in-process compile: median " << median(2000, [&] {
        QElapsedTimer t;
        t.start();
        compiler::compile(source, defs);
        return double(t.nsecsElapsed()) / 1e3;
    }) << " us\n";
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("bench.prg")));
    if (!file.open(QIODevice::WriteOnly) || file.write(source.toLatin1()) < 0)
        return 1;
    file.close();
    const double bare = median(30, [] { return toolMs({QStringLiteral("--version")}); });
    const double whole = median(30, [&] { return toolMs({QStringLiteral("compile"), file.fileName()}); });
    out << "mk38c --version: median " << bare << " ms\nmk38c compile:   median " << whole << " ms ("
        << whole / bare << " x the bare start)\n";
    return 0;
}
