#include "CPartialSearch.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

TCPartialSearch::TCPartialSearch(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setBackgroundRole(QPalette::Base);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCPartialSearch::setLogDataSet(LogCursor* log) {
    engine_.setLog(log);
    resetResults();
}

void TCPartialSearch::setLibDataSet(const CallLibrary* library) {
    engine_.setLibrary(library);
    resetResults();
}

void TCPartialSearch::resetResults() {
    engine_.reset();
    hover_ = -1;
    update();
}

void TCPartialSearch::setInLogColor(const QColor& c) {
    inLog_ = c;
    update();
}

void TCPartialSearch::setInLog2BandColor(const QColor& c) {
    inLog2Band_ = c;
    update();
}

void TCPartialSearch::setInLibColor(const QColor& c) {
    inLib_ = c;
    update();
}

QColor TCPartialSearch::colorOf(int cls) const {
    return cls == 1 ? inLog_ : cls == 2 ? inLog2Band_ : inLib_;
}

bool TCPartialSearch::windowShown() const {
    const QWidget* p = parentWidget();
    if (!p || !p->isVisible()) return false;
    const QWidget* pp = p->parentWidget();
    return !pp || pp->isVisible();
}

void TCPartialSearch::Search(const QString& text, const QString& band, int currentNumber) {
    if (!engine_.search(text, band, currentNumber)) return;
    if (windowShown()) {
        engine_.build();
        pendingBuild_ = false;
        relayout();
        update();
    } else {
        engine_.computeHidden();
        // The list follows when the window is next painted.
        pendingBuild_ = true;
    }
}

void TCPartialSearch::LocatorSearch(const QString& locator, const QString& band) {
    engine_.locatorSearch(locator, band);
    pendingBuild_ = true;
    if (windowShown()) {
        engine_.build();
        pendingBuild_ = false;
        relayout();
    }
    update();
}

void TCPartialSearch::updateMetrics() {
    const QFontMetrics fm(font());
    metrics_.lineHeight = fm.height();
    for (int c = 0; c < 256; ++c)
        metrics_.advance[size_t(c)] = fm.horizontalAdvance(QChar(c));
    metricsValid_ = true;
}

void TCPartialSearch::relayout() {
    if (!metricsValid_) updateMetrics();
    metrics_.width = width();
    metrics_.height = height();
    engine_.layout(metrics_);
    hover_ = -1;
}

void TCPartialSearch::paintEvent(QPaintEvent*) {
    if (pendingBuild_) {
        engine_.build();
        pendingBuild_ = false;
        relayout();
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QFontMetrics fm(font());
    const int ascent = fm.ascent();
    const auto& items = engine_.drawnItems();
    for (size_t i = 0; i < items.size(); ++i) {
        const auto& item = items[i];
        if (int(i) == hover_) {
            QFont f = font();
            f.setUnderline(true);
            painter.setFont(f);
        }
        painter.setPen(colorOf(item.cls));
        painter.drawText(QPoint(item.left, item.top + ascent), item.call);
        if (int(i) == hover_) painter.setFont(font());
    }
}

void TCPartialSearch::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void TCPartialSearch::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        metricsValid_ = false;
        relayout();
        update();
    }
}

int TCPartialSearch::itemAt(const QPoint& p) const {
    const auto& items = engine_.drawnItems();
    for (size_t i = 0; i < items.size(); ++i) {
        const auto& it = items[i];
        if (p.x() > it.left && p.x() < it.right && p.y() > it.top && p.y() < it.bottom)
            return int(i);
    }
    return -1;
}

void TCPartialSearch::setHover(int item) {
    if (item == hover_) return;
    const auto& items = engine_.drawnItems();
    auto repaintItem = [&](int i) {
        if (i < 0 || size_t(i) >= items.size()) return;
        const auto& it = items[size_t(i)];
        update(QRect(QPoint(it.left, it.top), QPoint(it.right, it.bottom)).adjusted(0, 0, 1, 1));
    };
    repaintItem(hover_);
    hover_ = item;
    repaintItem(hover_);
}

void TCPartialSearch::mouseMoveEvent(QMouseEvent* event) {
    setHover(itemAt(event->position().toPoint()));
}

void TCPartialSearch::leaveEvent(QEvent*) {
    setHover(-1);
}

void TCPartialSearch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int i = itemAt(event->position().toPoint());
    if (i >= 0) emit OnCallClicked(engine_.drawnItems()[size_t(i)].call);
}
