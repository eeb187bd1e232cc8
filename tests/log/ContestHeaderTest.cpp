#include "log/ContestHeader.h"
#include "platform/IniFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ContestHeaderTest, SaveWritesSectionsAndKeysInTheirOrder) {
    QTemporaryDir dir;
    ContestHeader h;
    h.TName = "May";
    h.bands[3].Band = true;
    h.bands[3].SPowe = "750";
    {
        IniFile ini(dir.filePath("c.vhf"));
        h.save(ini);
    }
    const IniFile ini(dir.filePath("c.vhf"));
    QStringList sections{"General", "ResponsibleOperator"};
    for (int n = 1; n <= 15; ++n)
        sections << "EquipementBand" + QString::number(n);
    EXPECT_EQ(ini.sections(), sections);
    EXPECT_EQ(ini.keys("General"), QStringList({"TName", "TDateStart", "TDateEnd", "PCall", "PWWL",
                                                "PAdr1", "PAdr2", "ContestType", "PClub"}));
    EXPECT_EQ(ini.keys("ResponsibleOperator"),
              QStringList({"RName", "RCall", "RAdr1", "RAdr2", "RPoCo", "RCity", "RCoun", "RPhon",
                           "RHBBS"}));
    EXPECT_EQ(ini.keys("EquipementBand4"),
              QStringList({"Band", "PSect", "SPowe", "RX", "TX", "SAnte", "HeightAboveGround",
                           "HeightAboveSea"}));
    EXPECT_EQ(ini.readString("EquipementBand4", "Band"), "1");
    EXPECT_EQ(ini.readString("EquipementBand5", "Band"), "0");

    ContestHeader back;
    back.load(ini);
    EXPECT_EQ(back.TName, "May");
    EXPECT_EQ(back.contestBandNames(), QStringList({"432 MHz"}));
    EXPECT_EQ(back.bands[3].SPowe, "750");
}

TEST(ContestHeaderTest, MissingKeysReadEmptyButTheCityStays) {
    QTemporaryDir dir;
    {
        IniFile ini(dir.filePath("u.ini"));
        ini.writeString("General", "ContestType", "5");
        ini.writeString("ResponsibleOperator", "RName", "Ana");
    }
    ContestHeader h;
    h.PCall = "S50X";
    h.RCoun = "Slovenia";
    h.RCity = "Kranj";
    h.bands[2].Band = true;
    h.load(IniFile(dir.filePath("u.ini")));
    EXPECT_EQ(h.PCall, "");
    EXPECT_EQ(h.RName, "Ana");
    EXPECT_EQ(h.RCoun, "");
    EXPECT_EQ(h.RCity, "Kranj");
    EXPECT_FALSE(h.bands[2].Band);
    EXPECT_EQ(h.ContestType, 5);
    EXPECT_EQ(h.scoringType(), 1);
}

TEST(ContestHeaderTest, MemoTextAndItsLines) {
    struct Case {
        QString text;
        QStringList lines;
    };
    const std::vector<Case> cases{{"", {}},
                                  {"S51A", {"S51A"}},
                                  {"S51A\nS52B", {"S51A", "S52B"}},
                                  {"S51A\n", {"S51A"}},
                                  {"S51A\r\nS52B", {"S51A", "S52B"}}};
    for (const Case& c : cases)
        EXPECT_EQ(ContestHeader::memoLines(c.text), c.lines) << c.text.toStdString();
    // Lines survive the way through the text, empty ones too.
    const std::vector<QStringList> lists{{}, {""}, {"", ""}, {"a", ""}, {"a", "", "b"}};
    for (const QStringList& l : lists)
        EXPECT_EQ(ContestHeader::memoLines(ContestHeader::memoText(l)), l);
}

} // namespace
