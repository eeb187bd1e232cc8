// The log window's entry line, typed into as the operator does.
#include "LogFormFixture.h"

#include "cat/Station.h"
#include "core/Bands.h"
#include "core/Locator.h"
#include "library/gui/CPartialSearch.h"
#include "log/gui/LogGrid.h"

#include <QHeaderView>
#include <QProcess>
#include <QSignalSpy>

TEST_F(LogFormTest, FrequencyTypedIntoCallTunesTheRadioAndIsLoggedWithTheNextQso) {
    open();
    type(form->Call, "144300");
    enter(form->Call);
    EXPECT_EQ(form->Call->text(), "");
    EXPECT_EQ(form->station()->frequency(), 144300);
    EXPECT_TRUE(form->LabelFrequency->isVisibleTo(form.get()));
    EXPECT_EQ(form->LabelFrequency->text(), FrequencyText(144300));
    EXPECT_TRUE(form->Call->hasFocus());

    logQsoByKeys("Q1ABC", "5", "JN76TO");
    ASSERT_EQ(contest.logTable.recordCount(), 1);
    contest.logTable.last();
    EXPECT_EQ(contest.logTable.current().Freq, "144300");
}

TEST_F(LogFormTest, ThreeDigitsAreNoFrequencyButAnIncompleteQso) {
    open();
    type(form->Call, "123");
    enter(form->Call);
    EXPECT_EQ(form->Call->text(), "123");
    EXPECT_TRUE(form->Received_QSO_number->hasFocus());
    EXPECT_EQ(contest.logTable.recordCount(), 0);
    EXPECT_TRUE(prompter.questions.isEmpty());
}

TEST_F(LogFormTest, TransverterOffsetIsTakenOffWhatTheRadioIsSent) {
    options.transverterOffset = 116000;
    open();
    // The radio went to the band's default less the offset.
    EXPECT_EQ(form->station()->frequency(), DefaultFrequency("432 MHz") - 116000);
    // A radio report on 28150 kHz is 144150 kHz on the air: the band follows.
    form->station()->ApplyFrequency(28150);
    EXPECT_EQ(form->LabelFrequency->text(), FrequencyText(144150));
    EXPECT_EQ(form->currentBand(), "144 MHz");
    form->Band->setCurrentIndex(1);
    EXPECT_EQ(form->station()->frequency(), 432200 - 116000);
}

TEST_F(LogFormTest, BandChangeSetsRangesSerialNumberAndRadio) {
    open();
    addQso("Q1AAA", "144 MHz", 1);
    addQso("Q1BBB", "144 MHz", 2);
    form->Band->setCurrentIndex(0);
    EXPECT_EQ(form->currentBand(), "144 MHz");
    EXPECT_EQ(form->Sent_QSO_number->text(), "3");
    EXPECT_EQ(form->Grid->model()->rowCount(), 2);
    EXPECT_EQ(form->station()->frequency(), DefaultFrequency("144 MHz"));
    EXPECT_TRUE(form->Call->hasFocus());
    QTest::keyClick(form->Call, Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(form->currentBand(), "432 MHz");
    EXPECT_EQ(form->Sent_QSO_number->text(), "1");
    EXPECT_EQ(form->Grid->model()->rowCount(), 0);
    // "QSY" does the same, wrapping to the first band.
    type(form->Call, "QSY");
    enter(form->Call);
    EXPECT_EQ(form->currentBand(), "144 MHz");
    EXPECT_EQ(form->Call->text(), "");
}

TEST_F(LogFormTest, DateAndTimeCommandsOpenTheDialog) {
    open();
    for (const char* command : {"DATE", "TIME"}) {
        answerDialog<T_SetDateTime>([](T_SetDateTime* d) {
            EXPECT_EQ(d->EditTime->text(), "14:07");
            d->EditDate->setText(QLocale().toString(QDate(2026, 5, 3), QLocale::ShortFormat));
            d->EditTime->setText("23:59");
            QTest::keyClick(d->EditTime, Qt::Key_Return);
        });
        type(form->Call, command);
        enter(form->Call);
        EXPECT_TRUE(dialogSeen) << command;
        EXPECT_EQ(form->Call->text(), "");
        EXPECT_EQ(form->Time_->text(), "23:59");
        EXPECT_EQ(form->entryDate(), QDate(2026, 5, 3));
        EXPECT_FALSE(form->Time_->hasSelectedText());
        form->Time_->setText("14:07");
    }
    // Cancelled: nothing changes.
    answerDialog<T_SetDateTime>([](T_SetDateTime* d) {
        d->EditTime->setText("01:00");
        QTest::keyClick(d->EditTime, Qt::Key_Escape);
    });
    form->setDateTime();
    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(form->Time_->text(), "14:07");
}

TEST_F(LogFormTest, OperatorIsSetByOponAndKeptOnCancel) {
    open();
    QSignalSpy titles(form.get(), &T_LogForm::titlesChanged);
    answerDialog<T_Operator>([](T_Operator* d) {
        EXPECT_EQ(d->windowTitle(), "Set operator");
        d->Operator->clear();
        QTest::keyClicks(d->Operator, "q9op");
        QTest::keyClick(d->Operator, Qt::Key_Return);
    });
    type(form->Call, "OPON");
    enter(form->Call);
    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(contest.activeOperator, "Q9OP");
    EXPECT_EQ(titles.count(), 1);
    answerDialog<T_Operator>([](T_Operator* d) {
        QTest::keyClicks(d->Operator, "X");
        QTest::keyClick(d->Operator, Qt::Key_Escape);
    });
    form->setOperator();
    EXPECT_EQ(contest.activeOperator, "Q9OP");
    EXPECT_EQ(titles.count(), 1);
}

TEST_F(LogFormTest, LocatorShowsDistanceAndHeading) {
    open();
    const QString deg = QString(QChar(0xB0));
    struct Case {
        const char* typed;
        QString distance, heading;
        int azimuthTag;
    } cases[] = {
        {"JN7?TO", "0", "??" + deg, -1},
        {"JN76TO", QString::number(Distance("JN75DS", "JN76TO")),
         QString::number(Azimuth("JN75DS", "JN76TO")) + deg, Azimuth("JN75DS", "JN76TO")},
        {"JN76", "", "", -1},
    };
    for (const Case& c : cases) {
        form->Received_WWL->setFocus();
        form->Received_WWL->clear();
        type(form->Received_WWL, c.typed);
        EXPECT_EQ(form->QSO_distance->text(), c.distance) << c.typed;
        EXPECT_EQ(form->QSO_azimuth->text(), c.heading) << c.typed;
        EXPECT_EQ(form->azimuthTag(), c.azimuthTag) << c.typed;
    }
}

TEST_F(LogFormTest, NewMultiplierIsShownOnlyInTypeOneUntilCounted) {
    open(1);
    type(form->Received_WWL, "76TO");
    EXPECT_EQ(form->Received_WWL->text(), "JN76TO");
    EXPECT_EQ(form->statusText(), "New mult!");

    addQso("Q1AAA", "432 MHz", 1, "JN76TO");
    form->bandChange(); // recounts the band
    form->Received_WWL->setText("JN");
    type(form->Received_WWL, "76TO");
    EXPECT_EQ(form->statusText(), "");
}

TEST_F(LogFormTest, NoMultiplierMessageInTypeZero) {
    open(0);
    type(form->Received_WWL, "76TO");
    EXPECT_EQ(form->statusText(), "");
}

TEST_F(LogFormTest, DownStepsThroughTheLibraryLocatorsAndWraps) {
    importLibrary({libraryLine("Q1LIB", "JN76TO", "JN65AB", "1100000")});
    open();
    type(form->Call, "Q1LIB");
    ASSERT_TRUE(form->LibraryLocators[0]->isVisibleTo(form.get()));
    EXPECT_EQ(form->LibraryLocators[0]->text(), "JN76TO");
    EXPECT_EQ(form->LibraryLocators[1]->text(), "JN65AB");
    EXPECT_FALSE(form->LibraryLocators[2]->isVisibleTo(form.get()));
    // Right-aligned in list order: the last locator at the right edge.
    EXPECT_LT(form->LibraryLocators[0]->x(), form->LibraryLocators[1]->x());
    EXPECT_EQ(form->LibraryLocators[1]->geometry().right(), form->StatusLine->width() - 1);
    // The heading points to the first library locator at once.
    EXPECT_EQ(form->azimuthTag(), Azimuth("JN75DS", "JN76TO"));
    // The band display shows the library's bands.
    EXPECT_EQ(form->DisplayQRV->libraryFlags(),
              BandBitsText(BandBit("144 MHz") | BandBit("432 MHz")));
    form->Received_WWL->setFocus();
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(form->Received_WWL, Qt::Key_Down);
        seen << form->Received_WWL->text();
    }
    EXPECT_EQ(seen, QStringList({"JN76TO", "JN65AB", "JN76TO"}));
    EXPECT_EQ(form->Received_WWL->cursorPosition(), 6);
    // A click on a label does the same.
    form->LibraryLocators[1]->click();
    EXPECT_EQ(form->Received_WWL->text(), "JN65AB");
}

TEST_F(LogFormTest, DupeIsShownSoundedAndTheGridMovesToIt) {
    importLibrary({libraryLine("Q1DUP", "JN76TO", "", "1000000")});
    open();
    form->Band->setCurrentIndex(0);
    addQso("Q1DUP", "144 MHz", 1, "JN76TO", 33);
    addQso("Q1XYZ", "144 MHz", 2);
    form->bandChange();
    type(form->Call, "Q1DUP");
    EXPECT_EQ(form->Duplicate_QSO->text(), "Dupe");
    EXPECT_EQ(form->statusText(), "Dupe! Received QSO number: 33");
    const std::vector<RecordingSpeaker::Tone> pattern = {
        {800, 80}, {0, 40}, {800, 40}, {0, 40}, {800, 40}};
    EXPECT_TRUE(speaker.tones == pattern);
    EXPECT_FALSE(form->LibraryLocators[0]->isVisibleTo(form.get()));
    EXPECT_FALSE(form->DisplayQRV->isVisibleTo(form.get()));
    EXPECT_EQ(contest.logTable.current().Sent_QSO_number, 1);
    EXPECT_EQ(form->Grid->currentIndex().row(), 0);

    // One more letter: no dupe, the band display is back, the log view at its end again.
    speaker.tones.clear();
    type(form->Call, "X");
    EXPECT_EQ(form->Duplicate_QSO->text(), "");
    EXPECT_EQ(form->statusText(), "");
    EXPECT_TRUE(form->DisplayQRV->isVisibleTo(form.get()));
    EXPECT_TRUE(speaker.tones.empty());
    EXPECT_EQ(contest.logTable.current().Sent_QSO_number, 2);
}

TEST_F(LogFormTest, DupeOptionsSilenceTheToneAndTheMessage) {
    open();
    form->options.soundOnDupe = false;
    form->options.showDupeStatus = false;
    addQso("Q1DUP", "432 MHz", 1);
    form->bandChange();
    type(form->Call, "Q1DUP");
    EXPECT_EQ(form->Duplicate_QSO->text(), "Dupe");
    EXPECT_TRUE(speaker.tones.empty());
    EXPECT_EQ(form->statusText(), "");
}

TEST_F(LogFormTest, ModeSetsReportsAndTheRadioMode) {
    open();
    struct Case {
        const char* mode;
        const char* sent;
        int sentLength;
        const char* received;
        int receivedLength;
        int radioMode;
    } cases[] = {
        {"CW", "599", 3, "599", 3, RigMode::CW}, {"S/C", "599", 3, "59", 2, RigMode::USB},
        {"C/S", "59", 2, "599", 3, RigMode::CW}, {"FM", "59", 2, "59", 2, RigMode::FM},
        {"SSB", "59", 2, "59", 2, RigMode::USB},
    };
    for (const Case& c : cases) {
        form->ModeCombo->setCurrentIndex(form->ModeCombo->findText(c.mode));
        EXPECT_EQ(form->Mode->text(), c.mode);
        EXPECT_EQ(form->Sent_RST->text(), c.sent) << c.mode;
        EXPECT_EQ(form->Sent_RST->length(), c.sentLength) << c.mode;
        EXPECT_EQ(form->Received_RST->text(), c.received) << c.mode;
        EXPECT_EQ(form->Received_RST->length(), c.receivedLength) << c.mode;
        EXPECT_EQ(form->station()->mode(), c.radioMode) << c.mode;
        EXPECT_EQ(contest.activeMode, form->ModeCombo->currentIndex());
    }
}

TEST_F(LogFormTest, ModeListOffersEveryModeAndAltMSteps) {
    open();
    QStringList modes;
    for (int i = 0; i < form->ModeCombo->count(); ++i)
        modes << form->ModeCombo->itemText(i);
    EXPECT_EQ(modes, QStringList({"SSB", "CW", "S/C", "C/S", "AM", "FM", "RTTY", "SSTV", "ATV"}));
    form->ModeCombo->setCurrentIndex(8);
    QTest::keyClick(form->Call, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(form->Mode->text(), "SSB");
    QTest::keyClick(form->Call, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(form->Mode->text(), "CW");
}

TEST_F(LogFormTest, RadioModeReportsSelectTheMode) {
    open();
    form->ModeCombo->setCurrentIndex(form->ModeCombo->findText("S/C"));
    form->station()->ApplyMode(RigMode::LSB);
    EXPECT_EQ(form->Mode->text(), "S/C"); // the cross mode stays
    form->station()->ApplyMode(RigMode::FM);
    EXPECT_EQ(form->Mode->text(), "FM");
    form->station()->ApplyMode(RigMode::CW);
    EXPECT_EQ(form->Mode->text(), "CW");
}

TEST_F(LogFormTest, ChannelFieldOnlyInTypeOneFmAndInTheTabOrder) {
    open(1);
    EXPECT_FALSE(form->Received_Exchange->isVisibleTo(form.get()));
    form->ModeCombo->setCurrentIndex(form->ModeCombo->findText("FM"));
    EXPECT_TRUE(form->Received_Exchange->isVisibleTo(form.get()));
    EXPECT_TRUE(form->Grid->columnShown(Col::Received_Exchange));
    form->Call->setFocus();
    QStringList order;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order,
              QStringList({"Received_QSO_number", "Received_Exchange", "Received_WWL", "Call"}));
    QTest::keyClick(form->Call, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(form->Received_WWL->hasFocus());
    // Alt+M away from FM leaves the channel field for the locator.
    form->Received_Exchange->setFocus();
    QTest::keyClick(form->Received_Exchange, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(form->Received_WWL->hasFocus());
    EXPECT_FALSE(form->Received_Exchange->isVisibleTo(form.get()));
}

TEST_F(LogFormTest, KeysOfTheEntryFields) {
    open();
    RecordingKeyer keyer;
    form->setKeyer(&keyer);
    type(form->Call, "Q1A");
    QTest::keyClick(form->Call, ',');
    EXPECT_TRUE(form->Sent_RST->hasFocus());
    QTest::keyClick(form->Sent_RST, '.');
    EXPECT_TRUE(form->Received_RST->hasFocus());
    EXPECT_EQ(form->Call->text(), "Q1A");
    // Space moves on without posting.
    form->Call->setFocus();
    QTest::keyClick(form->Call, Qt::Key_Space);
    EXPECT_TRUE(form->Received_QSO_number->hasFocus());
    EXPECT_EQ(form->Call->text(), "Q1A");
    // Only digits in the received number.
    type(form->Received_QSO_number, "1a2");
    EXPECT_EQ(form->Received_QSO_number->text(), "12");
    // Character 184 never reaches a field.
    form->Call->setFocus();
    QKeyEvent cedilla(QEvent::KeyPress, Qt::Key_cedilla, Qt::NoModifier, QString(QChar(184)));
    QApplication::sendEvent(form->Call, &cedilla);
    EXPECT_EQ(form->Call->text(), "Q1A");
    // The grave accent keys the transmitter while held; letters stop the repeat.
    QTest::keyPress(form->Call, Qt::Key_QuoteLeft);
    QTest::keyRelease(form->Call, Qt::Key_QuoteLeft);
    EXPECT_EQ(keyer.ptt, QList<bool>({true, false}));
    EXPECT_EQ(form->Call->text(), "Q1A");
    type(form->Call, "B");
    EXPECT_GE(keyer.repeatStops, 1);
    EXPECT_EQ(form->Call->text(), "Q1AB");
    // Leaving the received number writes it as a number.
    form->Received_QSO_number->setText("007");
    form->Received_QSO_number->setFocus();
    form->Call->setFocus();
    EXPECT_EQ(form->Received_QSO_number->text(), "7");
    // SOUND switches the monitor of the mode: the SSB monitor in SSB.
    form->Call->clear();
    type(form->Call, "SOUND");
    enter(form->Call);
    EXPECT_EQ(keyer.monitor, (QList<QPair<bool, bool>>{{false, true}}));
    form->setKeyer(nullptr);
}

TEST_F(LogFormTest, EnterPostsAndResetsTheEntryLine) {
    open();
    const int distance = Distance("JN75DS", "JN76TO");
    logQsoByKeys("Q1ABC", "5", "JN76TO");
    ASSERT_EQ(contest.logTable.recordCount(), 1);
    contest.logTable.last();
    const QsoRecord r = contest.logTable.current();
    EXPECT_EQ(r.Call, "Q1ABC");
    EXPECT_EQ(r.Band, "432 MHz");
    EXPECT_EQ(r.Time, QTime(14, 7));
    EXPECT_EQ(r.Date, QDate(2026, 5, 2));
    EXPECT_EQ(r.Sent_QSO_number, 1);
    EXPECT_EQ(r.QSO_points, distance);
    // Ready for the next QSO.
    EXPECT_EQ(form->Call->text(), "");
    EXPECT_EQ(form->Received_QSO_number->text(), "");
    EXPECT_EQ(form->Received_WWL->text(), "JN");
    EXPECT_EQ(form->Sent_QSO_number->text(), "2");
    EXPECT_TRUE(form->Call->hasFocus());
    EXPECT_EQ(form->Grid->model()->rowCount(), 1);
    EXPECT_EQ(form->LabelODX->text(), ScoreLineText(form->summary()));
    // The heading of the last QSO stays in view.
    EXPECT_EQ(form->QSO_azimuth->text(),
              QString::number(Azimuth("JN75DS", "JN76TO")) + QChar(0xB0));
}

TEST_F(LogFormTest, PostContestModeTypesTimeByHand) {
    open();
    QSignalSpy entered(form.get(), &T_LogForm::postContestEntered);
    type(form->Call, "POSTCONTEST");
    enter(form->Call);
    EXPECT_EQ(form->mode(), T_LogForm::PostContest);
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(form->Call->text(), "");
    // The clock leaves the fields alone.
    form->Time_->setText("10:00");
    clock.advance(60000);
    form->clockTick();
    EXPECT_EQ(form->Time_->text(), "10:00");
    // After the locator the time is next; after posting the entry starts there.
    form->Received_WWL->setFocus();
    QTest::keyClick(form->Received_WWL, Qt::Key_Space);
    EXPECT_TRUE(form->Time_->hasFocus());
    logQsoByKeys("Q1ABC", "5", "JN76TO");
    EXPECT_EQ(contest.logTable.recordCount(), 1);
    contest.logTable.last();
    EXPECT_EQ(contest.logTable.current().Time, QTime(10, 0));
    EXPECT_TRUE(form->Time_->hasFocus());
}

TEST_F(LogFormTest, ClockFillsDateTimeAndSerialInContestMode) {
    open();
    clock.setUtc(QDateTime(QDate(2026, 5, 3), QTime(0, 1, 30), Qt::UTC));
    form->clockTick();
    EXPECT_EQ(form->Time_->text(), "00:01");
    EXPECT_EQ(form->entryDate(), QDate(2026, 5, 3));
    EXPECT_EQ(form->Date_->text(), QLocale().toString(QDate(2026, 5, 3), QLocale::ShortFormat));
    addQso("Q1AAA", "432 MHz", 1);
    form->clockTick();
    EXPECT_EQ(form->Sent_QSO_number->text(), "2");
    RecordingClockWindow window;
    form->setClockWindow(&window);
    form->clockTick();
    EXPECT_EQ(window.number, "#2");
    form->setClockWindow(nullptr);
}

TEST_F(LogFormTest, QsosOfAnotherProgramAppearAtTheRefreshInterval) {
    open();
    ASSERT_EQ(
        QProcess::execute(OSTRELOG_WRITER_PATH, {contest.descriptorPath(), "432 MHz", "Q2W", "3"}),
        0);
    for (int tick = 1; tick < 6; ++tick)
        form->clockTick();
    EXPECT_EQ(form->Grid->model()->rowCount(), 0);
    form->clockTick(); // the sixth: three seconds
    EXPECT_EQ(form->Grid->model()->rowCount(), 3);
    EXPECT_EQ(form->Sent_QSO_number->text(), "4");
    EXPECT_EQ(contest.logTable.current().Sent_QSO_number, 3);

    // In post-contest entry the table is not re-read.
    form->setMode(T_LogForm::PostContest);
    form->Band->setCurrentIndex(0);
    ASSERT_EQ(
        QProcess::execute(OSTRELOG_WRITER_PATH, {contest.descriptorPath(), "144 MHz", "Q3W", "2"}),
        0);
    for (int tick = 0; tick < 12; ++tick)
        form->clockTick();
    EXPECT_EQ(form->Grid->model()->rowCount(), 0);
    // A band change re-reads it.
    form->Band->setCurrentIndex(1);
    form->Band->setCurrentIndex(0);
    EXPECT_EQ(form->Grid->model()->rowCount(), 2);
}

TEST_F(LogFormTest, ClearingEmptiesTheLine) {
    open();
    for (auto key :
         {std::pair{Qt::Key_W, Qt::AltModifier}, std::pair{Qt::Key_F11, Qt::NoModifier}}) {
        type(form->Call, "Q1ABC");
        type(form->Received_QSO_number, "12");
        form->showStatus("something");
        QTest::keyClick(form->Received_QSO_number, key.first, key.second);
        EXPECT_EQ(form->Call->text(), "");
        EXPECT_EQ(form->Received_QSO_number->text(), "");
        EXPECT_EQ(form->Received_WWL->text(), "JN");
        EXPECT_EQ(form->statusText(), "");
        EXPECT_TRUE(form->Call->hasFocus());
    }
}

TEST_F(LogFormTest, WebSearchOnlyForTheAuthorsStations) {
    for (const char* own : {"Q9KLM", "Q9ABC"}) {
        open(0, own);
        QList<QUrl> opened;
        form->openUrl = [&](const QUrl& u) { opened << u; };
        type(form->Call, "Q1ABC");
        QTest::keyClick(form->Call, Qt::Key_G, Qt::AltModifier);
        if (QString(own) == "Q9KLM") {
            ASSERT_EQ(opened.size(), 1);
            EXPECT_TRUE(opened[0].toString().endsWith("sourceid=navclient&ie=UTF-8&q=Q1ABC"));
        } else {
            EXPECT_TRUE(opened.isEmpty());
        }
        EXPECT_EQ(form->Call->text(), "Q1ABC");
    }
}

TEST_F(LogFormTest, EntryFieldsStandUnderTheGridColumns) {
    open();
    QHeaderView* h = form->Grid->horizontalHeader();
    const int time = h->sectionSize(LogGridModel::sectionOf(Col::Time));
    const int call = h->sectionSize(LogGridModel::sectionOf(Col::Call));
    EXPECT_EQ(form->Time_->x(), 1);
    EXPECT_EQ(form->Time_->width(), time + 13);
    EXPECT_EQ(form->Call->x(), 1 + time + 13 + 1);
    EXPECT_EQ(form->Call->width(), call);
    EXPECT_EQ(form->ModeCombo->geometry(), form->Mode->geometry());
    EXPECT_EQ(form->QSO_azimuth->width(),
              h->sectionSize(LogGridModel::sectionOf(Col::QSO_azimuth)) + 10);
    h->resizeSection(LogGridModel::sectionOf(Col::Call), call + 20);
    EXPECT_EQ(form->Call->width(), call + 20);
}

TEST(Station, BaseDriverAppliesRequestsLocallyAndReportsChangesOnce) {
    TStation s;
    QList<double> freqs;
    QList<int> modes;
    QList<bool> rig;
    int telegrams = 0;
    s.OnChangeFrequency = [&](double f) { freqs << f; };
    s.OnChangeMode = [&](int m) { modes << m; };
    s.OnRig = [&](bool a) { rig << a; };
    s.OnSendTelegram = [&](const QByteArray&) { ++telegrams; };
    s.SetFrequency(144300);
    s.SetFrequency(144300);
    s.ApplyFrequency(144300);
    s.SetMode(RigMode::USB);
    s.ApplyMode(RigMode::USB);
    EXPECT_EQ(freqs, QList<double>({144300}));
    EXPECT_EQ(modes, QList<int>({RigMode::USB}));
    EXPECT_EQ(telegrams, 0);
    EXPECT_EQ(s.pollInterval(), 0u);
    s.PollTick();
    s.PollTick();
    EXPECT_EQ(rig, QList<bool>({true, false}));
    EXPECT_EQ(TStation::BaudRateNames().size(), 16);
}

TEST_F(LogFormTest, FocusedFieldTakesTheHighlightColour) {
    options.highlight = QColor(10, 20, 30);
    open();
    form->Received_WWL->setFocus();
    EXPECT_EQ(form->Received_WWL->palette().color(QPalette::Base), QColor(10, 20, 30));
    EXPECT_NE(form->Call->palette().color(QPalette::Base), QColor(10, 20, 30));
    form->Call->setFocus();
    EXPECT_NE(form->Received_WWL->palette().color(QPalette::Base), QColor(10, 20, 30));
    EXPECT_EQ(form->Call->palette().color(QPalette::Base), QColor(10, 20, 30));
}

TEST_F(LogFormTest, LeavingCallPointsToTheFirstLibraryLocator) {
    importLibrary({libraryLine("Q1LIB", "JN86AA", "", "1000000"),
                   libraryLine("Q1UNK", "JN8???", "", "1000000")});
    open();
    const QString deg = QString(QChar(0xB0));
    type(form->Call, "Q1LIB");
    form->QSO_azimuth->clear();
    form->Received_WWL->setFocus();
    EXPECT_EQ(form->QSO_azimuth->text(), QString::number(Azimuth("JN75DS", "JN86AA")) + deg);
    // A library locator with "?" gives no heading.
    form->Call->clear();
    type(form->Call, "Q1UNK");
    form->QSO_azimuth->clear();
    form->Received_WWL->setFocus();
    EXPECT_EQ(form->QSO_azimuth->text(), "");
}

TEST_F(LogFormTest, EnteringCallAfterAnAbandonedDupeClearsTheLine) {
    open();
    addQso("Q1DUP", "432 MHz", 1);
    form->bandChange();
    type(form->Call, "Q1DUP");
    ASSERT_TRUE(form->lastLookupDupe());
    form->Received_QSO_number->setFocus();
    form->Received_WWL->setFocus(); // the empty number became "0"
    EXPECT_EQ(form->Received_QSO_number->text(), "0");
    form->Call->setFocus();
    EXPECT_EQ(form->Call->text(), "");
    EXPECT_EQ(form->Received_QSO_number->text(), "");
    EXPECT_EQ(form->Duplicate_QSO->text(), "");
}

TEST_F(LogFormTest, MinusInAFullLocatorListsItsStations) {
    open();
    form->Received_WWL->setFocus();
    type(form->Received_WWL, "76TO");
    QTest::keyClick(form->Received_WWL, '-');
    EXPECT_EQ(form->Received_WWL->text(), "JN76TO");
    EXPECT_EQ(form->partialSearch()->engine().mode(), PartialSearch::Mode::Locator);
}

TEST_F(LogFormTest, DoubleClickOnTimeOpensTheDialogAndQrtClosesTheProgram) {
    open();
    answerDialog<T_SetDateTime>([](T_SetDateTime* d) {
        d->EditTime->setText("12:34");
        QTest::keyClick(d->EditDate, Qt::Key_Enter);
    });
    QTest::mouseDClick(form->Time_, Qt::LeftButton);
    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(form->Time_->text(), "12:34");

    QMainWindow main;
    form->setParent(&main);
    main.setCentralWidget(form.get());
    main.show();
    type(form->Call, "QRT");
    enter(form->Call);
    EXPECT_FALSE(main.isVisible());
    form->setParent(nullptr);
}

TEST_F(LogFormTest, EscapeLeavesBrowsingForTheCallField) {
    open();
    RecordingKeyer keyer;
    form->setKeyer(&keyer);
    form->setMode(T_LogForm::Browsing);
    form->Received_WWL->setFocus();
    QTest::keyClick(form->Received_WWL, Qt::Key_Escape);
    EXPECT_EQ(form->mode(), T_LogForm::ContestEntry);
    EXPECT_TRUE(form->Call->hasFocus());
    EXPECT_EQ(keyer.stops, 1);
    form->setKeyer(nullptr);
}

TEST_F(LogFormTest, FrequencyTooLargeForAnIntegerIsReported) {
    open();
    const double before = form->station()->frequency();
    type(form->Call, "99999999999");
    enter(form->Call);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].contains("99999999999"));
    EXPECT_EQ(form->station()->frequency(), before);
    EXPECT_EQ(contest.logTable.recordCount(), 0);
}

TEST_F(LogFormTest, LeavingTheChannelFieldChecksTheSimplexChannel) {
    open(1);
    form->Band->setCurrentIndex(0); // 144 MHz
    form->ModeCombo->setCurrentIndex(form->ModeCombo->findText("FM"));
    type(form->Received_Exchange, "500"); // 145500 kHz is channel V40
    QTest::keyClick(form->Received_Exchange, Qt::Key_Tab);
    EXPECT_EQ(form->Received_Exchange->text(), "40");
    EXPECT_EQ(form->statusText(), "Wrong simplex channel (contest rules don't allow using V40)!!!");
    EXPECT_TRUE(form->Received_Exchange->hasFocus());
    form->Received_Exchange->clear();
    type(form->Received_Exchange, "23");
    QTest::keyClick(form->Received_Exchange, Qt::Key_Tab);
    EXPECT_TRUE(form->Received_WWL->hasFocus());
}
