// SPDX-License-Identifier: GPL-2.0-or-later
// Reading the Milky Way outlines out of the compiled-in resources.
#include "chart/milky_way_outlines.h"

#include <QFile>
#include <QString>

#include "sky/data_error.h"

// The resources live in a static library: without a reference to their
// initialiser the linker would leave them out. Q_INIT_RESOURCE declares that
// initialiser, so it must be used outside any namespace.
static void registerMilkyWayResources() { Q_INIT_RESOURCE(milky_way); }

namespace caelora {

MilkyWayOutlines loadMilkyWayOutlines() {
  registerMilkyWayResources();
  MilkyWayOutlines outlines;
  for (int i = 0; i < 4; ++i) {
    const int number = MilkyWayOutlines::kFirstResource + i;
    QFile resource(QStringLiteral(":/milkyway/%1.bin").arg(number));
    if (!resource.open(QIODevice::ReadOnly)) {
      throw DataError(Message("MilkyWayNotInProgram").with("number", std::to_string(number)));
    }
    const QByteArray bytes = resource.readAll();
    outlines.bytes[i].assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
  return outlines;
}

}  // namespace caelora
