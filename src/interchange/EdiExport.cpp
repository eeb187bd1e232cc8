#include "EdiExport.h"

#include "core/Bands.h"
#include "log/ContestFile.h"
#include "platform/Text8.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>

namespace EdiExport {

std::optional<QDate> parseHeaderDate(const QString& text) {
    static const QRegularExpression dmy(R"(^\s*(\d{1,2})[./-](\d{1,2})[./-](\d{4}|\d{2})\s*$)");
    const auto m = dmy.match(text);
    if (m.hasMatch()) {
        int year = m.captured(3).toInt();
        if (m.captured(3).size() == 2) year += 2000;
        const QDate d(year, m.captured(2).toInt(), m.captured(1).toInt());
        if (d.isValid()) return d;
        return std::nullopt;
    }
    const QDate iso = QDate::fromString(text.trimmed(), Qt::ISODate);
    if (iso.isValid()) return iso;
    const QDate local = QLocale::system().toDate(text.trimmed(), QLocale::ShortFormat);
    if (local.isValid()) return local;
    return std::nullopt;
}

QString invalidDateMessage(const QString& text) {
    return "'" + text + "' is not a valid date";
}

QString qsoNumberText(int number) {
    const QString s = QString::number(number);
    return number >= 0 && s.size() < 3 ? s.rightJustified(3, '0') : s;
}

QString qsoLine(const QsoRecord& q) {
    const QString date = q.Date.isValid() ? q.Date.toString("yyMMdd") : QString();
    const QString time = q.Time.isValid() ? q.Time.toString("hhmm") : QString();
    const QStringList fields{date,
                             time,
                             q.Call,
                             QString::number(ModeEdiNumber(q.Mode)),
                             q.Sent_RST,
                             qsoNumberText(q.Sent_QSO_number),
                             q.Received_RST,
                             qsoNumberText(q.Received_QSO_number),
                             q.Received_Exchange,
                             q.Received_WWL,
                             QString::number(q.QSO_points),
                             q.New_Exchange,
                             q.New_WWL,
                             q.New_DXCC,
                             q.Duplicate_QSO};
    return fields.join(';');
}

QString closingLine() {
    return QString("[END;") + ContestFile::Signature + "]";
}

std::optional<QByteArray> fileText(const ContestHeader& h, int n, const TContest& s,
                                   const std::vector<QsoRecord>& qsos, QString* error) {
    const auto start = parseHeaderDate(h.TDateStart);
    const auto end = parseHeaderDate(h.TDateEnd);
    if (!start || !end) {
        if (error) *error = invalidDateMessage(!start ? h.TDateStart : h.TDateEnd);
        return std::nullopt;
    }
    static const BandEquipment none;
    const BandEquipment& b = (n >= 1 && n <= 15) ? h.bands[size_t(n - 1)] : none;
    const QStringList ops = h.operatorLines();
    const QString mope1 = ops.isEmpty() ? h.PCall : ops[0];
    const QString mope2 = ops.size() >= 2 ? ops[1] : QString();

    QStringList lines{"[REG1TEST;1]",
                      "TName=" + h.TName,
                      "TDate=" + start->toString("yyyyMMdd") + ";" + end->toString("yyyyMMdd"),
                      "PCall=" + h.PCall,
                      "PWWLo=" + h.PWWL,
                      "PExch=",
                      "PAdr1=" + h.PAdr1,
                      "PAdr2=" + h.PAdr2,
                      "PSect=" + b.PSect,
                      "PBand=" + BandName(n),
                      "PClub=" + h.PClub,
                      "RName=" + h.RName,
                      "RCall=" + h.RCall,
                      "RAdr1=" + h.RAdr1,
                      "RAdr2=" + h.RAdr2,
                      "RPoCo=" + h.RPoCo,
                      "RCity=" + h.RCity,
                      "RCoun=" + h.RCoun,
                      "RPhon=" + h.RPhon,
                      "RHBBS=" + h.RHBBS,
                      "MOpe1=" + mope1,
                      "MOpe2=" + mope2,
                      "STXEq=" + b.TX,
                      "SPowe=" + b.SPowe,
                      "SRXEq=" + b.RX,
                      "SAnte=" + b.SAnte,
                      "SAntH=" + b.HeightAboveGround + ";" + b.HeightAboveSea,
                      "CQSOs=" + QString::number(s.qsoCount) + ";1",
                      "CQSOP=" + QString::number(s.pointsSum),
                      "CWWLs=" + QString::number(s.multiplierCount) + ";0;1",
                      "CWWLB=",
                      "CExcs=;;",
                      "CExcB=",
                      "CDXCs=;;",
                      "CDXCB=",
                      "CToSc=" + QString::number(s.score),
                      "CODXC=" + s.odxCall + ";" + s.odxLocator + ";" +
                          QString::number(s.odxDistance),
                      "[Remarks]"};
    lines += h.commentLines(n);
    lines << "[QSORecords;" + QString::number(qsos.size()) + "]";
    QByteArray out;
    out.reserve(qsizetype(4096 + qsos.size() * 64));
    for (const QString& l : lines)
        out += Text8::encode(l) + "\r\n";
    for (const QsoRecord& q : qsos)
        out += Text8::encode(qsoLine(q)) + "\r\n";
    out += Text8::encode(closingLine()) + "\r\n";
    return out;
}

Result exportBand(ContestFile& contest, const QString& band, const QString& path) {
    Result r;
    const int n = BandPosition(band);
    if (n == 0) {
        r.message = "Unknown band " + band;
        return r;
    }
    if (!contest.isOpen()) {
        r.message = "No contest is open";
        return r;
    }
    QString error;
    // The dates are checked before anything is recounted or written.
    if (!parseHeaderDate(contest.header.TDateStart) || !parseHeaderDate(contest.header.TDateEnd)) {
        fileText(contest.header, n, TContest(), {}, &error);
        r.message = error;
        return r;
    }
    std::optional<QByteArray> text;
    try {
        // A cursor of our own on the band, so that the log window's views keep their range.
        LogCursor rules;
        rules.setTable(contest.folder(), contest.tableName());
        rules.open();
        ContestFile::setBandRange(rules, band);
        TContest summary;
        summary.contestType = std::uint8_t(contest.header.scoringType());
        RebuildSummary(summary, rules);
        text = fileText(contest.header, n, summary, rules.rows(), &error);
        r.qsoCount = summary.qsoCount;
    } catch (const TableError& e) {
        r.message = e.message;
        return r;
    }
    if (!text) {
        r.message = error;
        return r;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(*text) != text->size() || !f.commit()) {
        r.message = f.errorString();
        if (r.message.isEmpty()) r.message = "Cannot write " + path;
        return r;
    }
    r.ok = true;
    return r;
}

QString proposedPath(const QString& contestPath) {
    if (contestPath.isEmpty()) return {};
    const QFileInfo fi(contestPath);
    return fi.dir().filePath(fi.completeBaseName() + ".edi");
}

} // namespace EdiExport
