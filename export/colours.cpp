// SPDX-License-Identifier: GPL-2.0-or-later
// The two export colour tables. Only the black ink varies; cyan, magenta and
// yellow stay 0, so the sheet prints the same on any printer.
#include "export/colours.h"

namespace caelora {
namespace {

using Table = std::array<const char*, 32>;

constexpr Table kStandard = {
    "0 0 0 0.4", "0 0 0 1",   "0 0 0 0.4", "0 0 0 0",   "0 0 0 0",   "0 0 0 0",
    "0 0 0 0",   "0 0 0 0",   "0 0 0 1",   "0 0 0 0",   "0 0 0 0.9", "0 0 0 0",
    "0 0 0 0.8", "0 0 0 0",   "0 0 0 0.6", "0 0 0 1",   "0 0 0 0",   "0 0 0 0",
    "0 0 0 0",   "0 0 0 0",   "0 0 0 0",   "0 0 0 0.5", "0 0 0 0.25", "0 0 0 0",
    "0 0 0 0",   "0 0 0 0",   "0 0 0 0.55", "0 0 0 0.9", "0 0 0 0.8", "0 0 0 0.7",
    "0 0 0 0.7", "0 0 0 0.2"};

constexpr Table kInverse = {
    "0 0 0 1",   "0 0 0 0",    "0 0 0 1",   "0 0 0 0",   "0 0 0 1",   "0 0 0 1",
    "0 0 0 1",   "0 0 0 1",    "0 0 0 0",   "0 0 0 1",   "0 0 0 1",   "0 0 0 0",
    "0 0 0 0.1", "0 0 0 1",    "0 0 0 0.15", "0 0 0 0",  "0 0 0 1",   "0 0 0 1",
    "0 0 0 1",   "0 0 0 1",    "0 0 0 1",   "0 0 0 0.6", "0 0 0 0.75", "0 0 0 1",
    "0 0 0 1",   "0 0 0 1",    "0 0 0 0.45", "0 0 0 0.1", "0 0 0 0.2", "0 0 0 0.3",
    "0 0 0 0.3", "0 0 0 0.8"};

}  // namespace

ColourTable getColorValues(ExportScheme scheme) {
  const Table& table = scheme == ExportScheme::Inverse ? kInverse : kStandard;
  ColourTable colours;
  for (std::size_t slot = 0; slot < table.size(); ++slot) colours[slot] = table[slot];
  return colours;
}

}  // namespace caelora
