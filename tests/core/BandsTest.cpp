#include "core/Bands.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(Bands, FrequencyGivesTheBandWhoseInclusiveLimitsHoldIt) {
    const struct {
        double kHz;
        const char* band;
    } cases[] = {
        {50000, "50 MHz"},      {54000, "50 MHz"},    {54000.5, ""},
        {49999.99, ""},         {70500, "70 MHz"},    {144300, "144 MHz"},
        {1296200, "1,3 GHz"},   {3400100, "3,4 GHz"}, {10368200, "10 GHz"},
        {120000000, "120 GHz"}, {122250000, ""},      {119999999, ""},
        {248000000, "248 GHz"}, {250000000.5, ""},    {0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BandOfFrequency(c.kHz), c.band) << c.kHz;
}

TEST(Bands, NamesPositionsDefaultsAndShortNames) {
    EXPECT_EQ(DefaultFrequency("24 GHz"), 24048200);
    EXPECT_EQ(DefaultFrequency("144 MHz"), 144300);
    EXPECT_EQ(DefaultFrequency("145 MHz"), 0);
    EXPECT_EQ(DefaultFrequency(""), 0);
    EXPECT_EQ(BandPosition("50 MHz"), 1);
    EXPECT_EQ(BandPosition("1,3 GHz"), 5);
    EXPECT_EQ(BandPosition("1.3 GHz"), 0);
    EXPECT_EQ(BandPosition("248 GHz"), 15);
    EXPECT_EQ(BandName(7), "3,4 GHz");
    EXPECT_EQ(BandName(0), "");
    EXPECT_EQ(BandName(16), "");
    EXPECT_EQ(BandShortName(7), "3.4GHz");
    EXPECT_EQ(BandShortName(4), "70cm");
    // Every band's default frequency lies in the band itself.
    for (const BandInfo& b : BandTable) {
        EXPECT_EQ(BandOfFrequency(b.defaultKHz), b.name);
        EXPECT_EQ(BandPosition(b.name), b.position);
    }
}

TEST(Bands, FrequencyTextGroupsAndKeepsEightSignificantDigits) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        double kHz;
        const char* english;
        const char* german;
    } cases[] = {
        {144300, "144,300.00 kHz", "144.300,00 kHz"},
        {10368200.25, "10,368,200.00 kHz", "10.368.200,00 kHz"},
        {1296200.126, "1,296,200.10 kHz", "1.296.200,10 kHz"},
        {50150.126, "50,150.13 kHz", "50.150,13 kHz"},
        {99999999.4, "99,999,999.00 kHz", "99.999.999,00 kHz"},
        {99999999.6, "1E8 kHz", "1E8 kHz"},
        {120000000, "1.2E8 kHz", "1,2E8 kHz"},
        {144000000, "1.44E8 kHz", "1,44E8 kHz"},
        {0, "0.00 kHz", "0,00 kHz"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FrequencyText(c.kHz, english), c.english) << c.kHz;
        EXPECT_EQ(FrequencyText(c.kHz, german), c.german) << c.kHz;
    }
}

TEST(Bands, BitSetsPutFiftyMegahertzFirst) {
    EXPECT_EQ(BandBit(1), 16384);
    EXPECT_EQ(BandBit(15), 1);
    EXPECT_EQ(BandBit(0), 0);
    EXPECT_EQ(BandBit(16), 0);
    EXPECT_EQ(BandBit("144 MHz"), 4096);
    EXPECT_EQ(BandBit("nowhere"), 0);
    EXPECT_EQ(BandBitsText(4096 + 2048), "001100000000000");
    EXPECT_EQ(BandBitsText(0), "000000000000000");
    EXPECT_EQ(BandBitsText(AllBandBits | 0x8000), "111111111111111");
    EXPECT_EQ(BandBitsFromText("101000000000001"), 16384 + 4096 + 1);
    EXPECT_EQ(BandBitsFromText("1"), 16384);
    EXPECT_TRUE(HasBand(6144, 3));
    EXPECT_FALSE(HasBand(6144, 1));
    for (int bits : {0, 1, 6144, 0x5555, int(AllBandBits)})
        EXPECT_EQ(BandBitsFromText(BandBitsText(bits)), bits);
}

TEST(Bands, BandFollowsRadioAndRadioFollowsBand) {
    EXPECT_EQ(BandToFollow(432100, "144 MHz"), "432 MHz");
    EXPECT_EQ(BandToFollow(144100, "144 MHz"), "");
    EXPECT_EQ(BandToFollow(150000, "144 MHz"), ""); // out of every band: stay
    // A 116 MHz transverter oscillator: 28 MHz dial for the 144 MHz band.
    EXPECT_EQ(OperatingFrequency(28300, 116000), 144300);
    EXPECT_EQ(RadioFrequencyForBand("144 MHz", 432200, 116000), 28300);
    EXPECT_EQ(RadioFrequencyForBand("144 MHz", 144100, 116000), 0); // already there
    EXPECT_EQ(RadioFrequencyForBand("1,3 GHz", 0, 0), 1296200);
    EXPECT_EQ(RadioFrequencyForBand("bogus", 0, 0), 0);
}

TEST(Modes, FactorsEdiNumbersAndReports) {
    const struct {
        const char* mode;
        int factor, edi, sent, received;
    } cases[] = {
        {"SSB", 2, 1, 2, 2}, {"CW", 3, 2, 3, 3}, {"S/C", 2, 3, 3, 2},  {"C/S", 3, 4, 2, 3},
        {"AM", 1, 5, 2, 2},  {"FM", 1, 6, 2, 2}, {"RTTY", 1, 7, 0, 0}, {"SSTV", 1, 8, 0, 0},
        {"ATV", 1, 9, 0, 0}, {"", 1, 0, 0, 0},   {"NONE", 1, 0, 0, 0}, {"cw", 1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ModeFactor(c.mode), c.factor) << c.mode;
        EXPECT_EQ(ModeEdiNumber(c.mode), c.edi) << c.mode;
        EXPECT_EQ(SentReportDigits(c.mode), c.sent) << c.mode;
        EXPECT_EQ(ReceivedReportDigits(c.mode), c.received) << c.mode;
        if (c.edi) {
            EXPECT_EQ(ModeFromEdiNumber(c.edi), c.mode);
        }
    }
    EXPECT_EQ(ModeFromEdiNumber(0), "NONE");
    EXPECT_EQ(ModeFromEdiNumber(10), "NONE");
    EXPECT_EQ(ModeFromEdiNumber(-1), "NONE");
    EXPECT_EQ(DefaultReport(2), "59");
    EXPECT_EQ(DefaultReport(3), "599");
    EXPECT_EQ(DefaultReport(0), "");
}

TEST(Modes, RadioModesBothWays) {
    EXPECT_EQ(RadioModeForMode("SSB", RigMode::None), RigMode::USB);
    EXPECT_EQ(RadioModeForMode("SSB", RigMode::LSB), RigMode::LSB);
    EXPECT_EQ(RadioModeForMode("S/C", RigMode::LSB), RigMode::LSB);
    EXPECT_EQ(RadioModeForMode("S/C", RigMode::CW), RigMode::USB);
    EXPECT_EQ(RadioModeForMode("CW", RigMode::USB), RigMode::CW);
    EXPECT_EQ(RadioModeForMode("C/S", RigMode::USB), RigMode::CW);
    EXPECT_EQ(RadioModeForMode("AM", 0), RigMode::AM);
    EXPECT_EQ(RadioModeForMode("FM", 0), RigMode::FM);
    EXPECT_EQ(RadioModeForMode("ATV", 0), RigMode::None);
    EXPECT_EQ(RadioModeForMode("", 0), RigMode::None);

    const struct {
        int code;
        const char* current;
        const char* result;
    } back[] = {
        {RigMode::LSB, "CW", "SSB"},      {RigMode::USB, "SSB", "SSB"},
        {RigMode::Other920, "FM", "SSB"}, {RigMode::USB, "S/C", "S/C"},
        {RigMode::USB, "C/S", "SSB"},     {RigMode::CW, "SSB", "CW"},
        {RigMode::CW, "C/S", "C/S"},      {RigMode::CW, "S/C", "CW"},
        {RigMode::FM, "CW", "FM"},        {RigMode::AM, "SSB", ""},
        {RigMode::None, "SSB", ""},       {RigMode::RTTY, "CW", ""},
    };
    for (const auto& b : back)
        EXPECT_EQ(ModeForRadioMode(b.code, b.current), b.result) << b.code << " " << b.current;
}

TEST(Modes, KeyerKinds) {
    for (const char* m : {"CW", "C/S"}) {
        EXPECT_TRUE(IsCwMode(m));
        EXPECT_FALSE(ShowsVoicePanel(m));
    }
    for (const char* m : {"SSB", "S/C", "FM"}) {
        EXPECT_TRUE(IsVoiceMessageMode(m));
        EXPECT_TRUE(ShowsVoicePanel(m));
    }
    EXPECT_FALSE(IsVoiceMessageMode("AM"));
    EXPECT_TRUE(ShowsVoicePanel("AM"));
    for (const char* m : {"RTTY", "SSTV", "ATV", ""}) {
        EXPECT_FALSE(IsCwMode(m));
        EXPECT_FALSE(ShowsVoicePanel(m));
    }
}

TEST(FmChannels, QuotientToNearestEvenWithinValidRange) {
    const struct {
        int kHz;
        int channel;
    } cases[] = {
        {145500, 40},  {145600, 0},   {145587, 47}, {145200, 16}, {145187, 0},  {433500, 280},
        {433400, 272}, {433575, 286}, {433587, 0},  {51510, 51},  {51425, 42},  {51415, 42},
        {51410, 41},   {51590, 59},   {51600, 0},   {70450, 0},   {1296500, 0}, {0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FmChannel(c.kHz), c.channel) << c.kHz;
    EXPECT_EQ(FindFmChannelPlan("144 MHz")->named, 40);
    EXPECT_EQ(FindFmChannelPlan("50 MHz")->named, 51);
    EXPECT_EQ(FindFmChannelPlan("70 MHz"), nullptr);
}

TEST(Bands, QrvDisplayShowsFlaggedBandsInOrder) {
    auto items = QrvDisplayItems("101000000000000", "001000000000000");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, " 6m");
    EXPECT_FALSE(items[0].inLog);
    EXPECT_EQ(items[1].text, " 2m");
    EXPECT_TRUE(items[1].inLog);
    items = QrvDisplayItems("000000000000001", "000000100000000");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, " 3.4GHz");
    EXPECT_TRUE(items[0].inLog);
    EXPECT_EQ(items[1].text, " 248GHz");
    EXPECT_FALSE(items[1].inLog);
    EXPECT_TRUE(QrvDisplayItems("000000000000000", "000000000000000").empty());
    EXPECT_TRUE(QrvDisplayItems("10100000000000", "001000000000000").empty());
    EXPECT_TRUE(QrvDisplayItems("101000000000000", "0010000000000000").empty());
}

TEST(Bands, BadFrequenciesAndNamesGiveNothing) {
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    for (double kHz : {0.0, -0.0, -144300.0, -1.0, nan, inf, -inf, 1e300, -1e300}) {
        EXPECT_EQ(BandOfFrequency(kHz), "") << kHz;
        EXPECT_EQ(BandToFollow(kHz, "144 MHz"), "") << kHz;
        EXPECT_TRUE(FrequencyText(kHz, QLocale(QLocale::English)).endsWith(" kHz")) << kHz;
    }
    EXPECT_EQ(FrequencyText(-144300, QLocale(QLocale::English)), "-144,300.00 kHz");
    EXPECT_EQ(RadioFrequencyForBand("144 MHz", nan, 0), 144300); // not known to be there: go
    for (int kHz :
         {0, -1, -145500, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
        EXPECT_EQ(FmChannel(kHz), 0) << kHz;
    const QString longName(10000, 'M');
    for (const QString& name : {QString(), QString("144 mhz"), QString("144  MHz"), longName,
                                QString("1.3 GHz"), QString("144 MHz ")}) {
        EXPECT_EQ(DefaultFrequency(name), 0) << name.toStdString();
        EXPECT_EQ(BandPosition(name), 0) << name.toStdString();
        EXPECT_EQ(BandBit(name), 0) << name.toStdString();
        EXPECT_EQ(FindFmChannelPlan(name), nullptr) << name.toStdString();
        EXPECT_EQ(RadioFrequencyForBand(name, 144300, 0), 0) << name.toStdString();
    }
    for (const QString& mode : {QString(), QString("ssb"), QString("CW "), longName}) {
        EXPECT_EQ(ModeFactor(mode), 1) << mode.toStdString();
        EXPECT_EQ(ModeEdiNumber(mode), 0) << mode.toStdString();
        EXPECT_EQ(RadioModeForMode(mode, RigMode::USB), RigMode::None) << mode.toStdString();
    }
    EXPECT_EQ(ModeFromEdiNumber(std::numeric_limits<int>::min()), "NONE");
    EXPECT_EQ(BandBitsFromText(""), 0);
    EXPECT_EQ(BandBitsFromText("xx1"), BandBit(3));
    EXPECT_EQ(BandBitsText(-1), "111111111111111");
    EXPECT_TRUE(QrvDisplayItems("", "").empty());
    EXPECT_TRUE(QrvDisplayItems(longName, longName).empty());
}
