// SPDX-License-Identifier: GPL-2.0-or-later
// The main of a window benchmark: the chart's surface format, a QApplication
// and a settings store of its own, empty, so that the defaults are measured
// whatever the user chose.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSurfaceFormat>
#include <QTemporaryDir>

#include "gl/context_format.h"

#define CAELORA_GUI_BENCHMARK_MAIN()                                       \
  int main(int argc, char* argv[]) {                                      \
    QTemporaryDir config;                                                 \
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());              \
    QSurfaceFormat::setDefaultFormat(caelora::chartSurfaceFormat());      \
    QApplication app(argc, argv);                                         \
    benchmark::Initialize(&argc, argv);                                   \
    benchmark::RunSpecifiedBenchmarks();                                  \
    benchmark::Shutdown();                                                \
    return 0;                                                             \
  }
