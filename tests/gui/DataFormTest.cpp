#include "common/TestSupport.h"
#include "core/Bands.h"
#include "core/gui/LocatorEdit.h"
#include "interchange/gui/BandDataUnit.h"
#include "interchange/gui/DataUnit.h"
#include "interchange/gui/EdiDialogs.h"
#include "log/ContestFile.h"
#include "platform/FileChooser.h"
#include "platform/IniFile.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

bool isRed(const QWidget* w) {
    return w->palette().color(QPalette::WindowText) == QColor(Qt::red);
}

class DataFormTest : public ::testing::Test {
  protected:
    void SetUp() override { userInfo = dir.filePath("UserInfo.ini"); }
    QTemporaryDir dir;
    QString userInfo;
};

TEST_F(DataFormTest, ClosesOnlyWithCallLocatorAndBandInThatOrder) {
    ContestHeader header;
    T_DataForm form(header, userInfo);
    QSignalSpy applied(&form, &T_DataForm::headerApplied);
    QSignalSpy home(&form, &T_DataForm::homeLocatorChanged);
    form.show();
    EXPECT_EQ(form.Pages->currentIndex(), 0);
    EXPECT_TRUE(isRed(form.CallLabel));
    EXPECT_TRUE(isRed(form.Bands));

    form.Pages->setCurrentIndex(1);
    QTest::mouseClick(form.CloseButton, Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Pages->currentIndex(), 0);
    EXPECT_EQ(form.focusWidget(), form.Call);

    QTest::keyClicks(form.Call, "S59ABC");
    EXPECT_FALSE(isRed(form.CallLabel));
    QTest::keyClicks(form.WWL_sent, "jn76t");
    EXPECT_TRUE(isRed(form.WWLLabel));
    form.close(); // the window's close box runs the same checks
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.focusWidget(), static_cast<QWidget*>(form.WWL_sent));

    QTest::keyClicks(form.WWL_sent, "o");
    EXPECT_EQ(form.WWL_sent->text(), "JN76TO");
    EXPECT_FALSE(isRed(form.WWLLabel));
    ASSERT_FALSE(home.isEmpty());
    EXPECT_EQ(home.last().at(0).toString(), "JN76TO");

    QTest::mouseClick(form.CloseButton, Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Pages->currentIndex(), 2);
    EXPECT_EQ(form.focusWidget(), form.Frequency[2]);
    EXPECT_TRUE(applied.isEmpty());

    // Tab to "432 MHz" and tick it with the space bar.
    EXPECT_FALSE(form.Equipment->isTabVisible(3));
    QTest::keyClick(form.Frequency[2], Qt::Key_Tab);
    ASSERT_EQ(form.focusWidget(), form.Frequency[3]);
    QTest::keyClick(form.Frequency[3], Qt::Key_Space);
    EXPECT_TRUE(form.Equipment->isTabVisible(3));
    EXPECT_FALSE(isRed(form.Bands));
    QTest::keyClicks(form.BandPages[3]->TXPower, "750");

    QTest::mouseClick(form.CloseButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(applied.size(), 1);
    EXPECT_EQ(header.PCall, "S59ABC");
    EXPECT_EQ(header.PWWL, "JN76TO");
    EXPECT_EQ(header.contestBandNames(), QStringList({"432 MHz"}));
    EXPECT_EQ(header.bands[3].SPowe, "750");
}

TEST_F(DataFormTest, HiddenBandsAreHonouredAndUnknownTypesKept) {
    ContestHeader header;
    header.PCall = "S50X";
    header.PWWL = "JN65UO";
    header.bands[2].Band = true;
    header.bands[4].Band = true; // 1,3 GHz: ticked by a file, its box stays hidden
    header.ContestType = 5;
    T_DataForm form(header, userInfo);
    form.show();
    EXPECT_TRUE(form.Frequency[4]->isHidden());
    EXPECT_TRUE(form.Frequency[4]->isChecked());
    EXPECT_TRUE(form.Equipment->isTabVisible(4));
    EXPECT_FALSE(form.Equipment->isTabVisible(0));
    EXPECT_FALSE(form.Frequency[2]->isHidden());
    EXPECT_FALSE(form.Frequency[3]->isHidden());
    EXPECT_EQ(form.ContestType->currentIndex(), -1);
    // Typed keys do not change the contest type.
    QTest::keyClick(form.ContestType, Qt::Key_Down);
    QTest::keyClicks(form.ContestType, "Z");
    EXPECT_EQ(form.ContestType->currentIndex(), -1);
    QTest::mouseClick(form.CloseButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(header.ContestType, 5);
    EXPECT_EQ(header.scoringType(), 1);
    EXPECT_EQ(header.contestBandNames(), QStringList({"144 MHz", "1,3 GHz"}));
}

TEST_F(DataFormTest, DefaultButtonsWorkOnUserInfo) {
    {
        IniFile ini(userInfo);
        ini.writeString("General", "TName", "Default Contest");
        ini.writeString("General", "PCall", "S50D");
        ini.writeString("ResponsibleOperator", "RName", "Default Name");
        ini.writeString("EquipementBand3", "SAnte", "Default antenna");
    }
    ContestHeader header;
    header.RCity = "Maribor";
    header.RCoun = "Slovenia";
    header.bands[2].SAnte = "Own antenna";
    T_DataForm form(header, userInfo, /*loadDefaults=*/true);
    // A new contest takes General and the responsible operator, not band equipment; a file
    // without a city keeps the city.
    EXPECT_EQ(form.ContestName->text(), "Default Contest");
    EXPECT_EQ(form.RName->text(), "Default Name");
    EXPECT_EQ(form.RCity->text(), "Maribor");
    EXPECT_EQ(form.RCountry->text(), "");
    EXPECT_EQ(form.BandPages[2]->Antennas->text(), "Own antenna");

    form.RCountry->setText("Croatia");
    form.RCity->setText("Zagreb");
    QTest::mouseClick(form.LoadDefaultResponsible, Qt::LeftButton);
    EXPECT_EQ(form.RCountry->text(), "");
    EXPECT_EQ(form.RCity->text(), "Zagreb");

    form.BandPages[2]->LoadDefault->click();
    EXPECT_EQ(form.BandPages[2]->Antennas->text(), "Default antenna");

    // Storing the 432 MHz page writes its equipment keys, never its Band flag.
    form.Frequency[3]->setChecked(true);
    form.BandPages[3]->TX->setText("PA 500");
    form.BandPages[3]->StoreDefault->click();
    form.Call->setText("S51X");
    form.StoreDefaultGeneral->click();
    IniFile ini(userInfo);
    EXPECT_EQ(ini.keys("EquipementBand4"), QStringList({"PSect", "SPowe", "RX", "TX", "SAnte",
                                                        "HeightAboveGround", "HeightAboveSea"}));
    EXPECT_EQ(ini.readString("EquipementBand4", "TX"), "PA 500");
    EXPECT_EQ(ini.readString("General", "PCall"), "S51X");
    EXPECT_FALSE(ini.sectionExists("EquipementBand5"));
}

TEST_F(DataFormTest, HookRunsTheDialogModally) {
    ContestHeader header;
    header.PCall = "S59ABC";
    header.PWWL = "JN76TO";
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<T_DataForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        shown = form->isModal() && form->windowTitle() == "User information";
        QTest::mouseClick(form->CloseButton, Qt::LeftButton); // no band yet: stays open
        form->Frequency[2]->setFocus();
        QTest::keyClick(form->Frequency[2], Qt::Key_Space);
        QTest::mouseClick(form->CloseButton, Qt::LeftButton);
    });
    EXPECT_TRUE(headerDialogHook(nullptr)(header));
    EXPECT_TRUE(shown);
    EXPECT_EQ(header.contestBandNames(), QStringList({"144 MHz"}));
}

TEST_F(DataFormTest, BandListIsReselectedByPosition) {
    EXPECT_EQ(ContestHeader::reselectedBandIndex(1, 2), 1);
    EXPECT_EQ(ContestHeader::reselectedBandIndex(2, 2), 1);
    EXPECT_EQ(ContestHeader::reselectedBandIndex(-1, 2), 0);
    EXPECT_EQ(ContestHeader::reselectedBandIndex(0, 0), -1);
}

class EdiDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(contest.create(dir.filePath("may.vhf")));
        ASSERT_TRUE(contest.open(dir.filePath("may.vhf")));
        contest.header.PCall = "S59ABC";
        contest.header.PWWL = "JN76TO";
        contest.header.TDateStart = "02.05.2026";
        contest.header.TDateEnd = "03.05.2026";
        Platform::setFiles(&files);
        Platform::setPrompter(&prompter);
    }
    void TearDown() override {
        Platform::setFiles(nullptr);
        Platform::setPrompter(nullptr);
    }
    QTemporaryDir dir;
    ContestFile contest;
    ScriptedFileChooser files;
    RecordingPrompter prompter;
};

TEST_F(EdiDialogTest, ExportAsksForTheFileWithItsFilterAndProposedName) {
    files.paths.push_back(std::nullopt); // cancel
    EXPECT_FALSE(exportEdiInteractive(contest, "144 MHz"));
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].filter, "Electronic Data Interchange (EDI)|*.edi");
    EXPECT_EQ(files.requests[0].fileName, dir.filePath("may.edi"));
    EXPECT_TRUE(files.requests[0].overwritePrompt);
    EXPECT_FALSE(QFile::exists(dir.filePath("may.edi")));

    files.paths.push_back(dir.filePath("may"));
    EXPECT_TRUE(exportEdiInteractive(contest, "144 MHz"));
    EXPECT_TRUE(readAll(dir.filePath("may.edi")).startsWith("[REG1TEST;1]\r\n"));

    contest.header.TDateEnd = "soon";
    files.paths.push_back(dir.filePath("may.edi"));
    EXPECT_FALSE(exportEdiInteractive(contest, "144 MHz"));
    EXPECT_EQ(prompter.messages, QStringList({"'soon' is not a valid date"}));
}

TEST_F(EdiDialogTest, ImportTellsTheErrorAndSkipsAMissingFile) {
    files.paths.push_back(dir.filePath("none.edi"));
    EXPECT_FALSE(importEdiInteractive(contest).ok);
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(files.requests[0].filter, "Electronic Data Interchange (EDI)|*.edi");

    writeAll(dir.filePath("bad.edi"), "[REG1TEST;1]\r\n");
    files.paths.push_back(dir.filePath("bad.edi"));
    EXPECT_FALSE(importEdiInteractive(contest).ok);
    EXPECT_EQ(prompter.messages,
              QStringList({"Error: file bad.edi is not an vaild edi file (line2 must be "
                           "'TName=')"}));

    files.paths.push_back(fixture("edi/LZ1DAF_144.edi"));
    const auto r = importEdiInteractive(contest);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(EdiImport::statusText(r.qsoCount), "Imported 1 QSO's");
}

} // namespace
