#pragma once

// Maidenhead locators of six characters: field letters A-R, square digits 0-9, subsquare
// letters A-X, upper case only.

#include <cstdint>
#include <optional>
#include <string_view>

namespace zt {

// True when the first six characters do NOT form a locator (also for shorter texts).
bool LocatorIsInvalid(std::string_view text);

// The centre of the locator's subsquare in degrees, east and north positive. An output whose
// field letter lies outside A-R is left as it was.
void LocatorToLonLat(std::string_view text, double& longitude, double& latitude);

// Great-circle distance in whole kilometres, computed with the organisers' constants so that
// every log scores the same: 57.29578 degrees per radian, 111.3 km per degree, and distances
// beyond a quarter circle measured back from 20010 km.
std::int32_t LocatorDistanceKm(double latitude_a, double latitude_b, double longitude_a,
                               double longitude_b);

// The distance between the centres of two valid locators' subsquares, as LocatorDistanceKm.
std::int32_t DistanceBetweenLocators(std::string_view a, std::string_view b);

// The initial great-circle bearing from locator `from` to locator `to`, both valid, in whole
// degrees 0-359 clockwise from north. Nothing when the two are the same subsquare.
std::optional<int> LocatorBearing(std::string_view from, std::string_view to);

}  // namespace zt
