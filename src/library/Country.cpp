#include "Country.h"

#include "Prefix.h"
#include "platform/Platform.h"
#include "platform/Text8.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

CountryTable::CountryTable(std::vector<CountryRecord> records) : records_(std::move(records)) {
    for (int i = 0; i < static_cast<int>(records_.size()); ++i) {
        const CountryRecord& r = records_[static_cast<size_t>(i)];
        if (!r.iaruApproved || r.prefix.isEmpty() || approved_.contains(r.prefix)) continue;
        approved_.insert(r.prefix, i);
        longest_ = std::max(longest_, static_cast<int>(r.prefix.size()));
    }
}

std::optional<CountryTable> CountryTable::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = "Cannot open " + path + ": " + file.errorString();
        return std::nullopt;
    }
    const QStringList lines = Text8::decode(file.readAll()).split('\n');
    std::vector<CountryRecord> records;
    const QString name = QFileInfo(path).fileName();
    bool header = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith('\r')) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        const auto fail = [&](const QString& what) {
            if (error) *error = name + " line " + QString::number(i + 1) + ": " + what;
            return std::nullopt;
        };
        if (!header) {
            if (line != QLatin1String(CountryTableHeader)) return fail("not a country table");
            header = true;
            continue;
        }
        const QStringList f = line.split('\t');
        if (f.size() < 3 || f[0].isEmpty() || f[1].isEmpty())
            return fail("expected prefix, base prefix and approval");
        if (f[2] != QLatin1String("0") && f[2] != QLatin1String("1"))
            return fail("approval must be 1 or 0");
        records.push_back({f[0], f[1], f[2] == QLatin1String("1"), f.value(3)});
    }
    if (!header) {
        if (error) *error = name + ": not a country table";
        return std::nullopt;
    }
    return CountryTable(std::move(records));
}

CountryTable CountryTable::loadShipped(QString* error) {
    auto table = load(Platform::dataFile(QStringLiteral("Country.dat")), error);
    return table ? std::move(*table) : CountryTable();
}

std::optional<CountryTable> CountryTable::fromCtyDat(const QString& text, QString* error) {
    // An entity: "Name: CQ: ITU: Cont: Lat: Lon: TZ: Primary:" then its prefixes up to ";".
    std::vector<CountryRecord> records;
    int pos = 0;
    const int size = static_cast<int>(text.size());
    while (pos < size) {
        const int end = text.indexOf(';', pos);
        const QString entity = text.mid(pos, end < 0 ? -1 : end - pos).trimmed();
        pos = end < 0 ? size : end + 1;
        if (entity.isEmpty()) continue;
        const QStringList fields = entity.split(':');
        if (fields.size() != 9) {
            if (error) *error = "not a cty.dat entry: " + entity.left(40);
            return std::nullopt;
        }
        const QString country = fields[0].trimmed();
        QString base = fields[7].trimmed();
        const bool approved = !base.startsWith('*');
        if (!approved) base.remove(0, 1);
        for (QString alias : fields[8].split(',', Qt::SkipEmptyParts)) {
            alias = alias.trimmed();
            if (alias.isEmpty() || alias.startsWith('=')) continue;
            // Zone and position overrides follow the prefix: "(14)", "[27]", "<..>", "{..}",
            // "~..~".
            const int cut = alias.indexOf(QRegularExpression(QStringLiteral("[\\(\\[<\\{~]")));
            if (cut >= 0) alias.truncate(cut);
            if (!alias.isEmpty()) records.push_back({alias, base, approved, country});
        }
    }
    if (records.empty()) {
        if (error) *error = QStringLiteral("no prefixes found");
        return std::nullopt;
    }
    return CountryTable(std::move(records));
}

bool CountryTable::save(const QString& path, QString* error) const {
    QString text = QLatin1String(CountryTableHeader) + "\r\n";
    for (const CountryRecord& r : records_)
        text += r.prefix + '\t' + r.basePrefix + '\t' + (r.iaruApproved ? '1' : '0') + '\t' +
                r.country + "\r\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(Text8::encode(text)) < 0 || !file.commit()) {
        if (error) *error = "Cannot write " + path + ": " + file.errorString();
        return false;
    }
    return true;
}

QString CountryTable::basePrefix(const QString& call) const {
    const QString prefix = CountryPrefixOfCall(call).prefix;
    const QString key = call.startsWith(prefix) ? call : prefix;
    const int upTo = std::min(static_cast<int>(key.size()), longest_);
    for (int k = upTo; k >= 1; --k) {
        const auto it = approved_.constFind(key.left(k));
        if (it != approved_.constEnd()) return records_[static_cast<size_t>(*it)].basePrefix;
    }
    return {};
}
