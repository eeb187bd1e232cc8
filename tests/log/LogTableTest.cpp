#include "log/LogTable.h"
#include "common/TestSupport.h"
#include "log/ContestFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {
QsoRecord qso(const QString& band, int nr, const QString& call, int minute = 0) {
    QsoRecord r;
    r.Date = QDate(2026, 5, 2);
    r.Time = QTime(14, minute);
    r.Band = band;
    r.Sent_QSO_number = nr;
    r.Call = call;
    r.BaseCall = call;
    r.Mode = "SSB";
    r.Received_WWL = "JN75DS";
    r.Last_updated = QDateTime(QDate(2026, 5, 2), QTime(16, 0));
    return r;
}

struct Table {
    QTemporaryDir dir;
    QString dat = dir.filePath("log.dat");
    LogCursor cursor;
    Table() {
        TableEngine::create(dat);
        cursor.setTable(dir.path(), "log.dat");
        cursor.open();
    }
};

QStringList calls(const LogCursor& c) {
    QStringList out;
    for (const QsoRecord& r : c.rows())
        out << r.Call;
    return out;
}
} // namespace

TEST(LogTable, CreatesColumnsIndexesAndTextIndexSettings) {
    Table t;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(t.dat).constData(), &db), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='index' ORDER BY name", -1,
                       &st, nullptr);
    QStringList indexes;
    while (sqlite3_step(st) == SQLITE_ROW)
        indexes << reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    sqlite3_prepare_v2(db, "PRAGMA table_info(QSO)", -1, &st, nullptr);
    QStringList columns;
    while (sqlite3_step(st) == SQLITE_ROW)
        columns << reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
    sqlite3_finalize(st);
    sqlite3_close(db);
    EXPECT_EQ(indexes, QStringList({"ByBand", "ByBaseCall", "ByCall", "ByWWL", "Primary"}));
    EXPECT_EQ(columns, LogColumns::names());
    EXPECT_EQ(columns.size(), 25);
    EXPECT_EQ(TableEngine::spaceChars().size(), 45);
    EXPECT_EQ(TableEngine::includeChars().size(), 190);
    EXPECT_EQ(TableEngine::stopWords().size(), 22);
    const QByteArray idx = readAll(TableEngine::idxPathFor(t.dat));
    EXPECT_TRUE(idx.contains("ByBand=Band;Sent_QSO_number;Date;Time"));
    EXPECT_TRUE(idx.contains("StopWords=A AN AND BE"));
}

TEST(LogTable, BandRangeAndCursorMoves) {
    Table t;
    for (auto [band, nr, call] :
         std::vector<std::tuple<QString, int, QString>>{{"432 MHz", 2, "Q2B"},
                                                        {"70 MHz", 1, "Q7A"},
                                                        {"432 MHz", 1, "Q2A"},
                                                        {"144 MHz", 1, "Q1A"},
                                                        {"432 MHz", 3, "Q2C"}})
        t.cursor.appendRecord(qso(band, nr, call));
    ContestFile::setBandRange(t.cursor, "432 MHz");
    EXPECT_EQ(ContestFile::bandRangeEnd("432 MHz"), "432 MH{");
    EXPECT_EQ(t.cursor.recordCount(), 3);
    EXPECT_EQ(calls(t.cursor), QStringList({"Q2A", "Q2B", "Q2C"}));
    EXPECT_EQ(t.cursor.current().Call, "Q2C"); // the range starts at its last row
    EXPECT_TRUE(t.cursor.eof());
    t.cursor.first();
    EXPECT_TRUE(t.cursor.bof());
    EXPECT_EQ(t.cursor.recNo(), 1);
    t.cursor.prior();
    EXPECT_TRUE(t.cursor.bof());
    EXPECT_EQ(t.cursor.moveBy(5), 2);
    EXPECT_EQ(t.cursor.current().Call, "Q2C");
    t.cursor.next();
    EXPECT_TRUE(t.cursor.eof());
    t.cursor.setRecNo(2);
    EXPECT_EQ(t.cursor.current().Call, "Q2B");
    EXPECT_FALSE(t.cursor.bof() || t.cursor.eof());
    EXPECT_TRUE(t.cursor.locate("Call", "Q2A"));
    EXPECT_EQ(t.cursor.recNo(), 1);
    EXPECT_FALSE(t.cursor.locate("Call", "Q7A")); // outside the range

    t.cursor.cancelRange();
    t.cursor.setIndex("ByCall");
    EXPECT_EQ(calls(t.cursor), QStringList({"Q1A", "Q2A", "Q2B", "Q2C", "Q7A"}));
    t.cursor.setFilter("Band='70 MHz'");
    EXPECT_EQ(calls(t.cursor), QStringList({"Q7A"}));
    t.cursor.setFilter("");
    EXPECT_EQ(t.cursor.recordCount(), 5);
}

TEST(LogTable, OwnWritesReachEveryCursorAtOnce) {
    Table t;
    LogCursor byCall, byBand;
    for (LogCursor* c : {&byCall, &byBand}) {
        c->setTable(t.dir.path(), "log.dat");
        c->open();
    }
    byCall.setIndex("ByCall");
    ContestFile::setBandRange(byBand, "144 MHz");
    t.cursor.appendRecord(qso("144 MHz", 1, "Q9ZZ"));
    t.cursor.appendRecord(qso("144 MHz", 2, "Q9AA"));
    t.cursor.appendRecord(qso("432 MHz", 1, "Q9MM"));
    EXPECT_EQ(calls(byCall), QStringList({"Q9AA", "Q9MM", "Q9ZZ"}));
    EXPECT_EQ(calls(byBand), QStringList({"Q9ZZ", "Q9AA"}));

    ASSERT_TRUE(byBand.locate("Call", "Q9ZZ"));
    byBand.edit();
    byBand.setValue("Call", "Q9BB");
    byBand.setValue("QSO_points", 40000);
    byBand.post();
    EXPECT_EQ(byBand.current().Call, "Q9BB");
    EXPECT_EQ(calls(byCall), QStringList({"Q9AA", "Q9BB", "Q9MM"}));
    ASSERT_TRUE(byCall.locate("Call", "Q9BB"));
    EXPECT_EQ(byCall.current().QSO_points, 40000); // full 32 bits in every cursor
    byCall.remove();
    EXPECT_EQ(calls(byBand), QStringList({"Q9AA"}));
    EXPECT_EQ(byBand.recordCount(), 1);
}

TEST(LogTable, TextIsCutToWidthAndNumbersKeepTheirRange) {
    Table t;
    QsoRecord r = qso("144 MHz", 1, "Q9ABCDEFGHIJKLMNOP");
    r.Remarks = QString(50, 'x');
    r.QSO_points = 98765;
    r.QSO_distance = 20000;
    t.cursor.appendRecord(r);
    const QsoRecord& s = t.cursor.current();
    EXPECT_EQ(s.Call, "Q9ABCDEFGHIJKL");
    EXPECT_EQ(s.Remarks.size(), 40);
    EXPECT_EQ(s.QSO_points, 98765);
    LogCursor fresh;
    fresh.setTable(t.dir.path(), "log.dat");
    fresh.open();
    EXPECT_EQ(fresh.current().QSO_points, 98765);
    EXPECT_EQ(fresh.current().Date, QDate(2026, 5, 2));
    EXPECT_EQ(fresh.current().Time, QTime(14, 0));
}

TEST(LogTable, RepeatedPrimaryKeyIsRefusedWithTheEngineMessage) {
    Table t;
    t.cursor.appendRecord(qso("144 MHz", 1, "Q9AA"));
    try {
        t.cursor.appendRecord(qso("144 MHz", 1, "Q9AA"));
        FAIL() << "stored twice";
    } catch (const TableError& e) {
        EXPECT_EQ(e.kind, TableError::Other);
        EXPECT_TRUE(e.message.contains("UNIQUE")) << e.message.toStdString();
    }
    EXPECT_EQ(t.cursor.recordCount(), 1);
    t.cursor.appendRecord(qso("144 MHz", 1, "Q9AB")); // another call is another key
    EXPECT_EQ(t.cursor.recordCount(), 2);
}

TEST(LogTable, OrderedQueryByBandAndDirection) {
    Table t;
    t.cursor.appendRecord(qso("144 MHz", 2, "Q9B", 5));
    t.cursor.appendRecord(qso("144 MHz", 1, "Q9A", 1));
    t.cursor.appendRecord(qso("432 MHz", 1, "Q9C", 3));
    auto all =
        queryLog(t.dir.path(), "SELECT * FROM \"log.dat\" ORDER BY Date,Time,Sent_QSO_Number,Call");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].Call, "Q9A");
    EXPECT_EQ(all[2].Call, "Q9B");
    auto band =
        queryLog(t.dir.path(), "SELECT * FROM \"log.dat\" WHERE Band='144 MHz' ORDER BY Time DESC");
    ASSERT_EQ(band.size(), 2u);
    EXPECT_EQ(band[0].Call, "Q9B");
    EXPECT_THROW(queryLog(t.dir.path(), "DELETE FROM x"), TableError);
}

TEST(LogTable, RefreshBringsInRowsOfAnotherProgram) {
    QTemporaryDir dir;
    const QString vhf = dir.filePath("c.vhf");
    ContestFile c;
    ASSERT_TRUE(c.create(vhf));
    ASSERT_TRUE(c.open(vhf));
    ContestFile::setBandRange(c.logTable, "144 MHz");
    EXPECT_EQ(c.logTable.recordCount(), 0);
    QProcess p;
    p.start(OSTRELOG_WRITER_PATH, {vhf, "144 MHz", "Q9W", "3"});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0);
    EXPECT_EQ(c.logTable.recordCount(), 0); // not before a refresh
    c.logTable.refresh();
    EXPECT_EQ(c.logTable.recordCount(), 3);
    c.logTable.last();
    EXPECT_EQ(c.logTable.current().Call, "Q9W3");
}

TEST(LogTable, TwoProgramsPostingAtOnceLoseNothing) {
    QTemporaryDir dir;
    const QString vhf = dir.filePath("c.vhf");
    ContestFile c;
    ASSERT_TRUE(c.create(vhf));
    QProcess a, b;
    a.start(OSTRELOG_WRITER_PATH, {vhf, "144 MHz", "Q9A", "150"});
    b.start(OSTRELOG_WRITER_PATH, {vhf, "432 MHz", "Q9B", "150"});
    ASSERT_TRUE(a.waitForFinished(120000) && b.waitForFinished(120000));
    EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
    EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();
    ASSERT_TRUE(c.open(vhf));
    EXPECT_EQ(c.searchTable.recordCount(), 300);
    QSet<QString> seen;
    for (const QsoRecord& r : c.searchTable.rows())
        seen.insert(r.Call);
    EXPECT_EQ(seen.size(), 300);
}

TEST(LogTable, KilledWhilePostingKeepsEveryPostedQso) {
    QTemporaryDir dir;
    const QString vhf = dir.filePath("c.vhf");
    ContestFile c;
    ASSERT_TRUE(c.create(vhf));
    QProcess p;
    p.start(OSTRELOG_WRITER_PATH, {vhf, "144 MHz", "Q9K", "100000", "--print"});
    int posted = 0;
    while (posted < 40 && p.waitForReadyRead(30000))
        while (p.canReadLine()) {
            const QByteArray line = p.readLine().trimmed();
            if (line.startsWith("posted ")) posted = line.mid(7).toInt();
        }
    ASSERT_GE(posted, 40);
    ::kill(pid_t(p.processId()), SIGKILL);
    p.waitForFinished();
    ASSERT_TRUE(c.open(vhf));
    EXPECT_GE(c.searchTable.recordCount(), posted);
    for (int i = 1; i <= posted; ++i)
        EXPECT_TRUE(c.searchTable.locate("Call", "Q9K" + QString::number(i))) << i;
}

TEST(LogTable, RepairRecoversIntactRowsOfATruncatedTable) {
    Table t;
    std::vector<QsoRecord> rows;
    for (int i = 1; i <= 2000; ++i) {
        rows.push_back(qso("144 MHz", i, "Q9R" + QString::number(i)));
        rows.back().Remarks = QString(40, 'r');
    }
    t.cursor.appendRecords(rows);
    t.cursor.close();
    const QByteArray full = readAll(t.dat);
    writeAll(t.dat, full.left(full.size() * 2 / 3));
    EXPECT_EQ(TableEngine::repair(t.dat + "x").repaired, false); // a missing file is not damage
    LogCursor c;
    c.setTable(t.dir.path(), "log.dat");
    try {
        c.open();
        FAIL() << "opened a truncated table";
    } catch (const TableError& e) {
        EXPECT_EQ(e.kind, TableError::Damaged);
    }
    const auto r = TableEngine::repair(t.dat);
    EXPECT_TRUE(r.repaired);
    EXPECT_GT(r.recordCount, 500);
    EXPECT_LT(r.recordCount, 2000);
    EXPECT_TRUE(QFile::exists(t.dat + ".damaged"));
    c.open();
    EXPECT_EQ(c.recordCount(), r.recordCount);
    EXPECT_FALSE(TableEngine::repair(t.dat).repaired); // sound now
}

TEST(LogTable, CopyIsAConsistentTableWithItsIndexFile) {
    Table t;
    t.cursor.appendRecord(qso("144 MHz", 1, "Q9C"));
    QTemporaryDir other;
    TableEngine::copy(t.dat, other.filePath("copy.dat"));
    EXPECT_TRUE(TableEngine::exists(other.path(), "copy.dat"));
    LogCursor c;
    c.setTable(other.path(), "copy.dat");
    c.open();
    EXPECT_EQ(calls(c), QStringList({"Q9C"}));
}
