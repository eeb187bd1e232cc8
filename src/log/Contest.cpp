#include "Contest.h"

#include "LogTable.h"
#include "core/Locator.h"
#include "core/Rounding.h"

#include <algorithm>
#include <vector>

bool TContest::isCounted(const QString& locator) const {
    return std::binary_search(counted.begin(), counted.end(), locator);
}

void RebuildSummary(TContest& c, LogCursor& rules) {
    if (!rules.active()) return;
    rules.refresh();
    c.score = c.multiplierCount = c.kmSum = c.pointsSum = 0;
    c.scoringQsoCount = c.average = c.odxDistance = c.odxSerial = 0;
    c.odxCall.clear();
    c.odxLocator.clear();
    c.counted.clear();

    // Sums are kept wide and narrowed at the end, so that a huge log cannot overflow midway.
    qint64 kmSum = 0, pointsSum = 0;
    std::vector<QsoRecord> changed;
    const std::vector<QsoRecord>& rows = rules.rows();
    for (const QsoRecord& q : rows) {
        const bool scores = q.QSO_points > 0;
        if (c.contestType == 1) {
            const QString& wwl = q.Received_WWL;
            if (scores && IsMultiplierLocator(wwl) && !c.isCounted(wwl)) {
                if (q.New_WWL.isEmpty()) {
                    changed.push_back(q);
                    changed.back().New_WWL = "N";
                }
                c.counted.insert(std::lower_bound(c.counted.begin(), c.counted.end(), wwl), wwl);
            } else if (!q.New_WWL.isEmpty()) {
                changed.push_back(q);
                changed.back().New_WWL.clear();
            }
        }
        pointsSum += q.QSO_points;
        if (scores) {
            kmSum += q.QSO_distance;
            ++c.scoringQsoCount;
            if (q.QSO_distance > c.odxDistance) {
                c.odxDistance = q.QSO_distance;
                c.odxCall = q.Call;
                c.odxLocator = q.Received_WWL;
                c.odxSerial = q.Sent_QSO_number;
            }
        }
    }
    c.qsoCount = qint32(rows.size());
    if (!changed.empty()) rules.updateRecords(changed);

    // Sums and score in 64 bits: type-1 points times multipliers outgrow 32 bits.
    c.kmSum = kmSum;
    c.pointsSum = pointsSum;
    c.multiplierCount = qint32(c.counted.size());
    if (c.scoringQsoCount > 0) c.average = qint32(RoundHalfEven(double(kmSum) / c.scoringQsoCount));
    c.score = c.contestType == 1 ? pointsSum * c.multiplierCount : c.kmSum;
    c.recounted = true;
}

QString ScoreLineText(const TContest& c) {
    if (!c.recounted) return "ODX info";
    return "ODX:  " + c.odxCall + "  " + c.odxLocator + "  " + QString::number(c.odxDistance) +
           " km " + "Points: " + QString::number(c.score) + " " + QString::number(c.average) +
           " km/QSO";
}
