#pragma once
#include <QString>
#include <random>
#include <vector>

class CallLibrary;
class ContestFile;
class T_LogForm;

// Helpers the benchmarks share.
namespace Bench {
// CPU time of this thread: what an action costs, without the waits a busy machine adds.
double threadCpuMs();
// The value below which the fraction p of the samples lie.
double percentile(std::vector<double> v, double p);
// Fills each band with count QSOs of random library stations, one transaction a band.
void fillLogFromLibrary(ContestFile& contest, const CallLibrary& library, std::mt19937& rng,
                        const std::vector<QString>& bands, int count);
// Writes a library file of about 100,000 stations from MASTER.SCP (tools/make-library);
// gives the reason when that fails.
QString makeLibraryFile(const QString& path);
// What the operator types: n callsigns of the library, every other one already in the log.
std::vector<QString> typedCallMix(const ContestFile& contest, const CallLibrary& library,
                                  std::mt19937& rng, int n);
// Shows the log window over its contest, ready for typing into the call field.
void showLogForm(T_LogForm& form);
} // namespace Bench
