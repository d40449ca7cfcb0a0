#include "rules/locator.h"

#include <algorithm>
#include <cmath>

#include "rules/contest.h"

namespace zt {

namespace {

bool InRange(char c, char first, char last) { return c >= first && c <= last; }

// A field letter A-R.
bool IsFieldLetter(char c) { return InRange(c, 'A', 'R'); }

constexpr double kDegreesPerRadian = 57.29578;
constexpr double kKmPerRadian = 6377.020314;  // 111.3 km per degree
constexpr double kHalfCircumferenceKm = 20010;
// Two points exactly a quarter circle apart: the limit of the near-side formula.
constexpr double kQuarterCircleKm = kKmPerRadian * 1.5707963267948966;

}  // namespace

bool LocatorIsInvalid(std::string_view text) {
  if (text.size() < kLocatorLength) return true;
  const bool valid = IsFieldLetter(text[0]) && IsFieldLetter(text[1]) &&
                     InRange(text[2], '0', '9') && InRange(text[3], '0', '9') &&
                     InRange(text[4], 'A', 'X') && InRange(text[5], 'A', 'X');
  return !valid;
}

void LocatorToLonLat(std::string_view text, double& longitude, double& latitude) {
  if (text.size() < kLocatorLength) return;
  const auto code = [&](std::size_t i) { return static_cast<double>(text[i]); };
  if (IsFieldLetter(text[0])) {
    longitude =
        (code(0) - 65) * 20 - 180 + (code(2) - 48) * 2 + (code(4) - 65) * (1.0 / 12) + 1.0 / 24;
  }
  if (IsFieldLetter(text[1])) {
    latitude = (code(1) - 65) * 10 - 90 + (code(3) - 48) + (code(5) - 65) * (1.0 / 24) + 1.0 / 48;
  }
}

std::int32_t LocatorDistanceKm(double latitude_a, double latitude_b, double longitude_a,
                               double longitude_b) {
  const double lat_a = latitude_a / kDegreesPerRadian;
  const double lat_b = latitude_b / kDegreesPerRadian;
  const double lon_a = longitude_a / kDegreesPerRadian;
  const double lon_b = longitude_b / kDegreesPerRadian;
  // Rounding can push the cosine of a tiny angle just past 1, where the square root fails.
  const double c = std::clamp(std::sin(lat_a) * std::sin(lat_b) +
                                  std::cos(lat_a) * std::cos(lat_b) * std::cos(lon_a - lon_b),
                              -1.0, 1.0);
  if (c == 0) return static_cast<std::int32_t>(kQuarterCircleKm);
  const double t = std::sqrt(1 - c * c) / c;
  double d = std::atan(t) * kKmPerRadian;
  if (d - std::trunc(d) >= 0.5) d += 1;
  // Decided by the cosine, not by the sign of d: at the antipodes d is -0, which is the far side.
  return static_cast<std::int32_t>(c > 0 ? std::trunc(d) : std::trunc(kHalfCircumferenceKm + d));
}

namespace {

// The centre of a locator's subsquare, in degrees.
struct Centre {
  double longitude = 0;
  double latitude = 0;
};

Centre CentreOf(std::string_view locator) {
  Centre centre;
  LocatorToLonLat(locator, centre.longitude, centre.latitude);
  return centre;
}

}  // namespace

std::int32_t DistanceBetweenLocators(std::string_view a, std::string_view b) {
  const Centre from = CentreOf(a);
  const Centre to = CentreOf(b);
  return LocatorDistanceKm(from.latitude, to.latitude, from.longitude, to.longitude);
}

std::optional<int> LocatorBearing(std::string_view from, std::string_view to) {
  if (from.substr(0, kLocatorLength) == to.substr(0, kLocatorLength)) return std::nullopt;
  const Centre a = CentreOf(from);
  const Centre b = CentreOf(to);
  constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;
  const double lat_a = a.latitude * kRadiansPerDegree;
  const double lat_b = b.latitude * kRadiansPerDegree;
  const double delta_lon = (b.longitude - a.longitude) * kRadiansPerDegree;
  const double y = std::sin(delta_lon) * std::cos(lat_b);
  const double x =
      std::cos(lat_a) * std::sin(lat_b) - std::sin(lat_a) * std::cos(lat_b) * std::cos(delta_lon);
  const int degrees = static_cast<int>(std::lround(std::atan2(y, x) / kRadiansPerDegree));
  return (degrees + 360) % 360;
}

}  // namespace zt
