// The two export colour tables. Only the black ink varies; cyan, magenta and
// yellow stay 0, so the sheet prints the same on any printer.
#include "export/colours.h"

#include <array>

namespace caelora {
namespace {

using ColourTable = std::array<const char*, 32>;

// Slots 5, 17, 18, 22, 23 and 26 are filled but never written.
constexpr ColourTable kStandard = {
    "0 0 0 0.4", "0 0 0 1",   "0 0 0 0.4", "0 0 0 0",   "0 0 0 0",   "0 0 0 0",
    "0 0 0 0",   "0 0 0 0",   "0 0 0 1",   "0 0 0 0",   "0 0 0 0.9", "0 0 0 0",
    "0 0 0 0.8", "0 0 0 0",   "0 0 0 0.6", "0 0 0 1",   "0 0 0 0",   "0 0 0 0",
    "0 0 0 0",   "0 0 0 0",   "0 0 0 0",   "0 0 0 0.5", "0 0 0 0",   "0 0 0 0",
    "0 0 0 0",   "0 0 0 0",   "0 0 0 0",   "0 0 0 0.9", "0 0 0 0.8", "0 0 0 0.7",
    "0 0 0 0.7", "0 0 0 0.2"};

constexpr ColourTable kInverse = {
    "0 0 0 1",   "0 0 0 0",    "0 0 0 1",   "0 0 0 0",   "0 0 0 1",   "0 0 0 1",
    "0 0 0 1",   "0 0 0 1",    "0 0 0 0",   "0 0 0 1",   "0 0 0 1",   "0 0 0 0",
    "0 0 0 0.1", "0 0 0 1",    "0 0 0 0.15", "0 0 0 0",  "0 0 0 1",   "0 0 0 1",
    "0 0 0 1",   "0 0 0 1",    "0 0 0 1",   "0 0 0 0.6", "0 0 0 1",   "0 0 0 1",
    "0 0 0 1",   "0 0 0 1",    "0 0 0 1",   "0 0 0 0.1", "0 0 0 0.2", "0 0 0 0.3",
    "0 0 0 0.3", "0 0 0 0.8"};

}  // namespace

void getColorValues(ExportState& state, int scheme) {
  if (scheme != 0 && scheme != 1) return;
  const ColourTable& table = scheme == 0 ? kStandard : kInverse;
  for (std::size_t slot = 0; slot < table.size(); ++slot) state.exportColours[slot] = table[slot];
}

}  // namespace caelora
