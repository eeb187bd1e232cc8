#include "EdiReader.h"

#include "core/Bands.h"
#include "core/Locator.h"
#include "platform/Text8.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace EdiReader {

const QStringList& HeaderKeys() {
    static const QStringList keys{
        "[REG1TEST;1]", "TName=", "TDate=", "PCall=", "PWWLo=", "PExch=",   "PAdr1=", "PAdr2=",
        "PSect=",       "PBand=", "PClub=", "RName=", "RCall=", "RAdr1=",   "RAdr2=", "RPoCo=",
        "RCity=",       "RCoun=", "RPhon=", "RHBBS=", "MOpe1=", "MOpe2=",   "STXEq=", "SPowe=",
        "SRXEq=",       "SAnte=", "SAntH=", "CQSOs=", "CQSOP=", "CWWLs=",   "CWWLB=", "CExcs=",
        "CExcB=",       "CDXCs=", "CDXCB=", "CToSc=", "CODXC=", "[Remarks]"};
    return keys;
}

QString BandOfDesignation(const QString& value) {
    if (FindBand(value)) return value;
    // A number with an optional unit: "145", "432MHz", "1.3 GHz", "1,3 GHz".
    static const QRegularExpression re(R"(^\s*(\d+(?:[.,]\d+)?)\s*(MHZ|GHZ|M|G)?\s*$)",
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(value);
    if (!m.hasMatch()) return {};
    QString number = m.captured(1);
    number.replace(',', '.');
    const double v = number.toDouble();
    const QString unit = m.captured(2).toUpper();
    auto bandOfMHz = [](double mhz) { return BandOfFrequency(mhz * 1000.0); };
    if (unit.startsWith('G')) return bandOfMHz(v * 1000.0);
    if (unit.startsWith('M')) return bandOfMHz(v);
    // No unit: MHz, else GHz for the small numbers of the microwave bands.
    QString band = bandOfMHz(v);
    if (band.isEmpty() && v < 300) band = bandOfMHz(v * 1000.0);
    return band;
}

QString ModeOfCode(const QString& code, bool* ok) {
    *ok = true;
    const QString t = code.trimmed();
    if (t.isEmpty()) return QString::fromLatin1(NoModeText);
    bool isNumber = false;
    const qlonglong n = t.toLongLong(&isNumber);
    if (!isNumber) {
        *ok = false;
        return {};
    }
    return (n >= 1 && n <= 9) ? ModeFromEdiNumber(int(n)) : QString::fromLatin1(NoModeText);
}

QString HeaderErrorMessage(const QString& fileName, int line, const QString& expected) {
    return "Error: file " + fileName + " is not an vaild edi file (line" + QString::number(line) +
           " must be '" + expected + "')";
}

namespace {

// Keys of other loggers that carry nothing for us ("LSoft=": the logging program).
bool isForeignKey(const QString& found) {
    return found == "LSoft=";
}

struct Line {
    int number; // in the file, from 1
    QString text;
};

// Lines ended by CR LF, LF or CR; a last line without an ending counts too.
std::vector<Line> splitLines(const QString& text) {
    std::vector<Line> out;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != '\r' && c != '\n') continue;
        out.push_back({int(out.size()) + 1, text.mid(start, i - start)});
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) out.push_back({int(out.size()) + 1, text.mid(start)});
    return out;
}

QString decode(const QByteArray& bytes) {
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom)) {
        // A byte-order mark means UTF-8 text.
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString t = utf8(bytes.mid(3));
        if (!utf8.hasError()) return t;
        return Text8::decode(bytes.mid(3));
    }
    return Text8::decode(bytes);
}

bool isLeadIn(const QString& line) {
    const QString t = line.trimmed();
    return t.isEmpty() || t.startsWith('#');
}

class Reader {
  public:
    Reader(const QString& fileName, Result& r) : fileName_(fileName), r_(r) {}

    Result fail(int line, const QString& what) {
        r_.ok = false;
        r_.qsos.clear();
        r_.line = line;
        r_.message = "Error: file " + fileName_ + " is not an vaild edi file (line" +
                     QString::number(line) + ": " + what + ")";
        return r_;
    }
    Result failHeader(int line, const QString& expected) {
        r_.ok = false;
        r_.qsos.clear();
        r_.line = line;
        r_.message = HeaderErrorMessage(fileName_, line, expected);
        return r_;
    }

  private:
    QString fileName_;
    Result& r_;
};

std::optional<int> number(const QString& field, int low, int high) {
    const QString t = field.trimmed();
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (!ok || v < low || v > high) return std::nullopt;
    return int(v);
}

// Long values are shortened in messages.
QString shortened(const QString& s) {
    return s.size() > 40 ? s.left(40) + "..." : s;
}

QString quoted(const QString& s) {
    return "'" + shortened(s) + "'";
}

bool allDigits(const QString& s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

QDate qsoDate(const QString& field) {
    const QString t = field.trimmed();
    if (!allDigits(t)) return {};
    if (t.size() == 6) {
        // Two-digit years: 80..99 are the last century, the rest this one.
        const int yy = t.left(2).toInt();
        return QDate(yy >= 80 ? 1900 + yy : 2000 + yy, t.mid(2, 2).toInt(), t.mid(4, 2).toInt());
    }
    if (t.size() == 8) return QDate(t.left(4).toInt(), t.mid(4, 2).toInt(), t.mid(6, 2).toInt());
    return {};
}

QTime qsoTime(const QString& field) {
    const QString t = field.trimmed();
    if (t.size() != 4 || !allDigits(t)) return {};
    return QTime(t.left(2).toInt(), t.mid(2, 2).toInt());
}

bool isEmptyRecord(const QString& line) {
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c == ';' || c.isSpace(); });
}

// The fifteen fields; the last is the rest of the line after the fourteenth ";".
QStringList qsoFields(const QString& line) {
    QStringList f;
    qsizetype start = 0;
    for (int k = 0; k < 14; ++k) {
        const qsizetype semi = line.indexOf(';', start);
        if (semi < 0) {
            f << line.mid(start);
            start = line.size() + 1;
            break;
        }
        f << line.mid(start, semi - start);
        start = semi + 1;
    }
    if (f.size() == 14) f << (start <= line.size() ? line.mid(start) : QString());
    while (f.size() < 15)
        f << QString();
    return f;
}

} // namespace

Result Read(const QByteArray& bytes, const QString& fileName, const ContestHeader& header) {
    Result r;
    r.header = header;
    Reader rd(fileName, r);
    const std::vector<Line> lines = splitLines(decode(bytes));
    size_t at = 0;
    while (at < lines.size() && isLeadIn(lines[at].text))
        ++at;

    ContestHeader& h = r.header;
    const QStringList& keys = HeaderKeys();
    constexpr int RemarksIndex = 37;
    auto lineNo = [&](size_t i) {
        return i < lines.size() ? lines[i].number : int(lines.size()) + 1;
    };
    // Whole lines; blanks at the end are not part of them.
    auto wholeLine = [](QString t) {
        while (!t.isEmpty() && t.back().isSpace())
            t.chop(1);
        return t;
    };
    if (at >= lines.size()) return rd.failHeader(lineNo(at), keys[0]);
    if (const QString first = wholeLine(lines[at].text);
        first != keys[0])
        return rd.failHeader(lineNo(at), keys[0]);
    ++at;

    // Header lines up to "[Remarks]" (or straight to the records). Each must carry one of our
    // keys; other loggers leave some out or change their order, so they are taken by key and
    // applied in our order. A key left out leaves its target as it was.
    struct Value {
        QString text;
        int line;
    };
    std::array<std::optional<Value>, 38> values;
    QStringList operators; // MOpe1 and MOpe2 in the order of the file
    int last = 0;          // the last key read: the message names the one after it
    bool remarks = false;
    for (;; ++at) {
        if (at >= lines.size())
            return rd.failHeader(lineNo(at), last + 1 <= RemarksIndex ? keys[last + 1]
                                                                      : QString("[QSORecords;"));
        const QString& text = lines[at].text;
        if (wholeLine(text) == keys[RemarksIndex]) {
            remarks = true;
            ++at;
            break;
        }
        if (text.startsWith("[QSORecords;")) break;
        const QString found = text.left(6);
        int k = -1;
        for (int i = 1; i < RemarksIndex && k < 0; ++i)
            if (found == keys[i]) k = i;
        if (k < 0 && isForeignKey(found)) continue;
        if (k < 0) return rd.failHeader(lines[at].number, keys[std::min(last + 1, RemarksIndex)]);
        const QString v = text.mid(6);
        if (k == 20 || k == 21)
            operators << v;
        else
            values[size_t(k)] = Value{v, lines[at].number};
        last = k;
    }
    const int headerEnd = lineNo(at - (remarks ? 1 : 0));

    auto apply = [&](int k, QString& target, bool onlyWhenGiven = false) {
        const auto& v = values[size_t(k)];
        if (v && (!onlyWhenGiven || !v->text.isEmpty())) target = v->text;
    };
    apply(1, h.TName);
    if (const auto& d = values[2]) {
        const QString& v = d->text;
        h.TDateStart = v.mid(6, 2) + "." + v.mid(4, 2) + "." + v.mid(0, 4);
        h.TDateEnd = v.mid(15, 2) + "." + v.mid(13, 2) + "." + v.mid(9, 4);
    }
    apply(3, h.PCall);
    if (values[4]) h.PWWL = values[4]->text.trimmed().toUpper();
    apply(6, h.PAdr1);
    apply(7, h.PAdr2, true);
    if (!values[9]) return rd.failHeader(headerEnd, keys[9]);
    r.band = BandOfDesignation(values[9]->text);
    if (r.band.isEmpty())
        return rd.failHeader(values[9]->line, "Unknown frequency " + shortened(values[9]->text));
    r.bandNumber = BandPosition(r.band);
    BandEquipment& b = h.bands[size_t(r.bandNumber - 1)];
    b.Band = true;
    apply(8, b.PSect);
    apply(10, h.PClub);
    apply(11, h.RName);
    apply(12, h.RCall);
    apply(13, h.RAdr1);
    apply(14, h.RAdr2, true);
    apply(15, h.RPoCo);
    apply(16, h.RCity);
    apply(17, h.RCoun);
    apply(18, h.RPhon);
    apply(19, h.RHBBS);
    if (!operators.isEmpty()) h.setOperatorLines(h.operatorLines() + operators);
    apply(22, b.TX);
    apply(23, b.SPowe, true);
    apply(24, b.RX);
    apply(25, b.SAnte);
    if (const auto& ant = values[26]) {
        const QString& v = ant->text;
        const qsizetype semi = v.indexOf(';');
        b.HeightAboveGround = semi < 0 ? v : v.left(semi);
        b.HeightAboveSea = semi < 0 ? QString() : v.mid(semi + 1);
    }
    // The claimed totals (CQSOs= to CODXC=) are recounted from the QSOs.

    // Remarks up to the record line.
    QStringList remarkLines;
    while (at < lines.size() && lines[at].text.left(12) != "[QSORecords;")
        remarkLines << lines[at++].text;
    if (at >= lines.size()) return rd.failHeader(lineNo(at), "[QSORecords;");
    if (remarks) h.setCommentLines(r.bandNumber, remarkLines);

    const int countLine = lines[at].number;
    const QString recordLine = lines[at].text;
    const QString countText = recordLine.mid(12, recordLine.size() - 13);
    const auto count = number(countText, 0, std::numeric_limits<int>::max());
    if (!count || !recordLine.endsWith(']'))
        return rd.fail(countLine, quoted(countText) + " is not a valid number of QSO's");
    ++at;

    const size_t available = lines.size() - at;
    r.qsos.reserve(std::min(size_t(*count), available));
    QHash<QString, int> seen; // the table's primary key: one row per key
    for (int i = 0; i < *count; ++i, ++at) {
        // A section line (the closing "[END;...]") where a QSO should be: the count is wrong.
        if (at >= lines.size() || lines[at].text.startsWith('['))
            return rd.fail(lineNo(at), "QSO line missing: the file announces " +
                                           QString::number(*count) + " QSO's and holds " +
                                           QString::number(i));
        const int no = lines[at].number;
        // A record with no value at all (blank, or ";" alone) holds no QSO: counted, skipped.
        if (isEmptyRecord(lines[at].text)) continue;
        const QStringList f = qsoFields(lines[at].text);
        QsoRecord q;
        q.Date = qsoDate(f[0]);
        if (!q.Date.isValid()) return rd.fail(no, quoted(f[0]) + " is not a valid date");
        q.Time = qsoTime(f[1]);
        if (!q.Time.isValid()) return rd.fail(no, quoted(f[1]) + " is not a valid time");
        q.Call = f[2];
        bool modeOk = false;
        q.Mode = ModeOfCode(f[3], &modeOk);
        if (!modeOk) return rd.fail(no, quoted(f[3]) + " is not a valid mode code");
        q.Band = r.band;
        q.Sent_RST = f[4];
        q.Received_RST = f[6];
        for (int idx : {5, 7}) {
            int value = 0;
            QString text = f[idx].trimmed();
            // Some loggers end the number with "/" (UcxLog): "012/".
            if (text.endsWith('/')) text.chop(1);
            if (!text.isEmpty()) {
                const auto v = number(text, 0, 32767);
                if (!v) return rd.fail(no, quoted(f[idx]) + " is not a valid QSO number");
                value = *v;
            }
            (idx == 5 ? q.Sent_QSO_number : q.Received_QSO_number) = value;
        }
        q.Received_Exchange = f[8];
        q.Received_WWL = f[9];
        q.QSO_distance = Distance(h.PWWL, q.Received_WWL);
        if (f[10].trimmed().isEmpty()) {
            q.QSO_points = q.QSO_distance;
        } else {
            const auto v =
                number(f[10], std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
            if (!v) return rd.fail(no, quoted(f[10]) + " is not a valid number of points");
            q.QSO_points = *v;
        }
        q.New_Exchange = f[11];
        q.New_WWL = f[12];
        q.New_DXCC = f[13];
        q.Duplicate_QSO = f[14];
        q.cutToWidths();
        const QString key = q.Date.toString(Qt::ISODate) + '|' + q.Time.toString("hhmm") + '|' +
                            QString::number(q.Sent_QSO_number) + '|' + q.Call;
        const auto before = seen.constFind(key);
        if (before != seen.constEnd())
            return rd.fail(no, "the same QSO as line " + QString::number(*before));
        seen.insert(key, no);
        r.qsos.push_back(std::move(q));
    }
    // Whatever follows (the closing line) is not needed.
    r.ok = true;
    return r;
}

} // namespace EdiReader
