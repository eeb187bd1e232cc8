#pragma once
#include <QString>

// What the log window asks of windows that other parts of the program build (keyer, voice
// keyer, QSO map, spot list and band map, chat, clock). Each does nothing until its window
// installs a real one, so no key pretends to work meanwhile.

class TKeyerHook {
  public:
    virtual ~TKeyerHook() = default;
    // The grave-accent key held down in the call field keys the transmitter.
    virtual void SetPTT(bool) {}
    // Esc: stop sending CW and voice messages.
    virtual void StopSending() {}
    // A letter or digit typed into the call field stops the automatic repeat.
    virtual void StopAutoRepeat() {}
    // "SOUND"/"NOSOUND": the CW monitor (cw) or the SSB monitor.
    virtual void SetMonitor(bool /*cw*/, bool /*on*/) {}
    // The keyer status window's panel for the mode: voice or CW.
    virtual void ShowPanel(bool /*voice*/) {}
};

class TQsoMapHook {
  public:
    virtual ~TQsoMapHook() = default;
    virtual void ShowLocator(const QString&) {}
};

class TSpotListHook {
  public:
    virtual ~TSpotListHook() = default;
    // The band map follows the operating frequency (kHz).
    virtual void MoveBandMap(double) {}
    // The spot list's band selector follows the log window when "follow me" is ticked.
    virtual void FollowBand(const QString&) {}
};

class TChatHook {
  public:
    virtual ~TChatHook() = default;
    // "Auto assign nickname": the chat nickname is the current band's name.
    virtual void AssignNickname(const QString&) {}
};

class TClockHook {
  public:
    virtual ~TClockHook() = default;
    virtual bool visible() const { return false; }
    // The UTC time and "#" with the next serial number.
    virtual void SetTexts(const QString& /*time*/, const QString& /*number*/) {}
};

class TClusterHook {
  public:
    virtual ~TClusterHook() = default;
    // Alt+A announces the last QSO as a DX spot, only while connected.
    virtual bool connected() const { return false; }
    virtual void AnnounceSpot() {}
};
