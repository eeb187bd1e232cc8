// Contest file commands: new, info, list, header.
#include "ToolCommand.h"

#include "core/Bands.h"
#include "log/ContestFile.h"

#include <QFileInfo>
#include <map>

namespace {
struct HeaderOption {
    const char* option;
    QString ContestHeader::*field;
};
const std::vector<HeaderOption> generalOptions{
    {"--name", &ContestHeader::TName},          {"--date-start", &ContestHeader::TDateStart},
    {"--date-end", &ContestHeader::TDateEnd},   {"--adr1", &ContestHeader::PAdr1},
    {"--adr2", &ContestHeader::PAdr2},          {"--club", &ContestHeader::PClub},
    {"--operators", &ContestHeader::Operators}, {"--rname", &ContestHeader::RName},
    {"--rcall", &ContestHeader::RCall},         {"--radr1", &ContestHeader::RAdr1},
    {"--radr2", &ContestHeader::RAdr2},         {"--rpoco", &ContestHeader::RPoCo},
    {"--rcity", &ContestHeader::RCity},         {"--rcoun", &ContestHeader::RCoun},
    {"--rphon", &ContestHeader::RPhon},         {"--rhbbs", &ContestHeader::RHBBS},
};
struct EquipmentOption {
    const char* option;
    QString BandEquipment::*field;
};
const std::vector<EquipmentOption> equipmentOptions{
    {"--section", &BandEquipment::PSect},
    {"--power", &BandEquipment::SPowe},
    {"--rx", &BandEquipment::RX},
    {"--tx", &BandEquipment::TX},
    {"--antenna", &BandEquipment::SAnte},
    {"--height-ground", &BandEquipment::HeightAboveGround},
    {"--height-sea", &BandEquipment::HeightAboveSea},
};

// A descriptor path that exists and can be read, else a usage error.
QString readablePath(QStringList& args) {
    const QString path = takePositional(args, "contest file");
    const QFileInfo fi(path);
    if (!fi.exists()) throw UsageError{"no such file: " + path};
    if (!fi.isReadable() || fi.isDir()) throw UsageError{"cannot read " + path};
    return path;
}

QString cell(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString("yyyy-MM-dd");
    case QMetaType::QTime:
        return v.toTime().toString("hh:mm:ss");
    case QMetaType::QDateTime:
        return v.toDateTime().toString("yyyy-MM-dd hh:mm:ss");
    default:
        return v.toString();
    }
}

int runNew(QStringList& args) {
    const QString path = takePositional(args, "contest file");
    ContestHeader h;
    h.PCall = requireOption(args, "--call").toUpper();
    h.PWWL = requireOption(args, "--locator").toUpper();
    const QString bands = requireOption(args, "--bands");
    const QString type = takeOption(args, "--type").value_or("0");
    if (type != "0" && type != "1") throw UsageError{"--type must be 0 or 1"};
    h.ContestType = type.toInt();
    for (const QString& b : bands.split(';', Qt::SkipEmptyParts)) {
        const int n = BandPosition(b.trimmed());
        if (n < 1) throw UsageError{"unknown band: " + b};
        h.bands[size_t(n - 1)].Band = true;
    }
    if (h.contestBandNumbers().isEmpty()) throw UsageError{"--bands names no band"};
    for (const auto& o : generalOptions)
        if (auto v = takeOption(args, o.option)) h.*o.field = *v;
    for (const auto& o : equipmentOptions)
        if (auto v = takeOption(args, o.option))
            for (int n : h.contestBandNumbers())
                h.bands[size_t(n - 1)].*o.field = *v;
    expectNoMore(args);
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
        throw UsageError{"no such folder: " + QFileInfo(path).absolutePath()};

    ContestFile contest;
    if (!contest.create(path) || !contest.open(path)) return 1;
    contest.header = h;
    contest.writeDescriptor();
    return 0;
}

int runInfo(QStringList& args) {
    const QString path = readablePath(args);
    expectNoMore(args);
    ContestFile contest;
    if (!contest.open(path)) {
        // The reason was already told; an unopened contest without one says so.
        return 1;
    }
    out("Version=" + contest.descriptor()->readString("Program", "Version"));
    out("TableVersion=" + contest.descriptor()->readString("Program", "TableVersion"));
    std::map<int, int> perBand;
    std::map<QString, int> unknown;
    for (const QsoRecord& r : contest.searchTable.rows()) {
        const int n = BandPosition(r.Band);
        if (n > 0)
            ++perBand[n];
        else
            ++unknown[r.Band];
    }
    for (auto [n, count] : perBand)
        out(BandName(n) + "=" + QString::number(count));
    for (const auto& [band, count] : unknown)
        out(band + "=" + QString::number(count));
    return 0;
}

int runList(QStringList& args) {
    const QString path = readablePath(args);
    const auto band = takeOption(args, "--band");
    expectNoMore(args);
    ContestFile contest;
    if (!contest.open(path)) return 1;
    LogCursor& c = contest.tekmovanjeTable;
    c.setIndex("");
    if (band) c.setFilter("Band=" + *band);
    out(LogColumns::names().join('\t'));
    for (const QsoRecord& r : c.rows()) {
        QStringList cells;
        for (const QVariant& v : r.values())
            cells << cell(v);
        out(cells.join('\t'));
    }
    return 0;
}

int runHeader(QStringList& args) {
    const QString path = readablePath(args);
    expectNoMore(args);
    ContestFile contest;
    if (!contest.open(path)) return 1;
    // The descriptor as written, section by section; band keys carry their section's name.
    IniFile& ini = *contest.descriptor();
    for (const QString& section : ini.sections()) {
        if (section == "Program") continue;
        const bool plain = section == "General" || section == "ResponsibleOperator";
        for (const QString& key : ini.keys(section))
            out((plain ? key : section + "." + key) + "=" + ini.readString(section, key));
    }
    return 0;
}

const ToolRegistration registerNew{
    {"new",
     "new FILE.vhf --call C --locator L --bands \"144 MHz;432 MHz\" [--type 0|1] [header "
     "options: --name --date-start --date-end --adr1 --adr2 --club --operators --rname --rcall "
     "--radr1 --radr2 --rpoco --rcity --rcoun --rphon --rhbbs --section --power --rx --tx "
     "--antenna --height-ground --height-sea]",
     runNew}};
const ToolRegistration registerInfo{{"info", "info FILE.vhf", runInfo}};
const ToolRegistration registerList{{"list", "list FILE.vhf [--band B]", runList}};
const ToolRegistration registerHeader{{"header", "header FILE.vhf", runHeader}};
} // namespace
