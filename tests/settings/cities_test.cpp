// The city list's reader refuses a malformed record, naming the file and
// line (the options' tests read the committed list).
#include "settings/cities.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(Cities, AMalformedRecordNamesTheFileAndLine) {
  for (const std::string bad : {"Oslo\t59.92\t10.75", "Oslo\t91\t10.75\tEurope/Oslo", "Oslo\t59.92\t10,75\tEurope/Oslo",
                                "\t59.92\t10.75\tEurope/Oslo", "Oslo\t59.92\t-180.5\tEurope/Oslo"}) {
    std::istringstream in("# comment\r\n\r\nOslo\t59.92\t10.75\tEurope/Oslo\r\n" + bad + "\r\n");
    try {
      caelora::readCities(in, "cities.txt");
      ADD_FAILURE() << bad;
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()).rfind("cities.txt, line 4: ", 0), 0u) << e.what();
    }
  }
}
