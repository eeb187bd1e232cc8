#include "Locator.h"

#include "Rounding.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double Pi = 3.141592653589793;
constexpr long double EarthHalfCircumferenceKm = 20016;

// Multiplier squares: per fifth character, the sixth characters as letters and ranges.
struct MultiplierSquare {
    const char* square;
    const char* members;
};
constexpr MultiplierSquare MultiplierSquares[] = {
    {"JN65", "R:X S:M,U,X T:K-N,T-X U:K-O,S-X V:K-O,R-X W:K-X X:K-X"},
    {"JN66", "Q:F-H R:A,E-I S:A-C,E-K T:A-K U:A-M V:A-M W:A-M X:A-M"},
    {"JN75", "A:L-X B:L-X C:L-X D:L-X E:L-X F:M-X G:N-X H:O-X I:M-X J:L-X K:L-X L:L-X M:L-X "
             "N:K-X O:K-X P:K-X Q:K-M,P-X R:T-X S:T-X T:T-X U:U-X"},
    {"JN76", "A:A-L B:A-L C:A-K D:A-K E:A-K F:A-K G:A-K H:A-K I:A-M J:A-N K:A-O L:A-P M:A-P "
             "N:A-P O:A-P P:A-P Q:A-P R:A-P S:A-Q T:A-Q U:A-B,F-Q V:E-R W:G-R X:G-U"},
    {"JN86", "A:H-U B:J-U C:J-V D:J-U E:M-U F:L-Q G:L-N H:L"},
};

QStringList buildMultiplierLocators() {
    QStringList all;
    for (const MultiplierSquare& sq : MultiplierSquares) {
        const QStringList groups = QString::fromLatin1(sq.members).split(' ', Qt::SkipEmptyParts);
        for (const QString& group : groups) {
            const QChar fifth = group[0];
            for (const QString& item : group.mid(2).split(',')) {
                const char from = item[0].toLatin1();
                const char to = item.size() == 3 ? item[2].toLatin1() : from;
                for (char c = from; c <= to; ++c)
                    all << QString::fromLatin1(sq.square) + fifth + QChar(c);
            }
        }
    }
    std::sort(all.begin(), all.end());
    return all;
}

// cos of the central angle, summed in extended precision and kept as a double, so that two
// identical points give exactly 1.
double centralCosine(const GeoPoint& a, const GeoPoint& b) {
    const long double c =
        sinl(a.latitude) * sinl(b.latitude) +
        cosl(a.latitude) * cosl(b.latitude) *
            cosl(static_cast<long double>(a.longitude) - static_cast<long double>(b.longitude));
    return static_cast<double>(c);
}

long double arcCos(long double x) {
    return atan2l(sqrtl(1 - x * x), x);
}
} // namespace

std::optional<GeoPoint> LocatorToPoint(const QString& locator) {
    if (locator.size() != 6) return std::nullopt;
    const QString l = locator.toUpper();
    if (!l[2].isDigit() || !l[3].isDigit() || l[2].unicode() > '9' || l[3].unicode() > '9')
        return std::nullopt;
    for (int i : {0, 1, 4, 5})
        if (l[i] < QChar('A') || l[i] > QChar('Z')) return std::nullopt;
    const auto code = [&](int i) { return static_cast<int>(l[i].unicode()); };
    const double lon =
        (code(0) - 'J') * 20 + 2 * (code(2) - '0') + (code(4) - 'A') / 12.0 + 1 / 24.0;
    const double lat = (code(1) - 'J') * 10 + (code(3) - '0') + (code(5) - 'A') / 24.0 + 1 / 48.0;
    return GeoPoint{lat * (Pi / 180), lon * (Pi / 180)};
}

int Distance(const QString& from, const QString& to) {
    const auto p1 = LocatorToPoint(from);
    const auto p2 = LocatorToPoint(to);
    if (!p1 || !p2) return 1;
    const long double c = centralCosine(*p1, *p2);
    const long double s = sqrtl(1 - c * c);
    const long double a = c > 0 ? atanl(s / c) : Pi - atanl(s / fabsl(c));
    const long double d = EarthHalfCircumferenceKm / Pi * a;
    return static_cast<int>(truncl(d)) + 1;
}

int Azimuth(const QString& from, const QString& to) {
    const auto p1 = LocatorToPoint(from);
    const auto p2 = LocatorToPoint(to);
    if (!p1 || !p2) return NoAzimuth;
    const long double delta =
        static_cast<long double>(p1->longitude) - static_cast<long double>(p2->longitude);
    long double c = centralCosine(*p1, *p2);
    // Coinciding centres have no direction; a right angle keeps the formula defined.
    if (arcCos(c) == 0) c = 1e-30L;
    long double m =
        (sinl(p2->latitude) - sinl(p1->latitude) * c) / (cosl(p1->latitude) * sinl(arcCos(c)));
    m = std::clamp(m, -1.0L, 1.0L);
    const long double degrees = arcCos(m) * 180 / Pi;
    const int a = static_cast<int>(RoundHalfEven(static_cast<double>(degrees)));
    return sinl(delta) >= 0 ? (360 - a) % 360 : a % 360;
}

const QStringList& MultiplierLocators() {
    static const QStringList all = buildMultiplierLocators();
    return all;
}

bool IsMultiplierLocator(const QString& locator) {
    if (locator.size() != 6) return false;
    const QStringList& all = MultiplierLocators();
    return std::binary_search(all.begin(), all.end(), locator);
}

bool IsNewMultiplier(const QStringList& counted, const QString& locator) {
    return IsMultiplierLocator(locator) && !counted.contains(locator);
}
