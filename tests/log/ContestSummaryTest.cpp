#include "core/Locator.h"
#include "log/Contest.h"
#include "log/ContestFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Qso {
    int nr;
    QString call, wwl, mode;
    int km, points;
    QString newWwl = {};
};

class ContestSummaryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("c.vhf");
        ASSERT_TRUE(contest.create(path));
        ASSERT_TRUE(contest.open(path));
    }
    void add(const Qso& q, const QString& band = "144 MHz") {
        QsoRecord r;
        r.Date = QDate(2026, 5, 2);
        r.Time = QTime(14, q.nr % 60);
        r.Band = band;
        r.Sent_QSO_number = q.nr;
        r.Call = q.call;
        r.Mode = q.mode;
        r.Received_WWL = q.wwl;
        r.QSO_distance = q.km;
        r.QSO_points = q.points;
        r.New_WWL = q.newWwl;
        contest.tekmovanjeTable.appendRecord(r);
    }
    TContest recount(int type, const QString& band = "144 MHz") {
        ContestFile::setBandRange(contest.tekmovanjeTable, band);
        TContest s;
        s.contestType = std::uint8_t(type);
        RebuildSummary(s, contest.tekmovanjeTable);
        return s;
    }
    QStringList newWwlMarks() {
        QStringList out;
        for (const QsoRecord& r : contest.tekmovanjeTable.rows())
            out << r.New_WWL;
        return out;
    }

    QTemporaryDir dir;
    QString path;
    ContestFile contest;
};

TEST_F(ContestSummaryTest, TypeZeroSumsKilometresAndKeepsTheEarlierOdx) {
    add({1, "S51A", "JN76TO", "SSB", 120, 120});
    add({2, "S52B", "JN86AH", "CW", 345, 345});
    add({3, "S53C", "JN65AA", "CW", 345, 345});
    add({4, "S54D", "JN55AA", "CW", 500, 0}); // a dupe: no points
    add({5, "OE1X", "JN88AA", "SSB", 50, 50}, "432 MHz");
    const TContest s = recount(0);
    EXPECT_EQ(s.qsoCount, 4);
    EXPECT_EQ(s.scoringQsoCount, 3);
    EXPECT_EQ(s.kmSum, 810);
    EXPECT_EQ(s.pointsSum, 810);
    EXPECT_EQ(s.score, 810);
    EXPECT_EQ(s.average, 270);
    EXPECT_EQ(s.multiplierCount, 0);
    EXPECT_EQ(s.odxSerial, 2);
    EXPECT_EQ(s.odxCall, "S52B");
    EXPECT_EQ(s.odxLocator, "JN86AH");
    EXPECT_EQ(s.odxDistance, 345);
    EXPECT_EQ(ScoreLineText(s), "ODX:  S52B  JN86AH  345 km Points: 810 270 km/QSO");
}

TEST_F(ContestSummaryTest, TypeZeroLeavesNewLocatorMarksAlone) {
    add({1, "S51A", "JN76TO", "SSB", 100, 100, "N"});
    add({2, "S52B", "JN76TO", "SSB", 100, 100, "N"});
    recount(0);
    EXPECT_EQ(newWwlMarks(), QStringList({"N", "N"}));
}

TEST_F(ContestSummaryTest, TypeOneCountsMultipliersAndMarksTheFirstQso) {
    add({1, "S51A", "JN76TO", "CW", 100, 300});
    add({2, "S52B", "JN76TO", "SSB", 100, 200, "N"});
    add({3, "S53C", "JN75TX", "FM", 50, 50});
    add({4, "DL1A", "JO62AA", "SSB", 700, 1400}); // outside the set: points, no multiplier
    const TContest s = recount(1);
    EXPECT_EQ(s.multiplierCount, 2);
    EXPECT_EQ(s.pointsSum, 1950);
    EXPECT_EQ(s.score, 3900);
    EXPECT_EQ(s.counted, QStringList({"JN75TX", "JN76TO"}));
    EXPECT_TRUE(s.isCounted("JN76TO"));
    EXPECT_FALSE(s.isCounted("JO62AA"));
    EXPECT_EQ(newWwlMarks(), QStringList({"N", "", "N", ""}));
}

TEST_F(ContestSummaryTest, TypeOneScoreIsThePointsSumTimesTheMultipliers) {
    add({1, "S51A", "JN76TO", "CW", 100, 300});
    add({2, "S52B", "JN76TO", "SSB", 100, 200});
    add({3, "S53C", "JN75TX", "FM", 50, 50});
    const TContest s = recount(1);
    EXPECT_EQ(s.multiplierCount, 2);
    EXPECT_EQ(s.pointsSum, 550);
    EXPECT_EQ(s.score, 1100);
    EXPECT_EQ(s.kmSum, 250);
    EXPECT_EQ(s.average, 83);
    EXPECT_EQ(newWwlMarks(), QStringList({"N", "", "N"}));
    // Two QSOs of 100 km: the earlier one is the ODX.
    EXPECT_EQ(ScoreLineText(s), "ODX:  S51A  JN76TO  100 km Points: 1100 83 km/QSO");
}

TEST_F(ContestSummaryTest, TypeOneMovesTheMarkWhenTheFirstQsoStopsScoring) {
    add({1, "S51A", "JN76TO", "CW", 100, 300});
    add({2, "S52B", "JN76TO", "SSB", 100, 200});
    recount(1);
    ASSERT_EQ(newWwlMarks(), QStringList({"N", ""}));
    LogCursor& rules = contest.tekmovanjeTable;
    rules.first();
    rules.edit();
    rules.setValue("QSO_points", 0);
    rules.post();
    const TContest s = recount(1);
    EXPECT_EQ(newWwlMarks(), QStringList({"", "N"}));
    EXPECT_EQ(s.multiplierCount, 1);
    EXPECT_EQ(s.score, 200);
    // The marks are stored, not only seen by this cursor.
    contest.logTable.refresh();
    ContestFile::setBandRange(contest.logTable, "144 MHz");
    contest.logTable.first();
    EXPECT_EQ(contest.logTable.current().New_WWL, "");
}

TEST_F(ContestSummaryTest, EmptyBandAndRoundingOfTheAverage) {
    TContest none;
    EXPECT_EQ(ScoreLineText(none), "ODX info");
    const TContest empty = recount(0);
    EXPECT_EQ(ScoreLineText(empty), "ODX:      0 km Points: 0 0 km/QSO");

    struct Case {
        std::vector<int> km;
        int average;
    };
    const std::vector<Case> cases{{{2, 3}, 2}, {{3, 4}, 4}, {{1, 2, 2}, 2}};
    int nr = 1;
    for (const Case& c : cases) {
        const QString band = "432 MHz";
        contest.tekmovanjeTable.replaceBand(band, {});
        for (int km : c.km)
            add({nr++, "S5" + QString::number(nr) + "X", "JN76TO", "SSB", km, km}, band);
        EXPECT_EQ(recount(0, band).average, c.average);
    }
}

TEST_F(ContestSummaryTest, ClosedCursorLeavesTheSummaryAlone) {
    contest.close();
    TContest s;
    s.score = 42;
    RebuildSummary(s, contest.tekmovanjeTable);
    EXPECT_EQ(s.score, 42);
    EXPECT_FALSE(s.recounted);
}

} // namespace

TEST(ContestSummaryLarge, ScoreBeyondThirtyTwoBitsIsKeptInFull) {
    QTemporaryDir dir;
    ContestFile contest;
    const QString path = dir.filePath("big.vhf");
    ASSERT_TRUE(contest.create(path) && contest.open(path));
    // 700 multiplier locators, each worked once by a CW QSO beyond 11000 km.
    const QStringList locators = MultiplierLocators();
    std::vector<QsoRecord> rows;
    for (int i = 0; i < 700; ++i) {
        QsoRecord r;
        r.Date = QDate(2026, 5, 2);
        r.Time = QTime(0, 0).addSecs(i * 60);
        r.Band = "144 MHz";
        r.Sent_QSO_number = i + 1;
        r.Call = "Q" + QString::number(i);
        r.Mode = "CW";
        r.Received_WWL = locators[i];
        r.QSO_distance = 11000;
        r.QSO_points = 33000;
        rows.push_back(r);
    }
    contest.tekmovanjeTable.appendRecords(rows);
    ContestFile::setBandRange(contest.tekmovanjeTable, "144 MHz");
    TContest s;
    s.contestType = 1;
    RebuildSummary(s, contest.tekmovanjeTable);
    EXPECT_EQ(s.pointsSum, 23100000);
    EXPECT_EQ(s.multiplierCount, 700);
    EXPECT_EQ(s.score, qint64(23100000) * 700);
    EXPECT_TRUE(ScoreLineText(s).contains("16170000000")) << ScoreLineText(s).toStdString();
}
