#include "EdiTestSupport.h"
#include "common/TestSupport.h"
#include "core/Rounding.h"

namespace {

class EdiToolTest : public EdiContest {
  protected:
    void SetUp() override {
        EdiContest::SetUp();
        add(qso(1, "S51A", "JN86AH", "CW"));
        add(qso(2, "S52B", "JN75TX", "SSB"));
        add(qso(3, "S52B", "JN75TX", "SSB", 0));
        contest.writeDescriptor();
        contest.close();
    }
};

TEST_F(EdiToolTest, ExportImportAndScoreOnTheSameCode) {
    const QString edi = dir.filePath("out.edi");
    auto r = runTool({"edi-export", path, "--band", "144 MHz", "-o", edi}, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    const QStringList lines = ediLines(readAll(edi));
    EXPECT_EQ(lines[0], "[REG1TEST;1]");
    EXPECT_EQ(lines[27], "CQSOs=3;1");

    const int km1 = Distance("JN76TO", "JN86AH"), km2 = Distance("JN76TO", "JN75TX");
    r = runTool({"score", path, "--band", "144 MHz"}, dir.path());
    ASSERT_EQ(r.exitCode, 0);
    const int odx = std::max(km1, km2);
    const bool firstIsOdx = km1 >= km2;
    const QStringList expected{
        "ODX:  " + QString(firstIsOdx ? "S51A  JN86AH  " : "S52B  JN75TX  ") +
            QString::number(odx) + " km Points: " + QString::number(km1 + km2) + " " +
            QString::number(RoundHalfEven((km1 + km2) / 2.0)) + " km/QSO",
        "qsos=3",
        "scoring_qsos=2",
        "km_sum=" + QString::number(km1 + km2),
        "points_sum=" + QString::number(km1 + km2),
        "multipliers=0",
        "score=" + QString::number(km1 + km2),
        "average=" + QString::number(RoundHalfEven((km1 + km2) / 2.0)),
        QString("odx_call=") + (firstIsOdx ? "S51A" : "S52B"),
        QString("odx_locator=") + (firstIsOdx ? "JN86AH" : "JN75TX"),
        "odx_km=" + QString::number(odx),
        QString("odx_nr=") + (firstIsOdx ? "1" : "2")};
    EXPECT_EQ(r.lines(), expected);

    // Into a new contest: the count on success, the message and exit code 1 on failure.
    QTemporaryDir other;
    ContestFile fresh;
    ASSERT_TRUE(fresh.create(other.filePath("new.vhf")));
    r = runTool({"edi-import", other.filePath("new.vhf"), edi}, dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
    EXPECT_EQ(r.lines(), QStringList({"Imported 3 QSO's"}));
    ASSERT_TRUE(fresh.open(other.filePath("new.vhf")));
    EXPECT_EQ(fresh.header.TName, "Test Contest");
    EXPECT_TRUE(fresh.header.bands[2].Band);
    fresh.close();

    writeAll(dir.filePath("bad.edi"), "[REG1TEST;1]\r\nTname=x\r\n");
    r = runTool({"edi-import", other.filePath("new.vhf"), dir.filePath("bad.edi")}, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.lines(), QStringList({"Error: file bad.edi is not an vaild edi file (line2 must "
                                      "be 'TName=')"}));
}

TEST_F(EdiToolTest, ExportRefusesAnUnreadableDateAndBadArguments) {
    ContestFile c;
    ASSERT_TRUE(c.open(path));
    c.header.TDateStart = "someday";
    c.writeDescriptor();
    c.close();
    const QString edi = dir.filePath("out.edi");
    auto r = runTool({"edi-export", path, "--band", "144 MHz", "-o", edi}, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.lines(), QStringList({"'someday' is not a valid date"}));
    EXPECT_FALSE(QFile::exists(edi));
    r = runTool({"edi-export", path, "--band", "2m", "-o", edi}, dir.path());
    EXPECT_EQ(r.exitCode, 2);
    r = runTool({"score", path}, dir.path());
    EXPECT_EQ(r.exitCode, 2);
}

} // namespace
