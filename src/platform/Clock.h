#pragma once
#include <QDateTime>

// Time as the program sees it. Production uses the system clock; tests set a manual one.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime utcNow() const = 0;
    virtual QDateTime localNow() const = 0;
    // Milliseconds from an arbitrary start; only differences mean anything.
    virtual qint64 ticks() const = 0;
    virtual void sleep(int ms) = 0;
};

class SystemClock : public Clock {
  public:
    QDateTime utcNow() const override;
    QDateTime localNow() const override;
    qint64 ticks() const override;
    void sleep(int ms) override;
};

// Test double: time stands still until told to move; sleep advances it.
class ManualClock : public Clock {
  public:
    explicit ManualClock(QDateTime utc = QDateTime(QDate(2026, 5, 2), QTime(14, 0), Qt::UTC),
                         int localOffsetSeconds = 0);
    QDateTime utcNow() const override { return utc_; }
    QDateTime localNow() const override;
    qint64 ticks() const override { return ticks_; }
    void sleep(int ms) override { advance(ms); }
    void setUtc(const QDateTime& utc) { utc_ = utc.toUTC(); }
    void advance(qint64 ms) {
        utc_ = utc_.addMSecs(ms);
        ticks_ += ms;
    }

  private:
    QDateTime utc_;
    qint64 ticks_ = 0;
    int localOffset_;
};
