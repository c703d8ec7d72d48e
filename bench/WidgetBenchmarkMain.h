// Shared entry point of the benchmarks that drive the editor control: an offscreen QApplication around them.
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

// Runs the registered benchmarks with a widget-capable application; answers main()'s exit code.
// whileAppAlive runs after the benchmarks, before the application goes: widgets the benchmarks kept must go first.
inline int RunWidgetBenchmarks(int argc, char** argv, const std::function<void()>& whileAppAlive = {})
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (whileAppAlive) whileAppAlive();
    return 0;
}
