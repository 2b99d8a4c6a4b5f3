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
double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

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

// The milliseconds from `act` to the next paint `watch` sees.
template <class Act> double untilPaint(PaintWatch& watch, Act act)
{
    const int before = watch.paints;
    QElapsedTimer t;
    t.start();
    act();
    while (watch.paints == before)
        QCoreApplication::processEvents();
    return double(t.nsecsElapsed()) / 1e6;
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
        QList<double> times;
        LiveCheck check;
        for (int i = 0; i < 21; ++i) {
            QElapsedTimer t;
            t.start();
            check = checkProgram(text, names);
            times << double(t.nsecsElapsed()) / 1e6;
        }
        std::printf("live check, %lld characters (%s): %.2f ms median (target < 20)\n", qlonglong(text.size()),
                    qPrintable(check.summary()), median(times));
    }

    // loading through "Cargar", colours on, up to the first paint
    const QByteArray file = program(true).toLatin1();
    f.write(u"big.prg"_s, file);
    PaintWatch watch;
    f.txt()->viewport()->installEventFilter(&watch);
    QList<double> loads;
    for (int i = 0; i < 5; ++i) {
        f.editor->ProgramModified = false;
        f.answer({u"big.prg"_s});
        loads << untilPaint(watch, [&] { f.editor->mnCargar_Click(); });
    }
    std::printf("loading a %lld-byte file with colours on: %.1f ms median (target < 150)\n", qlonglong(file.size()),
                median(loads));

    // keystrokes in the middle of the text, each followed by its paint
    f.txt()->setFocus();
    QTextCursor c(f.txt()->document()->findBlockByNumber(f.txt()->blockCount() / 2));
    f.txt()->setTextCursor(c);
    f.txt()->centerCursor();
    QCoreApplication::processEvents();
    QList<double> keys;
    for (int i = 0; i < 200; ++i)
        keys << untilPaint(watch, [&] { QTest::keyClick(f.txt(), i % 2 ? Qt::Key_Backspace : Qt::Key_L); });
    std::printf("keystroke to paint, colours on: %.2f ms median of 200, slowest %.2f (target < 5)\n", median(keys),
                *std::max_element(keys.begin(), keys.end()));
    f.editor->ProgramModified = false;
    return 0;
}
