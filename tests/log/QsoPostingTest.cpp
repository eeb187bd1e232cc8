#include "log/QsoPosting.h"
#include "common/TestSupport.h"
#include "log/Contest.h"
#include "log/ContestFile.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "platform/Speaker.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace QsoPosting;

namespace {
struct QsoPostingTest : ::testing::Test {
    QTemporaryDir dir;
    RecordingPrompter prompter;
    RecordingSpeaker speaker;
    ManualClock clock;
    ContestFile contest;
    QStringList status;
    RuleReporter report{[this](const QString& s) { status << s; }};

    void SetUp() override {
        Platform::setPrompter(&prompter);
        Platform::setSpeaker(&speaker);
        Platform::setClock(&clock);
    }
    void TearDown() override {
        Platform::setPrompter(nullptr);
        Platform::setSpeaker(nullptr);
        Platform::setClock(nullptr);
    }
    void open(int type) {
        const QString vhf = dir.filePath("c.vhf");
        ASSERT_TRUE(contest.create(vhf));
        ASSERT_TRUE(contest.open(vhf));
        contest.header.PWWL = "JN75DS";
        contest.header.ContestType = type;
        contest.header.bands[2].Band = contest.header.bands[3].Band = true;
        selectBand("144 MHz");
    }
    void selectBand(const QString& band) {
        ContestFile::setBandRange(contest.logTable, band);
        ContestFile::setBandRange(contest.tekmovanjeTable, band);
    }
    EntryValues entry(const QString& call, const QString& time, const QString& mode = "SSB",
                      const QString& exchange = {}) {
        EntryValues e;
        e.date = QDate(2026, 5, 2);
        e.time = time;
        e.band = "144 MHz";
        e.bandList = {"144 MHz", "432 MHz"};
        e.frequencyKHz = 144300;
        e.sentNumber = QString::number(contest.logTable.recordCount() + 1);
        e.call = call;
        e.mode = mode;
        e.sentRst = e.receivedRst = "59";
        e.receivedNumber = "5";
        e.exchange = exchange;
        e.locator = "JN76TO";
        e.distanceTag = 250;
        e.headingTag = 47;
        e.op = "Q9OP";
        return e;
    }
    // Stores a QSO as Enter would, without questions.
    void post(const EntryValues& e) { ASSERT_TRUE(PostNew(contest, e, {})); }
    const QsoRecord& last() {
        contest.logTable.last();
        return contest.logTable.current();
    }
};
} // namespace

TEST_F(QsoPostingTest, ValidationRefusesIncompleteEntriesSilently) {
    open(0);
    struct Case {
        const char* what;
        std::function<void(EntryValues&)> change;
        bool accepted;
    };
    const std::vector<Case> cases{
        {"complete", [](EntryValues&) {}, true},
        {"short call", [](EntryValues& e) { e.call = "12"; }, false},
        {"no number", [](EntryValues& e) { e.receivedNumber.clear(); }, false},
        {"short locator", [](EntryValues& e) { e.locator = "JN76T"; }, false},
        {"locator with ?", [](EntryValues& e) { e.locator = "JN76??"; }, true},
        {"call with ?", [](EntryValues& e) { e.call = "Q1?A"; }, true},
    };
    for (const Case& c : cases) {
        EntryValues e = entry("Q1A", "10:00");
        c.change(e);
        EXPECT_EQ(ValidateEntry(contest, e), c.accepted) << c.what;
    }
    EXPECT_TRUE(prompter.questions.isEmpty());
}

TEST_F(QsoPostingTest, ReceivedNumberZeroAsksAndStoresWithoutPoints) {
    open(0);
    EntryValues e = entry("Q1A", "10:00");
    e.receivedNumber = "0";
    EXPECT_FALSE(ValidateEntry(contest, e));
    prompter.answers.push_back(true);
    EXPECT_TRUE(ValidateEntry(contest, e));
    EXPECT_EQ(prompter.questions.last(),
              "You have not entered received QSO number! Do you still wish to post QSO?");
    post(e);
    EXPECT_EQ(last().QSO_points, 0);
    EXPECT_EQ(last().QSO_distance, 250);
}

TEST_F(QsoPostingTest, NewQsoValuesAndPointsByContestType) {
    struct Case {
        int type;
        QString mode, call, locator, dupe;
        int distance;
        int points;
    };
    const std::vector<Case> cases{
        {0, "SSB", "Q1A", "JN76TO", "", 139, 139},
        {0, "CW", "Q1A", "JN76TO", "", 139, 139},
        {0, "SSB", "Q1?A", "JN76TO", "", 139, 0},
        {0, "SSB", "Q1A", "JN76??", "", 0, 0},
        {0, "SSB", "Q1A", "JN76TO", "Dupe", 139, 0},
        {1, "C/S", "Q1A", "JN76TO", "", 250, 750},
        {1, "FM", "Q1A", "JN76TO", "", 250, 250},
        {1, "CW", "Q1A", "KG00AA", "", 11000, 33000}, // beyond 16 bits, stored in full
        {1, "CW", "Q1A", "JN76TO", "Dupe", 250, 0},
    };
    for (const Case& c : cases) {
        QTemporaryDir d;
        ContestFile fresh;
        ASSERT_TRUE(fresh.create(d.filePath("x.vhf")) && fresh.open(d.filePath("x.vhf")));
        fresh.header.ContestType = c.type;
        ContestFile::setBandRange(fresh.logTable, "144 MHz");
        ContestFile::setBandRange(fresh.tekmovanjeTable, "144 MHz");
        EntryValues e = entry(c.call, "10:00", c.mode, "23");
        e.locator = c.locator;
        e.distanceTag = c.distance;
        e.dupeLabel = c.dupe;
        ASSERT_TRUE(PostNew(fresh, e, {}));
        const QsoRecord& r = fresh.logTable.current();
        EXPECT_EQ(r.QSO_points, c.points) << c.type << " " << c.mode.toStdString();
        EXPECT_EQ(r.Duplicate_QSO, c.dupe.isEmpty() ? "" : "D");
        EXPECT_EQ(r.Received_Exchange, c.type == 1 && c.mode == "FM" ? "23" : "");
        EXPECT_EQ(r.Freq, "144300");
        EXPECT_EQ(r.Time, QTime(10, 0));
        EXPECT_EQ(r.Operator, "Q9OP");
        EXPECT_EQ(r.BaseCall, c.call);
        EXPECT_EQ(r.Last_updated, QDateTime(QDate(2026, 5, 2), QTime(14, 0), Qt::UTC));
    }
}

TEST_F(QsoPostingTest, TypeOneFmWithoutChannelIsRefused) {
    open(1);
    EXPECT_FALSE(ValidateEntry(contest, entry("Q1A", "10:00", "FM")));
    EXPECT_TRUE(ValidateEntry(contest, entry("Q1A", "10:00", "FM", "23")));
}

TEST_F(QsoPostingTest, TenMinuteRule) {
    struct Case {
        std::vector<std::pair<QString, QString>> before; // time, mode
        QString time, mode;
        bool violation;
    };
    const std::vector<Case> cases{
        {{{"10:00", "SSB"}, {"10:05", "SSB"}}, "10:08", "FM", true},
        {{{"10:00", "SSB"}, {"10:12", "SSB"}}, "10:14", "FM", false},
        {{{"10:00", "SSB"}}, "10:15", "FM", false},
        {{{"10:00", "SSB"}}, "10:05", "FM", true},  // the band's first QSO, five minutes
        {{{"10:00", "SSB"}}, "10:05", "CW", false}, // SSB to CW is free
        {{{"10:00", "FM"}, {"10:02", "SSB"}, {"10:04", "SSB"}}, "10:06", "FM", true},
    };
    for (const Case& c : cases) {
        QTemporaryDir d;
        ContestFile fresh;
        ASSERT_TRUE(fresh.create(d.filePath("x.vhf")) && fresh.open(d.filePath("x.vhf")));
        fresh.header.ContestType = 1;
        ContestFile::setBandRange(fresh.logTable, "144 MHz");
        ContestFile::setBandRange(fresh.tekmovanjeTable, "144 MHz");
        int nr = 0;
        for (const auto& [t, m] : c.before) {
            EntryValues e = entry("Q1A" + QString::number(++nr), t, m, "23");
            e.sentNumber = QString::number(nr);
            ASSERT_TRUE(PostNew(fresh, e, {}));
        }
        status.clear();
        speaker.tones.clear();
        EXPECT_EQ(CheckTenMinuteRule(fresh, c.mode, c.time, 0, &report), c.violation)
            << c.time.toStdString();
        if (c.violation) {
            EXPECT_EQ(status.last(), "Possible 10 minute rulle violation!!!");
            EXPECT_EQ(speaker.tones, (std::vector<RecordingSpeaker::Tone>{{1000, 40}}));
        } else {
            EXPECT_TRUE(speaker.tones.empty());
        }
    }
}

TEST_F(QsoPostingTest, ThreeQsosOnOneChannelAndTheQuestion) {
    open(1);
    post(entry("Q1A", "10:00", "FM", "23"));
    post(entry("Q1B", "10:08", "FM", "23"));
    EXPECT_TRUE(CheckThreeOnChannel(contest, "FM", "23", "10:15", 0, &report));
    EXPECT_EQ(status.last(), "3 QSO's on same FM channel in less than 10 minutes!!!");
    EXPECT_FALSE(CheckThreeOnChannel(contest, "FM", "24", "10:15", 0, &report));
    EXPECT_EQ(status.last(), "");
    EXPECT_FALSE(CheckThreeOnChannel(contest, "SSB", "23", "10:15"));
    EXPECT_FALSE(ValidateEntry(contest, entry("Q1C", "10:15", "FM", "23")));
    EXPECT_EQ(
        prompter.questions.last(),
        "3 QSO's on same FM channel in less than 10 minutes!! Do you still wish to enter QSO?");
    // Posted anyway: the QSO scores nothing.
    post(entry("Q1C", "10:15", "FM", "23"));
    EXPECT_EQ(last().QSO_points, 0);
}

TEST_F(QsoPostingTest, SimplexChannelRules) {
    struct Case {
        QString band, typed, value, error;
    };
    const std::vector<Case> cases{
        {"144 MHz", "23", "23", ""},
        {"144 MHz", "40", "40", "contest rules don't allow using V40"},
        {"144 MHz", "500", "40", "contest rules don't allow using V40"},
        {"144 MHz", "100", "100", "16-47"},
        {"144 MHz", "587", "47", ""},
        {"144 MHz", "590", "590", "16-47"}, // outside the offset span
        {"144 MHz", "275", "22", ""},
        {"50 MHz", "510", "51", "contest rules don't allow using F51"},
        {"50 MHz", "450", "45", ""},
        {"432 MHz", "280", "280", "contest rules don't allow using U280"},
        {"432 MHz", "400", "272", ""},
        {"432 MHz", "300", "300", "272-286"},
        {"1,3 GHz", "5", "5", ""},
    };
    for (const Case& c : cases) {
        const SimplexResult r = CheckSimplexChannel(c.band, c.typed);
        EXPECT_EQ(r.value, c.value) << c.band.toStdString() << " " << c.typed.toStdString();
        EXPECT_EQ(r.errorText, c.error) << c.band.toStdString() << " " << c.typed.toStdString();
    }
    open(1);
    EntryValues e = entry("Q1A", "10:00", "FM", "500");
    EXPECT_FALSE(LeaveExchangeField(contest, e, 0, report));
    EXPECT_EQ(e.exchange, "40");
    EXPECT_EQ(status.last(), "Wrong simplex channel (contest rules don't allow using V40)!!!");
    EXPECT_EQ(speaker.tones.size(), 1u);
}

TEST_F(QsoPostingTest, EditingKeepsSecondsFrequencyAndADupesDistance) {
    open(0);
    EntryValues e = entry("Q1A", "10:00");
    e.frequencyKHz = 144123.5;
    post(e);
    EntryValues edit = entry("Q1A", "10:03");
    edit.sentNumber = "1";
    edit.timeTagSeconds = 42;
    edit.dupeLabel = "Dupe";
    edit.distanceTag = 999;
    edit.frequencyKHz = 145000;
    ASSERT_TRUE(PostEdited(contest, edit, 1));
    const QsoRecord& r = last();
    EXPECT_EQ(r.Time, QTime(10, 3, 42));
    EXPECT_EQ(r.Freq, "144123.5");
    EXPECT_EQ(r.QSO_distance, 250); // a dupe keeps its distance
    EXPECT_EQ(r.QSO_points, 0);
    EXPECT_EQ(r.Duplicate_QSO, "D");
    edit.dupeLabel.clear();
    ASSERT_TRUE(PostEdited(contest, edit, 1));
    EXPECT_EQ(last().QSO_distance, 999);
    EXPECT_EQ(last().QSO_points, 999);
    EXPECT_EQ(contest.logTable.recordCount(), 1);
}

TEST_F(QsoPostingTest, RepeatedKeyShowsTheEngineErrorAndStoresNothing) {
    open(0);
    post(entry("Q1A", "10:00"));
    EntryValues again = entry("Q1A", "10:00");
    again.sentNumber = "1";
    EXPECT_FALSE(PostNew(contest, again, {}));
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].contains("UNIQUE"));
    EXPECT_EQ(contest.logTable.recordCount(), 1);
    EntryValues otherBand = entry("Q1B", "10:00");
    otherBand.band = "70 MHz"; // not a contest band: nothing stored
    EXPECT_FALSE(PostNew(contest, otherBand, {}));
}

TEST_F(QsoPostingTest, MirrorReceivesNewAndEditedQsos) {
    open(0);
    QTemporaryDir backup;
    TableEngine::create(backup.filePath("VHFBaza.dat"));
    contest.openMirror(backup.path());
    ASSERT_TRUE(contest.mirrorOpen());
    post(entry("Q1A", "10:00"));
    EntryValues edit = entry("Q1Z", "10:00");
    edit.sentNumber = "1";
    ASSERT_TRUE(PostEdited(contest, edit, 1));
    ASSERT_EQ(contest.mirror().recordCount(), 1);
    EXPECT_EQ(contest.mirror().current().Call, "Q1Z");
}

TEST(ToolAdd, EntersPostsAndAnswersQuestions) {
    QTemporaryDir dir;
    const QString vhf = dir.filePath("c.vhf");
    ASSERT_EQ(runTool({"new", vhf, "--call", "Q9ABC", "--locator", "JN75DS", "--bands",
                       "144 MHz;432 MHz", "--type", "1"})
                  .exitCode,
              0);
    const QStringList base{"add",    vhf,          "--band",    "144 MHz",
                           "--date", "2026-05-02", "--locator", "JN76TO"};
    auto add = [&](QStringList extra) { return runTool(base + extra); };
    EXPECT_EQ(add({"--mode", "SSB", "--call", "Q1A", "--rcvd-nr", "1", "--time", "10:00"}).exitCode,
              0);
    EXPECT_EQ(add({"--mode", "SSB", "--call", "Q1B", "--rcvd-nr", "1", "--time", "10:05"}).exitCode,
              0);
    ToolResult no = add(
        {"--mode", "FM", "--exchange", "23", "--call", "Q1C", "--rcvd-nr", "1", "--time", "10:08"});
    EXPECT_EQ(no.exitCode, 1);
    EXPECT_EQ(no.lines(),
              QStringList({"10 minute rule violation!! Do you still wish to post QSO?"}));
    ToolResult yes = add({"--mode", "FM", "--exchange", "23", "--call", "Q1C", "--rcvd-nr", "1",
                          "--time", "10:08", "--yes"});
    EXPECT_EQ(yes.exitCode, 0);
    ToolResult refused =
        add({"--mode", "SSB", "--call", "12", "--rcvd-nr", "1", "--time", "10:09"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.lines(), QStringList({"refused"}));
    EXPECT_EQ(add({"--mode", "XX", "--call", "Q1D", "--rcvd-nr", "1", "--time", "10:09"}).exitCode,
              2);
    const QStringList rows = runTool({"list", vhf}).lines();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[3].contains("\tQ1C\t"));
    EXPECT_TRUE(rows[1].split('\t')[17] == "N"); // the first QSO in JN76 is a new multiplier
}
