// SPDX-License-Identifier: GPL-2.0-or-later
// The on-screen chart rendered offscreen: the same recordings and the same
// frame routine as the window, into a framebuffer object; and the picture
// written as a PNG file.
#pragma once

#include <QImage>
#include <string>

#include "chart/chart_scene.h"
#include "chart/step_runner.h"

namespace caelora {

// Compiles the scene's recordings in a fresh offscreen context and draws one
// frame of sizePx x sizePx. Throws std::runtime_error when no context that
// can draw the chart is to be had. Needs a QGuiApplication.
QImage renderChart(ChartScene& scene, int sizePx, double discAngleDeg, bool useMask,
                   StepRunner& steps);

// Encodes the picture as PNG in memory and writes it through a
// ReplacingFile, as the documents are written: the file at `path` (its bytes
// as they are, whatever the encoding) is replaced only by a complete
// picture. Throws PdfError naming the file and the reason.
void writePng(const QImage& image, const std::string& path);

}  // namespace caelora
