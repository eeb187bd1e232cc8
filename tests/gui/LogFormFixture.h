#pragma once
// A real log window over a contest and a call library in a temporary folder, with a manual
// clock, a recording speaker and prompter, shown and active so that focus moves as it does
// for the operator.
#include "core/gui/DisplayQRV.h"
#include "core/gui/LocatorEdit.h"
#include "core/gui/NREdit.h"
#include "core/gui/RSTEdit.h"
#include "core/gui/TimeEdit.h"
#include "library/CallLibrary.h"
#include "library/SearchFixture.h"
#include "log/ContestFile.h"
#include "log/gui/LogUnit.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "platform/Speaker.h"
#include "ui/OperatorUnit.h"
#include "ui/SetDateTimeUnit.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

struct RecordingKeyer : TKeyerHook {
    QList<bool> ptt;
    int repeatStops = 0;
    int stops = 0;
    QList<QPair<bool, bool>> monitor;
    void SetPTT(bool on) override { ptt << on; }
    void StopAutoRepeat() override { ++repeatStops; }
    void StopSending() override { ++stops; }
    void SetMonitor(bool cw, bool on) override { monitor << qMakePair(cw, on); }
};

struct RecordingClockWindow : TClockHook {
    QString time, number;
    bool visible() const override { return true; }
    void SetTexts(const QString& t, const QString& n) override {
        time = t;
        number = n;
    }
};

struct LogFormTest : ::testing::Test {
    QTemporaryDir dir;
    RecordingPrompter prompter;
    RecordingSpeaker speaker;
    ManualClock clock{QDateTime(QDate(2026, 5, 2), QTime(14, 7), Qt::UTC)};
    ContestFile contest;
    CallLibrary library;
    std::unique_ptr<T_LogForm> form;
    T_LogForm::Options options; // given to the window when it is opened
    bool dialogSeen = false;
    int contests = 0;
    int nextSecond = 0;

    void SetUp() override {
        Platform::setHomeFolder(dir.path());
        Platform::setPrompter(&prompter);
        Platform::setSpeaker(&speaker);
        Platform::setClock(&clock);
        library.attach(dir.path());
    }
    void TearDown() override {
        form.reset();
        contest.close();
        Platform::setPrompter(nullptr);
        Platform::setSpeaker(nullptr);
        Platform::setClock(nullptr);
    }

    // A contest on 144 and 432 MHz, 432 MHz selected, home locator JN75DS.
    void open(int type = 0, const QString& ownCall = "Q9ABC") {
        form.reset();
        contest.close();
        const QString path = dir.filePath("c" + QString::number(++contests) + ".vhf");
        ASSERT_TRUE(contest.create(path));
        ASSERT_TRUE(contest.open(path));
        contest.header.TName = "Test";
        contest.header.PCall = ownCall;
        contest.header.PWWL = "JN75DS";
        contest.header.ContestType = type;
        contest.header.bands[2].Band = true;
        contest.header.bands[3].Band = true;
        contest.activeBand = 1;
        form = std::make_unique<T_LogForm>();
        form->clockTimer()->stop(); // the tests tick the clock themselves
        form->options = options;
        form->setContest(&contest);
        form->setCallLibrary(&library);
        form->resize(900, 400);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->setMode(T_LogForm::Loading);
        form->contestOpened();
        form->setMode(T_LogForm::ContestEntry);
        form->Time_->setText(clock.utcNow().toString("hh:mm"));
        form->focusCall();
    }

    void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        QTest::keyClicks(field, text);
    }
    void enter(QWidget* field) { QTest::keyClick(field, Qt::Key_Return); }

    // Call, Enter, received number, Enter, locator (after the prefix), Enter.
    void logQsoByKeys(const QString& call, const QString& number, const QString& locator) {
        type(form->Call, call);
        enter(form->Call);
        type(form->Received_QSO_number, number);
        enter(form->Received_QSO_number);
        const QString prefix = form->options.locatorPrefix;
        type(form->Received_WWL, locator.startsWith(prefix) ? locator.mid(prefix.size()) : locator);
        enter(form->Received_WWL);
    }

    void addQso(const QString& call, const QString& band, int sent, const QString& wwl = "JN76TO",
                int received = 7) {
        QsoRecord r;
        r.Date = QDate(2026, 5, 2);
        r.Time = QTime(13, 0).addSecs(++nextSecond);
        r.Band = band;
        r.Freq = "0";
        r.Sent_QSO_number = sent;
        r.Call = call;
        r.BaseCall = call;
        r.Mode = "SSB";
        r.Sent_RST = r.Received_RST = "59";
        r.Received_QSO_number = received;
        r.Received_WWL = wwl;
        r.QSO_distance = 100;
        r.QSO_points = 100;
        contest.logTable.appendRecord(r);
    }

    void importLibrary(const QStringList& stations) {
        const QString path = dir.filePath("lib.txt");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(libraryText(stations));
        f.close();
        ASSERT_TRUE(library.importFile(path).ok);
    }

    // Answers the next modal dialog of this kind when it shows.
    template <class Dialog> void answerDialog(std::function<void(Dialog*)> answer) {
        dialogSeen = false;
        QTimer::singleShot(0, [this, answer] {
            if (auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                dialogSeen = true;
                answer(d);
            } else if (auto* any = QApplication::activeModalWidget()) {
                any->close();
            }
        });
    }
};
