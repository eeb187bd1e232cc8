#include "library/PartialSearch.h"
#include "core/Callsign.h"
#include "library/SearchFixture.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace {
const QString B2 = "144 MHz";
const QString B70 = "432 MHz";
const QString B23 = "1,3 GHz";

struct PartialSearchTest : ::testing::Test {
    SearchFixture f;
    PartialSearch ps;
    ManualClock clock{QDateTime(QDate(2026, 5, 2), QTime(15, 30), Qt::UTC)};

    void SetUp() override {
        Platform::setClock(&clock);
        ps.setLog(&f.contest.searchTable);
        ps.setLibrary(&f.library);
    }
    void TearDown() override { Platform::setClock(nullptr); }

    // The search of a shown window: the list is built.
    QStringList shown(const QString& text, const QString& band = B2, int number = 99) {
        if (ps.search(text, band, number)) ps.build();
        return ps.entries();
    }
    // Types the text one character at a time.
    QStringList typed(const QString& text, const QString& band = B2, int number = 99) {
        for (int i = 1; i <= text.size(); ++i)
            shown(text.left(i), band, number);
        return ps.entries();
    }
};
} // namespace

TEST_F(PartialSearchTest, DupeCheckFollowsTheBaseCall) {
    struct Case {
        const char* what;
        std::function<void(SearchFixture&)> log;
        QString typed;
        QString band;
        int number;
        bool dupe;
        QString dupeCall;
    };
    const std::vector<Case> cases{
        {"same call, same band, with points",
         [](SearchFixture& f) { f.qso("Q51ABC", B2, 1, 100, "JN76TO", 11); }, "Q51ABC", B2, 5, true,
         "Q51ABC"},
        {"portable typed: same base call", [](SearchFixture& f) { f.qso("Q51ABC", B2, 1); },
         "Q51ABC/P", B2, 5, true, "Q51ABC"},
        {"another band only", [](SearchFixture& f) { f.qso("Q51ABC", B70, 1); }, "Q51ABC", B2, 5,
         false, ""},
        {"a logged dupe (0 points) never makes a dupe",
         [](SearchFixture& f) { f.qso("Q51ABC", B2, 1, 0); }, "Q51ABC", B2, 5, false, ""},
        {"the QSO being edited is not its own dupe",
         [](SearchFixture& f) { f.qso("Q51ABC", B2, 5); }, "Q51ABC", B2, 5, false, ""},
        {"a location prefix in front is found through the base call",
         [](SearchFixture& f) {
             f.qso("Q51ABC", B70, 1);
             f.qso("Q51ABD", B2, 2);
             f.qso("QE/Q51ABC", B2, 3, 100, "JN76TO", 33);
         },
         "Q51ABC", B2, 9, true, "QE/Q51ABC"},
        {"the earliest scoring QSO is reported",
         [](SearchFixture& f) {
             f.qso("Q51ABC/P", B2, 1, 0);
             f.qso("Q51ABC", B2, 2, 100, "JN76TO", 22);
             f.qso("Q51ABC/M", B2, 3, 100, "JN76TO", 33);
         },
         "Q51ABC", B2, 9, true, "Q51ABC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SearchFixture fx;
        c.log(fx);
        PartialSearch s;
        s.setLog(&fx.contest.searchTable);
        s.setLibrary(&fx.library);
        ASSERT_TRUE(s.search(c.typed, c.band, c.number));
        EXPECT_EQ(s.dupeFound(), c.dupe);
        EXPECT_EQ(s.dupeCall(), c.dupeCall);
        if (!c.dupe) {
            EXPECT_EQ(s.dupeSentNumber(), 0);
            EXPECT_EQ(s.dupeDate(), clock.localNow().date());
        }
    }
}

TEST_F(PartialSearchTest, DupeReportsTheQsoNumbersAndTime) {
    f.qso("Q51ABC", B2, 4, 100, "JN76TO", 17);
    shown("Q51ABC", B2, 9);
    EXPECT_TRUE(ps.dupeFound());
    EXPECT_EQ(ps.dupeSentNumber(), 4);
    EXPECT_EQ(ps.dupeReceivedNumber(), 17);
    EXPECT_EQ(ps.dupeDate(), QDate(2026, 5, 2));
    EXPECT_EQ(ps.dupeTime(), QTime(14, 0, 1));
}

TEST_F(PartialSearchTest, OneCharacterClearsTheOutputsAndKeepsTheList) {
    f.qso("Q51ABC", B2, 1, 100, "JN76TO");
    shown("Q51ABC");
    ASSERT_TRUE(ps.dupeFound());
    const QStringList list = ps.entries();
    EXPECT_FALSE(ps.search("Q", B2, 99));
    EXPECT_FALSE(ps.dupeFound());
    EXPECT_TRUE(ps.locators().isEmpty());
    EXPECT_EQ(ps.workedBands(), 0);
    EXPECT_EQ(ps.entries(), list);
}

TEST_F(PartialSearchTest, ListClassesAndOrder) {
    f.qso("Q51ABC", B2, 1, 100, "JN76TO");
    f.qso("Q51ABC", B70, 1, 100, "JN76TO");
    f.qso("Q51ABE", B70, 2, 100, "JN75AA");
    f.qso("Q52XAB", B2, 2, 100, "JN65BB");
    ASSERT_TRUE(f.importStations({libraryLine("Q51ABC", "JN76TO", "", "1100000"),
                                  libraryLine("Q51ABD", "JN76UU", "", "1000000"),
                                  libraryLine("Q53ABX", "JN86AA", "", "1000000"),
                                  libraryLine("Q53XYZ", "JN86AB", "", "1000000")})
                    .ok);
    // Log matches (this band first for one call), library matches, then the log's and the
    // library's calls that only share the suffix.
    EXPECT_EQ(shown("Q51AB", B70),
              QStringList({"Q51ABC=1", "Q51ABE=1", "Q51ABD=3", "Q52XAB=2", "Q53ABX=3"}));
    // A station worked on 144 and 432 MHz, current band 432: listed once, in the "=1" class.
    EXPECT_EQ(shown("Q51ABC", B70).filter("Q51ABC="), QStringList({"Q51ABC=1"}));
}

TEST_F(PartialSearchTest, FragmentsMatchInOrder) {
    ASSERT_TRUE(f.importStations({libraryLine("Q51ABC", "JN76TO", "", "1000000"),
                                  libraryLine("Q51ABD", "JN76TA", "", "1000000"),
                                  libraryLine("Q59ABC", "JN76TB", "", "1000000"),
                                  libraryLine("Q5ABC1", "JN76TC", "", "1000000"),
                                  libraryLine("QABC5", "JN76TD", "", "1000000")})
                    .ok);
    struct Case {
        QString typed;
        QStringList listed;
    };
    const std::vector<Case> cases{
        // ABC is looked for from the second character of the Q5 found.
        {"Q5?ABC", {"Q51ABC=3", "Q59ABC=3", "Q5ABC1=3"}},
        {"?ABC?", {"Q51ABC=3", "Q59ABC=3", "Q5ABC1=3", "QABC5=3"}},
        {"ABC?5", {"QABC5=3"}},
        {"??", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        PartialSearch s;
        s.setLog(&f.contest.searchTable);
        s.setLibrary(&f.library);
        ASSERT_TRUE(s.search(c.typed, B2, 1));
        s.build();
        EXPECT_EQ(s.entries(), c.listed);
    }
}

TEST_F(PartialSearchTest, LocatorsAndBandsOfTheTypedStation) {
    f.qso("Q51ABC", B2, 1, 100, "JN76TO");
    f.qso("Q51ABC/P", B23, 1, 100, "JN75XX");
    f.qso("Q51ABD", B2, 2, 100, "JN65AA");
    ASSERT_TRUE(f.importStations({libraryLine("Q51ABC", "JN76TO", "JN76TP", "1110000"),
                                  libraryLine("Q51ABD", "JN65AA", "", "0000001")})
                    .ok);
    auto sorted = [](QStringList l) {
        l.sort();
        return l;
    };
    // Typed letter by letter: the last steps refine the list.
    typed("Q51ABC");
    EXPECT_TRUE(ps.lastBuildRefined());
    EXPECT_EQ(BaseCall(ps.firstCandidate()), "Q51ABC");
    EXPECT_EQ(sorted(ps.locators()), QStringList({"JN75XX", "JN76TO", "JN76TP"}));
    EXPECT_EQ(ps.libraryBandsText(), "001110000000000");
    EXPECT_EQ(ps.workedBandsText(), "001010000000000");

    // A full search of the same text finds the same locators and bands (the log's locator
    // of the station is not dropped when the list is only refined).
    PartialSearch again;
    again.setLog(&f.contest.searchTable);
    again.setLibrary(&f.library);
    ASSERT_TRUE(again.search("Q51ABC", B2, 9));
    again.build();
    EXPECT_FALSE(again.lastBuildRefined());
    EXPECT_EQ(again.firstCandidate(), "Q51ABC");
    EXPECT_EQ(again.locators(), QStringList({"JN76TO", "JN76TP", "JN75XX"}));
    EXPECT_EQ(again.libraryBands(), ps.libraryBands());
    EXPECT_EQ(again.workedBands(), ps.workedBands());
    EXPECT_EQ(again.entries(), ps.entries());
}

TEST_F(PartialSearchTest, LibraryStationWithTwoLocatorsIsListedOnce) {
    ASSERT_TRUE(f.importStations({libraryLine("Q51XY", "JN76TO", "JN86AB", "0100000")}).ok);
    EXPECT_EQ(shown("Q51XY"), QStringList({"Q51XY=3"}));
    EXPECT_EQ(ps.locators(), QStringList({"JN76TO", "JN86AB"}));
    EXPECT_EQ(ps.libraryBandsText(), "000100000000000");
}

TEST_F(PartialSearchTest, OneMoreCharacterRefinesTheList) {
    f.qso("Q51ABC", B2, 1);
    ASSERT_TRUE(f.importStations({libraryLine("Q51ABD", "JN76TO", "", "1000000"),
                                  libraryLine("Q51XYZ", "JN76TA", "", "1000000"),
                                  libraryLine("Q52ABD", "JN76TB", "", "1000000")})
                    .ok);
    struct Step {
        QString text;
        QString band;
        bool refined;
        QStringList listed;
    };
    const std::vector<Step> steps{
        {"Q5", B2, false, {"Q51ABC=1", "Q51ABD=3", "Q51XYZ=3", "Q52ABD=3"}},
        {"Q51", B2, true, {"Q51ABC=1", "Q51ABD=3", "Q51XYZ=3"}},
        {"Q51A", B2, true, {"Q51ABC=1", "Q51ABD=3"}},
        // A suffix of exactly two letters always rebuilds (and brings suffix matches).
        {"Q51AB", B2, false, {"Q51ABC=1", "Q51ABD=3", "Q52ABD=3"}},
        // Q52ABD stays: its suffix holds the typed suffix ABD.
        {"Q51ABD", B2, true, {"Q51ABD=3", "Q52ABD=3"}},
        {"Q51ABD", B2, true, {"Q51ABD=3", "Q52ABD=3"}},
        // Deleting a character, or another band, rebuilds.
        {"Q51AB", B2, false, {"Q51ABC=1", "Q51ABD=3", "Q52ABD=3"}},
        {"Q51AB", B70, false, {"Q51ABC=2", "Q51ABD=3", "Q52ABD=3"}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.text.toStdString());
        EXPECT_EQ(shown(s.text, s.band), s.listed);
        EXPECT_EQ(ps.lastBuildRefined(), s.refined);
    }
}

TEST_F(PartialSearchTest, ImportedCallIsFoundWithoutRestart) {
    ASSERT_TRUE(f.importStations({libraryLine("Q51OLD", "JN76TO", "", "1000000")}).ok);
    EXPECT_EQ(shown("Q9NEW"), QStringList());
    ASSERT_TRUE(f.importStations({libraryLine("Q9NEW", "JN65AB", "", "0100000")}).ok);
    EXPECT_EQ(shown("Q9NEW"), QStringList({"Q9NEW=3"}));
    EXPECT_EQ(ps.locators(), QStringList({"JN65AB"}));
}

TEST_F(PartialSearchTest, LocatorSearchListsEveryStationWithTheLocator) {
    f.qso("Q51ABC", B2, 1, 100, "JN76TO");
    f.qso("Q51ABC", B70, 1, 100, "JN76TO");
    f.qso("Q52DEF", B70, 2, 100, "JN76TO");
    f.qso("Q53GHI", B2, 2, 100, "JN75AA");
    ASSERT_TRUE(f.importStations({libraryLine("Q51ABC", "JN76TO", "", "1000000"),
                                  libraryLine("Q54JKL", "JN75AA", "JN76TO", "1000000"),
                                  libraryLine("Q55MNO", "JN76TO", "", "1000000")})
                    .ok);
    shown("Q51ABC");
    const QStringList locators = ps.locators();
    ps.locatorSearch("JN76TO", B2);
    ps.build();
    EXPECT_EQ(ps.entries(), QStringList({"Q51ABC=1", "Q52DEF=2", "Q54JKL=3", "Q55MNO=3"}));
    EXPECT_EQ(ps.locators(), locators);
    // The next call search is a full one.
    shown("Q51ABC");
    EXPECT_FALSE(ps.lastBuildRefined());
}

TEST_F(PartialSearchTest, HiddenWindowComputesOutputsWithoutAList) {
    f.qso("Q51ABC", B2, 1, 100, "JN76TO");
    ASSERT_TRUE(f.importStations({libraryLine("Q51ABC", "JN76TO", "JN76TP", "1100000"),
                                  libraryLine("Q52XY", "JN65AA", "JN65AA", "0010000")})
                    .ok);
    ASSERT_TRUE(ps.search("Q51ABC", B2, 9));
    ps.computeHidden();
    EXPECT_TRUE(ps.dupeFound());
    EXPECT_EQ(ps.entries(), QStringList());
    EXPECT_EQ(ps.firstCandidate(), "Q51ABC");
    // A library locator is added only while the list does not end with the locator of the
    // log QSO the walk stands on.
    EXPECT_EQ(ps.locators(), QStringList({"JN76TO"}));
    EXPECT_EQ(ps.libraryBandsText(), "001100000000000");
    EXPECT_EQ(ps.workedBands(), 0);

    // Without the station in the log every record adds its locator, even a repeated one.
    ASSERT_TRUE(ps.search("Q52XY", B2, 9));
    ps.computeHidden();
    EXPECT_FALSE(ps.dupeFound());
    EXPECT_EQ(ps.locators(), QStringList({"JN65AA", "JN65AA"}));
    EXPECT_EQ(ps.libraryBandsText(), "000010000000000");
}

TEST_F(PartialSearchTest, EntriesAreLaidOutInColumns) {
    ASSERT_TRUE(f.importStations({libraryLine("Q5A", "JN76TO", "", "1000000"),
                                  libraryLine("Q5BBBBBB", "JN76TO", "", "1000000"),
                                  libraryLine("Q5C", "JN76TO", "", "1000000"),
                                  libraryLine("Q5DDDDDDDDDD", "JN76TO", "", "1000000"),
                                  libraryLine("Q5E", "JN76TO", "", "1000000")})
                    .ok);
    shown("Q5");
    PartialSearch::Metrics m;
    m.width = 130;
    m.height = 25; // two lines of 10 per column
    m.lineHeight = 10;
    m.advance.fill(10);
    ps.layout(m);
    struct Box {
        const char* call;
        int left, top, right, bottom;
    };
    // Q5DDDDDDDDDD (120 px) does not fit beside the first column and is skipped; Q5E is placed.
    const std::vector<Box> expected{{"Q5A", 0, 0, 30, 10},
                                    {"Q5BBBBBB", 0, 10, 80, 20},
                                    {"Q5C", 83, 0, 113, 10},
                                    {"Q5E", 83, 10, 113, 20}};
    const auto& items = ps.drawnItems();
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(expected[i].call);
        EXPECT_EQ(items[i].call, expected[i].call);
        EXPECT_EQ(items[i].left, expected[i].left);
        EXPECT_EQ(items[i].top, expected[i].top);
        EXPECT_EQ(items[i].right, expected[i].right);
        EXPECT_EQ(items[i].bottom, expected[i].bottom);
        EXPECT_EQ(items[i].cls, 3);
    }
}
