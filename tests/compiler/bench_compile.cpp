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
    for (int i = 0; i < 10; ++i)
        text += QStringLiteral("m%1 equ s%2\r\n").arg(i).arg(i % 6 + 1);
    // 15 blocks of 16 bytes
    for (int b = 0; b < 15; ++b) {
        text += QStringLiteral("bucle%1: ld e%2").arg(b).arg(b % 8 + 1) + comment;
        text += QStringLiteral("  and m%1").arg(b % 10) + comment;
        text += QStringLiteral("  out s%1").arg(b % 6 + 1) + comment;
        text += QStringLiteral("  tp tp1 k%1").arg(b % 40) + comment;
        text += QStringLiteral("  if1 bucle%1").arg(b) + comment;
        text += QStringLiteral("  osc 0.5 1.5") + comment;
        text += QStringLiteral("  nota") + comment;
    }
    while (text.size() < 32000)
        text += QStringLiteral("; ") + QString(60, u'-') + QStringLiteral("\r\n");
    return text.left(32000);
}

// Short lines only: EQUs, then the instructions that use them, up to 32000 characters.
QString denseSource()
{
    QString text;
    for (int i = 0; text.size() < 30500; ++i)
        text += QStringLiteral("n%1 equ %2\r\n").arg(i).arg(i % 200);
    for (int i = 0; i < 120; ++i)
        text += QStringLiteral("ldi n%1\r\n").arg(i);
    return text.left(32000);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double runTool(const QStringList& args, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(QStringLiteral(WMK38_BIN_DIR "/mk38c"), args);
        p.waitForFinished(-1);
        times.push_back(double(t.nsecsElapsed()) / 1e6);
        if (p.exitCode() != 0) {
            QTextStream(stderr) << "mk38c failed: " << p.readAllStandardError();
            return -1;
        }
    }
    return median(times);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QFile defsFile(QStringLiteral(WMK38_BIN_DIR "/es.def"));
    if (!defsFile.open(QIODevice::ReadOnly)) {
        out << "es.def missing in " << WMK38_BIN_DIR << "\n";
        return 1;
    }
    const QStringList defs = compiler::readDefinitions(defsFile.readAll());
    const QString source = benchmarkSource();

    const compiler::CompileResult check = compiler::compile(source, defs);
    if (check.status != compiler::CompileResult::Status::Ok) {
        out << "benchmark source does not compile: " << check.rawLine << " / " << check.message << "\n";
        return 1;
    }

    for (const QString& text : {source, denseSource()}) {
        constexpr int kRuns = 2000;
        const int length = compiler::compile(text, defs).length;
        std::vector<double> times;
        for (int i = 0; i < kRuns; ++i) {
            QElapsedTimer t;
            t.start();
            const compiler::CompileResult r = compiler::compile(text, defs);
            times.push_back(double(t.nsecsElapsed()) / 1e3);
            if (r.length != length)
                return 1;
        }
        out << "source: " << text.size() << " characters, " << text.count(u'\n') << " lines, " << length
            << " bytes compiled\n";
        out << "  in-process compile: median " << median(times) << " us, best "
            << *std::min_element(times.begin(), times.end()) << " us (" << kRuns << " runs)\n";
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.prg"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(source.toLatin1()) < 0)
        return 1;
    file.close();
    constexpr int kToolRuns = 30;
    const double bare = runTool({QStringLiteral("--version")}, kToolRuns);
    const double whole = runTool({QStringLiteral("compile"), path}, kToolRuns);
    out << "mk38c --version: median " << bare << " ms\n";
    out << "mk38c compile:   median " << whole << " ms (" << whole / bare << " x the bare start)\n";
    return 0;
}
