#include "ToolCommand.h"

#include "core/Bands.h"
#include "interchange/EdiExport.h"
#include "interchange/EdiImport.h"
#include "log/Contest.h"
#include "log/ContestFile.h"

namespace {

// Opens the contest or says why not (ContestFile tells its own failures).
bool openContest(ContestFile& contest, const QString& path) {
    if (contest.open(path)) return true;
    err("ostrelog-tool: cannot open contest " + path);
    return false;
}

QString requireBand(QStringList& args) {
    const QString band = requireOption(args, "--band");
    if (!FindBand(band)) throw UsageError{"unknown band: " + band};
    return band;
}

const ToolRegistration ediExport{
    {"edi-export", "edi-export CONTEST.vhf --band BAND -o FILE.edi", [](QStringList& args) {
         const QString band = requireBand(args);
         const QString file = requireOption(args, "-o");
         const QString path = takePositional(args, "contest file");
         expectNoMore(args);
         ContestFile contest;
         if (!openContest(contest, path)) return 1;
         const auto r = EdiExport::exportBand(contest, band, file);
         if (!r.ok) {
             out(r.message);
             return 1;
         }
         return 0;
     }}};

const ToolRegistration ediImport{
    {"edi-import", "edi-import CONTEST.vhf FILE.edi", [](QStringList& args) {
         const QString path = takePositional(args, "contest file");
         const QString file = takePositional(args, "EDI file");
         expectNoMore(args);
         ContestFile contest;
         if (!openContest(contest, path)) return 1;
         const auto r = EdiImport::importFile(contest, file);
         if (!r.ok) {
             out(r.message);
             return 1;
         }
         out(EdiImport::statusText(r.qsoCount));
         return 0;
     }}};

const ToolRegistration score{{"score", "score CONTEST.vhf --band BAND", [](QStringList& args) {
                                  const QString band = requireBand(args);
                                  const QString path = takePositional(args, "contest file");
                                  expectNoMore(args);
                                  ContestFile contest;
                                  if (!openContest(contest, path)) return 1;
                                  ContestFile::setBandRange(contest.tekmovanjeTable, band);
                                  TContest s;
                                  s.contestType = std::uint8_t(contest.header.scoringType());
                                  try {
                                      RebuildSummary(s, contest.tekmovanjeTable);
                                  } catch (const TableError& e) {
                                      out(e.message);
                                      return 1;
                                  }
                                  out(ScoreLineText(s));
                                  out("qsos=" + QString::number(s.qsoCount));
                                  out("scoring_qsos=" + QString::number(s.scoringQsoCount));
                                  out("km_sum=" + QString::number(s.kmSum));
                                  out("points_sum=" + QString::number(s.pointsSum));
                                  out("multipliers=" + QString::number(s.multiplierCount));
                                  out("score=" + QString::number(s.score));
                                  out("average=" + QString::number(s.average));
                                  out("odx_call=" + s.odxCall);
                                  out("odx_locator=" + s.odxLocator);
                                  out("odx_km=" + QString::number(s.odxDistance));
                                  out("odx_nr=" + QString::number(s.odxSerial));
                                  return 0;
                              }}};

} // namespace
