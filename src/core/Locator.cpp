#include "Locator.h"

#include "Rounding.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double Pi = 3.141592653589793;
constexpr long double EarthHalfCircumferenceKm = 20016;

// A locator's six characters as offsets: letters from "A", digits from "0".
struct Square {
    int lonField, latField, lonDigit, latDigit, lonSub, latSub;
};

int letterOffset(QChar c) {
    char16_t u = c.unicode();
    if (u >= 'a' && u <= 'z') u = static_cast<char16_t>(u - ('a' - 'A'));
    return u >= 'A' && u <= 'Z' ? u - 'A' : -1;
}
int digitValue(QChar c) {
    const char16_t u = c.unicode();
    return u >= '0' && u <= '9' ? u - '0' : -1;
}

// Read straight from the characters: this runs for every QSO of a recount.
std::optional<Square> readLocator(const QString& locator) {
    if (locator.size() != 6) return std::nullopt;
    const QChar* c = locator.constData();
    const Square s{letterOffset(c[0]), letterOffset(c[1]), digitValue(c[2]),
                   digitValue(c[3]),   letterOffset(c[4]), letterOffset(c[5])};
    if (s.lonField < 0 || s.latField < 0 || s.lonDigit < 0 || s.latDigit < 0 || s.lonSub < 0 ||
        s.latSub < 0)
        return std::nullopt;
    return s;
}

// Fields "A" to "R" and subsquares "A" to "X": the grid proper.
bool onTheGrid(const Square& s) {
    return s.lonField < 18 && s.latField < 18 && s.lonSub < 24 && s.latSub < 24;
}

GeoPoint pointOf(const Square& s) {
    constexpr int J = 'J' - 'A';
    const double lon = (s.lonField - J) * 20 + 2 * s.lonDigit + s.lonSub / 12.0 + 1 / 24.0;
    const double lat = (s.latField - J) * 10 + s.latDigit + s.latSub / 24.0 + 1 / 48.0;
    return GeoPoint{lat * (Pi / 180), lon * (Pi / 180)};
}

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

// ---- The exact computation ----------------------------------------------------------------
// These are the definitions every result must agree with, kept as they are written.

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

int exactDistance(const GeoPoint& p1, const GeoPoint& p2) {
    const long double c = centralCosine(p1, p2);
    const long double s = sqrtl(1 - c * c);
    const long double a = c > 0 ? atanl(s / c) : Pi - atanl(s / fabsl(c));
    const long double d = EarthHalfCircumferenceKm / Pi * a;
    return static_cast<int>(truncl(d)) + 1;
}

int exactAzimuth(const GeoPoint& p1, const GeoPoint& p2) {
    const long double delta =
        static_cast<long double>(p1.longitude) - static_cast<long double>(p2.longitude);
    long double c = centralCosine(p1, p2);
    long double angle = arcCos(c);
    // Coinciding centres have no direction; a right angle keeps the formula defined.
    if (angle == 0) {
        c = 1e-30L;
        angle = arcCos(c);
    }
    long double m = (sinl(p2.latitude) - sinl(p1.latitude) * c) / (cosl(p1.latitude) * sinl(angle));
    m = std::clamp(m, -1.0L, 1.0L);
    const long double degrees = arcCos(m) * 180 / Pi;
    const int a = static_cast<int>(RoundHalfEven(static_cast<double>(degrees)));
    return sinl(delta) >= 0 ? (360 - a) % 360 : a % 360;
}

// ---- The quick way -------------------------------------------------------------------------
// The extended functions cost about 200 ns each. The same formulas in double differ from the
// exact ones by far less than these bounds; when the result lies farther than that from the
// point where it would round or cut differently, it is the exact result. Otherwise (close,
// polar, antipodal or same-meridian pairs, and the rare near-ties) the exact way decides.

// |cosine in double - cosine of the extended sum kept as a double|: the two differ by about
// 1e-15 at most; the bound keeps a wide margin.
constexpr double CosineError = 1e-13;
constexpr double KmPerRadian = 20016 / Pi;
constexpr double DegreesPerRadian = 180 / Pi;

struct Quick {
    double c;    // cos of the central angle
    double sine; // sin of the central angle
};

std::optional<Quick> quickAngle(const GeoPoint& p1, const GeoPoint& p2) {
    const double c =
        std::sin(p1.latitude) * std::sin(p2.latitude) +
        std::cos(p1.latitude) * std::cos(p2.latitude) * std::cos(p1.longitude - p2.longitude);
    const double s2 = 1 - c * c;
    if (!(s2 > 1e-8)) return std::nullopt; // within about 0.6 km of a point or its antipode
    return Quick{c, std::sqrt(s2)};
}

std::optional<int> quickDistance(const GeoPoint& p1, const GeoPoint& p2) {
    const auto q = quickAngle(p1, p2);
    if (!q) return std::nullopt;
    const double d = KmPerRadian * std::atan2(q->sine, q->c);
    const double error = KmPerRadian * CosineError / q->sine + 1e-9;
    const double fraction = d - std::floor(d);
    if (fraction < error || fraction > 1 - error) return std::nullopt;
    return static_cast<int>(d) + 1;
}

std::optional<int> quickAzimuth(const GeoPoint& p1, const GeoPoint& p2) {
    const double sinDelta = std::sin(p1.longitude - p2.longitude);
    if (std::fabs(sinDelta) < 1e-6) return std::nullopt; // same meridian or across a pole
    const auto q = quickAngle(p1, p2);
    if (!q) return std::nullopt;
    const double sin1 = std::sin(p1.latitude);
    const double denominator = std::cos(p1.latitude) * q->sine;
    if (std::fabs(denominator) < 1e-6) return std::nullopt; // home at a pole
    const double m = (std::sin(p2.latitude) - sin1 * q->c) / denominator;
    const double mError = (std::fabs(sin1) * CosineError + 1e-15) / std::fabs(denominator) +
                          std::fabs(m) * (CosineError / (q->sine * q->sine) + 1e-15);
    const double across = 1 - m * m;
    if (!(std::fabs(m) < 1 - 4 * mError) || !(across > 1e-12)) return std::nullopt;
    const double degrees = DegreesPerRadian * std::acos(m);
    const double error = DegreesPerRadian * mError / std::sqrt(across) + 1e-9;
    const double fraction = degrees - std::floor(degrees);
    if (std::fabs(fraction - 0.5) < error) return std::nullopt;
    const int a = static_cast<int>(std::floor(degrees + 0.5));
    return sinDelta >= 0 ? (360 - a) % 360 : a % 360;
}

struct Pair {
    GeoPoint from, to;
    bool quick; // both on the grid proper
};

std::optional<Pair> pairOf(const QString& from, const QString& to) {
    const auto a = readLocator(from);
    if (!a) return std::nullopt;
    const auto b = readLocator(to);
    if (!b) return std::nullopt;
    return Pair{pointOf(*a), pointOf(*b), onTheGrid(*a) && onTheGrid(*b)};
}
} // namespace

std::optional<GeoPoint> LocatorToPoint(const QString& locator) {
    const auto s = readLocator(locator);
    if (!s) return std::nullopt;
    return pointOf(*s);
}

int Distance(const QString& from, const QString& to) {
    const auto p = pairOf(from, to);
    if (!p) return 1;
    if (p->quick)
        if (const auto d = quickDistance(p->from, p->to)) return *d;
    return exactDistance(p->from, p->to);
}

int Azimuth(const QString& from, const QString& to) {
    const auto p = pairOf(from, to);
    if (!p) return NoAzimuth;
    if (p->quick)
        if (const auto a = quickAzimuth(p->from, p->to)) return *a;
    return exactAzimuth(p->from, p->to);
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
