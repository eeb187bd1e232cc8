#include "common/TestSupport.h"
#include "library/SearchFixture.h"
#include "library/gui/CPartialSearch.h"
#include "library/gui/PartialSearchUnit.h"
#include "platform/FileChooser.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
enum class Ink { Red, Blue, Black };

bool inked(QRgb p, Ink ink) {
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    switch (ink) {
    case Ink::Red:
        return r > 140 && g < 100 && b < 100;
    case Ink::Blue:
        return b > 140 && r < 100 && g < 100;
    case Ink::Black:
        return r < 90 && g < 90 && b < 90;
    }
    return false;
}

// Pixels of the ink inside the rectangle of a drawn item.
int inkIn(const QImage& img, const PartialSearch::TPartialCall& item, Ink ink) {
    int n = 0;
    for (int y = item.top; y < item.bottom && y < img.height(); ++y)
        for (int x = item.left; x < item.right && x < img.width(); ++x)
            n += inked(img.pixel(x, y), ink);
    return n;
}

struct PartialSearchWidgetTest : ::testing::Test {
    SearchFixture f;
    T_PartialCallSearch window;
    QLineEdit call; // the log window's call field
    QString band = "144 MHz";
    TCPartialSearch* control = window.PartialSearch();

    void SetUp() override {
        f.qso("Q51ABC", "144 MHz", 1, 100, "JN76TO");
        f.qso("Q51ABC", "432 MHz", 1, 100, "JN76TO");
        f.qso("Q51XYZ", "432 MHz", 2, 100, "JN75AA");
        ASSERT_TRUE(f.importStations({libraryLine("Q51ABC", "JN76TO", "JN76TP", "1100000"),
                                      libraryLine("Q51ABD", "JN86AA", "", "1000000"),
                                      libraryLine("Q52ABC", "JN65AB", "", "1000000")})
                        .ok);
        ASSERT_TRUE(window.attachLibrary(f.dir.path()));
        window.setLogDataSet(&f.contest.searchTable);
        window.setCallField(&call);
        QObject::connect(&call, &QLineEdit::textChanged,
                         [this](const QString& t) { control->Search(t, band, 3); });
        window.resize(300, 400);
        window.show();
        call.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
};
} // namespace

TEST_F(PartialSearchWidgetTest, TypingACallLetterByLetter) {
    struct Step {
        char key;
        QStringList listed;
        bool dupe;
        QStringList locators;
        QString libraryBands;
        QString workedBands;
    };
    const QString none = "000000000000000";
    const std::vector<Step> steps{
        {'Q', {}, false, {}, none, none},
        {'5', {"Q51ABC=1", "Q51XYZ=2", "Q51ABD=3", "Q52ABC=3"}, false, {"JN76TO"}, none, none},
        {'1', {"Q51ABC=1", "Q51XYZ=2", "Q51ABD=3"}, false, {"JN76TO"}, none, none},
        {'A', {"Q51ABC=1", "Q51ABD=3"}, false, {"JN76TO"}, none, none},
        {'B', {"Q51ABC=1", "Q51ABD=3", "Q52ABC=3"}, false, {"JN76TO"}, none, none},
        {'C',
         {"Q51ABC=1", "Q52ABC=3"},
         true,
         {"JN76TO", "JN76TP"},
         "001100000000000",
         "001100000000000"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(1, s.key));
        QTest::keyClick(&call, s.key);
        QApplication::processEvents();
        EXPECT_EQ(control->entries(), s.listed);
        EXPECT_EQ(control->dupeFound(), s.dupe);
        EXPECT_EQ(control->locators(), s.locators);
        EXPECT_EQ(control->libraryBandsText(), s.libraryBands);
        EXPECT_EQ(control->workedBandsText(), s.workedBands);

        // Every listed entry is drawn, in its class colour, top to bottom.
        const QImage img = control->grab().toImage();
        const auto& items = control->drawnItems();
        ASSERT_EQ(int(items.size()), s.listed.size());
        for (size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(items[i].call.toStdString());
            EXPECT_EQ(items[i].call + "=" + QString::number(items[i].cls), s.listed[int(i)]);
            EXPECT_EQ(items[i].left, 0);
            if (i > 0) {
                EXPECT_EQ(items[i].top, items[i - 1].bottom);
            }
            const Ink ink = items[i].cls == 1   ? Ink::Red
                            : items[i].cls == 2 ? Ink::Blue
                                                : Ink::Black;
            EXPECT_GT(inkIn(img, items[i], ink), 3);
            for (Ink other : {Ink::Red, Ink::Blue, Ink::Black})
                if (other != ink) {
                    EXPECT_EQ(inkIn(img, items[i], other), 0);
                }
        }
    }
    EXPECT_EQ(control->dupeCall(), "Q51ABC");
    EXPECT_EQ(control->dupeSentNumber(), 1);
}

TEST_F(PartialSearchWidgetTest, HoverUnderlinesAndClickFillsTheCallField) {
    QTest::keyClicks(&call, "Q5");
    ASSERT_EQ(control->drawnItems().size(), 4u);
    const auto& item = control->drawnItems()[1];
    const QPoint inside((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    QTest::mouseMove(control, inside);
    EXPECT_EQ(control->underlinedItem(), 1);
    QTest::mouseMove(control, QPoint(control->width() - 2, control->height() - 2));
    EXPECT_EQ(control->underlinedItem(), -1);

    QSignalSpy clicked(&window, &T_PartialCallSearch::callClicked);
    QTest::mouseClick(control, Qt::LeftButton, {}, inside);
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked[0][0].toString(), "Q51XYZ");
    EXPECT_EQ(call.text(), "Q51XYZ");
    EXPECT_EQ(call.cursorPosition(), 6);
    EXPECT_EQ(call.window()->focusWidget(), &call);
    // A click beside every entry does nothing.
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(control->width() - 2, 2));
    EXPECT_EQ(clicked.size(), 1);
}

TEST_F(PartialSearchWidgetTest, HiddenWindowStillAnswersTheLogWindow) {
    QTest::keyClicks(&call, "Q5");
    const QStringList shownList = control->entries();
    window.hide();
    call.clear();
    QTest::keyClicks(&call, "Q51ABC");
    EXPECT_TRUE(control->dupeFound());
    EXPECT_EQ(control->locators(), QStringList({"JN76TO"}));
    EXPECT_EQ(control->libraryBandsText(), "001100000000000");
    EXPECT_EQ(control->entries(), shownList); // the list waits for the window
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // The first paint of the shown window builds the list.
    const QStringList expected{"Q51ABC=1", "Q52ABC=3"};
    for (int i = 0; i < 50 && control->entries() != expected; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(control->entries(), expected);
}

TEST_F(PartialSearchWidgetTest, LocatorSearchListsStationsOfTheLocator) {
    control->LocatorSearch("JN76TO", band);
    EXPECT_EQ(control->entries(), QStringList({"Q51ABC=1"}));
    control->LocatorSearch("JN65AB", band);
    EXPECT_EQ(control->entries(), QStringList({"Q52ABC=3"}));
}

TEST_F(PartialSearchWidgetTest, ImportFromTheContextMenuIsSearchedAtOnce) {
    ScriptedFileChooser files;
    Platform::setFiles(&files);
    const QString lib = f.dir.filePath("new.vhf");
    writeAll(lib, libraryText({libraryLine("Q9NEW", "JN76AA", "", "0000001"),
                               libraryLine("Q9OLD", "JN76AB", "", "0000001")}));
    files.paths.push_back(lib);
    QSignalSpy status(&window, &T_PartialCallSearch::statusMessage);
    window.importAction()->trigger();
    Platform::setFiles(nullptr);

    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].title, "Import from Ostrelog library (*.vhf)");
    EXPECT_EQ(files.requests[0].filter, "Ostrelog library|*.vhf");
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last()[0].toString(), "Imported 2 QSOs to Library!");
    EXPECT_EQ(window.importAction()->text(), "Import from Ostrelog library (*.vhf)");

    QTest::keyClicks(&call, "Q9NE");
    EXPECT_EQ(control->entries(), QStringList({"Q9NEW=3"}));
    EXPECT_EQ(control->locators(), QStringList({"JN76AA"}));

    // A wrong file is refused with the error and the library stays.
    writeAll(lib, "bad\r\n");
    files.paths.push_back(lib);
    Platform::setFiles(&files);
    window.importAction()->trigger();
    Platform::setFiles(nullptr);
    ASSERT_EQ(f.prompter.messages.size(), 1);
    EXPECT_TRUE(f.prompter.messages[0].contains("is not an vaild edi file"));
    call.clear();
    QTest::keyClicks(&call, "Q9OL");
    EXPECT_EQ(control->entries(), QStringList({"Q9OLD=3"}));
}
