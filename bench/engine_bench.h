#pragma once

#include "res_scheme_handler.h"

#include "headless_engine.h"

#include <benchmark/benchmark.h>

using namespace formulario;

// What a benchmark of the form's engine does before its QApplication exists:
// takes the benchmark's own switches, runs headless unless told otherwise,
// and makes the res: scheme known.
inline void PrepareEngineBenchmark(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    UseHeadlessEngineDefaults();
    CResSchemeHandler::RegisterScheme();
}
