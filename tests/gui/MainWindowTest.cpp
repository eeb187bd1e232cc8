#include "app/gui/OstrelogUnit.h"
#include "common/TestSupport.h"
#include "log/gui/LogUnit.h"
#include "platform/Clock.h"
#include "platform/FileChooser.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "ui/RecentListUnit.h"
#include "ui/TorvelDockGroup.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
struct MainWindowTest : ::testing::Test {
    QTemporaryDir home;
    RecordingPrompter prompter;
    ScriptedFileChooser files;
    ManualClock clock{QDateTime(QDate(2026, 5, 2), QTime(14, 7), Qt::UTC)};
    void SetUp() override {
        Platform::setHomeFolder(home.path());
        Platform::setPrompter(&prompter);
        Platform::setFiles(&files);
        Platform::setClock(&clock);
    }
    void TearDown() override {
        Platform::setPrompter(nullptr);
        Platform::setFiles(nullptr);
        Platform::setClock(nullptr);
    }
    QString makeContest(const QString& name = "c.vhf") {
        const QString path = home.filePath(name);
        ContestFile c;
        EXPECT_TRUE(c.create(path));
        EXPECT_TRUE(c.open(path));
        c.header.TName = "Test";
        c.header.PCall = "Q9ABC";
        c.header.PWWL = "JN75DS";
        c.header.bands[2].Band = true; // 144 MHz
        c.header.bands[3].Band = true; // 432 MHz
        c.activeBand = 1;
        c.writeDescriptor();
        return path;
    }
    void setLastOpened(const QString& path) {
        IniFile(home.filePath("Ostrelog.ini")).writeString("Main", "LastOpened", path);
    }
};
} // namespace

TEST_F(MainWindowTest, StartsWithoutAContest) {
    T_Ostrelog w;
    w.firstShow();
    EXPECT_EQ(w.windowTitle(), "Ostrelog by Q9XYZ");
    EXPECT_EQ(w.logGroup()->windowTitle(), "Please start new contest or open it from &File menu");
    EXPECT_FALSE(w.contest().isOpen());
    for (const char* m : {"ImportExport", "View", "Settings"})
        EXPECT_FALSE(w.menu(m)->isEnabled()) << m;
    EXPECT_FALSE(w.logForm()->isEnabled());
    EXPECT_TRUE(w.action("Open")->isEnabled());
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(MainWindowTest, ReopensLastOpenedAndRemembersItAtTheEnd) {
    const QString path = makeContest();
    setLastOpened(path);
    {
        T_Ostrelog w;
        w.firstShow();
        ASSERT_TRUE(w.contest().isOpen());
        EXPECT_EQ(w.windowTitle(), "Test (" + path + ") - Ostrelog by Q9KLM");
        EXPECT_TRUE(w.logGroup()->windowTitle().endsWith(", Q9ABC - JN75DS op. "));
        EXPECT_EQ(w.logForm()->Band->count(), 2);
        EXPECT_EQ(w.logForm()->currentBand(), "432 MHz");
        EXPECT_EQ(w.logForm()->Sent_QSO_number->text(), "1");
        EXPECT_EQ(w.logForm()->mode(), T_LogForm::ContestEntry);
        EXPECT_EQ(w.logForm()->Time_->text(), "14:07");
        for (const char* m : {"ImportExport", "View", "Settings"})
            EXPECT_TRUE(w.menu(m)->isEnabled()) << m;
        // Entries whose windows are not there never pretend to work.
        for (const char* a : {"ContestReport", "ViewStatistics", "Options", "F1", "Recalculate"})
            EXPECT_FALSE(w.action(a)->isEnabled()) << a;
        EXPECT_EQ(w.recentList()->paths(), QStringList({path}));
        w.logForm()->Band->setCurrentIndex(0);
        w.close();
    }
    IniFile settings(home.filePath("Ostrelog.ini"));
    EXPECT_EQ(settings.readString("Main", "LastOpened"), path);
    EXPECT_EQ(settings.readString("RecentFiles", "Item00"), path);
    EXPECT_EQ(IniFile(path).readInteger("Program", "ActiveBand", -1), 0);
}

TEST_F(MainWindowTest, MissingLastOpenedIsSilent) {
    setLastOpened(home.filePath("gone.vhf"));
    T_Ostrelog w;
    w.firstShow();
    EXPECT_FALSE(w.contest().isOpen());
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(MainWindowTest, CaptionIsWrittenOnlyWhenItChanges) {
    setLastOpened(makeContest());
    T_Ostrelog w;
    w.firstShow();
    const int writes = w.captionWrites();
    const int groupWrites = w.logGroup()->captionWrites();
    w.refreshTitles();
    w.refreshTitles();
    EXPECT_EQ(w.captionWrites(), writes);
    EXPECT_EQ(w.logGroup()->captionWrites(), groupWrites);
    w.contest().header.TName = "Other";
    w.refreshTitles();
    EXPECT_EQ(w.captionWrites(), writes + 1);
}

TEST_F(MainWindowTest, PostContestButtonSwitchesBothWays) {
    T_Ostrelog w;
    w.firstShow();
    QToolButton* b = w.button("PostContest");
    b->click();
    EXPECT_EQ(w.logForm()->mode(), T_LogForm::PostContest);
    EXPECT_EQ(b->text(), "CONTEST");
    EXPECT_TRUE(w.menu("Print")->menuAction()->isVisible());
    w.action("QSLCards")->trigger(); // says it is not available; no crash
    EXPECT_EQ(prompter.messages.size(), 1);
    b->click();
    EXPECT_EQ(w.logForm()->mode(), T_LogForm::ContestEntry);
    EXPECT_EQ(b->text(), "POSTCONTEST");
    EXPECT_FALSE(w.menu("Print")->menuAction()->isVisible());
}

TEST_F(MainWindowTest, FileMenuOpenNewAndSaveAs) {
    const QString path = makeContest();
    T_Ostrelog w;
    w.firstShow();
    files.paths.push_back(path);
    w.action("Open")->trigger();
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].title, "Open vhf contest");
    EXPECT_EQ(files.requests[0].filter, "Vhf contest|*.vhf");
    EXPECT_EQ(files.requests[0].fileName, "*.vhf");
    EXPECT_TRUE(w.contest().isOpen());

    const QString fresh = home.filePath("new");
    files.paths.push_back(fresh); // the dialog adds the extension
    w.editHeader = [](ContestHeader& h) {
        h.PCall = "Q9NEW";
        h.PWWL = "JN76TO";
        h.bands[3].Band = true;
        return true;
    };
    w.action("New")->trigger();
    EXPECT_EQ(w.contest().header.PCall, "Q9NEW");
    EXPECT_EQ(w.logForm()->currentBand(), "432 MHz");
    EXPECT_EQ(files.requests[1].title, "Start new vhf contest");
    EXPECT_EQ(files.requests[1].filter, "VHF contest|*.vhf");
    EXPECT_EQ(w.contest().descriptorPath(), fresh + ".vhf");
    EXPECT_TRUE(QFile::exists(fresh + ".dat") && QFile::exists(fresh + ".idx"));

    const QString copy = home.filePath("copy.s5m");
    files.paths.push_back(copy);
    w.action("SaveAs")->trigger();
    EXPECT_EQ(files.requests[2].title, "Save ZAR maraton contest as");
    EXPECT_EQ(files.requests[2].filter, "ZAR maraton|*.s5m");
    EXPECT_EQ(w.contest().descriptorPath(), copy);
    EXPECT_EQ(w.recentList()->paths(), QStringList({copy, fresh + ".vhf", path}));
}

TEST(RecentList, KeepsFiveMostRecentWithoutDuplicates) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath("s.ini"));
    for (int i = 0; i < 5; ++i)
        ini.writeString("RecentFiles", "Item" + QString::number(i) + "0",
                        "/f" + QString::number(i));
    QMenu menu;
    menu.addAction("&New...");
    menu.addAction("Exit");
    QStringList opened;
    {
        TRecentList list(ini, &menu, [&](const QString& p) { opened << p; });
        EXPECT_EQ(list.paths(), QStringList({"/f0", "/f1", "/f2", "/f3", "/f4"}));
        list.add("/f3");
        list.add("/new&file");
        EXPECT_EQ(list.paths(), QStringList({"/new&file", "/f3", "/f0", "/f1", "/f2"}));
        EXPECT_EQ(list.entries()[0]->text(), "/new&&file");
        EXPECT_EQ(menu.actions().last()->text(), "Exit"); // entries sit before Exit
        list.entries()[1]->trigger();
        EXPECT_EQ(opened, QStringList({"/f3"}));
    }
    EXPECT_EQ(ini.readString("RecentFiles", "Item00"), "/new&file");
    EXPECT_EQ(ini.readString("RecentFiles", "Item40"), "/f2");
}
