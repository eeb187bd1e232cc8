#include "Station.h"

#include <QTimer>

TStation::TStation() : timer_(std::make_unique<QTimer>()) {
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { PollTick(); });
}

TStation::~TStation() = default;

const QStringList& TStation::BaudRateNames() {
    static const QStringList names = {"Custom", "110",    "300",    "600",   "1200",  "2400",
                                      "4800",   "9600",   "14400",  "19200", "38400", "56000",
                                      "57600",  "115200", "128000", "256000"};
    return names;
}

void TStation::SetMode(int code) {
    if (code == mode_) return;
    const QByteArray telegram = BuildSetMode(code);
    if (telegram.isEmpty())
        ApplyMode(code);
    else if (OnSendTelegram)
        OnSendTelegram(telegram);
}

void TStation::SetFrequency(double kHz) {
    if (kHz == frequency_) return;
    const QByteArray telegram = BuildSetFrequency(kHz);
    if (telegram.isEmpty())
        ApplyFrequency(kHz);
    else if (OnSendTelegram)
        OnSendTelegram(telegram);
}

void TStation::ReceiveData(const QByteArray&) {
    receiveBuffer.clear();
}

void TStation::Poll() {
    const QByteArray telegram = BuildPoll();
    if (!telegram.isEmpty() && OnSendTelegram) OnSendTelegram(telegram);
}

QByteArray TStation::BuildSetFrequency(double) {
    return {};
}
QByteArray TStation::BuildSetMode(int) {
    return {};
}
QByteArray TStation::BuildPoll() {
    return {};
}

void TStation::SetPollInterval(unsigned ms) {
    pollInterval_ = ms;
    // A zero interval means no polling at all, not a busy timer.
    if (ms == 0) {
        timer_->stop();
    } else {
        timer_->setInterval(int(ms));
        timer_->start();
    }
}

void TStation::ApplyFrequency(double kHz) {
    if (kHz == frequency_) return;
    frequency_ = kHz;
    if (OnChangeFrequency) OnChangeFrequency(kHz);
}

void TStation::ApplyMode(int code) {
    if (code == mode_) return;
    mode_ = code;
    if (OnChangeMode) OnChangeMode(code);
}

void TStation::PollTick() {
    if (OnRig) OnRig(!noAnswer);
    noAnswer = true;
    receiveBuffer.clear();
    Poll();
}
