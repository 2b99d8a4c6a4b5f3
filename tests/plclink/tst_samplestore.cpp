// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor's history and its rows: how long each answer stands, the capacity, and the CSV
// that mk38c monitor --csv prints, checked against mk38c itself on one simulated PLC.
#include "Exchanges.h"
#include "MonitorCsv.h"
#include "Poller.h"
#include "SampleStore.h"
#include "SimProcess.h"
#include "TestUtil.h"

#include <QDateTime>
#include <QtTest>

using namespace Qt::StringLiterals;
using plclink::Sample;

namespace {

// "io 0 1 0": an Io poll at 0 ms, inputs 1, outputs 0; "var 70 14 129": a variable poll of
// 14..17, the first 129, the rest 0; "io 140 !" / "var 70 14 !": unanswered (bytes 255);
// "end": polling stopped.
void feed(plclink::SampleStore& store, const QString& script)
{
    for (const QString& step : script.split(u';', Qt::SkipEmptyParts)) {
        const QStringList w = step.simplified().split(u' ');
        if (w[0] == u"end") {
            store.endRun();
            continue;
        }
        Sample s;
        s.msecs = w[1].toLongLong();
        s.kind = w[0] == u"io" ? Sample::Kind::Io : Sample::Kind::Variables;
        const bool bad = w.last() == u"!";
        s.fault = bad ? Sample::Fault::Silent : Sample::Fault::None;
        if (s.kind == Sample::Kind::Io) {
            s.inputs = bad ? 0xFF : quint8(w[2].toInt());
            s.outputs = bad ? 0x3F : quint8(w[3].toInt());
        } else {
            s.first = w[2].toInt();
            s.variables = {quint8(bad ? 255 : w[3].toInt()), 0, 0, 0};
        }
        store.append(s);
    }
}

// "io@100" or "v14@100": "-" when no poll stands then, "?" when it went unanswered, else the value
QString reading(const plclink::SampleStore& store, const QString& probe)
{
    const QStringList p = probe.split(u'@');
    const qint64 t = p[1].toLongLong();
    const auto r = p[0] == u"io" ? store.ioAt(t) : store.variableAt(p[0].mid(1).toInt(), t);
    return !r.polled ? u"-"_s : !r.sound ? u"?"_s : QString::number(r.value);
}

qint64 localMsecs(int h, int m, int s, int ms)
{
    return QDateTime(QDate(2026, 12, 7), QTime(h, m, s, ms)).toMSecsSinceEpoch();
}

} // namespace

class TstSampleStore : public QObject
{
    Q_OBJECT
private slots:
    void readings_data()
    {
        QTest::addColumn<QString>("samples");
        QTest::addColumn<QString>("expected"); // probe=reading ...
        QTest::newRow("an answer stands until the next of its kind")
            << "io 0 1 2; var 70 14 129; io 140 0 0; var 210 14 0"
            << "io@0=513 io@139=513 io@140=0 v14@69=- v14@70=129 v14@209=129 v14@210=0";
        QTest::newRow("an unanswered io poll gaps io, not the variables")
            << "io 0 1 0; var 70 14 1; io 140 !; io 210 1 0; var 280 14 0"
            << "io@100=1 io@140=? io@200=? io@210=1 v14@150=1 v14@279=1";
        QTest::newRow("an unanswered variable poll has no values") << "io 0 1 0; var 70 14 !; io 140 1 0"
                                                                   << "v14@70=? v14@100=? io@100=1";
        QTest::newRow("no line through a silence longer than the hold")
            << "io 0 1 0; var 70 14 1; io 9000 1 0"
            << "io@2499=1 io@2500=- io@5000=- v14@2569=1 v14@2570=- io@9000=1";
        QTest::newRow("stopped: the answers end with the run")
            << "io 0 1 0; var 70 14 1; io 140 0 0; end; io 1000 1 0; var 1070 14 0"
            << "v14@139=1 v14@140=- v14@500=- io@141=- io@999=- io@1000=1 v14@1070=0";
        QTest::newRow("scrolled: the old addresses end, the new begin")
            << "var 0 14 1; io 70 0 0; var 140 15 1; io 210 0 0"
            << "v14@100=1 v14@140=- v15@100=0 v15@140=1 v18@139=- v18@140=0";
    }
    void readings()
    {
        QFETCH(QString, samples);
        QFETCH(QString, expected);
        plclink::SampleStore store;
        feed(store, samples);
        QStringList got;
        for (const QString& probe : expected.split(u' '))
            got << probe.section(u'=', 0, 0) + u'=' + reading(store, probe.section(u'=', 0, 0));
        QCOMPARE(got.join(u' '), expected);
    }

    void capacityDropsTheOldest()
    {
        plclink::SampleStore store(10);
        feed(store, "var 0 40 1; io 10 0 0; var 20 20 1");
        for (int i = 0; i < 22; ++i)
            feed(store, u"io %1 %2 0"_s.arg(100 + 10 * i).arg(i));
        QCOMPARE(store.size(), 10);
        QCOMPARE(store.dropped(), 15);
        QCOMPARE(store.at(0).msecs, 220);
        QCOMPARE(store.at(9).inputs, 21);
        QCOMPARE(store.lowerBound(235), 2);
        QCOMPARE(store.variableAddresses(), QList<int>()); // the dropped polls' addresses go too
        QCOMPARE(reading(store, u"io@245"_s), u"14"_s);
        store.clear();
        QVERIFY(store.isEmpty());
        QCOMPARE(store.dropped(), 0);
    }

    void rows_data()
    {
        QTest::addColumn<QString>("samples");
        QTest::addColumn<QString>("csv");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("io") << "io 0 5 1" << "io,1,1,0,1,0,0,0,0,0,1,0,0,0,0,0,,,," << "in 10100000  out 100000";
        QTest::newRow("io unanswered") << "io 0 !" << "io,0,,,,,,,,,,,,,,,,,," << "in/out: no answer";
        QTest::newRow("var") << "var 0 14 129" << "var,1,,,,,,,,,,,,,,,129,0,0,0"
                             << "var  v01=129 0x81  v02=0 0x00  v03=0 0x00  v04=0 0x00";
        QTest::newRow("var unanswered: its bytes are not values") << "var 0 14 !" << "var,0,,,,,,,,,,,,,,,,,,"
                                                                   << "var  v01=?  v02=?  v03=?  v04=?  (no answer)";
        // clang-format on
    }
    void rows()
    {
        QFETCH(QString, samples);
        QFETCH(QString, csv);
        QFETCH(QString, text);
        plclink::SampleStore store;
        feed(store, samples);
        Sample s = store.at(0);
        s.msecs = localMsecs(9, 5, 7, 40);
        QCOMPARE(plclink::monitorcsv::row(s), u"2026-12-07T09:05:07.040,"_s + csv);
        const QStringList names = plclink::monitorcsv::variableNames(testutil::shippedDefinitionNames(), 14);
        QCOMPARE(plclink::monitorcsv::text(s, names), text);
        QCOMPARE(plclink::monitorcsv::variableNames({u"a"_s, u"b"_s}, 1),
                 QStringList({u"b"_s, u"2"_s, u"3"_s, u"4"_s}));
    }

    // mk38c monitor --csv and the formatter, over one simulated PLC: the polls answered, then
    // a silent PLC. The samples are built from the same exchanges, as the poll cycle builds them.
    void sameRowsAsMk38c()
    {
        testutil::SimProcess sim;
        QVERIFY(sim.start());
        for (const char* line :
             {"in 0 1", "in 2 1", "in 7 1", "out 0 1", "out 5 1", "var 14 0x81", "var 15 7", "var 17 254"})
            QCOMPARE(sim.command(line), "ok");
        const QStringList names = testutil::shippedDefinitionNames();
        for (const bool silent : {false, true}) {
            if (silent)
                QCOMPARE(sim.command("fault silence"), "ok");
            const auto run =
                testutil::runTool(u"mk38c"_s, {u"monitor"_s, u"--csv"_s, u"--fast"_s, u"--from"_s, u"14"_s,
                                               u"--count"_s, u"4"_s, u"--port"_s, sim.device()});
            QCOMPARE(run.exitCode, silent ? 4 : 0);
            const QStringList lines = QString::fromUtf8(run.out).split(u'\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 5);
            QCOMPARE(plclink::monitorcsv::header(plclink::monitorcsv::variableNames(names, 14)), lines[0]);

            plclink::Waits waits;
            plclink::Link link(waits);
            link.setFast(true);
            QVERIFY(!link.openDevice(sim.device()));
            // the same PLC through the poll cycle the Monitor window runs, rows as its export writes them
            QList<Sample> samples;
            plclink::Poller poller(link, [] { return quint8(1); }, [] { return 14; });
            QObject::connect(&poller, &plclink::Poller::sample, [&](const Sample& s) {
                samples << s;
                if (samples.size() == 4)
                    poller.stop();
            });
            QSignalSpy finished(&poller, &plclink::Poller::finished);
            poller.start();
            QVERIFY(finished.wait(20000));
            QCOMPARE(samples.size(), 4);
            for (int n = 1; n <= 4; ++n) {
                Sample s = samples[n - 1];
                s.msecs = QDateTime::fromString(lines[n].section(u',', 0, 0), Qt::ISODateWithMs).toMSecsSinceEpoch();
                QCOMPARE(plclink::monitorcsv::row(s), lines[n]);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TstSampleStore)
#include "tst_samplestore.moc"
