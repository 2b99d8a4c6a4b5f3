// SPDX-License-Identifier: GPL-3.0-or-later
// Monitor chart benchmark (not a test): a redraw with an hour of history, the CPU the chart
// spends fed at the fast link's 14 polls a second, and the memory an hour of history takes.
//   QT_QPA_PLATFORM=offscreen build/tests/bench_monitorchart [seconds fed] [picture.png]
#include "MonitorChartPanel.h"

#include <QtWidgets>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

constexpr int kPerHour = 14 * 3600;
constexpr qint64 kPollMs = 1000 / 14;

// Poll n of a busy PLC: inputs counting, outputs following, variables in view changing.
plclink::Sample poll(qint64 start, int n)
{
    plclink::Sample s;
    s.msecs = start + n * kPollMs;
    if (n % 2 == 0) {
        s.inputs = quint8(n / 14);
        s.outputs = quint8((n / 30) & 0x3F);
    } else {
        s.kind = plclink::Sample::Kind::Variables;
        s.first = 14 + (n / 5000) % 4;
        s.variables = {quint8(n / 7), quint8(n / 21), quint8(n / 3), quint8(n)};
    }
    if (n % 997 == 0)
        s.fault = plclink::Sample::Fault::Silent;
    return s;
}

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int fedSeconds = argc > 1 ? std::atoi(argv[1]) : 20;
    const qint64 start = QDateTime::currentMSecsSinceEpoch() - qint64(kPerHour) * kPollMs;

    // memory: an hour of polls into a store of its own
    {
        const double before = residentMb();
        plclink::SampleStore store;
        for (int n = 0; n < kPerHour; ++n)
            store.append(poll(start, n));
        std::printf("memory: one hour of history (%d samples) adds %.1f MB resident (goal < 30 MB)\n",
                    kPerHour, residentMb() - before);
    }

    MonitorChartPanel panel;
    panel.setNames(QStringLiteral("e1 e2 e3 e4 e5 e6 e7 e8 s1 s2 s3 s4 s5 s6 v01 v02 v03 v04 v05 v06 v07").split(' '));
    panel.resize(1000, 650);
    panel.show();
    for (int n = 0; n < kPerHour; ++n)
        panel.addSample(poll(start, n));
    MonitorChart* chart = panel.chart();
    QImage image(chart->size(), QImage::Format_ARGB32_Premultiplied);
    const char* spans[] = {"10 s", "1 min", "10 min"};
    auto* span = panel.findChild<QComboBox*>(QStringLiteral("cbIntervalo"));
    for (int i = 0; i < 3; ++i) {
        span->setCurrentIndex(i);
        for (const bool oldest : {false, true}) {
            if (oldest)
                panel.findChild<QScrollBar*>(QStringLiteral("HScroll1"))->setValue(0);
            else
                panel.setPaused(false);
            // the median tells the chart's cost; the worst also tells a loaded machine's
            // (and the thread's CPU time, which other programs' load does not stretch)
            QList<double> times, cpuTimes;
            for (int r = 0; r < 50; ++r) {
                QElapsedTimer t;
                t.start();
                const double cpu0 = threadCpuMs();
                chart->render(&image);
                cpuTimes << threadCpuMs() - cpu0;
                times << double(t.nsecsElapsed()) / 1e6;
            }
            std::sort(times.begin(), times.end());
            std::sort(cpuTimes.begin(), cpuTimes.end());
            std::printf("redraw, %d samples, %s shown, %s: %.2f ms median, %.2f ms worst; CPU %.2f ms worst "
                        "(goal < 16 ms), %dx%d\n",
                        int(panel.store().size()), spans[i], oldest ? "the oldest" : "live",
                        times[times.size() / 2], times.last(), cpuTimes.last(), chart->width(),
                        chart->height());
        }
    }

    // CPU: fed live at the fast link's rate, the chart shown at its shortest span (it moves most)
    panel.setPaused(false);
    span->setCurrentIndex(0);
    struct Counter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    chart->installEventFilter(&counter);
    int n = kPerHour;
    QTimer feed;
    feed.setTimerType(Qt::PreciseTimer);
    QObject::connect(&feed, &QTimer::timeout, [&] {
        plclink::Sample s = poll(start, n++);
        s.msecs = QDateTime::currentMSecsSinceEpoch();
        panel.addSample(s);
    });
    feed.start(int(kPollMs));
    const std::clock_t cpu = std::clock();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(fedSeconds * 1000, &app, &QApplication::quit);
    app.exec();
    const double ms = double(wall.nsecsElapsed()) / 1e6;
    if (argc > 2) { // the panel as it looks at the end, cursor and all, to look at by eye
        chart->setCursorTime(chart->viewEnd() - 4000);
        panel.grab().save(QString::fromLocal8Bit(argv[2]));
    }
    std::printf("CPU: fed %.1f samples/s for %d s, %d paints: %.2f %% of one core (goal < 5 %%)\n",
                1000.0 * (n - kPerHour) / ms, fedSeconds, counter.paints,
                100.0 * 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC / ms);
    return 0;
}
