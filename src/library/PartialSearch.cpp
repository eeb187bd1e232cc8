#include "PartialSearch.h"

#include "CallLibrary.h"
#include "Prefix.h"
#include "core/Bands.h"
#include "core/Callsign.h"
#include "log/LogTable.h"
#include "platform/Clock.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
constexpr size_t MaxCall = 15;

// Latin-1 bytes of a short text; other characters become '?'.
size_t toBytes(const QString& s, char* buf, size_t cap) {
    const size_t n = std::min(size_t(s.size()), cap);
    const QChar* d = s.constData();
    for (size_t i = 0; i < n; ++i) {
        const char16_t u = d[i].unicode();
        buf[i] = u < 256 ? char(u) : '?';
    }
    return n;
}

std::string bytesOf(const QString& s) {
    std::string out(size_t(s.size()), '\0');
    out.resize(toBytes(s, out.data(), out.size()));
    return out;
}

// The first place of needle in the bytes, or nullptr. Callsign pieces are short and the
// library's callsigns sit in one buffer, so candidates are found 16 bytes at a time by
// their first two characters.
const char* findPiece(const char* hay, size_t n, std::string_view needle) {
    const size_t m = needle.size();
    if (m == 0 || m > n) return nullptr;
    if (m == 1) return static_cast<const char*>(std::memchr(hay, needle[0], n));
    const size_t last = n - m;
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(needle[0]);
    const __m128i second = _mm_set1_epi8(needle[1]);
    for (; i + 17 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + i + 1));
        unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, second))));
        while (mask) {
            const size_t pos = i + size_t(__builtin_ctz(mask));
            if (pos > last) return nullptr;
            if (std::memcmp(hay + pos + 2, needle.data() + 2, m - 2) == 0) return hay + pos;
            mask &= mask - 1;
        }
    }
#endif
    for (; i <= last; ++i)
        if (hay[i] == needle[0] && std::memcmp(hay + i + 1, needle.data() + 1, m - 1) == 0)
            return hay + i;
    return nullptr;
}

// "Contains" as the search means it: an empty piece is never found.
bool holds(std::string_view text, std::string_view piece) {
    return !piece.empty() && text.find(piece) != std::string_view::npos;
}

// Earlier in the ByBaseCall index (within one base call): Date, Time, Sent_QSO_number.
bool earlier(const QsoRecord& a, const QsoRecord& b) {
    if (a.Date != b.Date) return a.Date.toJulianDay() < b.Date.toJulianDay();
    const int ta = a.Time.isValid() ? a.Time.msecsSinceStartOfDay() : -1;
    const int tb = b.Time.isValid() ? b.Time.msecsSinceStartOfDay() : -1;
    if (ta != tb) return ta < tb;
    if (a.Sent_QSO_number != b.Sent_QSO_number) return a.Sent_QSO_number < b.Sent_QSO_number;
    return a.rowId < b.rowId;
}
} // namespace

void PartialSearch::setLibrary(const CallLibrary* library) {
    library_ = library;
    reset();
}

void PartialSearch::reset() {
    clearLists();
    drawn_.clear();
    lastText_.clear();
    lastBand_.clear();
    libraryGeneration_ = library_ ? library_->generation() : -1;
}

void PartialSearch::clearLists() {
    logMatches_.clear();
    logSuffixMatches_.clear();
    librarySuffixMatches_.clear();
    result_.clear();
}

void PartialSearch::clearOutputs() {
    dupeFound_ = false;
    dupeCall_.clear();
    dupeSent_ = dupeReceived_ = 0;
    const QDateTime now = Platform::clock().localNow();
    dupeDate_ = now.date();
    dupeTime_ = now.time();
    firstCandidate_.clear();
    firstCandidateBase_.clear();
    locators_.clear();
    libraryBands_ = workedBands_ = 0;
}

QString PartialSearch::libraryBandsText() const {
    return BandBitsText(libraryBands_);
}

QString PartialSearch::workedBandsText() const {
    return BandBitsText(workedBands_);
}

QStringList PartialSearch::entries() const {
    QStringList out;
    out.reserve(qsizetype(result_.size()));
    for (const Entry& e : result_)
        out << QString::fromLatin1(e.key().data(), qsizetype(e.key().size()));
    return out;
}

// ---- search -------------------------------------------------------------------------------

bool PartialSearch::search(const QString& text, const QString& band, int currentNumber) {
    mode_ = Mode::Call;
    typedSuffix_.clear();
    clearOutputs();
    text_ = text;
    if (text.size() < 2) return false;

    typedBaseQ_ = BaseCall(text);
    typedBase_ = bytesOf(typedBaseQ_);
    baseSuffix_ = bytesOf(CallSuffix(typedBaseQ_));
    if (baseSuffix_.size() >= 2) typedSuffix_ = baseSuffix_;
    band_ = band;
    currentNumber_ = currentNumber;
    fragments_.clear();
    for (const QString& f : text.split('?', Qt::SkipEmptyParts))
        fragments_.push_back(bytesOf(f));

    // Dupe check along the base call: the first scoring QSO of this station on this band,
    // leaving out the QSO being edited (the one carrying the current number).
    if (log_ && log_->active()) {
        const QsoRecord* dupe = nullptr;
        for (const QsoRecord& r : log_->rows()) {
            if (r.BaseCall.size() != typedBaseQ_.size() || r.BaseCall != typedBaseQ_) continue;
            if (r.Band != band_ || r.QSO_points == 0 || r.Sent_QSO_number == currentNumber_)
                continue;
            if (!dupe || earlier(r, *dupe)) dupe = &r;
        }
        if (dupe) {
            dupeFound_ = true;
            dupeCall_ = dupe->Call;
            dupeSent_ = dupe->Sent_QSO_number;
            dupeReceived_ = dupe->Received_QSO_number;
            dupeDate_ = dupe->Date;
            dupeTime_ = dupe->Time;
        }
    }
    return true;
}

void PartialSearch::locatorSearch(const QString& locator, const QString& band) {
    mode_ = Mode::Locator;
    wantedLocator_ = locator;
    wantedLocatorB_ = bytesOf(locator);
    band_ = band;
}

// ---- helpers ------------------------------------------------------------------------------

bool PartialSearch::fragmentsMatch(std::string_view c) const {
    size_t from = 0;
    for (const std::string& f : fragments_) {
        if (from > c.size()) return false;
        const size_t q = c.find(f, from);
        if (q == std::string_view::npos) return false;
        // The next piece is looked for from the second character of this one on.
        from = q + 1;
    }
    return true;
}

void PartialSearch::addLocator(const QString& wwl) {
    if (!wwl.isEmpty() && !locators_.contains(wwl)) locators_ << wwl;
}

void PartialSearch::addLocator(std::string_view wwl) {
    addLocator(QString::fromLatin1(wwl.data(), qsizetype(wwl.size())));
}

void PartialSearch::setCandidate(const QString& call) {
    firstCandidate_ = call;
    firstCandidateBase_ = BaseCall(call);
}

PartialSearch::Entry PartialSearch::logEntry(const QString& call, std::string_view bytes, int cls) {
    Entry e;
    e.len = uint8_t(std::min(bytes.size(), MaxCall));
    std::memcpy(e.s, bytes.data(), e.len);
    e.s[e.len] = '=';
    e.s[e.len + 1] = char('0' + cls);
    e.cls = uint8_t(cls);
    const auto [at, n] = CallLibrary::basePlace(call);
    e.baseOff = uint8_t(std::min(at, int(e.len)));
    e.baseLen = uint8_t(std::min(n, int(e.len) - e.baseOff));
    e.sufOff = uint8_t(std::min(CallLibrary::suffixStart(call), int(e.len)));
    return e;
}

PartialSearch::Entry PartialSearch::libraryEntry(int p) const {
    Entry e;
    const std::string_view c = library_->callAt(p);
    e.len = uint8_t(std::min(c.size(), MaxCall));
    std::memcpy(e.s, c.data(), e.len);
    e.s[e.len] = '=';
    e.s[e.len + 1] = '3';
    e.cls = 3;
    const std::string_view b = library_->baseAt(p);
    e.baseOff = uint8_t(std::min(size_t(b.data() - c.data()), size_t(e.len)));
    e.baseLen = uint8_t(std::min(b.size(), size_t(e.len - e.baseOff)));
    e.sufOff = uint8_t(std::min(c.size() - library_->suffixAt(p).size(), size_t(e.len)));
    e.lib = p;
    return e;
}

void PartialSearch::scanLibrary(std::string_view needle, bool fragments,
                                std::vector<int>& out) const {
    out.clear();
    if (needle.empty() || library_->size() == 0) return;
    const std::string& buf = library_->callBuffer();
    const std::vector<uint32_t>& offs = library_->callOffsets();
    const char* b = buf.data();
    const size_t end = buf.size();
    size_t from = 0;
    size_t p = 0;
    while (from < end) {
        const char* hit = findPiece(b + from, end - from, needle);
        if (!hit) break;
        const size_t off = size_t(hit - b);
        while (offs[p + 1] <= off)
            ++p;
        if (!fragments || fragmentsMatch(library_->callAt(int(p)))) out.push_back(int(p));
        from = offs[p + 1];
    }
}

std::pair<size_t, size_t> PartialSearch::logRowsOf(const QString& call) const {
    const std::vector<QsoRecord>& rows = log_->rows();
    const auto lo =
        std::lower_bound(rows.begin(), rows.end(), call, [](const QsoRecord& r, const QString& c) {
            return r.Call.compare(c) < 0;
        });
    auto hi = lo;
    while (hi != rows.end() && hi->Call == call)
        ++hi;
    return {size_t(lo - rows.begin()), size_t(hi - rows.begin())};
}

// ---- the log pass -------------------------------------------------------------------------

void PartialSearch::logPass() {
    logMatches_.clear();
    logSuffixMatches_.clear();
    accepted_.clear();
    const std::vector<QsoRecord>& rows = log_->rows();
    char buf[MaxCall + 1];
    for (size_t i = 0; i < rows.size(); ++i) {
        const QsoRecord& r = rows[i];
        const std::string_view c(buf, toBytes(r.Call, buf, MaxCall));
        bool take = fragmentsMatch(c);
        if (!take && c.find(typedBase_) != std::string_view::npos)
            take = c.find('/') == std::string_view::npos ? c == typedBase_
                                                         : BaseCall(r.Call) == typedBaseQ_;
        if (take) {
            logMatches_.push_back(logEntry(r.Call, c, r.Band == band_ ? 1 : 2));
            accepted_.push_back(int(i));
            if (firstCandidate_.isEmpty()) {
                setCandidate(r.Call);
                addLocator(r.Received_WWL);
            }
        } else if (holds(c, typedSuffix_) &&
                   holds(c.substr(size_t(CallLibrary::suffixStart(r.Call))), typedSuffix_)) {
            logSuffixMatches_.push_back(logEntry(r.Call, c, r.Band == band_ ? 1 : 2));
            accepted_.push_back(int(i));
        }
    }
    // Whole entries are sorted, so "=1" comes before "=2" for one callsign.
    for (auto* list : {&logMatches_, &logSuffixMatches_}) {
        std::sort(list->begin(), list->end(),
                  [](const Entry& a, const Entry& b) { return a.key() < b.key(); });
        list->erase(std::unique(list->begin(), list->end(),
                                [](const Entry& a, const Entry& b) { return a.key() == b.key(); }),
                    list->end());
    }
}

namespace {
template <class E> void appendFirstPerCall(const std::vector<E>& from, std::vector<E>& to) {
    for (size_t i = 0; i < from.size(); ++i)
        if (i == 0 || from[i].call() != from[i - 1].call()) to.push_back(from[i]);
}
} // namespace

// ---- building the list -------------------------------------------------------------------

void PartialSearch::markLibraryInLog() {
    const int n = library_->size();
    inLog_.assign(size_t(n), 0);
    for (const auto* list : {&logMatches_, &logSuffixMatches_})
        for (const Entry& e : *list)
            for (int p = library_->lowerBound(e.call()); p < n && library_->callAt(p) == e.call();
                 ++p)
                inLog_[size_t(p)] = 1;
}

void PartialSearch::fullBuild() {
    clearLists();
    if (fragments_.empty()) return;
    logPass();
    appendFirstPerCall(logMatches_, result_);

    markLibraryInLog();
    const int n = library_->size();
    scanLibrary(fragments_.front(), true, hits_);
    scanLibrary(baseSuffix_, false, suffixHits_);
    // Both walks are one walk in library order.
    size_t i = 0, j = 0;
    while (i < hits_.size() || j < suffixHits_.size()) {
        const int fp = i < hits_.size() ? hits_[i] : n;
        const int sp = j < suffixHits_.size() ? suffixHits_[j] : n;
        const int p = std::min(fp, sp);
        const bool fragment = p == fp;
        if (fp == p) ++i;
        if (sp == p) ++j;
        const std::string_view c = library_->callAt(p);
        const bool listed = inLog_[size_t(p)] || (p > 0 && library_->callAt(p - 1) == c);
        if (fragment) {
            if (!listed) {
                result_.push_back(libraryEntry(p));
                if (firstCandidate_.isEmpty()) {
                    setCandidate(QString::fromLatin1(c.data(), qsizetype(c.size())));
                    addLocator(library_->wwlAt(p));
                }
            }
        } else if (!listed) {
            librarySuffixMatches_.push_back(libraryEntry(p));
        }
        if (library_->baseAt(p) == typedBase_) {
            addLocator(library_->wwlAt(p));
            libraryBands_ = library_->qrvAt(p);
        }
    }
    appendFirstPerCall(logSuffixMatches_, result_);
    result_.insert(result_.end(), librarySuffixMatches_.begin(), librarySuffixMatches_.end());
}

void PartialSearch::refine() {
    std::erase_if(result_, [this](const Entry& e) {
        return !fragmentsMatch(e.call()) && e.base() != typedBase_ &&
               !holds(e.suffix(), typedSuffix_);
    });
    // A first locator from the first listed station of the same prefix.
    const QString prefix = PrefixWithoutDigit(typedBaseQ_);
    if (prefix.isEmpty()) return;
    const std::vector<QsoRecord>& rows = log_->rows();
    for (const Entry& e : result_) {
        if (!locators_.isEmpty()) break;
        const QString call = e.callText();
        if (PrefixWithoutDigit(call) != prefix) continue;
        const auto [a, b] = logRowsOf(call);
        if (a < b && !rows[a].Received_WWL.isEmpty()) {
            addLocator(rows[a].Received_WWL);
        } else {
            const int p = e.lib >= 0 ? e.lib : library_->find(e.call());
            if (p >= 0) addLocator(library_->wwlAt(p));
        }
    }
}

void PartialSearch::examine() {
    const std::vector<QsoRecord>& rows = log_->rows();
    for (const Entry& e : result_) {
        if (e.base() == typedBase_) {
            const QString call = e.callText();
            // This is the station itself: what an earlier guess collected goes.
            if (firstCandidateBase_ != typedBaseQ_) {
                setCandidate(call);
                locators_.clear();
            }
            const auto [a, b] = logRowsOf(call);
            for (size_t k = a; k < b; ++k) {
                addLocator(rows[k].Received_WWL);
                workedBands_ |= BandBit(rows[k].Band);
            }
            for (int p = library_->lowerBound(e.call());
                 p < library_->size() && library_->callAt(p) == e.call(); ++p) {
                addLocator(library_->wwlAt(p));
                libraryBands_ |= library_->qrvAt(p);
            }
        } else if (firstCandidate_.isEmpty() && e.call().starts_with(typedBase_)) {
            const QString call = e.callText();
            setCandidate(call);
            bool fromLog = false;
            if (e.cls != 3) {
                const auto [a, b] = logRowsOf(call);
                if (a < b) {
                    addLocator(rows[a].Received_WWL);
                    fromLog = true;
                }
            }
            if (!fromLog) {
                const int p = library_->find(e.call());
                if (p >= 0) addLocator(library_->wwlAt(p));
            }
        }
    }
}

void PartialSearch::locatorBuild() {
    clearLists();
    const std::vector<QsoRecord>& rows = log_->rows();
    char buf[MaxCall + 1];
    for (const QsoRecord& r : rows)
        if (r.Received_WWL == wantedLocator_)
            logMatches_.push_back(logEntry(r.Call,
                                           std::string_view(buf, toBytes(r.Call, buf, MaxCall)),
                                           r.Band == band_ ? 1 : 2));
    std::sort(logMatches_.begin(), logMatches_.end(),
              [](const Entry& a, const Entry& b) { return a.key() < b.key(); });
    appendFirstPerCall(logMatches_, result_);
    markLibraryInLog();
    std::string_view previous;
    bool any = false;
    for (int p = 0; p < library_->size(); ++p) {
        if (library_->wwlAt(p) != wantedLocatorB_) continue;
        const std::string_view c = library_->callAt(p);
        if (inLog_[size_t(p)] || (any && c == previous)) continue;
        result_.push_back(libraryEntry(p));
        previous = c;
        any = true;
    }
}

void PartialSearch::build() {
    refined_ = false;
    if (!log_ || !log_->active() || !library_) return;
    if (library_->generation() != libraryGeneration_) reset();
    if (mode_ == Mode::Call) {
        const bool refine = typedSuffix_.size() != 2 && !typedBase_.empty() && band_ == lastBand_ &&
                            !lastText_.isEmpty() &&
                            (lastText_ == text_ || lastText_ == text_.chopped(1));
        if (refine) {
            this->refine();
            refined_ = true;
        } else {
            fullBuild();
        }
        examine();
        lastText_ = text_;
        lastBand_ = band_;
    } else {
        locatorBuild();
        lastText_.clear();
        lastBand_.clear();
    }
}

void PartialSearch::computeHidden() {
    if (!log_ || !log_->active() || !library_ || fragments_.empty()) return;
    logPass();
    const std::vector<QsoRecord>& rows = log_->rows();
    scanLibrary(fragments_.front(), true, hits_);
    size_t cur = 0;
    char buf[MaxCall + 1];
    auto callAtCursor = [&]() {
        return std::string_view(buf, toBytes(rows[size_t(accepted_[cur])].Call, buf, MaxCall));
    };
    for (const int p : hits_) {
        const std::string_view c = library_->callAt(p);
        // The log cursor stays on its last row once it runs out.
        while (cur + 1 < accepted_.size() && callAtCursor() < c)
            ++cur;
        if (library_->baseAt(p) != typedBase_) continue;
        const QString logWwl =
            accepted_.empty() ? QString() : rows[size_t(accepted_[cur])].Received_WWL;
        const std::string_view w = library_->wwlAt(p);
        if (locators_.isEmpty() || locators_.last() != logWwl)
            locators_ << QString::fromLatin1(w.data(), qsizetype(w.size()));
        libraryBands_ = library_->qrvAt(p);
    }
}

// ---- placing ------------------------------------------------------------------------------

void PartialSearch::layout(const Metrics& m) {
    drawn_.clear();
    if (m.lineHeight <= 0 || m.height < m.lineHeight || m.width <= 0) return;
    int narrowest = 1 << 30;
    for (int c = 0x21; c < 0x7F; ++c)
        if (m.advance[size_t(c)] > 0) narrowest = std::min(narrowest, m.advance[size_t(c)]);
    int x = 0, y = 0, column = 0;
    for (const Entry& e : result_) {
        if (y + m.lineHeight > m.height) {
            x += column + Metrics::ColumnGap;
            y = 0;
            column = 0;
        }
        if (x + narrowest > m.width) break; // nothing fits any more
        int w = 0;
        for (uint8_t k = 0; k < e.len; ++k)
            w += m.advance[static_cast<unsigned char>(e.s[k])];
        if (x + w > m.width) continue; // skipped; the next one may be narrower
        drawn_.push_back({x, y, x + w, y + m.lineHeight, e.callText(), e.cls});
        y += m.lineHeight;
        column = std::max(column, w);
    }
}
