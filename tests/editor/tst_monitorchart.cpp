// SPDX-License-Identifier: GPL-3.0-or-later
// The Monitor's chart: what each pixel column shows, the traces and their labels, the cursor's
// readout, pause and the history's scroll bar, and the export through the file dialog.
#include "MonitorChartPanel.h"
#include "MonitorCsv.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"

#include <QCheckBox>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using plclink::Sample;

namespace {

const qint64 kT0 = 1'800'000'000'000; // a moment in 2027, far from 0

Sample io(qint64 at, int inputs, int outputs, bool sound = true)
{
    Sample s;
    s.msecs = kT0 + at;
    s.fault = sound ? Sample::Fault::None : Sample::Fault::Silent;
    s.inputs = quint8(inputs);
    s.outputs = quint8(outputs);
    return s;
}

Sample var(qint64 at, int first, std::array<quint8, 4> values, bool sound = true)
{
    Sample s = io(at, 0, 0, sound);
    s.kind = Sample::Kind::Variables;
    s.first = first;
    s.variables = values;
    return s;
}

// one character a column: ' ' nothing, L, H, X both, g a gap
QString pattern(const QByteArray& columns)
{
    QString out;
    for (char c : columns)
        out += (c & MonitorChart::Gap)                         ? u'g'
               : c == (MonitorChart::High | MonitorChart::Low) ? u'X'
               : (c & MonitorChart::High)                      ? u'H'
               : (c & MonitorChart::Low)                       ? u'L'
                                                               : u' ';
    return out;
}

} // namespace

class TstMonitorChart : public QObject
{
    Q_OBJECT
    const QStringList m_names = testutil::shippedDefinitionNames();

private slots:
    // Ten columns of 100 ms from kT0: the traces e1, s1 and v01 (address 14), and the axis marks.
    void columns_data()
    {
        QTest::addColumn<QList<Sample>>("samples");
        QTest::addColumn<QString>("shown"); // e1|s1|v01|faults
        // clang-format off
        QTest::newRow("a trace ends at its last answer") << QList<Sample>{io(0, 1, 0), io(500, 0, 1)}
            << "HHHHHX    |LLLLLX    |(no trace)|          ";
        QTest::newRow("an unanswered io poll gaps io only, its bytes unused")
            << QList<Sample>{io(0, 1, 0), var(200, 14, {1, 0, 0, 0}), io(400, 0xFF, 0x3F, false),
                             var(600, 14, {0, 0, 0, 0}), io(800, 1, 0)}
            << "HHHHggggg |LLLLggggg |  HHHHXLL |    x     ";
        QTest::newRow("an unanswered variable poll gaps the variables only")
            << QList<Sample>{io(0, 1, 0), var(200, 14, {0xFF, 0, 0, 0}, false), io(400, 1, 0)}
            << "HHHHH     |LLLLL     |  ggg     |  x       ";
        QTest::newRow("scrolled away: the trace ends")
            << QList<Sample>{var(0, 14, {1, 0, 0, 0}), io(100, 0, 0), var(300, 15, {1, 1, 1, 1})}
            << " LLL      | LLL      |HHHH      |          ";
        // clang-format on
    }
    void columns()
    {
        QFETCH(QList<Sample>, samples);
        plclink::SampleStore store;
        for (const Sample& s : samples)
            store.append(s);
        MonitorChart chart(store);
        chart.setNames(m_names);
        const QList<MonitorChart::Trace> traces = chart.traces();
        const auto c = MonitorChart::decimate(store, traces, kT0, kT0 + 1000, 10);
        auto trace = [&](const QString& label) {
            for (int k = 0; k < traces.size(); ++k)
                if (traces[k].label == label)
                    return pattern(c.traces[size_t(k)]);
            return u"(no trace)"_s;
        };
        const QString faults = QString::fromLatin1(c.faults).replace(QChar(1), u'x').replace(QChar(0), u' ');
        QTEST(QStringList({trace(u"e1"_s), trace(u"s1"_s), trace(u"v01"_s), faults}).join(u'|'), "shown");
    }

    // Inputs, outputs, then every variable polled so far, labelled with the program's names; the
    // cursor's readout, where the scrolled-away variables keep what they showed.
    void readout_data()
    {
        QTest::addColumn<bool>("debug");
        QTest::addColumn<qint64>("at");
        QTest::addColumn<QString>("values"); // e1, s2, v01, v02
        QTest::newRow("sound") << false << qint64(150) << "1|1|1 (129)|0 (254)";
        QTest::newRow("sound, diagnostic mode") << true << qint64(150) << "1|1|1 (129, 0x81)|0 (254, 0xFE)";
        QTest::newRow("io unanswered") << false << qint64(250) << "?|?|1 (129)|0 (254)";
        QTest::newRow("before the first poll") << false << qint64(-10) << "|||";
        QTest::newRow("after the stop") << false << qint64(5000) << "|||";
    }
    void readout()
    {
        QFETCH(bool, debug);
        QFETCH(qint64, at);
        MonitorChartPanel panel;
        panel.setNames(m_names);
        panel.setEquNames(MonitorChartPanel::equNamesOf({u"motor"_s, u"bomba"_s, u"otro"_s, u"diez"_s},
                                                        {u"8"_s, u"15"_s, u"8"_s, u"x"_s}));
        panel.setDebugMode(debug);
        for (const Sample& s : {io(0, 1, 2), var(100, 14, {0x81, 0xFE, 0, 0}), io(200, 0, 0, false),
                                io(300, 1, 2), var(400, 16, {1, 0, 0, 0})})
            panel.addSample(s);
        panel.pollingStopped();
        QStringList labels, values;
        for (const auto& t : panel.chart()->traces())
            labels << t.label;
        QCOMPARE(labels.join(u','), u"e1,e2,e3,e4,e5,e6,e7,e8,motor (s1),s2,s3,s4,s5,s6,"
                                    u"v01,bomba (v02),v03,v04,v05,v06"_s);
        for (int k : {0, 9, 14, 15})
            values << panel.chart()->valueText(panel.chart()->traces()[k], kT0 + at);
        QTEST(values.join(u'|'), "values");
        QCOMPARE(
            MonitorChart::timeText(QDateTime(QDate(2026, 12, 7), QTime(10, 2, 3, 45)).toMSecsSinceEpoch()),
            u"10:02:03.045"_s);
    }

    // Paused, the view stays while the history grows; the scroll bar moves through it.
    void pauseAndScroll()
    {
        MonitorChartPanel panel;
        auto* bar = panel.findChild<QScrollBar*>(u"HScroll1"_s);
        for (int i = 0; i <= 300; ++i)
            panel.addSample(io(i * 100, i & 1, 0));
        QCOMPARE(panel.chart()->viewEnd(), kT0 + 30000);
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE(bar->maximum(), 200); // 30 s of history less the 10 s shown, in tenths
        panel.findChild<QPushButton*>(u"cmdPausa"_s)->click();
        for (int i = 301; i <= 400; ++i)
            panel.addSample(io(i * 100, 0, 0));
        QCOMPARE(panel.chart()->viewEnd(), kT0 + 30000);
        QCOMPARE(panel.store().size(), 401);
        bar->setValue(50);
        QCOMPARE(panel.chart()->viewEnd(), kT0 + 15000);
        panel.setPaused(false);
        QCOMPARE(panel.chart()->viewEnd(), kT0 + 40000);
        bar->setValue(0); // moving by hand pauses
        QVERIFY(panel.paused());
        QCOMPARE(panel.chart()->viewEnd(), kT0 + 10000);
        panel.clear();
        QVERIFY(!panel.paused());
        QCOMPARE(panel.store().size(), 0);
    }

    void historyLimitNote()
    {
        MonitorChartPanel panel(nullptr, 5);
        for (int i = 0; i < 5; ++i)
            panel.addSample(io(i * 100, 0, 0));
        QCOMPARE(panel.chart()->note(), QString());
        panel.addSample(io(500, 0, 0));
        QCOMPARE(panel.chart()->note(),
                 u"La historia está llena: se descartaron las muestras anteriores a las %1."_s.arg(
                     QDateTime::fromMSecsSinceEpoch(kT0 + 100).toString(u"HH:mm:ss"_s)));
    }

    // "Exportar...": CSV as mk38c writes it, a new header where the variables in view changed;
    // PNG of the chart's size; a failed write told with the file and the reason.
    void exports()
    {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        MonitorChartPanel panel;
        panel.resize(700, 500);
        panel.setNames(m_names);
        const QList<Sample> samples{io(0, 5, 1), var(100, 14, {1, 2, 3, 4}), io(200, 0, 0, false),
                                    var(300, 20, {9, 9, 9, 9}), io(400, 0, 0)};
        for (const Sample& s : samples)
            panel.addSample(s);
        namespace csv = plclink::monitorcsv;
        const QStringList expected{csv::header(csv::variableNames(m_names, 14)), csv::row(samples[0]),
                                   csv::row(samples[1]), csv::row(samples[2]),
                                   csv::header(csv::variableNames(m_names, 20)), csv::row(samples[3]),
                                   csv::row(samples[4])};
        const QString path = dir.filePath(u"historia"_s);
        prompts.answerFile(path);
        panel.findChild<QPushButton*>(u"cmdExportar"_s)->click();
        QCOMPARE(testutil::readRaw(path + u".csv"_s), (expected.join(u'\n') + u'\n').toUtf8());

        prompts.answerFile(dir.filePath(u"grafico.PNG"_s));
        panel.cmdExportar_Click();
        QCOMPARE(QImage(dir.filePath(u"grafico.PNG"_s)).size(), panel.chart()->size());

        prompts.answerFile(path + u".csv"_s); // exists: asked first
        prompts.answerMessage(Prompts::No);
        panel.cmdExportar_Click();
        const QString blocked = dir.filePath(u"historia.csv/x.csv"_s); // a file where a folder should be
        prompts.answerFile(blocked);
        prompts.answerMessage(Prompts::Ok);
        panel.cmdExportar_Click();
        QCOMPARE(prompts.unexpected().join(u'\n'), QString());
        QCOMPARE(prompts.asked().size(), 6);
        QVERIFY(prompts.asked()[3].text.contains(u"ya existe"_s));
        const QString failed = prompts.asked()[5].text;
        QVERIFY2(failed.startsWith(u"No se pudo exportar %1: "_s.arg(blocked)) &&
                     failed.size() > blocked.size() + 24,
                 qPrintable(failed));
    }

    void hidden()
    {
        MonitorChartPanel panel;
        panel.show();
        QSignalSpy spy(&panel, &MonitorChartPanel::chartShownChanged);
        panel.setChartShown(false);
        QVERIFY(!panel.chart()->isVisible());
        QVERIFY(panel.showToggle()->isVisible());
        QCOMPARE(spy.size(), 1);
        panel.showToggle()->click();
        QVERIFY(panel.chart()->isVisible() && panel.chartShown());
    }
};

QTEST_MAIN(TstMonitorChart)
#include "tst_monitorchart.moc"
