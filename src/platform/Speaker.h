#pragma once
#include <vector>

// PC-speaker style tones.
class Speaker {
  public:
    virtual ~Speaker() = default;
    virtual void tone(int hz, int ms) = 0;
    // Silence between tones of a pattern.
    virtual void pause(int ms) = 0;
};

class SilentSpeaker : public Speaker {
  public:
    void tone(int, int) override {}
    void pause(int) override {}
};

// Test double: keeps every tone; a pause is kept as a tone of 0 Hz.
class RecordingSpeaker : public Speaker {
  public:
    struct Tone {
        int hz;
        int ms;
        bool operator==(const Tone&) const = default;
    };
    void tone(int hz, int ms) override { tones.push_back({hz, ms}); }
    void pause(int ms) override { tones.push_back({0, ms}); }
    std::vector<Tone> tones;
};
