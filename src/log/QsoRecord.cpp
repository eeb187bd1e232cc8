#include "QsoRecord.h"

#include <algorithm>
#include <array>

namespace {
struct ColumnInfo {
    const char* name;
    int width; // text width; 0 for non-text columns
};
constexpr std::array<ColumnInfo, ColumnCount> columns{{
    {"Date", 0},
    {"Time", 0},
    {"Band", 7},
    {"Freq", 12},
    {"Sent_QSO_number", 0},
    {"Call", 14},
    {"BaseCall", 14},
    {"Mode", 6},
    {"Sent_RST", 3},
    {"Received_RST", 3},
    {"Received_QSO_number", 0},
    {"Received_Exchange", 10},
    {"Received_WWL", 6},
    {"QSO_points", 0},
    {"QSO_distance", 0},
    {"QSO_azimuth", 0},
    {"New_Exchange", 1},
    {"New_WWL", 1},
    {"New_DXCC", 1},
    {"Duplicate_QSO", 1},
    {"Remarks", 40},
    {"Sent_QSL", 1},
    {"Received_QSL", 1},
    {"Operator", 14},
    {"Last_updated", 0},
}};

int int16(const QVariant& v) {
    return std::clamp(v.toInt(), -32768, 32767);
}
qint32 int32(const QVariant& v) {
    return static_cast<qint32>(std::clamp<qint64>(v.toLongLong(), INT32_MIN, INT32_MAX));
}
QString text(Col c, const QVariant& v) {
    return v.toString().left(columns[int(c)].width);
}
QDate date(const QVariant& v) {
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    return QDate::fromString(v.toString(), Qt::ISODate);
}
QTime time(const QVariant& v) {
    if (v.typeId() == QMetaType::QTime) return v.toTime();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().time();
    const QString s = v.toString();
    QTime t = QTime::fromString(s, "hh:mm:ss");
    return t.isValid() ? t : QTime::fromString(s, "hh:mm");
}
} // namespace

namespace LogColumns {
QString name(Col c) {
    return QString::fromLatin1(columns[int(c)].name);
}
int indexOf(const QString& n) {
    for (int i = 0; i < ColumnCount; ++i)
        if (n.compare(QLatin1String(columns[i].name), Qt::CaseInsensitive) == 0) return i;
    return -1;
}
int width(Col c) {
    return columns[int(c)].width;
}
bool isText(Col c) {
    return columns[int(c)].width > 0;
}
QStringList names() {
    QStringList out;
    for (const auto& c : columns)
        out << QString::fromLatin1(c.name);
    return out;
}
} // namespace LogColumns

QVariant QsoRecord::value(Col c) const {
    switch (c) {
    case Col::Date:
        return Date;
    case Col::Time:
        return Time;
    case Col::Band:
        return Band;
    case Col::Freq:
        return Freq;
    case Col::Sent_QSO_number:
        return Sent_QSO_number;
    case Col::Call:
        return Call;
    case Col::BaseCall:
        return BaseCall;
    case Col::Mode:
        return Mode;
    case Col::Sent_RST:
        return Sent_RST;
    case Col::Received_RST:
        return Received_RST;
    case Col::Received_QSO_number:
        return Received_QSO_number;
    case Col::Received_Exchange:
        return Received_Exchange;
    case Col::Received_WWL:
        return Received_WWL;
    case Col::QSO_points:
        return QSO_points;
    case Col::QSO_distance:
        return QSO_distance;
    case Col::QSO_azimuth:
        return QSO_azimuth;
    case Col::New_Exchange:
        return New_Exchange;
    case Col::New_WWL:
        return New_WWL;
    case Col::New_DXCC:
        return New_DXCC;
    case Col::Duplicate_QSO:
        return Duplicate_QSO;
    case Col::Remarks:
        return Remarks;
    case Col::Sent_QSL:
        return Sent_QSL;
    case Col::Received_QSL:
        return Received_QSL;
    case Col::Operator:
        return Operator;
    case Col::Last_updated:
        return Last_updated;
    }
    return {};
}

void QsoRecord::setValue(Col c, const QVariant& v) {
    switch (c) {
    case Col::Date:
        Date = date(v);
        break;
    case Col::Time:
        Time = time(v);
        break;
    case Col::Band:
        Band = text(c, v);
        break;
    case Col::Freq:
        Freq = text(c, v);
        break;
    case Col::Sent_QSO_number:
        Sent_QSO_number = int16(v);
        break;
    case Col::Call:
        Call = text(c, v);
        break;
    case Col::BaseCall:
        BaseCall = text(c, v);
        break;
    case Col::Mode:
        Mode = text(c, v);
        break;
    case Col::Sent_RST:
        Sent_RST = text(c, v);
        break;
    case Col::Received_RST:
        Received_RST = text(c, v);
        break;
    case Col::Received_QSO_number:
        Received_QSO_number = int16(v);
        break;
    case Col::Received_Exchange:
        Received_Exchange = text(c, v);
        break;
    case Col::Received_WWL:
        Received_WWL = text(c, v);
        break;
    case Col::QSO_points:
        QSO_points = int32(v);
        break;
    case Col::QSO_distance:
        QSO_distance = int32(v);
        break;
    case Col::QSO_azimuth:
        QSO_azimuth = int16(v);
        break;
    case Col::New_Exchange:
        New_Exchange = text(c, v);
        break;
    case Col::New_WWL:
        New_WWL = text(c, v);
        break;
    case Col::New_DXCC:
        New_DXCC = text(c, v);
        break;
    case Col::Duplicate_QSO:
        Duplicate_QSO = text(c, v);
        break;
    case Col::Remarks:
        Remarks = text(c, v);
        break;
    case Col::Sent_QSL:
        Sent_QSL = text(c, v);
        break;
    case Col::Received_QSL:
        Received_QSL = text(c, v);
        break;
    case Col::Operator:
        Operator = text(c, v);
        break;
    case Col::Last_updated:
        // Kept as wall-clock time without a zone lookup (see the table reader).
        if (v.typeId() == QMetaType::QDateTime) {
            const QDateTime t = v.toDateTime();
            Last_updated = t.isValid() ? QDateTime(t.date(), t.time(), Qt::UTC) : QDateTime();
        } else {
            const QDateTime t = QDateTime::fromString(v.toString(), "yyyy-MM-dd hh:mm:ss");
            Last_updated = t.isValid() ? QDateTime(t.date(), t.time(), Qt::UTC) : QDateTime();
        }
        break;
    }
}

QVariant QsoRecord::value(const QString& column) const {
    const int i = LogColumns::indexOf(column);
    return i < 0 ? QVariant() : value(Col(i));
}

void QsoRecord::setValue(const QString& column, const QVariant& v) {
    const int i = LogColumns::indexOf(column);
    if (i >= 0) setValue(Col(i), v);
}

QVariantList QsoRecord::values() const {
    QVariantList out;
    for (int i = 0; i < ColumnCount; ++i)
        out << value(Col(i));
    return out;
}

QsoRecord QsoRecord::fromValues(const QVariantList& values) {
    QsoRecord r;
    for (int i = 0; i < ColumnCount && i < values.size(); ++i)
        r.setValue(Col(i), values[i]);
    return r;
}

void QsoRecord::cutToWidths() {
    for (int i = 0; i < ColumnCount; ++i)
        if (LogColumns::isText(Col(i))) setValue(Col(i), value(Col(i)));
}
