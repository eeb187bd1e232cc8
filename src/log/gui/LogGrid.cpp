#include "LogGrid.h"

#include "log/LogTable.h"

#include <QEvent>
#include <QFont>
#include <QHeaderView>
#include <QLocale>

namespace {
constexpr Col GridOrder[ColumnCount] = {
    Col::Date,
    Col::Time,
    Col::Call,
    Col::Band,
    Col::Freq,
    Col::Sent_RST,
    Col::Sent_QSO_number,
    Col::BaseCall,
    Col::Mode,
    Col::Received_RST,
    Col::Received_QSO_number,
    Col::Received_Exchange,
    Col::Received_WWL,
    Col::QSO_points,
    Col::QSO_distance,
    Col::QSO_azimuth,
    Col::New_Exchange,
    Col::New_WWL,
    Col::New_DXCC,
    Col::Duplicate_QSO,
    Col::Remarks,
    Col::Sent_QSL,
    Col::Received_QSL,
    Col::Operator,
    Col::Last_updated,
};

bool rightAligned(Col c) {
    return c == Col::Sent_QSO_number || c == Col::Received_QSO_number || c == Col::QSO_distance ||
           c == Col::QSO_azimuth;
}

int defaultWidth(Col c) {
    switch (c) {
    case Col::Time:
        return 44;
    case Col::Call:
        return 104;
    case Col::Sent_RST:
    case Col::Received_RST:
        return 38;
    case Col::Sent_QSO_number:
    case Col::Received_QSO_number:
        return 44;
    case Col::Mode:
        return 46;
    case Col::Received_Exchange:
        return 36;
    case Col::Received_WWL:
        return 70;
    case Col::QSO_distance:
        return 50;
    case Col::QSO_azimuth:
        return 40;
    default:
        return 70;
    }
}
} // namespace

Col LogGridModel::columnAt(int section) {
    return GridOrder[section];
}

int LogGridModel::sectionOf(Col c) {
    for (int i = 0; i < ColumnCount; ++i)
        if (GridOrder[i] == c) return i;
    return -1;
}

QString LogGridModel::title(Col c) {
    switch (c) {
    case Col::Sent_RST:
        return "RSTs";
    case Col::Sent_QSO_number:
        return "NRs";
    case Col::Received_RST:
        return "RSTr";
    case Col::Received_QSO_number:
        return "NRr";
    case Col::Received_Exchange:
        return "#FM";
    case Col::Received_WWL:
        return "Locator";
    case Col::QSO_distance:
        return "QRB";
    case Col::QSO_azimuth:
        return "QTF";
    default:
        return LogColumns::name(c);
    }
}

void LogGridModel::setCursor(LogCursor* cursor) {
    cursor_ = cursor;
    reload();
}

void LogGridModel::reload() {
    beginResetModel();
    count_ = cursor_ && cursor_->active() ? int(cursor_->rows().size()) : 0;
    endResetModel();
}

void LogGridModel::setDupeSerial(int serial) {
    if (serial == dupeSerial_) return;
    dupeSerial_ = serial;
    if (count_ > 0) emit dataChanged(index(0, 0), index(count_ - 1, ColumnCount - 1));
}

int LogGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count_;
}

int LogGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LogGridModel::data(const QModelIndex& index, int role) const {
    if (!cursor_ || !cursor_->active() || !index.isValid() || index.row() >= count_) return {};
    const auto& rows = cursor_->rows();
    if (size_t(index.row()) >= rows.size()) return {};
    const QsoRecord& q = rows[size_t(index.row())];
    const Col c = columnAt(index.column());
    switch (role) {
    case Qt::DisplayRole:
        switch (c) {
        case Col::Date:
            return QLocale().toString(q.Date, QLocale::ShortFormat);
        case Col::Time:
            return q.Time.toString("hh:mm");
        case Col::Last_updated:
            return QLocale().toString(q.Last_updated, QLocale::ShortFormat);
        default:
            return q.value(c);
        }
    case Qt::TextAlignmentRole:
        return int((rightAligned(c) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if ((dupeSerial_ && q.Sent_QSO_number == dupeSerial_) ||
            (c == Col::QSO_distance && q.QSO_points == 0))
            return QColor(Qt::red);
        return {};
    case Qt::FontRole:
        if (dupeSerial_ && q.Sent_QSO_number == dupeSerial_) {
            QFont f;
            f.setBold(true);
            f.setPointSizeF(f.pointSizeF() + 1);
            return f;
        }
        return {};
    default:
        return {};
    }
}

QVariant LogGridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal) return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    if (section < 0 || section >= ColumnCount) return {};
    const Col c = columnAt(section);
    if (role == Qt::DisplayRole) return title(c);
    if (role == Qt::TextAlignmentRole) {
        if (c == Col::Time) return int(Qt::AlignCenter);
        return int((rightAligned(c) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return {};
}

LogGrid::LogGrid(QWidget* parent) : QTableView(parent), model_(new LogGridModel(this)) {
    setObjectName("LogGrid");
    setModel(model_);
    setEditTriggers(NoEditTriggers);
    setFocusPolicy(Qt::ClickFocus);
    setTabKeyNavigation(false);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setShowGrid(true);
    setWordWrap(false);
    setMouseTracking(true);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    // The vertical header is the indicator column, narrow and without numbers.
    verticalHeader()->setFixedWidth(12);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    for (int i = 0; i < ColumnCount; ++i)
        setColumnWidth(i, defaultWidth(LogGridModel::columnAt(i)));
    applyVisibility(false, 0, QString());
}

void LogGrid::setCursor(LogCursor* cursor) {
    model_->setCursor(cursor);
    followCursor();
}

void LogGrid::reload() {
    model_->reload();
    followCursor();
}

void LogGrid::followCursor() {
    LogCursor* c = model_->cursor();
    if (!c || !c->active()) return;
    const int row = c->recNo() - 1;
    if (row < 0 || row >= model_->rowCount()) return;
    const QModelIndex at = model_->index(row, LogGridModel::sectionOf(Col::Call));
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect |
                                              QItemSelectionModel::Rows);
    scrollTo(at);
}

void LogGrid::applyVisibility(bool browsing, int contestType, const QString& mode) {
    for (int i = 0; i < ColumnCount; ++i) {
        const Col c = LogGridModel::columnAt(i);
        bool shown = false;
        switch (c) {
        case Col::Time:
        case Col::Call:
        case Col::Sent_RST:
        case Col::Sent_QSO_number:
        case Col::Mode:
        case Col::Received_RST:
        case Col::Received_QSO_number:
        case Col::Received_WWL:
        case Col::QSO_distance:
        case Col::QSO_azimuth:
            shown = true;
            break;
        case Col::Date:
        case Col::Operator:
            shown = browsing;
            break;
        case Col::Remarks:
            shown = browsing && contestType == 0;
            break;
        case Col::Received_Exchange:
            shown = contestType == 1 && (browsing || mode == "FM");
            break;
        default:
            break;
        }
        setColumnHidden(i, !shown);
    }
}

std::vector<LogGrid::Placed> LogGrid::visibleColumns() const {
    std::vector<Placed> out;
    const QHeaderView* h = horizontalHeader();
    for (int v = 0; v < h->count(); ++v) {
        const int logical = h->logicalIndex(v);
        if (logical < 0 || h->isSectionHidden(logical)) continue;
        out.push_back({LogGridModel::columnAt(logical), h->sectionSize(logical)});
    }
    return out;
}

bool LogGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::MouseMove) emit mouseMoved();
    return QTableView::viewportEvent(event);
}
