// libFuzzer target for the EDI reader: any bytes must give a result or a message naming a
// line, never a crash, a hang or a read out of bounds.
#include "interchange/EdiReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ContestHeader header;
    header.PWWL = "JN76TO";
    header.Operators = "S59ABC";
    const EdiReader::Result r = EdiReader::Read(bytes, "fuzz.edi", header);
    if (r.ok) {
        if (r.bandNumber < 1 || r.bandNumber > 15 || r.band.isEmpty()) std::abort();
        for (const QsoRecord& q : r.qsos)
            if (!q.Date.isValid() || !q.Time.isValid() || q.Band != r.band) std::abort();
    } else if (r.line < 1 || r.message.isEmpty()) {
        std::abort();
    }
    return 0;
}
