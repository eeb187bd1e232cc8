#include "IniFile.h"

#include "Text8.h"

#include <QFile>
#include <QSaveFile>

IniFile::IniFile(const QString& path) : path_(path) {
    reload();
}

void IniFile::reload() {
    sections_.clear();
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray all = f.readAll();
    Section* current = nullptr;
    for (QByteArray line : all.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        const QString text = Text8::decode(line).trimmed();
        if (text.isEmpty() || text.startsWith(';')) continue;
        if (text.startsWith('[')) {
            const int close = text.indexOf(']');
            const QString name = text.mid(1, close < 0 ? -1 : close - 1).trimmed();
            current = &findOrAdd(name);
            continue;
        }
        const int eq = text.indexOf('=');
        if (eq <= 0 || !current) continue;
        const QString key = text.left(eq).trimmed();
        const QString value = text.mid(eq + 1).trimmed();
        bool seen = false;
        for (const Entry& e : current->entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) seen = true;
        if (!seen) current->entries.push_back({key, value});
    }
}

const IniFile::Section* IniFile::find(const QString& section) const {
    for (const Section& s : sections_)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0) return &s;
    return nullptr;
}

IniFile::Section& IniFile::findOrAdd(const QString& section) {
    for (Section& s : sections_)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0) return s;
    sections_.push_back({section, {}});
    return sections_.back();
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    if (const Section* s = find(section))
        for (const Entry& e : s->entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) return e.value;
    return def;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    bool ok = false;
    const QString v = readString(section, key);
    const int n = v.toInt(&ok);
    if (ok) return n;
    // Hexadecimal as Delphi wrote it ("$FF") is accepted too.
    if (v.startsWith('$')) {
        const int h = v.mid(1).toInt(&ok, 16);
        if (ok) return h;
    }
    return def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::valueExists(const QString& section, const QString& key) const {
    if (const Section* s = find(section))
        for (const Entry& e : s->entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) return true;
    return false;
}

bool IniFile::sectionExists(const QString& section) const {
    return find(section) != nullptr;
}

QStringList IniFile::sections() const {
    QStringList out;
    for (const Section& s : sections_)
        out << s.name;
    return out;
}

QStringList IniFile::keys(const QString& section) const {
    QStringList out;
    if (const Section* s = find(section))
        for (const Entry& e : s->entries)
            out << e.key;
    return out;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    Section& s = findOrAdd(section);
    QString v = value;
    v.replace('\r', ' ').replace('\n', ' ');
    for (Entry& e : s.entries)
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            e.value = v;
            return changed();
        }
    s.entries.push_back({key, v});
    changed();
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

void IniFile::eraseSection(const QString& section) {
    std::erase_if(sections_, [&](const Section& s) {
        return s.name.compare(section, Qt::CaseInsensitive) == 0;
    });
    changed();
}

void IniFile::deleteKey(const QString& section, const QString& key) {
    for (Section& s : sections_)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0)
            std::erase_if(s.entries, [&](const Entry& e) {
                return e.key.compare(key, Qt::CaseInsensitive) == 0;
            });
    changed();
}

void IniFile::changed() {
    dirty_ = true;
    if (batchDepth_ == 0) save();
}

IniFile::Batch::~Batch() {
    if (--ini_.batchDepth_ == 0 && ini_.dirty_) ini_.save();
}

void IniFile::save() {
    QByteArray out;
    for (const Section& s : sections_) {
        out += '[' + Text8::encode(s.name) + "]\r\n";
        for (const Entry& e : s.entries)
            out += Text8::encode(e.key) + '=' + Text8::encode(e.value) + "\r\n";
        out += "\r\n";
    }
    // Written beside the file and renamed over it, so a crash never leaves half a file.
    QSaveFile f(path_);
    ok_ = f.open(QIODevice::WriteOnly) && f.write(out) == out.size() && f.commit();
    dirty_ = false;
}
