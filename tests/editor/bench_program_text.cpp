// SPDX-License-Identifier: GPL-3.0-or-later
// Program text benchmark (not a test): on a 32000-character program with colours on, a keystroke
// from key to the next paint of the text (median of 200), the live check, and loading the file
// with "Cargar".
#include "EditorTest.h"
#include "ProgramTextChecker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
// Lines of every kind, as long as the limit allows; a 256-byte program when `fits`, the rest
// of the text comments.
QString program(bool fits)
{
    const QStringList kinds = {u"motor equ s1"_s, u"inicio: ld e1 ; arranque"_s, u"        and e2"_s,
                               u"        out motor"_s, u"        tp tp1 1.5"_s, u"        ctv ctv1"_s,
                               u"        goto inicio"_s, u"' una nota sobre la linea"_s};
    QString text;
    int bytes = 0;
    for (int i = 0; text.size() + 40 < 32000; ++i) {
        QString line = kinds[i % kinds.size()];
        if (line.startsWith(u"inicio"_s) && i > 0)
            line = u"        ld e3"_s; // one definition of the label
        const int size = line.contains(u"tp tp1"_s) ? 4 : line.startsWith(u'\'') || line.contains(u"equ"_s) ? 0 : 2;
        if (fits && (bytes + size > 250 || i % 3 == 0))
            line = u"; comentario de relleno numero "_s + QString::number(i);
        else
            bytes += size;
        text += line + u"\r\n"_s;
    }
    return text.left(32000 - 2) + u"\r\n"_s;
}

// Counts the paints of the object it watches.
struct PaintWatch : QObject
{
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

// The median and the slowest of `runs` timings of `act(i)` in milliseconds; with `watch`, each up
// to the next paint it sees.
template <class Act> std::pair<double, double> timed(int runs, Act act, const PaintWatch* watch = nullptr)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        const int before = watch ? watch->paints : 0;
        QElapsedTimer t;
        t.start();
        act(i);
        while (watch && watch->paints == before)
            QCoreApplication::processEvents();
        times << double(t.nsecsElapsed()) / 1e6;
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.last()};
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    EditorFixture f;
    if (!f.start())
        return 2;
    const QStringList names = f.editor->cbVariables;

    for (const bool fits : {true, false}) {
        const QString text = program(fits);
        LiveCheck check;
        const double median = timed(21, [&](int) { check = checkProgram(text, names); }).first;
        std::printf("live check, %lld characters (%s): %.2f ms median (target < 20)\n",
                    qlonglong(text.size()), qPrintable(check.summary()), median);
    }

    // loading through "Cargar", colours on, up to the first paint
    const QByteArray file = program(true).toLatin1();
    f.write(u"big.prg"_s, file);
    PaintWatch watch;
    f.txt()->viewport()->installEventFilter(&watch);
    const auto load = timed(
        5,
        [&](int) {
            f.editor->ProgramModified = false;
            f.answer({u"big.prg"_s});
            f.editor->mnCargar_Click();
        },
        &watch);
    std::printf("loading a %lld-byte file with colours on: %.1f ms median (target < 150)\n",
                qlonglong(file.size()), load.first);

    // keystrokes in the middle of the text, each followed by its paint
    f.txt()->setFocus();
    f.txt()->setTextCursor(QTextCursor(f.txt()->document()->findBlockByNumber(f.txt()->blockCount() / 2)));
    f.txt()->centerCursor();
    QCoreApplication::processEvents();
    const auto keys = timed(
        200, [&](int i) { QTest::keyClick(f.txt(), i % 2 ? Qt::Key_Backspace : Qt::Key_L); }, &watch);
    std::printf("keystroke to paint, colours on: %.2f ms median of 200, slowest %.2f (target < 5)\n",
                keys.first, keys.second);
    f.editor->ProgramModified = false;
    return 0;
}
