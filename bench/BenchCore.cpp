#include "core/Bands.h"
#include "core/Callsign.h"
#include "core/EntryRules.h"
#include "core/Locator.h"
#include "library/Country.h"
#include "library/Prefix.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {
const QStringList Locators = {"JN76TO", "IO91WM", "KP20LE", "FN31PR", "JN86AH",
                              "JN65RX", "QF56OD", "JO60AA", "JN58TD", "KN05QQ"};
const QStringList Calls = {"S51ABC", "OE/S51ABC/P", "9A1AA", "IT9ABC",    "DL1ABC/4",
                           "HA5KDR", "G4ABC",       "E71A",  "YU1AA/QRP", "OK1KIR"};

// The score of one QSO: distance and heading from the home locator.
void BM_DistanceAndAzimuth(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        const QString& to = Locators[i++ % Locators.size()];
        benchmark::DoNotOptimize(Distance("JN76TO", to));
        benchmark::DoNotOptimize(Azimuth("JN76TO", to));
    }
}
BENCHMARK(BM_DistanceAndAzimuth);

// Pairs spread over the whole grid, from neighbours to antipodes.
void BM_DistanceAndAzimuthAcrossTheGrid(benchmark::State& state) {
    std::mt19937 random(7);
    const auto pick = [&](char first, int count) {
        return QChar(first + static_cast<int>(random() % static_cast<unsigned>(count)));
    };
    QStringList locators;
    for (int i = 0; i < 1024; ++i)
        locators << QString(pick('A', 18)) + pick('A', 18) + pick('0', 10) + pick('0', 10) +
                        pick('A', 24) + pick('A', 24);
    int i = 0;
    for (auto _ : state) {
        const QString& from = locators[i & 1023];
        const QString& to = locators[(i * 7 + 3) & 1023];
        ++i;
        benchmark::DoNotOptimize(Distance(from, to));
        benchmark::DoNotOptimize(Azimuth(from, to));
    }
}
BENCHMARK(BM_DistanceAndAzimuthAcrossTheGrid);

// A type-1 recount asks this for every QSO of the band.
void BM_IsNewMultiplier(benchmark::State& state) {
    const QStringList counted = MultiplierLocators().mid(0, 200);
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(IsNewMultiplier(counted, Locators[i++ % Locators.size()]));
}
BENCHMARK(BM_IsNewMultiplier);

void BM_BaseCallAndPrefix(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        const QString& call = Calls[i++ % Calls.size()];
        benchmark::DoNotOptimize(BaseCall(call));
        benchmark::DoNotOptimize(PrefixOfCall(call));
    }
}
BENCHMARK(BM_BaseCallAndPrefix);

// The prefix statistics look up every scoring QSO.
void BM_CountryBasePrefix(benchmark::State& state) {
    const CountryTable table = CountryTable::loadShipped();
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(table.basePrefix(Calls[i++ % Calls.size()]));
}
BENCHMARK(BM_CountryBasePrefix);

void BM_LoadCountryTable(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(CountryTable::loadShipped());
}
BENCHMARK(BM_LoadCountryTable)->Unit(benchmark::kMillisecond);

void BM_LocatorKey(benchmark::State& state) {
    for (auto _ : state) {
        bool run = false;
        benchmark::DoNotOptimize(LocatorEditKey({"JN76TO", 6}, EntryKey::character('k'), run));
    }
}
BENCHMARK(BM_LocatorKey);

void BM_BandAndFrequencyText(benchmark::State& state) {
    const QLocale english(QLocale::English);
    double f = 144000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BandOfFrequency(f));
        benchmark::DoNotOptimize(FrequencyText(f, english));
        f += 0.5;
    }
}
BENCHMARK(BM_BandAndFrequencyText);
} // namespace
