#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

class LogCursor;

// The contest summary of one band: totals, best distance (ODX), counted multipliers and
// score. The log window owns one; the EDI export and the report recount their own.
struct TContest {
    std::uint8_t contestType = 0; // 0 "VHF-Region 1", 1 "ZAR-Maraton"
    qint64 score = 0;
    qint32 multiplierCount = 0;
    qint64 kmSum = 0;
    qint64 pointsSum = 0;
    qint32 qsoCount = 0;
    qint32 scoringQsoCount = 0;
    qint32 average = 0;
    qint32 odxDistance = 0;
    qint32 odxSerial = 0;
    QString odxLocator;
    QString odxCall;
    // Type 1: multiplier locators worked by scoring QSOs, each once, sorted.
    QStringList counted;
    bool recounted = false; // false until the first recount

    bool isCounted(const QString& locator) const;
};

// Full recount over the rules cursor (the band's QSOs in serial-number order). In a type-1
// contest it also sets "N" in New_WWL on the first scoring QSO of each multiplier locator and
// clears it everywhere else, storing only the rows that change. Nothing when the cursor is
// closed.
void RebuildSummary(TContest& contest, LogCursor& rules);

// The score line of the log window; "ODX info" before the first recount.
QString ScoreLineText(const TContest& contest);
