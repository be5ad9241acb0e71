// SPDX-License-Identifier: GPL-2.0-or-later
// The per-user settings store kept in memory, for the tests and the fuzz
// entry points: it holds its texts by key and notes the order of reads and
// writes.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace caelora::test {

class MemoryStore : public SettingsStore {
 public:
  std::optional<std::string> get(const std::string& key) const override {
    reads.push_back(key);
    const auto it = values.find(key);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  void save(const std::string& key, const std::string& text) override {
    writes.push_back(key);
    values[key] = text;
  }

  std::map<std::string, std::string> values;
  mutable std::vector<std::string> reads;
  std::vector<std::string> writes;
};

}  // namespace caelora::test
