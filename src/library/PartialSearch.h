#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CallLibrary;
class LogCursor;
struct QsoRecord;

// The partial call search without its widget: dupe check, candidate list, locators and band
// bit sets for the call being typed, over the open contest's log (the search cursor: all
// bands, ByCall order) and the call library.
//
// How the log window uses it (through TCPartialSearch, which owns one):
//   search(text, band, currentNumber)  on every change of the call field;
//   then build() when the list is shown (TCPartialSearch does this at once), or
//   computeHidden() when it is not;
//   then read dupeFound(), dupeCall(), dupeSentNumber(), dupeReceivedNumber(), dupeDate(),
//   dupeTime(), firstCandidate(), locators(), libraryBands()/libraryBandsText(),
//   workedBands()/workedBandsText(), entries().
//   locatorSearch(locator, band) + build() lists every station known with a locator.
//
// Entries carry a class: 1 worked on the current band, 2 worked on other bands only, 3 only
// in the library; entries() writes them as "CALL=1".
class PartialSearch {
  public:
    enum class Mode { Call, Locator };

    // A drawn entry: its text rectangle (right and bottom exclusive), callsign and class.
    struct TPartialCall {
        int left = 0, top = 0, right = 0, bottom = 0;
        QString call;
        int cls = 3;
    };

    // How entries are measured when they are placed.
    struct Metrics {
        int width = 0;
        int height = 0;
        int lineHeight = 0;             // height of "W" in the control's font
        std::array<int, 256> advance{}; // width of each Latin-1 character
        static constexpr int ColumnGap = 3;
    };

    void setLog(LogCursor* log) { log_ = log; }
    LogCursor* log() const { return log_; }
    void setLibrary(const CallLibrary* library);
    const CallLibrary* library() const { return library_; }
    // Forgets every result list; the next build is a full one.
    void reset();

    // Call mode: clears the outputs, stores the text and, from two characters on, sets up the
    // search and runs the dupe check. True when the list or the hidden pass should follow.
    bool search(const QString& text, const QString& band, int currentNumber);
    // The outputs without a list, for a hidden window.
    void computeHidden();
    // Locator mode; the outputs are not touched.
    void locatorSearch(const QString& locator, const QString& band);
    // Builds the result list (refined when the operator only added a character) and takes
    // the locators and band sets from it. Nothing happens without a log or a library.
    void build();
    // Places the entries top to bottom in columns; fills drawnItems().
    void layout(const Metrics& m);

    // ---- outputs ---------------------------------------------------------------------
    Mode mode() const { return mode_; }
    bool dupeFound() const { return dupeFound_; }
    QString dupeCall() const { return dupeCall_; }
    int dupeSentNumber() const { return dupeSent_; }
    int dupeReceivedNumber() const { return dupeReceived_; }
    QDate dupeDate() const { return dupeDate_; }
    QTime dupeTime() const { return dupeTime_; }
    QString firstCandidate() const { return firstCandidate_; }
    const QStringList& locators() const { return locators_; }
    int libraryBands() const { return libraryBands_; }
    int workedBands() const { return workedBands_; }
    // 15 characters "0"/"1", "50 MHz" first.
    QString libraryBandsText() const;
    QString workedBandsText() const;
    // The result list in drawing order, "CALL=n".
    QStringList entries() const;
    int entryCount() const { return int(result_.size()); }
    const std::vector<TPartialCall>& drawnItems() const { return drawn_; }
    // True when the last build refined the previous list instead of rebuilding it.
    bool lastBuildRefined() const { return refined_; }

    QString typedText() const { return text_; }
    QString typedBase() const { return typedBaseQ_; }
    QString band() const { return band_; }

  private:
    struct Entry {
        char s[18]; // callsign, then "=" and the class digit
        uint8_t len = 0;
        uint8_t cls = 3;
        uint8_t baseOff = 0, baseLen = 0, sufOff = 0;
        int32_t lib = -1; // library position, -1 for an entry from the log
        std::string_view call() const { return {s, len}; }
        std::string_view key() const { return {s, size_t(len) + 2}; }
        std::string_view base() const { return {s + baseOff, baseLen}; }
        std::string_view suffix() const { return {s + sufOff, size_t(len - sufOff)}; }
        QString callText() const { return QString::fromLatin1(s, len); }
    };

    void clearOutputs();
    void clearLists();
    bool fragmentsMatch(std::string_view c) const;
    void addLocator(const QString& wwl);
    void addLocator(std::string_view wwl);
    static Entry logEntry(const QString& call, std::string_view bytes, int cls);
    Entry libraryEntry(int p) const;
    // Library positions whose callsign holds needle (and, with fragments, passes them all).
    void scanLibrary(std::string_view needle, bool fragments, std::vector<int>& out) const;
    void logPass();
    void fullBuild();
    void refine();
    void examine();
    void locatorBuild();
    void setCandidate(const QString& call);
    // The QSOs of exactly this callsign, as a range of the log's rows.
    std::pair<size_t, size_t> logRowsOf(const QString& call) const;
    // Marks the library positions whose callsign is among the log's entries.
    void markLibraryInLog();

    LogCursor* log_ = nullptr;
    const CallLibrary* library_ = nullptr;
    int libraryGeneration_ = -1;

    Mode mode_ = Mode::Call;
    QString text_, band_, typedBaseQ_, wantedLocator_;
    int currentNumber_ = 0;
    std::string typedBase_, typedSuffix_, baseSuffix_, wantedLocatorB_;
    std::vector<std::string> fragments_;
    QString lastText_, lastBand_;
    bool refined_ = false;

    bool dupeFound_ = false;
    QString dupeCall_;
    int dupeSent_ = 0, dupeReceived_ = 0;
    QDate dupeDate_;
    QTime dupeTime_;
    QString firstCandidate_, firstCandidateBase_;
    QStringList locators_;
    int libraryBands_ = 0, workedBands_ = 0;

    std::vector<Entry> logMatches_, logSuffixMatches_, librarySuffixMatches_, result_;
    std::vector<int> accepted_;  // rows of the log taken by the last log pass
    std::vector<uint8_t> inLog_; // per library position: callsign among the log's entries
    std::vector<int> hits_, suffixHits_;
    std::vector<TPartialCall> drawn_;
};
