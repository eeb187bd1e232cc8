// Enter in the log window: the silent refusals, the questions, the contest rules of type 1,
// what is stored and the score line, typed into the real window with a hand-set clock.
#include "LogFormFixture.h"

#include "common/TestSupport.h"
#include "core/Callsign.h"
#include "core/Locator.h"
#include "core/Rounding.h"
#include "log/Contest.h"

#include <QMap>

namespace {
const QString NoNumberQuestion =
    "You have not entered received QSO number! Do you still wish to post QSO?";
const QString TenMinuteQuestion = "10 minute rule violation!! Do you still wish to post QSO?";
const QString ChannelQuestion =
    "3 QSO's on same FM channel in less than 10 minutes!! Do you still wish to enter QSO?";
const std::vector<RecordingSpeaker::Tone> WarningTone = {{1000, 40}};

struct LogFormPostingTest : LogFormTest {
    // The clock at hh:mm on the contest day; the window's tick writes it into Time_.
    void at(const QString& hhmm) {
        clock.setUtc(QDateTime(QDate(2026, 5, 2), QTime::fromString(hhmm, "hh:mm"), Qt::UTC));
        form->clockTick();
        ASSERT_EQ(form->Time_->text(), hhmm);
    }
    void selectMode(const QString& mode) {
        form->ModeCombo->setCurrentIndex(form->ModeCombo->findText(mode));
        ASSERT_EQ(form->Mode->text(), mode);
    }
    // Call and number, each closed with Enter; then the channel with Enter when one is given.
    void typeUpToLocator(const QString& call, const QString& number, const QString& channel = {}) {
        type(form->Call, call);
        enter(form->Call);
        type(form->Received_QSO_number, number);
        enter(form->Received_QSO_number);
        if (!channel.isEmpty()) {
            type(form->Received_Exchange, channel);
            enter(form->Received_Exchange);
        }
    }
    // The locator after the prefix the field already holds, then Enter.
    void typeLocatorAndEnter(const QString& locator) {
        const QString prefix = form->options.locatorPrefix;
        type(form->Received_WWL, locator.startsWith(prefix) ? locator.mid(prefix.size()) : locator);
        enter(form->Received_WWL);
    }
    void typeQso(const QString& call, const QString& number, const QString& locator,
                 const QString& channel = {}) {
        typeUpToLocator(call, number, channel);
        typeLocatorAndEnter(locator);
    }
    // QSOs stored on the window's band.
    int stored() const { return contest.logTable.recordCount(); }
    QsoRecord lastStored() {
        contest.logTable.last();
        return contest.logTable.current();
    }
    // Call, received number, channel, locator.
    QStringList entryLine() const {
        return {form->Call->text(), form->Received_QSO_number->text(),
                form->Received_Exchange->text(), form->Received_WWL->text()};
    }
    static QString scoreLine(const QString& call, const QString& wwl, int km, qint64 score,
                             int average) {
        return QString("ODX:  %1  %2  %3 km Points: %4 %5 km/QSO")
            .arg(call, wwl)
            .arg(km)
            .arg(score)
            .arg(average);
    }
};
} // namespace

TEST_F(LogFormPostingTest, IncompleteEntriesAreRefusedSilently) {
    open();
    struct Case {
        const char* what;
        QString call, number, locator; // no number: Enter in the call field only
        QStringList line;
    };
    const Case cases[] = {
        {"three digits are no frequency", "123", {}, {}, {"123", "", "", "JN"}},
        {"call shorter than three", "Q1", "5", "JN76TO", {"Q1", "5", "", "JN76TO"}},
        {"locator shorter than six", "Q1A", "5", "JN76T", {"Q1A", "5", "", "JN76T"}},
    };
    const QString scoreBefore = form->LabelODX->text();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
        if (c.number.isEmpty()) {
            type(form->Call, c.call);
            enter(form->Call);
            EXPECT_TRUE(form->Received_QSO_number->hasFocus());
        } else {
            typeQso(c.call, c.number, c.locator);
        }
        EXPECT_EQ(entryLine(), c.line);
        EXPECT_EQ(stored(), 0);
        EXPECT_TRUE(prompter.questions.isEmpty());
        EXPECT_TRUE(prompter.messages.isEmpty());
        EXPECT_EQ(form->statusText(), "");
        EXPECT_EQ(form->Sent_QSO_number->text(), "1");
        EXPECT_EQ(form->LabelODX->text(), scoreBefore);
    }
}

TEST_F(LogFormPostingTest, TypeZeroQsoIsStoredWithItsDistanceAndTheLineStartsAgain) {
    open(0);
    contest.activeOperator = "Q9OP";
    const int km = Distance("JN75DS", "JN76TO");
    typeQso("Q1A", "5", "JN76TO");

    ASSERT_EQ(stored(), 1);
    const QsoRecord r = lastStored();
    EXPECT_EQ(r.Date, QDate(2026, 5, 2));
    EXPECT_EQ(r.Time, QTime(14, 7));
    EXPECT_EQ(r.Band, "432 MHz");
    EXPECT_EQ(r.Freq, "432200");
    EXPECT_EQ(r.Sent_QSO_number, 1);
    EXPECT_EQ(r.Call, "Q1A");
    EXPECT_EQ(r.BaseCall, BaseCall("Q1A"));
    EXPECT_EQ(r.Mode, "SSB");
    EXPECT_EQ(r.Sent_RST, "59");
    EXPECT_EQ(r.Received_RST, "59");
    EXPECT_EQ(r.Received_QSO_number, 5);
    EXPECT_EQ(r.Received_Exchange, "");
    EXPECT_EQ(r.Received_WWL, "JN76TO");
    EXPECT_EQ(r.QSO_points, km);
    EXPECT_EQ(r.QSO_distance, km);
    EXPECT_EQ(r.QSO_azimuth, Azimuth("JN75DS", "JN76TO"));
    EXPECT_EQ(r.New_WWL, "");
    EXPECT_EQ(r.Duplicate_QSO, "");
    EXPECT_EQ(r.Remarks, "");
    EXPECT_EQ(r.Operator, "Q9OP");
    EXPECT_EQ(r.value(Col::Last_updated).toDateTime(), clock.localNow());

    // The next entry line, the next serial number and the score line at once.
    EXPECT_EQ(entryLine(), QStringList({"", "", "", "JN"}));
    EXPECT_EQ(form->Duplicate_QSO->text(), "");
    EXPECT_EQ(form->Sent_QSO_number->text(), "2");
    EXPECT_TRUE(form->Call->hasFocus());
    EXPECT_EQ(form->LabelODX->text(), scoreLine("Q1A", "JN76TO", km, km, km));

    // On disk when Enter has returned: another program reads it.
    const ToolResult list = runTool({"list", contest.descriptorPath()});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    const QStringList lines = list.lines();
    ASSERT_EQ(lines.size(), 2);
    const QStringList names = lines[0].split('\t'), cells = lines[1].split('\t');
    ASSERT_EQ(names.size(), cells.size());
    QMap<QString, QString> row;
    for (int i = 0; i < names.size(); ++i)
        row[names[i]] = cells[i];
    EXPECT_EQ(row["Call"], "Q1A");
    EXPECT_EQ(row["Time"], "14:07:00");
    EXPECT_EQ(row["QSO_points"], QString::number(km));
}

TEST_F(LogFormPostingTest, ReceivedNumberZeroIsAskedAndStoredWithoutPoints) {
    open(0);
    type(form->Call, "Q1A");
    enter(form->Call);
    enter(form->Received_QSO_number); // left empty: it reads "0"
    typeLocatorAndEnter("JN76TO");
    EXPECT_EQ(prompter.questions, QStringList({NoNumberQuestion}));
    // No: nothing stored, the line kept for correction.
    EXPECT_EQ(stored(), 0);
    EXPECT_EQ(entryLine(), QStringList({"Q1A", "0", "", "JN76TO"}));

    prompter.answers.push_back(true);
    enter(QApplication::focusWidget()); // the call field, after Enter in the locator
    EXPECT_EQ(prompter.questions.size(), 2);
    ASSERT_EQ(stored(), 1);
    EXPECT_EQ(lastStored().Received_QSO_number, 0);
    EXPECT_EQ(lastStored().QSO_points, 0);
    EXPECT_EQ(lastStored().QSO_distance, Distance("JN75DS", "JN76TO"));
    EXPECT_EQ(entryLine(), QStringList({"", "", "", "JN"}));
    EXPECT_EQ(form->LabelODX->text(), "ODX:      0 km Points: 0 0 km/QSO");

    // A QSO that scored nothing makes no dupe of the next one with that call.
    type(form->Call, "Q1A");
    EXPECT_EQ(form->Duplicate_QSO->text(), "");
}

TEST_F(LogFormPostingTest, DupeIsStoredMarkedWithoutPointsAndKeepsItsDistance) {
    open(0);
    const int km = Distance("JN75DS", "JN76TO");
    typeQso("Q1A", "5", "JN76TO");
    type(form->Call, "Q1A");
    EXPECT_EQ(form->Duplicate_QSO->text(), "Dupe");
    enter(form->Call);
    type(form->Received_QSO_number, "9");
    enter(form->Received_QSO_number);
    typeLocatorAndEnter("JN76TO");
    EXPECT_TRUE(prompter.questions.isEmpty());
    ASSERT_EQ(stored(), 2);
    const QsoRecord dupe = lastStored();
    EXPECT_EQ(dupe.Sent_QSO_number, 2);
    EXPECT_EQ(dupe.Duplicate_QSO, "D");
    EXPECT_EQ(dupe.QSO_points, 0);
    EXPECT_EQ(dupe.QSO_distance, km);
    EXPECT_EQ(form->Sent_QSO_number->text(), "3");
    EXPECT_EQ(form->LabelODX->text(), scoreLine("Q1A", "JN76TO", km, km, km));
}

TEST_F(LogFormPostingTest, TenMinuteRuleBetweenFmAndOtherModes) {
    struct Case {
        QStringList ssb;
        QString fm;
        bool violation;
    };
    const Case cases[] = {
        {{"10:00", "10:05"}, "10:08", true},  // the SSB run spans five minutes only
        {{"10:00", "10:12"}, "10:14", false}, // the run began twelve minutes before
        {{"10:00"}, "10:15", false},          // fifteen minutes after the last QSO
    };
    const int km = Distance("JN75DS", "JN76TO");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fm.toStdString());
        open(1);
        if (HasFatalFailure()) return;
        form->Band->setCurrentIndex(0); // 144 MHz
        prompter.questions.clear();
        int n = 0;
        for (const QString& t : c.ssb) {
            at(t);
            typeQso("Q1S" + QString::number(++n), "5", "JN76TO");
        }
        ASSERT_EQ(stored(), c.ssb.size());

        at(c.fm);
        speaker.tones.clear();
        selectMode("FM");
        // The mode change already warns.
        EXPECT_EQ(form->statusText(),
                  c.violation ? "Possible 10 minute rulle violation!!!" : QString());
        EXPECT_EQ(speaker.tones == WarningTone, c.violation);

        typeQso("Q1FM", "5", "JN76TO", "23");
        if (c.violation) {
            EXPECT_EQ(prompter.questions, QStringList({TenMinuteQuestion}));
            EXPECT_EQ(stored(), c.ssb.size());
            EXPECT_EQ(entryLine(), QStringList({"Q1FM", "5", "23", "JN76TO"}));
            // Yes: stored, but it scores nothing.
            prompter.answers.push_back(true);
            enter(QApplication::focusWidget());
            ASSERT_EQ(stored(), c.ssb.size() + 1);
            EXPECT_EQ(lastStored().QSO_points, 0);
        } else {
            EXPECT_TRUE(prompter.questions.isEmpty());
            ASSERT_EQ(stored(), c.ssb.size() + 1);
            EXPECT_EQ(lastStored().QSO_points, km); // FM: one point per km
        }
        EXPECT_EQ(lastStored().Call, "Q1FM");
        EXPECT_EQ(lastStored().Received_Exchange, "23");
        EXPECT_EQ(entryLine(), QStringList({"", "", "", "JN"}));
    }
}

TEST_F(LogFormPostingTest, ThirdQsoOnOneFmChannelWithinTenMinutes) {
    struct Case {
        QString channel;
        bool violation;
    };
    const int km = Distance("JN75DS", "JN76TO");
    for (const Case& c : {Case{"23", true}, Case{"24", false}}) {
        SCOPED_TRACE(c.channel.toStdString());
        open(1);
        if (HasFatalFailure()) return;
        form->Band->setCurrentIndex(0);
        selectMode("FM");
        prompter.questions.clear();
        at("10:00");
        typeQso("Q1A", "5", "JN76TO", "23");
        at("10:08");
        typeQso("Q1B", "5", "JN76TO", "23");
        ASSERT_EQ(stored(), 2);

        at("10:15");
        speaker.tones.clear();
        typeUpToLocator("Q1C", "5", c.channel);
        // Leaving the channel field warns first.
        EXPECT_EQ(form->statusText(),
                  c.violation ? "3 QSO's on same FM channel in less than 10 minutes!!!" : "");
        EXPECT_EQ(speaker.tones == WarningTone, c.violation);
        EXPECT_TRUE(form->Received_WWL->hasFocus());
        typeLocatorAndEnter("JN76TO");
        if (c.violation) {
            EXPECT_EQ(prompter.questions, QStringList({ChannelQuestion}));
            EXPECT_EQ(stored(), 2);
            EXPECT_EQ(entryLine(), QStringList({"Q1C", "5", "23", "JN76TO"}));
            prompter.answers.push_back(true);
            enter(QApplication::focusWidget());
            ASSERT_EQ(stored(), 3);
            EXPECT_EQ(lastStored().QSO_points, 0);
        } else {
            EXPECT_TRUE(prompter.questions.isEmpty());
            ASSERT_EQ(stored(), 3);
            EXPECT_EQ(lastStored().QSO_points, km);
        }
    }
}

TEST_F(LogFormPostingTest, SimplexChannelIsRewrittenOrRefusedOnLeavingTheField) {
    struct Case {
        const char* band;
        QString typed, field, status;
    };
    const Case cases[] = {
        // 145500 kHz is channel 40, which the rules exclude.
        {"144 MHz", "500", "40", "Wrong simplex channel (contest rules don't allow using V40)!!!"},
        {"144 MHz", "100", "100", "Wrong simplex channel (16-47)!!!"},
        {"144 MHz", "300", "24", ""}, // 145300 kHz
        {"144 MHz", "23", "23", ""},
        {"432 MHz", "280", "280",
         "Wrong simplex channel (contest rules don't allow using U280)!!!"},
        {"432 MHz", "500", "280", // 433500 kHz
         "Wrong simplex channel (contest rules don't allow using U280)!!!"},
        {"432 MHz", "23", "23", "Wrong simplex channel (272-286)!!!"},
    };
    open(1);
    selectMode("FM");
    for (const Case& c : cases) {
        SCOPED_TRACE((QString(c.band) + " " + c.typed).toStdString());
        form->Band->setCurrentIndex(form->Band->findText(c.band));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
        speaker.tones.clear();
        typeUpToLocator("Q1A", "5", c.typed);
        EXPECT_EQ(form->Received_Exchange->text(), c.field);
        EXPECT_EQ(form->statusText(), c.status);
        if (c.status.isEmpty()) {
            EXPECT_TRUE(speaker.tones.empty());
            EXPECT_TRUE(form->Received_WWL->hasFocus());
        } else {
            EXPECT_TRUE(speaker.tones == WarningTone);
            EXPECT_TRUE(form->Received_Exchange->hasFocus());
        }
    }
    EXPECT_EQ(stored(), 0);
}

TEST_F(LogFormPostingTest, FmWithoutChannelIsNotPosted) {
    open(1);
    form->Band->setCurrentIndex(0);
    selectMode("FM");
    typeQso("Q1A", "5", "JN76TO");
    EXPECT_EQ(stored(), 0);
    EXPECT_TRUE(prompter.questions.isEmpty());
    EXPECT_EQ(entryLine(), QStringList({"Q1A", "5", "", "JN76TO"}));
    EXPECT_EQ(form->Sent_QSO_number->text(), "1");
}

TEST_F(LogFormPostingTest, FirstQsoOfAMultiplierIsMarkedAndCounted) {
    open(1);
    const int km = Distance("JN75DS", "JN76TO");
    typeUpToLocator("Q1A", "5");
    type(form->Received_WWL, "76TO");
    EXPECT_EQ(form->statusText(), "New mult!");
    enter(form->Received_WWL);
    ASSERT_EQ(stored(), 1);
    EXPECT_EQ(lastStored().New_WWL, "N");
    EXPECT_EQ(lastStored().QSO_points, 2 * km); // SSB: two points per km
    EXPECT_EQ(form->statusText(), "");

    // Counted now: the second QSO with it is no new multiplier.
    at("14:08");
    typeUpToLocator("Q1B", "5");
    type(form->Received_WWL, "76TO");
    EXPECT_EQ(form->statusText(), "");
    enter(form->Received_WWL);
    ASSERT_EQ(stored(), 2);
    EXPECT_EQ(lastStored().New_WWL, "");
    // Points sum times one multiplier; the earlier of two equal distances is the ODX.
    EXPECT_EQ(form->LabelODX->text(), scoreLine("Q1A", "JN76TO", km, 4 * km, km));
}

TEST_F(LogFormPostingTest, KeyTakenMeanwhileShowsTheEngineErrorAndKeepsTheLine) {
    open(0);
    // Another station sharing the contest stores the very QSO this window is about to store:
    // same date, time, band, serial number and call.
    ContestFile other;
    ASSERT_TRUE(other.open(contest.descriptorPath()));
    QsoRecord r;
    r.Date = QDate(2026, 5, 2);
    r.Time = QTime(14, 7);
    r.Band = "432 MHz";
    r.Freq = "432200";
    r.Sent_QSO_number = 1;
    r.Call = "Q1A";
    r.BaseCall = BaseCall("Q1A");
    r.Mode = "SSB";
    r.Sent_RST = r.Received_RST = "59";
    r.Received_QSO_number = 3;
    r.Received_WWL = "JN76TO";
    other.logTable.appendRecord(r);
    ASSERT_EQ(form->Sent_QSO_number->text(), "1");

    typeQso("Q1A", "5", "JN76TO");
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].contains("UNIQUE")) << prompter.messages[0].toStdString();
    EXPECT_EQ(stored(), 1); // the other station's only
    EXPECT_EQ(entryLine(), QStringList({"Q1A", "5", "", "JN76TO"}));

    // The clock brings the next serial number; Enter again stores it.
    form->clockTick();
    EXPECT_EQ(form->Sent_QSO_number->text(), "2");
    enter(QApplication::focusWidget());
    EXPECT_EQ(prompter.messages.size(), 1);
    ASSERT_EQ(stored(), 2);
    EXPECT_EQ(lastStored().Sent_QSO_number, 2);
    EXPECT_EQ(lastStored().Received_QSO_number, 5);
    EXPECT_EQ(entryLine(), QStringList({"", "", "", "JN"}));
    other.close();
}

TEST_F(LogFormPostingTest, FarCwQsoKeepsItsPointsInFull) {
    open(1);
    selectMode("CW");
    const int nearKm = Distance("JN75DS", "JN76TO");
    const int farKm = Distance("JN75DS", "RE78IR");
    ASSERT_GT(farKm, 10922);
    typeQso("Q1A", "5", "JN76TO"); // the multiplier
    at("14:08");
    typeQso("Q1FAR", "5", "RE78IR");
    ASSERT_EQ(stored(), 2);
    EXPECT_EQ(lastStored().QSO_points, 3 * farKm);
    EXPECT_GT(lastStored().QSO_points, 32767);
    const qint64 score = 3 * qint64(nearKm) + 3 * qint64(farKm);
    EXPECT_EQ(form->summary().score, score);
    EXPECT_EQ(form->LabelODX->text(), scoreLine("Q1FAR", "RE78IR", farKm, score,
                                                int(RoundHalfEven((nearKm + farKm) / 2.0))));
}
