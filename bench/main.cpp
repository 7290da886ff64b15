#include <benchmark/benchmark.h>

#include "platform/memorypolicy.h"

#include <QGuiApplication>

// Pictures and fonts need an application object; benchmarks run on the offscreen platform. Memory is
// kept for reuse as the programs keep it.
int main(int argc, char** argv) {
    tw::keepFreedMemoryForReuse();
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
