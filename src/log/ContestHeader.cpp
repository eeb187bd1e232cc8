#include "ContestHeader.h"

#include "core/Bands.h"
#include "platform/IniFile.h"

QList<int> ContestHeader::contestBandNumbers() const {
    QList<int> out;
    for (int n = 1; n <= 15; ++n)
        if (bands[size_t(n - 1)].Band) out << n;
    return out;
}

QStringList ContestHeader::contestBandNames() const {
    QStringList out;
    for (int n : contestBandNumbers())
        out << BandName(n);
    return out;
}

QStringList ContestHeader::memoLines(const QString& text) {
    if (text.isEmpty()) return {};
    QString t = text;
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    QStringList lines = t.split('\n');
    if (t.endsWith('\n')) lines.removeLast();
    return lines;
}

QString ContestHeader::memoText(const QStringList& lines) {
    QString t = lines.join('\n');
    // A last empty line needs its own break, or it would vanish on the way back.
    if (!lines.isEmpty() && lines.last().isEmpty()) t += '\n';
    return t;
}

void ContestHeader::saveGeneral(IniFile& ini) const {
    IniFile::Batch batch(ini);
    const QString s = "General";
    ini.writeString(s, "TName", TName);
    ini.writeString(s, "TDateStart", TDateStart);
    ini.writeString(s, "TDateEnd", TDateEnd);
    ini.writeString(s, "PCall", PCall);
    ini.writeString(s, "PWWL", PWWL);
    ini.writeString(s, "PAdr1", PAdr1);
    ini.writeString(s, "PAdr2", PAdr2);
    ini.writeInteger(s, "ContestType", ContestType);
    ini.writeString(s, "PClub", PClub);
}

void ContestHeader::loadGeneral(const IniFile& ini) {
    const QString s = "General";
    TName = ini.readString(s, "TName");
    TDateStart = ini.readString(s, "TDateStart");
    TDateEnd = ini.readString(s, "TDateEnd");
    PCall = ini.readString(s, "PCall");
    PWWL = ini.readString(s, "PWWL").toUpper();
    PAdr1 = ini.readString(s, "PAdr1");
    PAdr2 = ini.readString(s, "PAdr2");
    ContestType = ini.readInteger(s, "ContestType", 0);
    PClub = ini.readString(s, "PClub");
}

void ContestHeader::saveResponsible(IniFile& ini) const {
    IniFile::Batch batch(ini);
    const QString s = "ResponsibleOperator";
    ini.writeString(s, "RName", RName);
    ini.writeString(s, "RCall", RCall);
    ini.writeString(s, "RAdr1", RAdr1);
    ini.writeString(s, "RAdr2", RAdr2);
    ini.writeString(s, "RPoCo", RPoCo);
    ini.writeString(s, "RCity", RCity);
    ini.writeString(s, "RCoun", RCoun);
    ini.writeString(s, "RPhon", RPhon);
    ini.writeString(s, "RHBBS", RHBBS);
}

void ContestHeader::loadResponsible(const IniFile& ini) {
    const QString s = "ResponsibleOperator";
    RName = ini.readString(s, "RName");
    RCall = ini.readString(s, "RCall");
    RAdr1 = ini.readString(s, "RAdr1");
    RAdr2 = ini.readString(s, "RAdr2");
    RPoCo = ini.readString(s, "RPoCo");
    // A file without a city leaves the city as it was.
    if (ini.valueExists(s, "RCity")) RCity = ini.readString(s, "RCity");
    RCoun = ini.readString(s, "RCoun");
    RPhon = ini.readString(s, "RPhon");
    RHBBS = ini.readString(s, "RHBBS");
}

void ContestHeader::saveEquipment(IniFile& ini, int n) const {
    IniFile::Batch batch(ini);
    const BandEquipment& b = bands[size_t(n - 1)];
    const QString s = bandSection(n);
    ini.writeString(s, "PSect", b.PSect);
    ini.writeString(s, "SPowe", b.SPowe);
    ini.writeString(s, "RX", b.RX);
    ini.writeString(s, "TX", b.TX);
    ini.writeString(s, "SAnte", b.SAnte);
    ini.writeString(s, "HeightAboveGround", b.HeightAboveGround);
    ini.writeString(s, "HeightAboveSea", b.HeightAboveSea);
}

void ContestHeader::loadEquipment(const IniFile& ini, int n) {
    BandEquipment& b = bands[size_t(n - 1)];
    const QString s = bandSection(n);
    b.PSect = ini.readString(s, "PSect");
    b.SPowe = ini.readString(s, "SPowe");
    b.RX = ini.readString(s, "RX");
    b.TX = ini.readString(s, "TX");
    b.SAnte = ini.readString(s, "SAnte");
    b.HeightAboveGround = ini.readString(s, "HeightAboveGround");
    b.HeightAboveSea = ini.readString(s, "HeightAboveSea");
}

void ContestHeader::save(IniFile& ini) const {
    IniFile::Batch batch(ini);
    saveGeneral(ini);
    saveResponsible(ini);
    for (int n = 1; n <= 15; ++n) {
        ini.writeBool(bandSection(n), "Band", bands[size_t(n - 1)].Band);
        saveEquipment(ini, n);
    }
}

void ContestHeader::load(const IniFile& ini) {
    loadGeneral(ini);
    loadResponsible(ini);
    for (int n = 1; n <= 15; ++n) {
        bands[size_t(n - 1)].Band = ini.readBool(bandSection(n), "Band", false);
        loadEquipment(ini, n);
    }
}
