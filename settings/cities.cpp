// Reading the city list.
#include "settings/cities.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace caelora {
namespace {

std::vector<std::string> tabFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

bool readDegrees(const std::string& text, double limit, double& value) {
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(text.data(), last, value, std::chars_format::fixed);
  return !text.empty() && ec == std::errc() && end == last && std::fabs(value) <= limit;
}

}  // namespace

std::vector<City> readCities(std::istream& in, const std::string& fileName) {
  std::vector<City> cities;
  std::string line;
  for (std::size_t number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string> f = tabFields(line);
    City city;
    const auto fail = [&](const std::string& what) {
      return std::runtime_error(fileName + ", line " + std::to_string(number) + ": " + what);
    };
    if (f.size() != 4) throw fail("4 fields separated by tabs expected, not " + std::to_string(f.size()));
    if (f[0].empty() || f[3].empty()) throw fail("a city without a name or a zone");
    if (!readDegrees(f[1], 90, city.latitudeDeg)) throw fail("latitude \"" + f[1] + "\" is no number of -90..90");
    if (!readDegrees(f[2], 180, city.longitudeDeg))
      throw fail("longitude \"" + f[2] + "\" is no number of -180..180");
    city.name = f[0];
    city.zone = f[3];
    cities.push_back(std::move(city));
  }
  return cities;
}

std::vector<City> loadCities(const std::string& programFolder) {
  const std::string path = programFolder + "/cities.txt";
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": the city list cannot be opened");
  return readCities(in, path);
}

}  // namespace caelora
