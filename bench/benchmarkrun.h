// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

/**
 * How a benchmark's main() ends, once it has made its application object
 * (the colour code needs one): Google Benchmark runs the benchmarks the
 * command line asks for. An option it does not know ends the run with 1.
 */
inline int runBenchmarks(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
