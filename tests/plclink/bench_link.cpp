// Link benchmark (not a test): a download in process, and mk38c receive and monitor, with their
// real waits against mk38sim --pace (a line at 2400 baud both ways), in the default mode and
// with the fast link, each figure beside the floor the line itself sets, with the CPU spent.
//   build/tests/bench_link [runs] [polls]
#include "Exchanges.h"
#include "SimProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

double cpuMs(int who = RUSAGE_SELF)
{
    rusage u{};
    getrusage(who, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// 10 bits a byte at 2400 baud
constexpr double kByteMs = 1000.0 / 240.0;

struct Figure
{
    double wallMs, cpuMs;
};

// The median of runs of one exchange.
Figure median(int runs, const std::function<void()>& run, int who = RUSAGE_SELF)
{
    std::vector<Figure> all;
    for (int i = 0; i < runs; ++i) {
        const double cpu0 = cpuMs(who);
        QElapsedTimer t;
        t.start();
        run();
        all.push_back({double(t.nsecsElapsed()) / 1e6, cpuMs(who) - cpu0});
    }
    std::sort(all.begin(), all.end(), [](const Figure& a, const Figure& b) { return a.wallMs < b.wallMs; });
    return all[all.size() / 2];
}

void report(const char* mode, const char* what, const Figure& f, double floorMs, double fixedMs)
{
    std::printf("%-8s %-24s %7.1f ms  line floor %7.1f ms  fixed waits %6.0f ms  CPU %5.2f %%\n", mode, what,
                f.wallMs, floorMs, fixedMs, 100.0 * f.cpuMs / f.wallMs);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    const int polls = argc > 2 ? std::atoi(argv[2]) : 40;
    testutil::SimProcess sim({QStringLiteral("--pace")});
    if (!sim.start()) {
        std::fprintf(stderr, "mk38sim did not start\n");
        return 1;
    }
    plclink::Waits waits;
    plclink::Link link(waits);
    if (link.openDevice(sim.device())) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(sim.device()));
        return 1;
    }
    isa::ProgramImage image{};
    image[0] = 0x0F;
    // the pause after the header (it leaves within it), 258 bytes, the answer; probe and answer,
    // request and 258 bytes; 7 out, 7 back
    const double downloadFloor = plclink::Waits::kHeader + 258 * kByteMs + 7 * kByteMs;
    const double uploadFloor = 14 * kByteMs + 7 * kByteMs + 258 * kByteMs;
    const double pollFloor = 14 * kByteMs;
    for (const bool fast : {false, true}) {
        const char* mode = fast ? "fast" : "default";
        link.setFast(fast);
        report(mode, "download", median(runs, [&] { plclink::download(link, image, QDate::currentDate()); }),
               downloadFloor, plclink::Waits::kHeader + plclink::Waits::kImage + plclink::Waits::kAnswer);
        QStringList receive{QStringLiteral("receive"), QStringLiteral("--port"), sim.device()};
        if (fast)
            receive << QStringLiteral("--fast");
        link.close(); // the tool opens the device itself
        report(mode, "mk38c receive", median(runs, [&] {
                   QProcess p;
                   p.start(QStringLiteral(WMK38_BIN_DIR "/mk38c"), receive);
                   p.waitForFinished(10000);
               }, RUSAGE_CHILDREN),
               uploadFloor, plclink::Waits::kProbe + plclink::Waits::kUpload);
        QStringList monitorArgs{QStringLiteral("monitor"), QStringLiteral("--port"), sim.device(),
                                QStringLiteral("--count"), QString::number(polls)};
        if (fast)
            monitorArgs << QStringLiteral("--fast");
        const Figure tool = median(1, [&] {
            QProcess p;
            p.start(QStringLiteral(WMK38_BIN_DIR "/mk38c"), monitorArgs);
            p.waitForFinished(120000);
        }, RUSAGE_CHILDREN);
        std::printf("%-8s %-24s %7.1f polls/s  line floor %5.1f polls/s  CPU %5.2f %%\n", mode, "mk38c monitor",
                    1000.0 * polls / tool.wallMs, 1000.0 / pollFloor, 100.0 * tool.cpuMs / tool.wallMs);
        link.openDevice(sim.device());
    }
    return 0;
}
