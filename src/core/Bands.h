#pragma once
#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// Bands, modes, frequencies and FM channels. Frequencies are kHz as doubles everywhere.

// ---- Band table -----------------------------------------------------------------------

struct BandInfo {
    int position;          // 1..15, the band's number in headers, EDI files and bit sets
    const char* name;      // stored in the QSO's Band column: "144 MHz", "1,3 GHz"
    const char* shortName; // band display: "2m", "23cm", "3.4GHz"
    double lowestMHz;      // limits are inclusive at both ends
    double highestMHz;
    double defaultKHz; // where the radio goes on a band change
};

inline constexpr int BandCount = 15;
extern const std::array<BandInfo, BandCount> BandTable;

// The band whose limits hold the frequency (first in table order); empty when none does.
QString BandOfFrequency(double kHz);
// The band's default frequency in kHz; 0 for a name not in the table.
double DefaultFrequency(const QString& band);
// 1..15; 0 for a name not in the table.
int BandPosition(const QString& band);
// The table row of a band name or position; nullptr when there is none.
const BandInfo* FindBand(const QString& band);
const BandInfo* BandAt(int position);
QString BandName(int position);      // empty outside 1..15
QString BandShortName(int position); // empty outside 1..15

// "144,300.00 kHz" with English number settings: grouped, two decimals, at most
// 8 significant digits; from 100 000 000 kHz up in scientific notation ("1.2E8 kHz").
QString FrequencyText(double kHz, const QLocale& locale = QLocale());

// ---- Band bit sets ----------------------------------------------------------------------
// Band n is worth 2^(15 - n): "50 MHz" is 16384, "248 GHz" is 1. The same layout serves the
// call library's QRV value, the bands a station was worked on and the band display.

using BandBits = uint16_t;
inline constexpr BandBits AllBandBits = 0x7FFF;
BandBits BandBit(int position);        // 0 outside 1..15
BandBits BandBit(const QString& band); // 0 for a name not in the table
inline bool HasBand(BandBits bits, int position) {
    return (bits & BandBit(position)) != 0;
}
// 15 characters "0"/"1", position 1 ("50 MHz") first; bits above 15 are dropped.
QString BandBitsText(int bits);
// The reverse: the first 15 characters, "1" sets the band; anything else leaves it clear.
BandBits BandBitsFromText(const QString& text);

// The band display: for each band flagged in either text (15 characters "0"/"1"), a space
// and its short name, in log colour when its log flag is set, else in library colour.
// Nothing when either text is not exactly 15 characters long.
struct QrvDisplayItem {
    QString text; // " 6m"
    bool inLog;
};
std::vector<QrvDisplayItem> QrvDisplayItems(const QString& libraryFlags, const QString& logFlags);

// ---- Radio and transverter ------------------------------------------------------------

// The radio's dial differs from the operating frequency by the transverter oscillator.
inline double OperatingFrequency(double radioKHz, int offsetKHz) {
    return radioKHz + offsetKHz;
}
inline double RadioFrequency(double operatingKHz, int offsetKHz) {
    return operatingKHz - offsetKHz;
}
// Band follows the radio: the band the log window should switch to for a new operating
// frequency, or empty when it should stay on the selected band.
QString BandToFollow(double operatingKHz, const QString& selectedBand);
// Radio follows the band: the dial frequency to request after a band change, or 0 when the
// operating frequency already lies in the new band (or the band is unknown).
double RadioFrequencyForBand(const QString& newBand, double operatingKHz, int offsetKHz);

// Rig mode codes shared by every station driver.
namespace RigMode {
inline constexpr int None = 0;
inline constexpr int LSB = 1;
inline constexpr int USB = 2;
inline constexpr int AM = 3;
inline constexpr int CW = 5;
inline constexpr int RTTY = 8;
inline constexpr int FM = 9;
inline constexpr int WideFM = 10;
inline constexpr int CWReverse = 11;
inline constexpr int RTTYReverse = 12;
inline constexpr int Other = 13;
inline constexpr int Other920 = 14; // FT-920's extra sideband-like mode, logged as SSB
inline constexpr int Packet = 17;
inline constexpr int Digital = 18;
} // namespace RigMode

// ---- Mode table -----------------------------------------------------------------------

struct ModeInfo {
    const char* name;   // "SSB", "CW", "S/C", ...
    int ediNumber;      // 1..9
    int factor;         // points weight in type-1 contests
    int sentDigits;     // report length set when the mode is chosen; 0 leaves it unchanged
    int receivedDigits; // likewise for the received report
    int radioMode;      // RigMode code requested over CAT (SSB-like: see RadioModeForMode)
};

inline constexpr int ModeCount = 9;
extern const std::array<ModeInfo, ModeCount> ModeTable;
const ModeInfo* FindMode(const QString& mode);

// 3 for "CW" and "C/S", 2 for "SSB" and "S/C", 1 for anything else (also empty).
int ModeFactor(const QString& mode);
// 1..9 as in the table; 0 for a mode not in it.
int ModeEdiNumber(const QString& mode);
// "NONE" for 0 and for any number outside 1..9.
QString ModeFromEdiNumber(int number);
inline const char* const NoModeText = "NONE";

// Report defaults: "59" for 2 digits, "599" for 3; the mode's digits, 0 when unchanged.
int SentReportDigits(const QString& mode);
int ReceivedReportDigits(const QString& mode);
QString DefaultReport(int digits);

// The rig mode to request when the log's mode is chosen. SSB-like modes keep the lower
// sideband when the radio already reports it. 0 for modes without a radio mode.
int RadioModeForMode(const QString& mode, int currentRadioMode);
// The log mode for a rig mode reported by the radio, given the log's current mode;
// empty when the log's mode should not change.
QString ModeForRadioMode(int radioMode, const QString& currentMode);

// Which keyer plays the function-key messages in a mode.
bool IsCwMode(const QString& mode);           // "CW", "C/S": CW keyer
bool IsVoiceMessageMode(const QString& mode); // "SSB", "S/C", "FM": voice files
bool ShowsVoicePanel(const QString& mode);    // voice keyer panel: also "AM"

// ---- FM simplex channels ----------------------------------------------------------------

struct FmChannelPlan {
    const char* band;
    double baseKHz;
    double stepKHz;
    int first; // valid channel numbers, inclusive
    int last;
    int named; // the channel the FM rules name: F51, V40, 280
};
extern const std::array<FmChannelPlan, 3> FmChannelPlans;
const FmChannelPlan* FindFmChannelPlan(const QString& band);

// The simplex channel of a frequency (whole kHz): the quotient taken to the nearest integer
// (halves to even); 0 outside the valid range or on a band without channels.
int FmChannel(int kHz);
