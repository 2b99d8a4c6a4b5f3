// SPDX-License-Identifier: GPL-3.0-or-later
// Link benchmark (not a test): a download in process, and mk38c receive, monitor and scan, with their
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

double cpuMs(int who)
{
    rusage u{};
    getrusage(who, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// The median of runs (by wall time, in ms) and the share of a core who spent in it, in %.
std::pair<double, double> median(int runs, int who, const std::function<void()>& run)
{
    std::vector<std::pair<double, double>> all;
    for (int i = 0; i < runs; ++i) {
        const double cpu = cpuMs(who);
        QElapsedTimer t;
        t.start();
        run();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        all.push_back({ms, 100.0 * (cpuMs(who) - cpu) / ms});
    }
    std::sort(all.begin(), all.end());
    return all[all.size() / 2];
}

void mk38c(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(WMK38_BIN_DIR "/mk38c"), args);
    p.waitForFinished(120000);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5, polls = argc > 2 ? std::atoi(argv[2]) : 40;
    testutil::SimProcess sim({"--pace"});
    plclink::Waits waits;
    plclink::Link link(waits);
    if (!sim.start() || link.openDevice(sim.device())) {
        std::fprintf(stderr, "mk38sim did not start, or its device did not open\n");
        return 1;
    }
    isa::ProgramImage image{};
    image[0] = 0x0F;
    using W = plclink::Waits;
    constexpr double kByteMs = 1000.0 / 240.0; // 10 bits a byte at 2400 baud
    const char* format = "%-8s %-24s %7.1f ms  line floor %7.1f ms  fixed waits %6.0f ms  CPU %5.2f %%\n";
    for (const bool fast : {false, true}) {
        const char* mode = fast ? "fast" : "default";
        const QStringList port =
            QStringList{"--port", sim.device()} + (fast ? QStringList{"--fast"} : QStringList{});
        link.setFast(fast);
        // line floors: the pause after the header (it leaves within it), 258 bytes and the answer;
        // probe and answer, request and 258 bytes; for a poll 7 bytes out and 7 back
        auto [ms, cpu] =
            median(runs, RUSAGE_SELF, [&] { plclink::download(link, image, QDate::currentDate()); });
        std::printf(format, mode, "download", ms, W::kHeader + 265 * kByteMs,
                    double(W::kHeader + W::kImage + W::kAnswer), cpu);
        link.close(); // the tool opens the device itself
        std::tie(ms, cpu) = median(runs, RUSAGE_CHILDREN, [&] { mk38c(QStringList{"receive"} + port); });
        std::printf(format, mode, "mk38c receive", ms, 279 * kByteMs, double(W::kProbe + W::kUpload), cpu);
        std::tie(ms, cpu) = median(1, RUSAGE_CHILDREN, [&] {
            mk38c(QStringList{"monitor", "--count", QString::number(polls)} + port);
        });
        std::printf("%-8s %-24s %7.1f polls/s  line floor %5.1f polls/s  CPU %5.2f %%\n", mode,
                    "mk38c monitor", 1000.0 * polls / ms, 1000.0 / (14 * kByteMs), cpu);
        // one station present (1), nine silent: each silent one costs its whole answer wait
        std::tie(ms, cpu) =
            median(1, RUSAGE_CHILDREN, [&] { mk38c(QStringList{"scan", "--to", "10"} + port); });
        std::printf(format, mode, "mk38c scan 1..10", ms, 77 * kByteMs, 10.0 * W::kProbe, cpu);
        link.openDevice(sim.device());
    }
    return 0;
}
