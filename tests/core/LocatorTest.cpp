#include "core/Locator.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {
// Great-circle distance by the haversine formula, as an independent check.
double haversineKm(const QString& a, const QString& b) {
    const GeoPoint p = *LocatorToPoint(a);
    const GeoPoint q = *LocatorToPoint(b);
    const double h = std::pow(std::sin((q.latitude - p.latitude) / 2), 2) +
                     std::cos(p.latitude) * std::cos(q.latitude) *
                         std::pow(std::sin((q.longitude - p.longitude) / 2), 2);
    return 20016 / M_PI * 2 * std::asin(std::sqrt(h));
}
constexpr double Degree = M_PI / 180;

// The centre of a locator's subsquare in degrees, read from its characters here, not through
// the code under test.
struct Centre {
    double lat, lon;
};
Centre centreOf(const QString& l) {
    const auto at = [&](int i, char base) { return l[i].unicode() - base; };
    return {(at(1, 'A') - 9) * 10.0 + at(3, '0') + at(5, 'A') / 24.0 + 1 / 48.0,
            (at(0, 'A') - 9) * 20.0 + 2 * at(2, '0') + at(4, 'A') / 12.0 + 1 / 24.0};
}

// Great circle in double: haversine distance and the initial bearing of the forward formula.
double greatCircleKm(Centre a, Centre b) {
    const double p1 = a.lat * Degree, p2 = b.lat * Degree, dl = (b.lon - a.lon) * Degree;
    const double h = std::pow(std::sin((p2 - p1) / 2), 2) +
                     std::cos(p1) * std::cos(p2) * std::pow(std::sin(dl / 2), 2);
    return 20016 / M_PI * 2 * std::asin(std::min(1.0, std::sqrt(h)));
}
double bearingDegrees(Centre a, Centre b) {
    const double p1 = a.lat * Degree, p2 = b.lat * Degree, dl = (b.lon - a.lon) * Degree;
    const double y = std::sin(dl) * std::cos(p2);
    const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    const double deg = std::atan2(y, x) / Degree;
    return deg < 0 ? deg + 360 : deg;
}
} // namespace

TEST(Locator, PointIsTheCentreOfTheSubsquare) {
    const GeoPoint jn76to = *LocatorToPoint("JN76TO");
    EXPECT_DOUBLE_EQ(jn76to.longitude / Degree, 14 + 19 / 12.0 + 1 / 24.0);
    EXPECT_DOUBLE_EQ(jn76to.latitude / Degree, 46 + 14 / 24.0 + 1 / 48.0);
    const GeoPoint aa = *LocatorToPoint("AA00AA");
    EXPECT_DOUBLE_EQ(aa.longitude / Degree, -180 + 1 / 24.0);
    EXPECT_DOUBLE_EQ(aa.latitude / Degree, -90 + 1 / 48.0);
    const GeoPoint lower = *LocatorToPoint("jn76to");
    EXPECT_DOUBLE_EQ(lower.latitude, jn76to.latitude);
    for (const char* bad : {"JN76", "JN76T", "JN76TOX", "JN7?TO", "JN76T?", "?N76TO", "JNA6TO",
                            "JN7 TO", "", "J#76TO"})
        EXPECT_FALSE(LocatorToPoint(bad)) << bad;
}

TEST(Locator, DistanceAndAzimuthWithoutGeometry) {
    const struct {
        const char* from;
        const char* to;
    } cases[] = {{"JN76TO", "JN76"},   {"JN76", "JN76TO"}, {"JN76TO", "JN7?TO"},
                 {"??????", "JN76TO"}, {"JN76TO", ""},     {"JN76TO", "JNX6TO"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Distance(c.from, c.to), 1) << c.from << " " << c.to;
        EXPECT_EQ(Azimuth(c.from, c.to), NoAzimuth) << c.from << " " << c.to;
    }
}

TEST(Locator, SameSubsquareIsOneKmAndHeadsNorthAboveFortyFive) {
    EXPECT_EQ(Distance("JN76TO", "JN76TO"), 1);
    EXPECT_EQ(Azimuth("JN76TO", "JN76TO"), 0);
    EXPECT_EQ(Distance("KP20LE", "KP20LE"), 1);
    EXPECT_EQ(Azimuth("KP20LE", "KP20LE"), 0);
    // Below 45 degrees the formula gives 360 - arccos(tan(latitude)), west of itself.
    const struct {
        const char* locator;
        int heading;
    } below[] = {{"JJ00AA", 270}, {"JM00AA", 305}, {"AA00AA", 180}, {"JA00AA", 180}};
    for (const auto& b : below) {
        EXPECT_EQ(Distance(b.locator, b.locator), 1) << b.locator;
        EXPECT_EQ(Azimuth(b.locator, b.locator), b.heading) << b.locator;
    }
}

TEST(Locator, DistanceIsTheWholeKmPlusOne) {
    const char* pairs[][2] = {
        {"JN76TO", "JN76TP"}, {"JN76TO", "JN75TO"}, {"JN76TO", "JN86AA"}, {"JN76TO", "JO60AA"},
        {"JN76TO", "IO91WM"}, {"JN76TO", "KP20LE"}, {"JN76TO", "FN31PR"}, {"JN76TO", "QF56OD"},
        {"JN76TO", "RB32ID"}, {"AA00AA", "RR99XX"}, {"JJ00AA", "JJ00AB"}, {"IO91WM", "JN58TD"},
    };
    for (const auto& p : pairs) {
        const double km = haversineKm(p[0], p[1]);
        const int d = Distance(p[0], p[1]);
        EXPECT_GE(d, 1);
        EXPECT_EQ(d, static_cast<int>(km) + 1) << p[0] << " " << p[1] << " " << km;
        EXPECT_EQ(Distance(p[1], p[0]), d);
    }
    // A neighbouring subsquare to the north: 2.5 minutes of latitude.
    EXPECT_EQ(Distance("JN76TO", "JN76TP"), static_cast<int>(20016.0 / 180 / 24) + 1);
}

TEST(Locator, DistanceGrowsSmoothlyPastAQuarterCircle) {
    // Along the equator from JJ00AA, one square (2 degrees) at a time, across 90 degrees.
    int previous = 0;
    bool crossed = false;
    for (int square = 40; square <= 50; ++square) {
        const QChar field = QChar('J' + square / 10);
        const QString to = QString(field) + "J" + QString::number(square % 10) + "0AA";
        const int d = Distance("JJ00AA", to);
        EXPECT_GT(d, previous) << to.toStdString();
        EXPECT_NEAR(d, 20016.0 / 180 * 2 * square, 1) << to.toStdString();
        crossed = crossed || (previous <= 10008 && d > 10008);
        previous = d;
    }
    EXPECT_TRUE(crossed);
    EXPECT_EQ(Distance("JJ00AA", "NJ50AA"), 10008); // a quarter circle
    // Nearly antipodal: close to half the circumference, never more.
    const int far = Distance("AA00AA", "RR99XX");
    EXPECT_GT(far, 19900);
    EXPECT_LE(far, 20017);
}

TEST(Locator, AzimuthPointsTheWay) {
    const struct {
        const char* to;
        int low, high;
    } cases[] = {
        {"JN76TP", 0, 0},     {"JN76TN", 180, 180}, {"JN76UO", 89, 91},   {"JN76SO", 269, 271},
        {"JN76UP", 1, 89},    {"JN76SP", 271, 359}, {"JN76UN", 91, 179},  {"JN76SN", 181, 269},
        {"IO91WM", 300, 310}, {"KP20LE", 15, 30},   {"FN31PR", 295, 310},
    };
    for (const auto& c : cases) {
        const int a = Azimuth("JN76TO", c.to);
        EXPECT_GE(a, c.low) << c.to;
        EXPECT_LE(a, c.high) << c.to;
    }
}

TEST(Locator, MultiplierSetHasItsSquaresAndCounts) {
    const QStringList& all = MultiplierLocators();
    EXPECT_EQ(all.size(), 784);
    const struct {
        const char* square;
        int count;
    } squares[] = {{"JN65", 64}, {"JN66", 82}, {"JN75", 235}, {"JN76", 333}, {"JN86", 70}};
    for (const auto& s : squares)
        EXPECT_EQ(all.filter(QRegularExpression(QString("^") + s.square)).size(), s.count)
            << s.square;
    for (const char* yes : {"JN76TO", "JN65RX", "JN65SU", "JN66QF", "JN75QM", "JN75QP", "JN76UF",
                            "JN76XU", "JN86HL", "JN86CV"})
        EXPECT_TRUE(IsMultiplierLocator(yes)) << yes;
    for (const char* no : {"JN76XV", "JN77AA", "JN65RW", "JN75QN", "JN76UC", "JN86HM", "jn76to",
                           "JN76T", "JN76TO ", ""})
        EXPECT_FALSE(IsMultiplierLocator(no)) << no;
}

TEST(Locator, NewMultiplierIsAMemberNotYetCounted) {
    const QStringList counted = {"JN76TO", "JN75AL"};
    EXPECT_FALSE(IsNewMultiplier(counted, "JN76TO"));
    EXPECT_TRUE(IsNewMultiplier(counted, "JN76TN"));
    EXPECT_FALSE(IsNewMultiplier(counted, "JN77AA"));
    EXPECT_TRUE(IsNewMultiplier({}, "JN86AH"));
}

TEST(Locator, AgreesWithAnIndependentGreatCircleOverTheWholeGrid) {
    std::mt19937 random(20240611);
    const auto pick = [&](char first, int count) {
        return QChar(first + static_cast<int>(random() % static_cast<unsigned>(count)));
    };
    const auto locator = [&] {
        QString l;
        l += pick('A', 18);
        l += pick('A', 18);
        l += pick('0', 10);
        l += pick('0', 10);
        l += pick('A', 24);
        l += pick('A', 24);
        return l;
    };
    int headings = 0;
    for (int i = 0; i < 5000; ++i) {
        const QString from = locator();
        const QString to = locator();
        const Centre a = centreOf(from), b = centreOf(to);
        const double km = greatCircleKm(a, b);
        const int d = Distance(from, to);
        ASSERT_LE(std::fabs(d - km), 1.0) << from.toStdString() << " " << to.toStdString();
        // Headings are defined away from the poles, the antipode and the home square itself.
        if (std::fabs(a.lat) > 85 || std::fabs(b.lat) > 85 || km > 19900 || km < 1) continue;
        const double expected = bearingDegrees(a, b);
        const int heading = Azimuth(from, to);
        ASSERT_GE(heading, 0);
        ASSERT_LT(heading, 360);
        const double off = std::fabs(heading - expected);
        ASSERT_LE(std::min(off, 360 - off), 1.0)
            << from.toStdString() << " " << to.toStdString() << " " << expected;
        ++headings;
    }
    EXPECT_GT(headings, 4000);
}

TEST(Locator, BadLocatorsHaveNoGeometry) {
    const char* bad[] = {
        "",
        "J",
        "JN76",
        "JN76T",
        "JN76TOX",
        "JN76TOJN76TO",
        "??????",
        "JN7?TO",
        "?N76TO",
        "JN76T?",
        "JNA6TO",
        "JN7ATO",
        "JN76 O",
        "JN76T#",
        "JN76T\xc3\x84",
        "1N76TO",
        "JN76-O",
        " JN76TO",
        "JN76TO ",
        "\t\t\t\t\t\t",
    };
    for (const char* b : bad) {
        const QString l = QString::fromUtf8(b);
        EXPECT_FALSE(LocatorToPoint(l)) << b;
        for (const auto& [from, to] :
             {std::pair(QString("JN76TO"), l), std::pair(l, QString("JN76TO")), std::pair(l, l)}) {
            EXPECT_EQ(Distance(from, to), 1) << b;
            EXPECT_EQ(Azimuth(from, to), NoAzimuth) << b;
        }
        EXPECT_FALSE(IsMultiplierLocator(l)) << b;
        EXPECT_FALSE(IsNewMultiplier({}, l)) << b;
    }
    // Lower case is read as upper case; the multiplier set compares exactly.
    EXPECT_EQ(Distance("jn76to", "io91wm"), Distance("JN76TO", "IO91WM"));
    EXPECT_EQ(Azimuth("jn76to", "Io91wM"), Azimuth("JN76TO", "IO91WM"));
    EXPECT_FALSE(IsNewMultiplier({}, "jn76to"));
    // Letters beyond the grid still give the formula's answer, and never crash.
    EXPECT_GE(Distance("ZZ99ZZ", "JN76TO"), 1);
    const int heading = Azimuth("ZZ99ZZ", "JN76TO");
    EXPECT_TRUE(heading >= 0 && heading < 360) << heading;
}
