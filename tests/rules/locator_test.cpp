#include "rules/locator.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(LocatorIsInvalid, ShapeTable_JudgesFirstSixCharacters) {
  struct Case {
    const char* name;
    const char* text;
    bool invalid;
  };
  const Case cases[] = {
      {"valid", "KO00HU", false},           {"seventh character ignored", "KO00HU1", false},
      {"lowest corner", "AA00AA", false},   {"highest corner", "RR99XX", false},
      {"five characters", "KO00H", true},   {"empty", "", true},
      {"lower case", "ko00hu", true},       {"field letter beyond R", "KS00HU", true},
      {"letter in square", "KO0AHU", true}, {"subsquare letter beyond X", "KO00HY", true},
      {"blank inside", "KO 0HU", true},     {"digit in field", "1O00HU", true},
      {"high byte", "KO00H\xD3", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.invalid, LocatorIsInvalid(c.text)) << c.name;
  }
}

TEST(LocatorToLonLat, Locators_GiveCentreOfSubsquare) {
  struct Case {
    const char* locator;
    double longitude;
    double latitude;
  };
  const Case cases[] = {
      {"KO00HU", 20.625, 50.0 + 20.0 / 24 + 1.0 / 48},
      {"JJ00AA", 1.0 / 24, 1.0 / 48},
      {"AA00AA", -180 + 1.0 / 24, -90 + 1.0 / 48},
      {"RR99XX", 180 - 1.0 / 24, 90 - 1.0 / 48},
  };
  for (const Case& c : cases) {
    double longitude = 0;
    double latitude = 0;
    LocatorToLonLat(c.locator, longitude, latitude);
    EXPECT_NEAR(c.longitude, longitude, 1e-9) << c.locator;
    EXPECT_NEAR(c.latitude, latitude, 1e-9) << c.locator;
  }
}

TEST(LocatorToLonLat, FieldLetterOutOfRange_LeavesThatOutputAlone) {
  double longitude = 7;
  double latitude = 8;
  LocatorToLonLat("SO00HU", longitude, latitude);
  EXPECT_EQ(7, longitude);
  EXPECT_NEAR(50.854166, latitude, 1e-6);

  longitude = 7;
  latitude = 8;
  LocatorToLonLat("KS00HU", longitude, latitude);
  EXPECT_EQ(20.625, longitude);
  EXPECT_EQ(8, latitude);
}

TEST(LocatorToLonLat, ShortText_WritesNothing) {
  double longitude = 7;
  double latitude = 8;
  LocatorToLonLat("KO0", longitude, latitude);
  EXPECT_EQ(7, longitude);
  EXPECT_EQ(8, latitude);
}

std::int32_t DistanceKm(const char* correspondent, const char* own) {
  double longitude_a = 0;
  double latitude_a = 0;
  double longitude_b = 0;
  double latitude_b = 0;
  LocatorToLonLat(correspondent, longitude_a, latitude_a);
  LocatorToLonLat(own, longitude_b, latitude_b);
  return LocatorDistanceKm(latitude_a, latitude_b, longitude_a, longitude_b);
}

TEST(LocatorDistanceKm, DistanceTable_MatchesOrganisersRounding) {
  struct Case {
    const char* name;
    const char* correspondent;
    const char* own;
    std::int32_t km;
  };
  const Case cases[] = {
      {"one square north", "KO01HU", "KO00HU", 111},
      {"next subsquare north rounds up", "KO00HV", "KO00HU", 5},
      {"next subsquare east", "KO00IU", "KO00HU", 6},
      {"diagonal square rounds up", "KO10HU", "KO00HU", 141},
      {"neighbouring field", "JO91QX", "KO00HU", 152},
      {"across two fields", "KN19AA", "JO91QX", 379},
      {"across the ocean", "FN20AA", "KO00HU", 7088},
      {"far side, southern", "GG66RU", "KO00HU", 10501},
      {"far side, eastern", "QF56OD", "KO00HU", 15628},
      {"identical locators", "KO00HU", "KO00HU", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.km, DistanceKm(c.correspondent, c.own)) << c.name;
    EXPECT_EQ(c.km, DistanceKm(c.own, c.correspondent)) << c.name << " (reversed)";
  }
}

TEST(LocatorDistanceKm, Antipodes_MeasureHalfCircumference) {
  // The cosine rounds to exactly -1 here, which once gave 0 km for the farthest possible QSO.
  const char* const pairs[][2] = {{"AA00AA", "JR09AX"}, {"JJ00AA", "AI09AX"}, {"KO00HU", "BD09HD"}};
  for (const auto& pair : pairs) {
    const std::int32_t km = DistanceKm(pair[0], pair[1]);
    EXPECT_GE(km, 20009) << pair[0] << " " << pair[1];
    EXPECT_LE(km, 20010) << pair[0] << " " << pair[1];
  }
}

TEST(LocatorBearing, KnownPairs_EachWay) {
  struct Case {
    const char* name;
    const char* from;
    const char* to;
    int there;
    int back;
  };
  const Case cases[] = {
      {"north and south", "KO00HU", "KO01HU", 0, 180},
      {"east, the great circle bends north", "KO00HU", "KO10HU", 89, 271},
      {"north-west", "KO00HU", "JO91HU", 309, 128},
      {"across the antimeridian", "RJ99XA", "AJ09AA", 90, 270},
      {"across the equator", "JJ00AA", "JI09AA", 180, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.there, LocatorBearing(c.from, c.to)) << c.name;
    EXPECT_EQ(c.back, LocatorBearing(c.to, c.from)) << c.name << " (back)";
  }
  EXPECT_EQ(std::nullopt, LocatorBearing("KO00HU", "KO00HU"));
}

TEST(LocatorDistanceKm, SamePoleDifferentLongitude_IsZero) {
  EXPECT_EQ(0, LocatorDistanceKm(90, 90, 0, 120));
}

}  // namespace
}  // namespace zt
