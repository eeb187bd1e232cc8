// add: one QSO entered as the log window's entry line would, then posted.
#include "ToolCommand.h"

#include "core/Bands.h"
#include "library/PartialSearch.h"
#include "log/Contest.h"
#include "log/ContestFile.h"
#include "log/QsoPosting.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"

#include <QFileInfo>

namespace {
// Passes questions on and remembers whether one was asked.
class CountingPrompter : public Prompter {
  public:
    explicit CountingPrompter(Prompter& inner) : inner_(inner) {}
    void showMessage(const QString& text) override { inner_.showMessage(text); }
    bool askYesNo(const QString& text) override {
        ++asked;
        return inner_.askYesNo(text);
    }
    std::optional<QString> inputBox(const QString& c, const QString& p, const QString& i) override {
        return inner_.inputBox(c, p, i);
    }
    int asked = 0;

  private:
    Prompter& inner_;
};

int add(QStringList& args) {
    const QString path = takePositional(args, "contest file");
    EntryValues e;
    e.band = requireOption(args, "--band");
    e.mode = requireOption(args, "--mode").toUpper();
    e.call = requireOption(args, "--call").toUpper();
    e.receivedNumber = requireOption(args, "--rcvd-nr");
    e.locator = requireOption(args, "--locator").toUpper();
    e.date = QDate::fromString(requireOption(args, "--date"), "yyyy-MM-dd");
    e.time = requireOption(args, "--time");
    const auto sentRst = takeOption(args, "--sent-rst");
    const auto rcvdRst = takeOption(args, "--rcvd-rst");
    e.exchange = takeOption(args, "--exchange").value_or(QString());
    const auto op = takeOption(args, "--operator");
    const auto freq = takeOption(args, "--freq");
    expectNoMore(args);
    if (!FindBand(e.band)) throw UsageError{"unknown band: " + e.band};
    if (!FindMode(e.mode)) throw UsageError{"unknown mode: " + e.mode};
    if (!e.date.isValid()) throw UsageError{"--date needs YYYY-MM-DD"};
    if (!QTime::fromString(e.time, "hh:mm").isValid()) throw UsageError{"--time needs hh:mm"};
    bool ok = true;
    if (!e.receivedNumber.isEmpty()) e.receivedNumber.toInt(&ok);
    if (!ok) throw UsageError{"--rcvd-nr needs a whole number"};
    if (freq) {
        e.frequencyKHz = freq->toDouble(&ok);
        if (!ok) throw UsageError{"--freq needs a frequency in kHz"};
    } else {
        e.frequencyKHz = DefaultFrequency(e.band);
    }
    if (!QFileInfo::exists(path)) throw UsageError{"no such file: " + path};

    ContestFile contest;
    if (!contest.open(path)) return 1;
    e.bandList = contest.header.contestBandNames();
    ContestFile::setBandRange(contest.logTable, e.band);
    ContestFile::setBandRange(contest.tekmovanjeTable, e.band);
    e.sentNumber = QString::number(contest.logTable.recordCount() + 1);
    e.sentRst = sentRst.value_or(DefaultReport(SentReportDigits(e.mode)));
    e.receivedRst = rcvdRst.value_or(DefaultReport(ReceivedReportDigits(e.mode)));
    e.op = op.value_or(contest.activeOperator);

    // Distance and heading as the locator field shows them.
    if (const auto tags = TagsOfLocator(contest.header.PWWL, e.locator)) {
        e.distanceTag = tags->distance;
        e.headingTag = tags->heading;
    }

    // The call lookup: a dupe moves the log view to the earlier QSO.
    PartialSearch search;
    search.setLog(&contest.searchTable);
    search.search(e.call, e.band, e.sentNumber.toInt());
    if (search.dupeFound()) {
        e.dupeLabel = "Dupe";
        contest.logTable.locate("Sent_QSO_number", search.dupeSentNumber());
    }

    TContest summary;
    summary.contestType = std::uint8_t(contest.header.scoringType());
    RebuildSummary(summary, contest.tekmovanjeTable);

    Prompter& console = Platform::prompter();
    CountingPrompter prompter(console);
    Platform::setPrompter(&prompter);
    const bool accepted = QsoPosting::ValidateEntry(contest, e);
    const bool stored = accepted && QsoPosting::PostNew(contest, e, summary.counted);
    Platform::setPrompter(&console);
    if (!accepted && prompter.asked == 0) out("refused");
    if (!stored) return 1;
    RebuildSummary(summary, contest.tekmovanjeTable);
    return 0;
}

const ToolRegistration registerAdd{
    {"add",
     "add CONTEST.vhf --band B --mode M --call C --rcvd-nr N --locator L --date YYYY-MM-DD "
     "--time hh:mm [--sent-rst R] [--rcvd-rst R] [--exchange X] [--operator OP] [--freq KHZ] "
     "[--yes]",
     add}};
} // namespace
