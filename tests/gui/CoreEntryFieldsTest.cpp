#include "core/KeyTables.h"
#include "core/gui/DisplayQRV.h"
#include "core/gui/LocatorEdit.h"
#include "core/gui/NREdit.h"
#include "core/gui/RSTEdit.h"
#include "core/gui/TimeEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QImage>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {
// The operator tabs into the field.
void enter(QWidget& w) {
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&w, &in);
}

std::string textOf(const QLineEdit& e) {
    return e.text().toStdString();
}

// Swallows one key before the field sees it, as the log window does with Enter and Space.
class KeyEater : public QObject {
  public:
    explicit KeyEater(int key) : key_(key) {}
    int eaten = 0;

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == key_) {
            ++eaten;
            return true;
        }
        return false;
    }

  private:
    int key_;
};

// Types each row's keys into a fresh control, entered as the operator tabs in, with the caret
// then put where the row starts.
template <typename Field>
void typeRows(const char* name, const std::vector<KeyCase>& rows,
              const std::function<void(Field&)>& setUp) {
    for (const KeyCase& row : rows) {
        Field field;
        setUp(field);
        field.setText(row.text);
        enter(field);
        field.setCursorPosition(row.caret);
        for (const char key : std::string(row.keys)) {
            if (key == '\b')
                QTest::keyClick(&field, Qt::Key_Backspace);
            else if (key == '\x7f')
                QTest::keyClick(&field, Qt::Key_Delete);
            else
                QTest::keyClick(&field, key);
        }
        const std::string where = std::string(name) + " \"" + row.text + "\" caret " +
                                  std::to_string(row.caret) + " keys \"" + row.keys + "\"";
        EXPECT_EQ(textOf(field), row.expected) << where;
        EXPECT_EQ(field.cursorPosition(), row.expectedCaret) << where;
    }
}
} // namespace

TEST(CoreEntryFields, LocatorIsTypedOverAndEnteredAtTheEnd) {
    TLocatorEdit wwl;
    wwl.setText("JN76TO");
    wwl.setCursorPosition(0);
    enter(wwl);
    EXPECT_EQ(wwl.cursorPosition(), 6);
    EXPECT_FALSE(wwl.hasSelectedText());
    QTest::keyClick(&wwl, 'k');
    EXPECT_EQ(textOf(wwl), "KN76TO");
    EXPECT_EQ(wwl.cursorPosition(), 1);
    QTest::keyClick(&wwl, Qt::Key_Right); // navigation keys still move the caret
    EXPECT_EQ(wwl.cursorPosition(), 2);
    QTest::keyClick(&wwl, 'j');
    EXPECT_EQ(textOf(wwl), "KJ76TO");
    QTest::keyClick(&wwl, 'n');
    EXPECT_EQ(textOf(wwl), "JN76TO");
    QTest::keyClick(&wwl, '5');
    EXPECT_EQ(textOf(wwl), "JN56TO");
    EXPECT_EQ(wwl.cursorPosition(), 3);
    QTest::keyClick(&wwl, Qt::Key_Delete);
    EXPECT_EQ(textOf(wwl), "JN56TO");
    QTest::keyClick(&wwl, Qt::Key_Home);
    QTest::keyClick(&wwl, Qt::Key_Backspace);
    EXPECT_EQ(textOf(wwl), "JN56T");
    EXPECT_EQ(wwl.cursorPosition(), 5);
    QTest::keyClicks(&wwl, "x");
    EXPECT_EQ(textOf(wwl), "JN56TX");

    wwl.clear();
    QTest::keyClicks(&wwl, "io91wm7");
    EXPECT_EQ(textOf(wwl), "IO91WM");
}

TEST(CoreEntryFields, PastedTextIsTypedThroughTheRules) {
    TLocatorEdit wwl;
    enter(wwl);
    QGuiApplication::clipboard()->setText("jn76to99xx");
    QTest::keySequence(&wwl, QKeySequence::Paste);
    EXPECT_EQ(textOf(wwl), "JN76TO");
    TNREdit nr;
    nr.setLength(3);
    QGuiApplication::clipboard()->setText("12a345");
    QTest::keySequence(&nr, QKeySequence::Paste);
    EXPECT_EQ(textOf(nr), "345");
}

TEST(CoreEntryFields, OwnerSeesKeysFirst) {
    TLocatorEdit wwl;
    wwl.setText("JN76TO");
    KeyEater eater(Qt::Key_Minus);
    wwl.installEventFilter(&eater);
    enter(wwl);
    QTest::keyClicks(&wwl, "-");
    EXPECT_EQ(eater.eaten, 1);
    EXPECT_EQ(textOf(wwl), "JN76TO");
}

TEST(CoreEntryFields, ReportStrengthAndShiftAsTyped) {
    TRSTEdit phone;
    phone.setLength(2);
    phone.setText("59");
    enter(phone);
    EXPECT_EQ(phone.cursorPosition(), 2);
    QTest::keyClick(&phone, '5');
    EXPECT_EQ(textOf(phone), "55");
    QTest::keyClick(&phone, '7');
    EXPECT_EQ(textOf(phone), "57");
    QTest::keyClick(&phone, '8');
    EXPECT_EQ(textOf(phone), "58");
    QTest::keyClick(&phone, '0');
    EXPECT_EQ(textOf(phone), "58");

    TRSTEdit cw;
    cw.setLength(3);
    cw.setText("599");
    enter(cw);
    QTest::keyClicks(&cw, "33");
    EXPECT_EQ(textOf(cw), "339");
    QTest::keyClick(&cw, 's');
    EXPECT_EQ(textOf(cw), "33s");

    cw.setText("599");
    enter(cw);
    QTest::keyClick(&cw, Qt::Key_End);
    QTest::keyClick(&cw, Qt::Key_Backspace);
    EXPECT_EQ(textOf(cw), "59");
    QTest::keyClick(&cw, '5');
    EXPECT_EQ(textOf(cw), "595");
    EXPECT_EQ(cw.cursorPosition(), 2);

    // Entering again starts over from 59 or 599.
    cw.setText("339");
    enter(cw);
    QTest::keyClick(&cw, '7');
    EXPECT_EQ(textOf(cw), "579");
}

TEST(CoreEntryFields, SerialNumberShiftsAndPassesDelete) {
    TNREdit nr;
    nr.setLength(4);
    nr.setText("1234");
    enter(nr);
    EXPECT_EQ(nr.cursorPosition(), 4);
    QTest::keyClick(&nr, '5');
    EXPECT_EQ(textOf(nr), "2345");
    QTest::keyClicks(&nr, "x.");
    EXPECT_EQ(textOf(nr), "2345");
    QTest::keyClick(&nr, Qt::Key_Home);
    QTest::keyClick(&nr, '9');
    EXPECT_EQ(textOf(nr), "2345");
    QTest::keyClick(&nr, Qt::Key_Delete);
    EXPECT_EQ(textOf(nr), "345");
    QTest::keyClick(&nr, Qt::Key_End);
    QTest::keyClicks(&nr, "67");
    EXPECT_EQ(textOf(nr), "4567");
}

TEST(CoreEntryFields, TimeReturnsToTheMinutes) {
    TTimeEdit time;
    time.setText("12:34");
    enter(time);
    EXPECT_EQ(time.cursorPosition(), 4);
    QTest::keyClick(&time, '7');
    EXPECT_EQ(textOf(time), "12:37");
    EXPECT_EQ(time.cursorPosition(), 3);
    QTest::keyClick(&time, '5');
    EXPECT_EQ(textOf(time), "12:57");
    EXPECT_EQ(time.cursorPosition(), 4);
    QTest::keyClick(&time, Qt::Key_Backspace);
    EXPECT_EQ(time.cursorPosition(), 0);
    QTest::keyClicks(&time, "0815");
    EXPECT_EQ(textOf(time), "08:15");
    QTest::keyClicks(&time, "3x");
    EXPECT_EQ(textOf(time), "08:35");

    TTimeEdit seconds;
    seconds.setMaxLength(8);
    seconds.setText("12:34:56");
    seconds.setCursorPosition(3);
    QTest::keyClicks(&seconds, "45 17");
    EXPECT_EQ(textOf(seconds), "12:45:17");
    EXPECT_EQ(seconds.cursorPosition(), 3);
}

TEST(CoreEntryFields, BandDisplayDrawsLibraryThenLogColours) {
    TDisplayQRV display;
    display.resize(200, 16);
    display.setInLibColor(Qt::blue);
    const auto columns = [&](QColor colour) {
        const QImage image = display.grab().toImage();
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y) {
                const QColor c = image.pixelColor(x, y);
                // Anti-aliased text: look for pixels dominated by the colour.
                const bool match = colour == Qt::red
                                       ? c.red() > 150 && c.blue() < 100 && c.green() < 100
                                       : c.blue() > 150 && c.red() < 100 && c.green() < 100;
                if (match) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
            }
        return std::pair(first, last);
    };
    display.DisplayQRV("101000000000000", "001000000000000");
    const auto lib = columns(Qt::blue);
    const auto log = columns(Qt::red);
    ASSERT_GE(lib.first, 0);
    ASSERT_GE(log.first, 0);
    EXPECT_LT(lib.second, log.first); // "6m" first, then "2m"
    EXPECT_GT(lib.first, 0);          // after a leading space

    display.DisplayQRV("10100000000000", "001000000000000"); // 14 characters: nothing drawn
    EXPECT_LT(columns(Qt::blue).first, 0);
    EXPECT_LT(columns(Qt::red).first, 0);
}

TEST(CoreEntryFields, EveryKeyTableRowTypedIntoTheControls) {
    typeRows<TNREdit>("nr", KeyTables::SerialNumber, [](TNREdit& f) { f.setLength(4); });
    typeRows<TRSTEdit>("rst2", KeyTables::ReportPhone, [](TRSTEdit& f) { f.setLength(2); });
    typeRows<TRSTEdit>("rst3", KeyTables::ReportCw, [](TRSTEdit& f) { f.setLength(3); });
    typeRows<TTimeEdit>("time5", KeyTables::Time5, [](TTimeEdit&) {});
    typeRows<TTimeEdit>("time8", KeyTables::Time8, [](TTimeEdit& f) { f.setMaxLength(8); });
    typeRows<TLocatorEdit>("wwl", KeyTables::Locator, [](TLocatorEdit&) {});
}
