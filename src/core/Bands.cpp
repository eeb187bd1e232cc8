#include "Bands.h"

#include "Rounding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const std::array<BandInfo, BandCount> BandTable = {{
    {1, "50 MHz", "6m", 50, 54, 50150},
    {2, "70 MHz", "4m", 70, 70.5, 70200},
    {3, "144 MHz", "2m", 144, 148, 144300},
    {4, "432 MHz", "70cm", 430, 440, 432200},
    {5, "1,3 GHz", "23cm", 1240, 1300, 1296200},
    {6, "2,3 GHz", "13cm", 2300, 2450, 2320200},
    {7, "3,4 GHz", "3.4GHz", 3400, 3600, 3400100},
    {8, "5,7 GHz", "5.7GHz", 5650, 5850, 5760200},
    {9, "10 GHz", "3cm", 10000, 10500, 10368200},
    {10, "24 GHz", "24GHz", 24000, 24250, 24048200},
    {11, "47 GHz", "47GHz", 47000, 47200, 47000000},
    {12, "76 GHz", "76GHz", 75500, 81000, 76000000},
    {13, "120 GHz", "120GHz", 120000, 120000, 120000000},
    {14, "144 GHz", "144GHz", 142000, 148000, 144000000},
    {15, "248 GHz", "248GHz", 241000, 250000, 248000000},
}};

const std::array<ModeInfo, ModeCount> ModeTable = {{
    {"SSB", 1, 2, 2, 2, RigMode::USB},
    {"CW", 2, 3, 3, 3, RigMode::CW},
    {"S/C", 3, 2, 3, 2, RigMode::USB},
    {"C/S", 4, 3, 2, 3, RigMode::CW},
    {"AM", 5, 1, 2, 2, RigMode::AM},
    {"FM", 6, 1, 2, 2, RigMode::FM},
    {"RTTY", 7, 1, 0, 0, RigMode::None},
    {"SSTV", 8, 1, 0, 0, RigMode::None},
    {"ATV", 9, 1, 0, 0, RigMode::None},
}};

const std::array<FmChannelPlan, 3> FmChannelPlans = {{
    {"50 MHz", 51000, 10, 41, 59, 51},
    {"144 MHz", 145000, 12.5, 16, 47, 40},
    {"432 MHz", 430000, 12.5, 272, 286, 280},
}};

// ---- Bands ------------------------------------------------------------------------------

const BandInfo* FindBand(const QString& band) {
    for (const BandInfo& b : BandTable)
        if (band == QLatin1String(b.name)) return &b;
    return nullptr;
}

const BandInfo* BandAt(int position) {
    if (position < 1 || position > BandCount) return nullptr;
    return &BandTable[static_cast<size_t>(position - 1)];
}

QString BandOfFrequency(double kHz) {
    for (const BandInfo& b : BandTable)
        if (b.lowestMHz * 1000 <= kHz && kHz <= b.highestMHz * 1000)
            return QString::fromLatin1(b.name);
    return {};
}

double DefaultFrequency(const QString& band) {
    const BandInfo* b = FindBand(band);
    return b ? b->defaultKHz : 0;
}

int BandPosition(const QString& band) {
    const BandInfo* b = FindBand(band);
    return b ? b->position : 0;
}

QString BandName(int position) {
    const BandInfo* b = BandAt(position);
    return b ? QString::fromLatin1(b->name) : QString();
}

QString BandShortName(int position) {
    const BandInfo* b = BandAt(position);
    return b ? QString::fromLatin1(b->shortName) : QString();
}

QString FrequencyText(double kHz, const QLocale& locale) {
    const QString unit = QStringLiteral(" kHz");
    if (!std::isfinite(kHz)) return locale.toString(kHz) + unit;
    // Eight significant digits first; the exponent tells how many integer digits remain.
    char sig[64];
    std::snprintf(sig, sizeof sig, "%.7e", kHz);
    const char* e = std::strchr(sig, 'e');
    const int exponent = e ? std::atoi(e + 1) : 0;
    if (exponent >= 8) {
        // More than eight integer digits: general scientific form, "1.2E8".
        QString mantissa = QString::fromLatin1(sig, static_cast<int>(e - sig));
        if (mantissa.contains('.')) {
            while (mantissa.endsWith('0'))
                mantissa.chop(1);
            if (mantissa.endsWith('.')) mantissa.chop(1);
        }
        mantissa.replace('.', locale.decimalPoint());
        return mantissa + 'E' + QString::number(exponent) + unit;
    }
    const int decimals = exponent < 0 ? 2 : std::min(2, 7 - exponent);
    char fixed[64];
    std::snprintf(fixed, sizeof fixed, "%.*f", decimals, kHz);
    return locale.toString(std::strtod(fixed, nullptr), 'f', 2) + unit;
}

// ---- Band bit sets ------------------------------------------------------------------------

BandBits BandBit(int position) {
    if (position < 1 || position > BandCount) return 0;
    return static_cast<BandBits>(1u << (BandCount - position));
}

BandBits BandBit(const QString& band) {
    return BandBit(BandPosition(band));
}

QString BandBitsText(int bits) {
    QString text(BandCount, '0');
    for (int p = 1; p <= BandCount; ++p)
        if (bits & BandBit(p)) text[p - 1] = '1';
    return text;
}

BandBits BandBitsFromText(const QString& text) {
    BandBits bits = 0;
    for (int p = 1; p <= BandCount && p <= text.size(); ++p)
        if (text[p - 1] == '1') bits |= BandBit(p);
    return bits;
}

std::vector<QrvDisplayItem> QrvDisplayItems(const QString& libraryFlags, const QString& logFlags) {
    std::vector<QrvDisplayItem> items;
    if (libraryFlags.size() != BandCount || logFlags.size() != BandCount) return items;
    for (int p = 1; p <= BandCount; ++p) {
        const bool inLog = logFlags[p - 1] == QChar('1');
        if (inLog || libraryFlags[p - 1] == QChar('1'))
            items.push_back({' ' + BandShortName(p), inLog});
    }
    return items;
}

// ---- Radio and transverter --------------------------------------------------------------

QString BandToFollow(double operatingKHz, const QString& selectedBand) {
    const QString band = BandOfFrequency(operatingKHz);
    return band.isEmpty() || band == selectedBand ? QString() : band;
}

double RadioFrequencyForBand(const QString& newBand, double operatingKHz, int offsetKHz) {
    const BandInfo* b = FindBand(newBand);
    if (!b || BandOfFrequency(operatingKHz) == newBand) return 0;
    return RadioFrequency(b->defaultKHz, offsetKHz);
}

// ---- Modes ----------------------------------------------------------------------------------

const ModeInfo* FindMode(const QString& mode) {
    for (const ModeInfo& m : ModeTable)
        if (mode == QLatin1String(m.name)) return &m;
    return nullptr;
}

int ModeFactor(const QString& mode) {
    const ModeInfo* m = FindMode(mode);
    return m ? m->factor : 1;
}

int ModeEdiNumber(const QString& mode) {
    const ModeInfo* m = FindMode(mode);
    return m ? m->ediNumber : 0;
}

QString ModeFromEdiNumber(int number) {
    for (const ModeInfo& m : ModeTable)
        if (m.ediNumber == number) return QString::fromLatin1(m.name);
    return QString::fromLatin1(NoModeText);
}

int SentReportDigits(const QString& mode) {
    const ModeInfo* m = FindMode(mode);
    return m ? m->sentDigits : 0;
}

int ReceivedReportDigits(const QString& mode) {
    const ModeInfo* m = FindMode(mode);
    return m ? m->receivedDigits : 0;
}

QString DefaultReport(int digits) {
    if (digits == 2) return QStringLiteral("59");
    if (digits == 3) return QStringLiteral("599");
    return {};
}

int RadioModeForMode(const QString& mode, int currentRadioMode) {
    const ModeInfo* m = FindMode(mode);
    if (!m) return RigMode::None;
    if (m->radioMode == RigMode::USB && currentRadioMode == RigMode::LSB) return RigMode::LSB;
    return m->radioMode;
}

QString ModeForRadioMode(int radioMode, const QString& currentMode) {
    switch (radioMode) {
    case RigMode::LSB:
    case RigMode::USB:
    case RigMode::Other920:
        return currentMode == QLatin1String("S/C") ? currentMode : QStringLiteral("SSB");
    case RigMode::CW:
        return currentMode == QLatin1String("C/S") ? currentMode : QStringLiteral("CW");
    case RigMode::FM:
        return QStringLiteral("FM");
    default:
        return {};
    }
}

bool IsCwMode(const QString& mode) {
    return mode == QLatin1String("CW") || mode == QLatin1String("C/S");
}

bool IsVoiceMessageMode(const QString& mode) {
    return mode == QLatin1String("SSB") || mode == QLatin1String("S/C") ||
           mode == QLatin1String("FM");
}

bool ShowsVoicePanel(const QString& mode) {
    return IsVoiceMessageMode(mode) || mode == QLatin1String("AM");
}

// ---- FM channels ------------------------------------------------------------------------------

const FmChannelPlan* FindFmChannelPlan(const QString& band) {
    for (const FmChannelPlan& p : FmChannelPlans)
        if (band == QLatin1String(p.band)) return &p;
    return nullptr;
}

int FmChannel(int kHz) {
    const FmChannelPlan* plan = FindFmChannelPlan(BandOfFrequency(kHz));
    if (!plan) return 0;
    const int64_t channel = RoundHalfEven((kHz - plan->baseKHz) / plan->stepKHz);
    return channel >= plan->first && channel <= plan->last ? static_cast<int>(channel) : 0;
}
