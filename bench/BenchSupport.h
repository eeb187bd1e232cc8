#pragma once
#include <QString>
#include <random>
#include <vector>

class CallLibrary;
class ContestFile;

// Helpers the benchmarks share.
namespace Bench {
// CPU time of this thread: what an action costs, without the waits a busy machine adds.
double threadCpuMs();
// The value below which the fraction p of the samples lie.
double percentile(std::vector<double> v, double p);
// Fills each band with count QSOs of random library stations, one transaction a band.
void fillLogFromLibrary(ContestFile& contest, const CallLibrary& library, std::mt19937& rng,
                        const std::vector<QString>& bands, int count);
} // namespace Bench
