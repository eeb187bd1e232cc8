#pragma once
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

// The country table: one record per callsign prefix, with the base prefix of its country.
// Only IARU-approved records take part in the lookup.
struct CountryRecord {
    QString prefix;
    QString basePrefix;
    bool iaruApproved = true;
    QString country; // the country's name, for people reading the table
};

class CountryTable {
  public:
    CountryTable() = default;
    explicit CountryTable(std::vector<CountryRecord> records);

    // Reads a table file; on failure gives nothing and sets *error to a message for the
    // operator ("Country.dat line 7: ...").
    static std::optional<CountryTable> load(const QString& path, QString* error = nullptr);
    // The shipped table (Platform::dataFile("Country.dat")); empty when it cannot be read.
    static CountryTable loadShipped(QString* error = nullptr);
    // The table of a cty.dat country file (the field's common format): one record per
    // listed prefix; entities marked "*" (not on the DXCC list) are not IARU-approved;
    // exact-callsign entries are left out.
    static std::optional<CountryTable> fromCtyDat(const QString& text, QString* error = nullptr);

    // Writes the table file: 8-bit text, CR LF, a header line and one tab-separated line per
    // record (Prefix, BasePrefix, IARU_Approved as 1/0, Country).
    bool save(const QString& path, QString* error = nullptr) const;

    const std::vector<CountryRecord>& records() const { return records_; }
    bool isEmpty() const { return records_.empty(); }

    // The base prefix of the callsign's country: the longest approved prefix that begins the
    // callsign (or, when the callsign does not begin with its own prefix, that prefix).
    // Empty when none matches, so that unknown calls are counted apart rather than as a
    // made-up country. Prefixes compare exactly, case included.
    QString basePrefix(const QString& call) const;

  private:
    std::vector<CountryRecord> records_;
    QHash<QString, int> approved_; // prefix -> first approved record
    int longest_ = 0;
};

// The header line of the table file.
inline constexpr const char* CountryTableHeader = "Prefix\tBasePrefix\tIARU_Approved\tCountry";

// Convenience for callers holding a table: CountryTable::basePrefix.
inline QString CountryBasePrefix(const CountryTable& table, const QString& call) {
    return table.basePrefix(call);
}
