#pragma once
#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

class QTimer;

// The station driver: follows the radio over CAT and tunes it. This base class has no radio:
// it polls nothing and applies every requested frequency and mode at once, so with no radio
// the shown frequency follows the band chosen in the log window. Rig models derive from it
// and fill in the telegrams.
class TStation {
  public:
    TStation();
    virtual ~TStation();
    TStation(const TStation&) = delete;
    TStation& operator=(const TStation&) = delete;

    // Events to the owner (the log window).
    std::function<void(double kHz)> OnChangeFrequency;
    std::function<void(int code)> OnChangeMode;
    std::function<void(const QByteArray& telegram)> OnSendTelegram;
    std::function<void(bool answered)> OnRig;

    // Last frequency (kHz) and rig mode code reported by the radio, or applied locally.
    double frequency() const { return frequency_; }
    int mode() const { return mode_; }

    // Requests; the values change only when the radio reports them (or at once without one).
    virtual void SetMode(int code);
    virtual void SetFrequency(double kHz);
    virtual void ReceiveData(const QByteArray& bytes);
    virtual void Poll();
    virtual QByteArray BuildSetFrequency(double kHz);
    virtual QByteArray BuildSetMode(int code);
    virtual QByteArray BuildPoll();

    void SetPollInterval(unsigned ms);
    unsigned pollInterval() const { return pollInterval_; }
    void ApplyFrequency(double kHz);
    void ApplyMode(int code);
    // One tick of the poll timer; the timer calls it, tests may too.
    void PollTick();

    // Serial settings of the CAT port: indexes into BaudRateNames(), bit i of the set for
    // index i; stop bits 0 one, 1 one and a half, 2 two; parity 0 none, 1 odd, 2 even,
    // 3 mark, 4 space.
    std::uint8_t defaultBaudRate = 4;
    std::uint16_t supportedBaudRates = 0xFFFE;
    std::uint8_t stopBits = 2;
    std::uint8_t parity = 0;
    static const QStringList& BaudRateNames();

  protected:
    QByteArray receiveBuffer;
    bool noAnswer = false;

  private:
    double frequency_ = 0;
    int mode_ = 0;
    unsigned pollInterval_ = 0;
    std::unique_ptr<QTimer> timer_;
};
