#pragma once
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>

class IniFile;

// Equipment of one band of the band table (section EquipementBand<n>).
struct BandEquipment {
    bool Band = false; // ticked: part of the contest
    QString PSect, SPowe, RX, TX, SAnte, HeightAboveGround, HeightAboveSea;
    QString Comments; // lives only while the program runs; written to EDI remarks
};

// Everything about a contest that is not a QSO. The "User information" dialog edits it;
// every other reader reads it here.
struct ContestHeader {
    // General
    QString TName, TDateStart, TDateEnd, PCall, PWWL, PAdr1, PAdr2, PClub;
    int ContestType = 0; // 0 "VHF-Region 1", 1 "ZAR-Maraton"
    QString Operators;   // lines of text; only in memory
    // ResponsibleOperator
    QString RName, RCall, RAdr1, RAdr2, RPoCo, RCity, RCoun, RPhon, RHBBS;
    // Bands 1..15 at index 0..14
    std::array<BandEquipment, 15> bands;

    // The operator list and a band's comments as lines (memo text, "\n" between lines).
    QStringList operatorLines() const { return memoLines(Operators); }
    void setOperatorLines(const QStringList& lines) { Operators = memoText(lines); }
    QStringList commentLines(int bandNumber) const {
        return memoLines(bands[size_t(bandNumber - 1)].Comments);
    }
    void setCommentLines(int bandNumber, const QStringList& lines) {
        bands[size_t(bandNumber - 1)].Comments = memoText(lines);
    }
    // Memo text and its lines: empty text has no lines, a final line break opens no line.
    static QStringList memoLines(const QString& text);
    static QString memoText(const QStringList& lines);

    // Scoring rules: type 1 for any selection other than "VHF-Region 1".
    int scoringType() const { return ContestType == 0 ? 0 : 1; }
    // Band numbers (1..15) of the ticked bands, in band-table order.
    QList<int> contestBandNumbers() const;
    // Names of the ticked bands, in band-table order: the log window's band list.
    QStringList contestBandNames() const;

    // The whole header: General, ResponsibleOperator, EquipementBand1..15.
    void save(IniFile& ini) const;
    void load(const IniFile& ini);
    // Single groups, for the default buttons (band equipment without the Band flag).
    void saveGeneral(IniFile& ini) const;
    void loadGeneral(const IniFile& ini);
    void saveResponsible(IniFile& ini) const;
    void loadResponsible(const IniFile& ini);
    void saveEquipment(IniFile& ini, int bandNumber) const;
    void loadEquipment(const IniFile& ini, int bandNumber);

    // Applying the header rebuilds the band list from the contest bands and selects again the
    // entry at the position selected before (by position, not by name); a shorter list selects
    // its last entry, an empty one none (-1).
    static int reselectedBandIndex(int previousIndex, int bandCount) {
        if (bandCount <= 0) return -1;
        return previousIndex < 0 ? 0 : std::min(previousIndex, bandCount - 1);
    }

    static QString bandSection(int bandNumber) {
        return "EquipementBand" + QString::number(bandNumber);
    }
};
