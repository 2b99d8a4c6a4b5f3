// Timings of the compiler: in-process compile of a 32000-character source, and the whole
// `mk38c compile` of that source against the bare start of the tool (`mk38c --version`).
#include "Compiler.h"
#include "TestUtil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

// The median of `runs` timings of call, in microseconds.
template <class Call> double medianUs(int runs, Call call)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        call();
        times.push_back(double(t.nsecsElapsed()) / 1e3);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // A program that fills most of the image, among EQUs and long comments, up to 32000 characters.
    const QString comment = QStringLiteral("   ; comentario de la linea con algo de texto\r\n");
    QString source;
    for (int i = 0; i < 40; ++i)
        source += QStringLiteral("k%1 equ %2 ; constante de prueba\r\n").arg(i).arg(i * 3);
    for (int b = 0; b < 15; ++b) // 15 blocks of 16 bytes
        source +=
            QStringLiteral("bucle%1: ld e%2%3  out s%4%3  tp tp1 k%1%3  if1 bucle%1%3  osc 0.5 1.5%3"
                           "  nota\r\n  nota\r\n")
                .arg(QString::number(b), QString::number(b % 8 + 1), comment, QString::number(b % 6 + 1));
    while (source.size() < 32000)
        source += QStringLiteral("; ") + QString(60, u'-') + QStringLiteral("\r\n");
    source.truncate(32000);

    const QStringList defs =
        compiler::readDefinitions(testutil::readRaw(QStringLiteral(WMK38_BIN_DIR "/es.def")));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.prg"));
    if (defs.isEmpty() || !testutil::writeRaw(file, source.toLatin1()))
        return 1;
    QTextStream out(stdout);
    out << "source: " << source.size() << " characters, " << compiler::compile(source, defs).length
        << " bytes compiled\n";
    out << "in-process compile: median " << medianUs(2000, [&] { compiler::compile(source, defs); })
        << " us\n";
    const double bare =
        medianUs(30, [] { testutil::runTool(QStringLiteral("mk38c"), {QStringLiteral("--version")}); });
    const double whole = medianUs(30, [&] {
        testutil::runTool(QStringLiteral("mk38c"), {QStringLiteral("compile"), file});
    });
    out << "mk38c --version: median " << bare / 1e3 << " ms\nmk38c compile:   median " << whole / 1e3
        << " ms (" << whole / bare << " x the bare start)\n";
    return 0;
}
