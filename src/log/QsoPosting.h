#pragma once
#include "QsoRecord.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>
#include <optional>

class ContestFile;
struct TContest;

// What the entry line holds when Enter is pressed.
struct EntryValues {
    QDate date;              // Date_
    QString time;            // Time_ "hh:mm"
    int timeTagSeconds = 0;  // seconds kept by a QSO being edited
    QString band;            // Band text
    QStringList bandList;    // the band list's entries
    double frequencyKHz = 0; // the station driver's frequency, without transverter offset
    QString sentNumber;      // Sent_QSO_number text
    QString call;
    QString mode;
    QString sentRst, receivedRst;
    QString receivedNumber; // Received_QSO_number text
    QString exchange;       // Received_Exchange text
    QString locator;        // Received_WWL text
    int distanceTag = 0;    // km
    int headingTag = 361;   // degrees; -1 with "?" in the locator
    QString dupeLabel;      // Duplicate_QSO text ("Dupe" or empty)
    QString op;             // current operator
};

// The distance and heading tags a typed locator gives: none when it is not six characters;
// 0 km and heading -1 with "?" in it; else Distance and Azimuth from the home locator.
struct LocatorTags {
    int distance = 0;
    int heading = -1;
};
std::optional<LocatorTags> TagsOfLocator(const QString& home, const QString& locator);

// Status messages and warning tones of the rules (the log window's status line).
// Without a reporter the checks only answer.
struct RuleReporter {
    std::function<void(const QString&)> status; // empty text clears the message
};

// The rules that decide whether, and how, the QSO of the entry line is stored.
// The contest's rules cursor (tekmovanjeTable) must hold the current band's range and the
// log view cursor (logTable) sits on the previous QSO (see previousQso below).
namespace QsoPosting {
// 0 "VHF-Region 1", 1 for any other header choice.
int ContestTypeOf(const ContestFile& contest);

// The previous QSO of a check: the log view cursor's current row (when editing, the one
// before the edited row, given by its serial number). Empty optional when the band is empty.
std::optional<QsoRecord> PreviousQso(const ContestFile& contest, int editedSentNumber = 0);

// Seconds from a to b on the time of day; -1 ("infinitely far") when a is later than b.
int SecondsBetween(QTime a, QTime b);

// 10-minute rule between FM and the other modes (type 1). With a reporter a violation sounds
// 1000 Hz for 40 ms and shows "Possible 10 minute rulle violation!!!".
bool CheckTenMinuteRule(const ContestFile& contest, const QString& mode, const QString& time,
                        int editedSentNumber = 0, const RuleReporter* report = nullptr);
// Three QSOs on one FM channel within 10 minutes (mode "FM" only).
bool CheckThreeOnChannel(const ContestFile& contest, const QString& mode, const QString& channel,
                         const QString& time, int editedSentNumber = 0,
                         const RuleReporter* report = nullptr);

struct SimplexResult {
    QString value;     // the field's text afterwards (a frequency offset becomes its channel)
    QString errorText; // empty when accepted; else the text inside "Wrong simplex channel (...)!!!"
};
// The channel rules of the band for a received channel value (type 1, mode "FM", value > 0).
SimplexResult CheckSimplexChannel(const QString& band, const QString& value);
// The whole run when the exchange field is left: rules, then the three-on-channel check.
// Gives the field's new text; false when a refusal was shown (focus stays on the field).
bool LeaveExchangeField(const ContestFile& contest, EntryValues& entry, int editedSentNumber,
                        const RuleReporter& report);

// Validation on Enter, in its order; asks its Yes/No questions through the Prompter.
bool ValidateEntry(const ContestFile& contest, const EntryValues& entry, int editedSentNumber = 0);

// The record a new QSO is stored as (points, multiplier mark, dupe mark, ...).
QsoRecord NewRecord(const ContestFile& contest, const EntryValues& entry,
                    const QStringList& countedMultipliers);
// Stores a new QSO: mirror table first (when open), then the log table. False when nothing
// was stored (band not in the list, or the engine refused: its message goes to the Prompter).
bool PostNew(ContestFile& contest, const EntryValues& entry, const QStringList& countedMultipliers);
// Writes the entry line back into the edited QSO (the log view cursor's row with that serial
// number) and its mirror row.
bool PostEdited(ContestFile& contest, const EntryValues& entry, int editedSentNumber);
} // namespace QsoPosting
