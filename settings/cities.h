// The city list of the options dialog's place: the main city of every time
// zone with its coordinates, from the program folder's "cities.txt".
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace caelora {

struct City {
  std::string name;         // "Prague"
  double latitudeDeg = 0;   // north positive
  double longitudeDeg = 0;  // east positive
  std::string zone;         // "Europe/Prague"
};

// Reads lines of name, latitude, longitude and zone separated by tabs;
// empty lines and lines starting with "#" are skipped. Throws
// std::runtime_error naming the file and line of a malformed record.
std::vector<City> readCities(std::istream& in, const std::string& fileName);

// The list of `programFolder`; throws as readCities, or when the file
// cannot be opened.
std::vector<City> loadCities(const std::string& programFolder);

}  // namespace caelora
