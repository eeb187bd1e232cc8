#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>
#include <QVariantList>

// The columns of the log table, in table order.
enum class Col {
    Date,
    Time,
    Band,
    Freq,
    Sent_QSO_number,
    Call,
    BaseCall,
    Mode,
    Sent_RST,
    Received_RST,
    Received_QSO_number,
    Received_Exchange,
    Received_WWL,
    QSO_points,
    QSO_distance,
    QSO_azimuth,
    New_Exchange,
    New_WWL,
    New_DXCC,
    Duplicate_QSO,
    Remarks,
    Sent_QSL,
    Received_QSL,
    Operator,
    Last_updated,
};
constexpr int ColumnCount = 25;

namespace LogColumns {
QString name(Col c);
// Column by name, without regard to case; -1 when there is none.
int indexOf(const QString& name);
// Width of a text column (0 for the others).
int width(Col c);
bool isText(Col c);
QStringList names();
} // namespace LogColumns

// One QSO: a row of the log table.
struct QsoRecord {
    QDate Date;
    QTime Time;
    QString Band;
    QString Freq;
    int Sent_QSO_number = 0;
    QString Call;
    QString BaseCall;
    QString Mode;
    QString Sent_RST;
    QString Received_RST;
    int Received_QSO_number = 0;
    QString Received_Exchange;
    QString Received_WWL;
    qint32 QSO_points = 0;
    qint32 QSO_distance = 0;
    int QSO_azimuth = 0;
    QString New_Exchange;
    QString New_WWL;
    QString New_DXCC;
    QString Duplicate_QSO;
    QString Remarks;
    QString Sent_QSL;
    QString Received_QSL;
    QString Operator;
    QDateTime Last_updated;

    qint64 rowId = 0; // the engine's row identity; 0 before the row is stored

    QVariant value(Col c) const;
    // Text columns are cut to their width; numbers are narrowed to their column's range.
    void setValue(Col c, const QVariant& v);
    QVariant value(const QString& column) const;
    void setValue(const QString& column, const QVariant& v);
    // The 25 values in column order.
    QVariantList values() const;
    static QsoRecord fromValues(const QVariantList& values);
    // Cuts every text column to its width.
    void cutToWidths();
};
