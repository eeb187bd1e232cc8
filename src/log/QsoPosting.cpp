#include "QsoPosting.h"

#include "ContestFile.h"
#include "core/Bands.h"
#include "core/Callsign.h"
#include "core/Locator.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "platform/Speaker.h"

#include <algorithm>

namespace {
constexpr int TenMinutes = 600;

QTime hhmm(const QString& t) {
    return QTime::fromString(t, "hh:mm");
}

bool isFm(const QString& mode) {
    return mode == "FM";
}

void warn(const RuleReporter* report, const QString& text) {
    if (!report) return;
    Platform::speaker().tone(1000, 40);
    if (report->status) report->status(text);
}

// Index of the previous QSO in the rules cursor's rows (the band in serial-number order).
int previousIndex(const ContestFile& contest, int editedSentNumber) {
    const auto p = QsoPosting::PreviousQso(contest, editedSentNumber);
    if (!p) return -1;
    const auto& rows = contest.tekmovanjeTable.rows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].rowId == p->rowId) return int(i);
    return -1;
}

// The rules re-read the shared table first, so that other stations' QSOs count.
void reread(const ContestFile& contest) {
    const_cast<LogCursor&>(contest.tekmovanjeTable).refresh();
}

QString frequencyText(double kHz) {
    QString s = QString::number(kHz, 'f', 3);
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.')) s.chop(1);
    return s;
}

qint32 points(qint64 v, qint64 km) {
    return qint32(std::clamp<qint64>(v * km, INT32_MIN, INT32_MAX));
}

struct ChannelRule {
    const char* band;
    const char* refusal;
    int spanFirst, spanLast;
    int spanBaseKHz;
};
// The channel a station may not use, and the span in which a typed value is a frequency
// offset rather than a channel.
const ChannelRule channelRules[] = {
    {"50 MHz", "contest rules don't allow using F51", 410, 590, 51000},
    {"144 MHz", "contest rules don't allow using V40", 200, 587, 145000},
    {"432 MHz", "contest rules don't allow using U280", 400, 575, 433000},
};
} // namespace

std::optional<LocatorTags> TagsOfLocator(const QString& home, const QString& locator) {
    if (locator.size() != 6) return std::nullopt;
    if (locator.contains('?')) return LocatorTags{0, -1};
    return LocatorTags{Distance(home, locator), Azimuth(home, locator)};
}

namespace QsoPosting {
int ContestTypeOf(const ContestFile& contest) {
    return contest.header.scoringType();
}

std::optional<QsoRecord> PreviousQso(const ContestFile& contest, int editedSentNumber) {
    const LogCursor& view = contest.logTable;
    if (!view.active() || view.recordCount() == 0) return std::nullopt;
    if (editedSentNumber <= 0) return view.current();
    const auto& rows = view.rows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].Sent_QSO_number == editedSentNumber)
            return i == 0 ? std::nullopt : std::optional<QsoRecord>(rows[i - 1]);
    return view.current();
}

int SecondsBetween(QTime a, QTime b) {
    if (!a.isValid() || !b.isValid()) return -1;
    const int s = a.secsTo(b);
    return s < 0 ? -1 : s;
}

bool CheckTenMinuteRule(const ContestFile& contest, const QString& mode, const QString& time,
                        int editedSentNumber, const RuleReporter* report) {
    if (report && report->status) report->status(QString());
    reread(contest);
    const int p = previousIndex(contest, editedSentNumber);
    if (p < 0) return false;
    const auto& rows = contest.tekmovanjeTable.rows();
    const QsoRecord& prev = rows[size_t(p)];
    const QTime t0 = prev.Time;
    const int gap = SecondsBetween(t0, hhmm(time));
    if (gap < 0 || gap >= TenMinutes || prev.Mode == mode || !(isFm(prev.Mode) || isFm(mode)))
        return false;
    // The run of the previous QSO's class that ends with it must span ten minutes.
    const bool newClass = isFm(mode);
    bool violation = p == 0; // the previous QSO is the band's first, within ten minutes
    for (int i = p - 1; i >= 0; --i) {
        const QsoRecord& q = rows[size_t(i)];
        if (isFm(q.Mode) == newClass) {
            violation = true;
            break;
        }
        const int back = SecondsBetween(q.Time, t0);
        if (back < 0 || back >= TenMinutes) break;
        if (i == 0) violation = true;
    }
    if (violation) warn(report, "Possible 10 minute rulle violation!!!");
    return violation;
}

bool CheckThreeOnChannel(const ContestFile& contest, const QString& mode, const QString& channel,
                         const QString& time, int editedSentNumber, const RuleReporter* report) {
    if (!isFm(mode)) return false;
    reread(contest);
    const int p = previousIndex(contest, editedSentNumber);
    bool violation = false;
    if (p >= 1) {
        const auto& rows = contest.tekmovanjeTable.rows();
        const QsoRecord& prev = rows[size_t(p)];
        const QsoRecord& before = rows[size_t(p - 1)];
        const int gap = SecondsBetween(prev.Time, hhmm(time));
        const int earlier = SecondsBetween(before.Time, prev.Time);
        violation = prev.Received_Exchange == channel && gap >= 0 && gap < TenMinutes &&
                    before.Received_Exchange == channel && earlier >= 0 && earlier < TenMinutes;
    }
    if (violation)
        warn(report, "3 QSO's on same FM channel in less than 10 minutes!!!");
    else if (report && report->status)
        report->status(QString());
    return violation;
}

SimplexResult CheckSimplexChannel(const QString& band, const QString& value) {
    SimplexResult r{value, {}};
    const FmChannelPlan* plan = FindFmChannelPlan(band);
    const ChannelRule* rule = nullptr;
    for (const ChannelRule& c : channelRules)
        if (band == QLatin1String(c.band)) rule = &c;
    if (!plan || !rule) return r;
    const QString range = QString::number(plan->first) + "-" + QString::number(plan->last);
    for (int round = 0; round < 2; ++round) {
        const int v = r.value.toInt();
        if (v == plan->named) {
            r.errorText = rule->refusal;
            return r;
        }
        if (v >= plan->first && v <= plan->last) return r;
        if (round == 0 && v >= rule->spanFirst && v <= rule->spanLast) {
            const int channel = FmChannel(rule->spanBaseKHz + v);
            if (channel > 0) {
                r.value = QString::number(channel);
                continue; // the rules again, on the channel
            }
        }
        break;
    }
    r.errorText = range;
    return r;
}

bool LeaveExchangeField(const ContestFile& contest, EntryValues& entry, int editedSentNumber,
                        const RuleReporter& report) {
    if (ContestTypeOf(contest) != 1 || !isFm(entry.mode) || entry.exchange.toInt() <= 0)
        return true;
    const SimplexResult r = CheckSimplexChannel(entry.band, entry.exchange);
    entry.exchange = r.value;
    if (!r.errorText.isEmpty()) {
        warn(&report, "Wrong simplex channel (" + r.errorText + ")!!!");
        return false;
    }
    CheckThreeOnChannel(contest, entry.mode, entry.exchange, entry.time, editedSentNumber, &report);
    return true;
}

bool ValidateEntry(const ContestFile& contest, const EntryValues& e, int editedSentNumber) {
    if (e.call.size() < 3 || e.receivedNumber.isEmpty() || e.locator.size() < 6) return false;
    Prompter& ask = Platform::prompter();
    if (e.receivedNumber.toInt() <= 0)
        return ask.askYesNo(
            "You have not entered received QSO number! Do you still wish to post QSO?");
    if (ContestTypeOf(contest) == 0) return true;
    if (CheckTenMinuteRule(contest, e.mode, e.time, editedSentNumber))
        return ask.askYesNo("10 minute rule violation!! Do you still wish to post QSO?");
    if (CheckThreeOnChannel(contest, e.mode, e.exchange, e.time, editedSentNumber))
        return ask.askYesNo(
            "3 QSO's on same FM channel in less than 10 minutes!! Do you still wish to enter QSO?");
    return !(isFm(e.mode) && e.exchange.isEmpty());
}

QsoRecord NewRecord(const ContestFile& contest, const EntryValues& e,
                    const QStringList& countedMultipliers) {
    const int type = ContestTypeOf(contest);
    const bool dupe = !e.dupeLabel.isEmpty();
    qint64 v = 1;
    if (dupe || e.call.contains('?') || e.locator.contains('?') || e.receivedNumber.toInt() == 0)
        v = 0;
    if (type == 1 && (CheckTenMinuteRule(contest, e.mode, e.time) ||
                      CheckThreeOnChannel(contest, e.mode, e.exchange, e.time)))
        v = 0;
    bool newMultiplier = false;
    QString exchange;
    if (type == 1) {
        newMultiplier = IsNewMultiplier(countedMultipliers, e.locator) && e.distanceTag > 0;
        exchange = isFm(e.mode) ? e.exchange : QString();
        if (v == 1) v = ModeFactor(e.mode);
        if (dupe) v = 0;
    }
    QsoRecord r;
    r.Date = e.date;
    r.Time = hhmm(e.time);
    r.Band = e.band;
    r.Freq = frequencyText(e.frequencyKHz);
    r.Sent_QSO_number = e.sentNumber.toInt();
    r.Call = e.call;
    r.BaseCall = BaseCall(e.call);
    r.Mode = e.mode;
    r.Sent_RST = e.sentRst;
    r.Received_RST = e.receivedRst;
    r.Received_QSO_number = e.receivedNumber.toInt();
    r.Received_Exchange = exchange;
    r.Received_WWL = e.locator;
    r.QSO_points = points(v, e.distanceTag);
    r.QSO_distance = e.distanceTag;
    r.QSO_azimuth = e.headingTag;
    r.New_WWL = newMultiplier ? "N" : "";
    r.Duplicate_QSO = dupe ? "D" : "";
    r.Operator = e.op;
    r.setValue(Col::Last_updated, Platform::clock().localNow());
    r.cutToWidths();
    return r;
}

bool PostNew(ContestFile& contest, const EntryValues& e, const QStringList& countedMultipliers) {
    if (!contest.isOpen() || !e.bandList.contains(e.band)) return false;
    const QsoRecord r = NewRecord(contest, e, countedMultipliers);
    if (contest.mirrorOpen()) {
        try {
            contest.mirror().appendRecord(r);
        } catch (const TableError& err) {
            // The safety copy refused it; the contest's own log must still get the QSO.
            Platform::prompter().showMessage(err.message);
        }
    }
    try {
        contest.logTable.appendRecord(r);
    } catch (const TableError& err) {
        Platform::prompter().showMessage(err.message);
        return false;
    }
    contest.logTable.flush();
    contest.logTable.last();
    return true;
}

namespace {
// The columns an edit writes, applied to a row buffer.
void applyEdit(QsoRecord& row, const ContestFile& contest, const EntryValues& e, bool a, bool b) {
    const int type = ContestTypeOf(contest);
    const QTime t = hhmm(e.time);
    row.Time = t.isValid() ? QTime(t.hour(), t.minute(), e.timeTagSeconds % 60) : QTime();
    row.Date = e.date;
    row.Call = e.call;
    row.BaseCall = BaseCall(e.call);
    row.Band = e.band;
    row.Sent_RST = e.sentRst;
    row.Sent_QSO_number = e.sentNumber.toInt();
    row.Received_RST = e.receivedRst;
    row.Received_QSO_number = e.receivedNumber.toInt();
    row.Mode = e.mode;
    row.QSO_azimuth = e.headingTag;
    if (type == 1) row.Received_Exchange = isFm(e.mode) ? e.exchange : QString();
    row.Received_WWL = e.locator;
    if (!e.dupeLabel.isEmpty()) {
        // A dupe keeps the distance it had.
        row.Duplicate_QSO = "D";
        row.QSO_points = 0;
    } else {
        row.Duplicate_QSO.clear();
        qint64 v = 1;
        if (type == 1) v = (a || b) ? 0 : ModeFactor(e.mode);
        row.QSO_points = e.receivedNumber.toInt() != 0 ? points(v, e.distanceTag) : 0;
        row.QSO_distance = e.distanceTag;
    }
    row.Operator = e.op;
    row.setValue(Col::Last_updated, Platform::clock().localNow());
    row.cutToWidths();
}
} // namespace

bool PostEdited(ContestFile& contest, const EntryValues& e, int editedSentNumber) {
    if (!contest.isOpen()) return false;
    LogCursor& view = contest.logTable;
    if (!view.locate("Sent_QSO_number", editedSentNumber)) return false;
    bool a = false, b = false;
    if (ContestTypeOf(contest) == 1) {
        a = CheckTenMinuteRule(contest, e.mode, e.time, editedSentNumber);
        b = CheckThreeOnChannel(contest, e.mode, e.exchange, e.time, editedSentNumber);
        view.locate("Sent_QSO_number", editedSentNumber);
    }
    QsoRecord row = view.current();
    applyEdit(row, contest, e, a, b);
    if (contest.mirrorOpen()) {
        LogCursor& m = contest.mirror();
        try {
            if (m.recordCount() > 0 && m.current().Sent_QSO_number == editedSentNumber) {
                QsoRecord mine = m.current();
                applyEdit(mine, contest, e, a, b);
                m.updateRecords({mine});
            } else {
                QsoRecord fresh;
                applyEdit(fresh, contest, e, a, b);
                m.appendRecord(fresh);
            }
        } catch (const TableError& err) {
            Platform::prompter().showMessage(err.message);
        }
    }
    try {
        view.updateRecords({row});
    } catch (const TableError& err) {
        Platform::prompter().showMessage(err.message);
        return false;
    }
    view.last();
    return true;
}
} // namespace QsoPosting
