#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// Maidenhead locators of six characters ("JN76TO"); "?" marks a missing character.

struct GeoPoint {
    double latitude;  // radians, north positive
    double longitude; // radians, east positive
};

// The centre of the locator's subsquare. Empty ("no geometry") for anything but six
// characters with letters A-Z in positions 1, 2, 5 and 6 and digits in positions 3 and 4: a
// locator holding "?", one of another length, or one with a non-digit where a digit belongs
// (which must not stop the program). Lower-case letters are read as upper case.
std::optional<GeoPoint> LocatorToPoint(const QString& locator);

// QRB in whole km from the home locator: at least 1; 1 when either locator has no geometry.
int Distance(const QString& from, const QString& to);
// QTF in whole degrees 0..359 from the home locator; 361 when either has no geometry.
int Azimuth(const QString& from, const QString& to);
inline constexpr int NoAzimuth = 361;

// The multiplier locators of type-1 contests (784 six-character locators in JN65, JN66,
// JN75, JN76 and JN86): exact comparison.
bool IsMultiplierLocator(const QString& locator);
// A member of the set that is not yet among the counted locators.
bool IsNewMultiplier(const QStringList& counted, const QString& locator);
// Every member, sorted.
const QStringList& MultiplierLocators();
