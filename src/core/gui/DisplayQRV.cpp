#include "DisplayQRV.h"

#include "core/Bands.h"

#include <QPainter>

TDisplayQRV::TDisplayQRV(QWidget* parent) : QWidget(parent) {}

void TDisplayQRV::DisplayQRV(const QString& libraryFlags, const QString& logFlags) {
    libraryFlags_ = libraryFlags;
    logFlags_ = logFlags;
    update();
}

void TDisplayQRV::setInLogColor(const QColor& c) {
    inLogColor_ = c;
    update();
}

void TDisplayQRV::setInLibColor(const QColor& c) {
    inLibColor_ = c;
    update();
}

void TDisplayQRV::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    QFont f = font();
    f.setPixelSize(std::max(1, height()));
    painter.setFont(f);
    const QFontMetrics metrics(f);
    int x = 0;
    for (const QrvDisplayItem& item : QrvDisplayItems(libraryFlags_, logFlags_)) {
        painter.setPen(item.inLog ? inLogColor_ : inLibColor_);
        painter.drawText(QRect(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter,
                         item.text);
        x += metrics.horizontalAdvance(item.text);
    }
}
