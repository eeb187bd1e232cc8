#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// INI files: the settings file, contest descriptors, UserInfo.ini.
// Sections and keys keep the order in which they were first written; names compare
// without regard to case, as the files were always read. Every write reaches the disk
// before it returns, unless a Batch is open, which writes once when it ends.
// Text is 8-bit (Text8); integers are decimal, booleans 1 and 0.
class IniFile {
  public:
    explicit IniFile(const QString& path);
    const QString& path() const { return path_; }

    QString readString(const QString& section, const QString& key, const QString& def = {}) const;
    int readInteger(const QString& section, const QString& key, int def = 0) const;
    bool readBool(const QString& section, const QString& key, bool def = false) const;
    bool valueExists(const QString& section, const QString& key) const;
    bool sectionExists(const QString& section) const;
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    void eraseSection(const QString& section);
    void deleteKey(const QString& section, const QString& key);

    // Re-reads the file from disk.
    void reload();
    // False when the last write could not reach the disk.
    bool ok() const { return ok_; }

    class Batch {
      public:
        explicit Batch(IniFile& ini) : ini_(ini) { ++ini_.batchDepth_; }
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        IniFile& ini_;
    };

  private:
    struct Entry {
        QString key, value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    const Section* find(const QString& section) const;
    Section& findOrAdd(const QString& section);
    void changed();
    void save();

    QString path_;
    std::vector<Section> sections_;
    int batchDepth_ = 0;
    bool dirty_ = false;
    bool ok_ = true;
};
