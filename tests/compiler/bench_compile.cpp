// SPDX-License-Identifier: GPL-3.0-or-later
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

using namespace Qt::StringLiterals;

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
    const QString comment = u"   ; comentario de la linea con algo de texto\r\n"_s;
    QString source;
    for (int i = 0; i < 40; ++i)
        source += u"k%1 equ %2 ; constante de prueba\r\n"_s.arg(i).arg(i * 3);
    for (int b = 0; b < 15; ++b) // 15 blocks of 16 bytes
        source +=
            u"bucle%1: ld e%2%3  out s%4%3  tp tp1 k%1%3  if1 bucle%1%3  osc 0.5 1.5%3  nota\r\n  nota\r\n"_s
                .arg(QString::number(b), QString::number(b % 8 + 1), comment, QString::number(b % 6 + 1));
    while (source.size() < 32000)
        source += u"; "_s + QString(60, u'-') + u"\r\n"_s;
    source.truncate(32000);

    const QStringList defs = compiler::readDefinitions(testutil::readRaw(u"" WMK38_BIN_DIR "/es.def"_s));
    QTemporaryDir dir;
    const QString file = dir.filePath(u"bench.prg"_s);
    if (defs.isEmpty() || !testutil::writeRaw(file, source.toLatin1()))
        return 1;
    const auto mk38c = [](const QStringList& args) { return [=] { testutil::runTool(u"mk38c"_s, args); }; };
    const double bare = medianUs(30, mk38c({u"--version"_s})) / 1e3;
    const double whole = medianUs(30, mk38c({u"compile"_s, file})) / 1e3;
    QTextStream(stdout) << "source: " << source.size() << " characters, "
                        << compiler::compile(source, defs).length << " bytes compiled\n"
                        << "in-process compile: median "
                        << medianUs(2000, [&] { compiler::compile(source, defs); }) << " us\n"
                        << "mk38c --version: median " << bare << " ms\nmk38c compile:   median " << whole
                        << " ms (" << whole / bare << " x the bare start)\n";
    return 0;
}
