// Command-line access to the contest domain rules: bands, locators, callsigns, countries.
// Each rule command prints exactly one line, so that scripts can compare it directly.
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

// The shipped country table, or the one named by --table; nothing (after telling why) when
// it cannot be read.
std::optional<CountryTable> countryTable(const std::optional<QString>& path) {
    QString error;
    std::optional<CountryTable> table =
        path ? CountryTable::load(*path, &error) : CountryTable::loadShipped(&error);
    if (!table || (!path && table->isEmpty())) {
        err(error.isEmpty() ? QStringLiteral("no country table") : error);
        return std::nullopt;
    }
    return table;
}

const ToolRegistration band{{
    "band",
    "band KHZ                      the band holding the frequency, or an empty line",
    [](QStringList& args) {
        const double kHz = takeNumber(args, "frequency in kHz");
        expectNoMore(args);
        out(BandOfFrequency(kHz));
        return 0;
    },
}};

const ToolRegistration qrb{{
    "qrb",
    "qrb FROM TO                   distance in km and beam heading: \"1 361\" without geometry",
    [](QStringList& args) {
        const QString from = takePositional(args, "home locator");
        const QString to = takePositional(args, "other locator");
        expectNoMore(args);
        out(QString::number(Distance(from, to)) + ' ' + QString::number(Azimuth(from, to)));
        return 0;
    },
}};

const ToolRegistration basecall{{
    "basecall",
    "basecall CALL                 the base call the dupe check compares",
    [](QStringList& args) {
        const QString c = takePositional(args, "callsign").toUpper();
        expectNoMore(args);
        out(BaseCall(c));
        return 0;
    },
}};

const ToolRegistration prefix{{
    "prefix",
    "prefix CALL                   prefix and call-area digit (\"0\" when it ends in none)",
    [](QStringList& args) {
        const QString c = takePositional(args, "callsign").toUpper();
        expectNoMore(args);
        const CallPrefix p = CountryPrefixOfCall(c);
        out(p.prefix + ' ' + p.digit);
        return 0;
    },
}};

const ToolRegistration country{{
    "country",
    "country CALL [--table FILE]   the base prefix of the call's country, or an empty line",
    [](QStringList& args) {
        const std::optional<QString> path = takeOption(args, "--table");
        const QString c = takePositional(args, "callsign").toUpper();
        expectNoMore(args);
        const auto table = countryTable(path);
        if (!table) return 1;
        out(table->basePrefix(c));
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
        const auto table = countryTable(path);
        if (!table) return 1;
        const CallPrefix p = CountryPrefixOfCall(c);
        out("BaseCall: " + BaseCall(c));
        out("Prefix: " + p.prefix);
        out("Digit: " + p.digit);
        out("Country: " + table->basePrefix(c));
        return 0;
    },
}};

const ToolRegistration countryTableCommand{{
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
