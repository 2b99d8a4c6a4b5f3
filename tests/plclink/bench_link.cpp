// Link benchmark (not a test): the exchanges with their real waits against mk38sim, the time
// each takes beyond its fixed waits and the CPU this process spends meanwhile.
//   build/tests/bench_link [polls]
#include "Exchanges.h"
#include "SimProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

double cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

void measure(const char* what, int fixedMs, const std::function<void()>& run)
{
    const double cpu0 = cpuMs();
    QElapsedTimer t;
    t.start();
    run();
    const double wall = double(t.nsecsElapsed()) / 1e6;
    const double cpu = cpuMs() - cpu0;
    std::printf("%-28s %8.1f ms  (fixed waits %5d ms, beyond them %5.1f ms)  CPU %5.1f ms = %.2f %% of one core\n",
                what, wall, fixedMs, wall - fixedMs, cpu, 100.0 * cpu / wall);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int polls = argc > 1 ? std::atoi(argv[1]) : 10;
    testutil::SimProcess sim;
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
    const int download = plclink::Waits::kHeader + plclink::Waits::kImage + plclink::Waits::kAnswer;
    measure("download", download, [&] { plclink::download(link, image, QDate::currentDate()); });
    measure("upload (probe and read)", plclink::Waits::kProbe + plclink::Waits::kUpload, [&] {
        plclink::probe(link, 1);
        plclink::readProgram(link, 1, plclink::kNoPassword);
    });
    measure(qPrintable(QStringLiteral("monitor, %1 polls").arg(polls)), polls * plclink::Waits::kAnswer, [&] {
        for (int i = 0; i < polls; ++i)
            i % 2 ? (void)plclink::pollVariables(link, 1, 0) : (void)plclink::pollIo(link, 1);
    });
    measure("presets read", 5 * plclink::Waits::kPresetRead, [&] { plclink::readPresets(link, 1); });
    return 0;
}
