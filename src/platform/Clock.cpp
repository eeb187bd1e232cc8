#include "Clock.h"

#include <QElapsedTimer>
#include <QThread>

QDateTime SystemClock::utcNow() const {
    return QDateTime::currentDateTimeUtc();
}
QDateTime SystemClock::localNow() const {
    return QDateTime::currentDateTime();
}

qint64 SystemClock::ticks() const {
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

void SystemClock::sleep(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

ManualClock::ManualClock(QDateTime utc, int localOffsetSeconds)
    : utc_(utc.toUTC()), localOffset_(localOffsetSeconds) {}

QDateTime ManualClock::localNow() const {
    QDateTime local = utc_.addSecs(localOffset_);
    return QDateTime(local.date(), local.time());
}
