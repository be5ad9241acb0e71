// SPDX-License-Identifier: GPL-2.0-or-later
// Caelora, the desktop star chart.
#include <QApplication>
#include <QSurfaceFormat>

#include "app/mapka.h"
#include "chart/program_folder.h"
#include "gl/context_format.h"

int main(int argc, char* argv[]) {
  QSurfaceFormat::setDefaultFormat(caelora::chartSurfaceFormat());
  QApplication app(argc, argv);
  caelora::Mapka window(caelora::findProgramFolder());
  window.show();
  return app.exec();
}
