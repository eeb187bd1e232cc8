// Command-line access to the contest domain rules: bands, locators, callsigns, countries.
#include "ToolCommand.h"

#include "core/Bands.h"
#include "core/Callsign.h"
#include "core/Locator.h"
#include "library/Country.h"
#include "library/Prefix.h"
#include "platform/Text8.h"

#include <QFile>

namespace {
double takeNumber(QStringList& args, const QString& what) {
    const QString text = takePositional(args, what);
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok) throw UsageError{what + " is not a number: " + text};
    return v;
}

const ToolRegistration band{{
    "band",
    "band KHZ                      band name, position, default frequency and FM channel",
    [](QStringList& args) {
        const double kHz = takeNumber(args, "frequency in kHz");
        expectNoMore(args);
        const QString name = BandOfFrequency(kHz);
        if (name.isEmpty()) {
            err("no band holds " + QString::number(kHz, 'f') + " kHz");
            return 1;
        }
        out("Band: " + name);
        out("Position: " + QString::number(BandPosition(name)));
        out("Default: " + QString::number(DefaultFrequency(name), 'f', 0));
        out("FMChannel: " + QString::number(FmChannel(static_cast<int>(kHz))));
        return 0;
    },
}};

const ToolRegistration qrb{{
    "qrb",
    "qrb FROM TO                   distance in km and beam heading between two locators",
    [](QStringList& args) {
        const QString from = takePositional(args, "home locator").toUpper();
        const QString to = takePositional(args, "other locator").toUpper();
        expectNoMore(args);
        out("Distance: " + QString::number(Distance(from, to)));
        out("Azimuth: " + QString::number(Azimuth(from, to)));
        out(QStringLiteral("Multiplier: ") + (IsMultiplierLocator(to) ? "1" : "0"));
        return 0;
    },
}};

const ToolRegistration call{{
    "call",
    "call CALL [--table FILE]      base call, prefix, call-area digit and country base prefix",
    [](QStringList& args) {
        const std::optional<QString> path = takeOption(args, "--table");
        const QString c = takePositional(args, "callsign").toUpper();
        expectNoMore(args);
        QString error;
        const std::optional<CountryTable> table =
            path ? CountryTable::load(*path, &error) : CountryTable::loadShipped(&error);
        if (!table || (!path && table->isEmpty())) {
            err(error);
            return 1;
        }
        const CallPrefix p = CountryPrefixOfCall(c);
        out("BaseCall: " + BaseCall(c));
        out("Prefix: " + p.prefix);
        out("Digit: " + p.digit);
        out("Country: " + table->basePrefix(c));
        return 0;
    },
}};

const ToolRegistration countryTable{{
    "country-table",
    "country-table CTY OUT         write a country table (Country.dat) from a cty.dat file",
    [](QStringList& args) {
        const QString ctyPath = takePositional(args, "cty.dat file");
        const QString outPath = takePositional(args, "output file");
        expectNoMore(args);
        QFile file(ctyPath);
        if (!file.open(QIODevice::ReadOnly)) {
            err("Cannot open " + ctyPath + ": " + file.errorString());
            return 1;
        }
        QString error;
        const auto table = CountryTable::fromCtyDat(Text8::decode(file.readAll()), &error);
        if (!table) {
            err(ctyPath + ": " + error);
            return 1;
        }
        if (!table->save(outPath, &error)) {
            err(error);
            return 1;
        }
        out("Prefixes: " + QString::number(table->records().size()));
        return 0;
    },
}};
} // namespace
