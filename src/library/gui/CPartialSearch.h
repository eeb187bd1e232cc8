#pragma once
#include "library/PartialSearch.h"

#include <QColor>
#include <QWidget>
#include <array>

class CallLibrary;
class LogCursor;

// The partial call search control: a painted list of candidate callsigns in columns,
// coloured by class, over the open contest's log and the call library.
//
// For the log window, on every change of the call field:
//     control->Search(Call->text(), band, currentSentNumber);
// and then read, at once (the control has done its work when Search returns):
//     dupeFound(), dupeCall(), dupeSentNumber(), dupeReceivedNumber(), dupeDate(), dupeTime()
//     locators()                      the station's locators, in the order found
//     libraryBandsText()              15 characters "0"/"1", "50 MHz" first (library QRV)
//     workedBandsText()               same layout: bands the station was worked on
//     libraryBands(), workedBands()   the same sets as numbers
//     entries()                       the list, "CALL=1" (this band), "=2" (other bands),
//                                     "=3" (library only), in drawing order
//     firstCandidate()                the callsign whose locators were collected
// A text shorter than two characters clears the outputs and leaves the list as it was.
// "-" in a full locator field: control->LocatorSearch(locator, band) lists every station
// known with that locator (the outputs are not touched).
//
// The list is built when the control's window (its parent, and that one's parent) is
// visible; otherwise the outputs are computed without a list (the hidden pass).
// A click on a listed callsign raises OnCallClicked(callsign).
class TCPartialSearch : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor InLogColor READ InLogColor WRITE setInLogColor)
    Q_PROPERTY(QColor InLog2BandColor READ InLog2BandColor WRITE setInLog2BandColor)
    Q_PROPERTY(QColor InLibColor READ InLibColor WRITE setInLibColor)

  public:
    explicit TCPartialSearch(QWidget* parent = nullptr);

    // The search cursor of the open contest (all bands, ByCall); nullptr before it closes.
    void setLogDataSet(LogCursor* log);
    LogCursor* LogDataSet() const { return engine_.log(); }
    // The attached call library; its mirror is read in place.
    void setLibDataSet(const CallLibrary* library);
    const CallLibrary* LibDataSet() const { return engine_.library(); }

    QColor InLogColor() const { return inLog_; }
    QColor InLog2BandColor() const { return inLog2Band_; }
    QColor InLibColor() const { return inLib_; }
    void setInLogColor(const QColor& c);
    void setInLog2BandColor(const QColor& c);
    void setInLibColor(const QColor& c);
    QColor colorOf(int cls) const;

    void Search(const QString& text, const QString& band, int currentNumber);
    void LocatorSearch(const QString& locator, const QString& band);

    bool dupeFound() const { return engine_.dupeFound(); }
    QString dupeCall() const { return engine_.dupeCall(); }
    int dupeSentNumber() const { return engine_.dupeSentNumber(); }
    int dupeReceivedNumber() const { return engine_.dupeReceivedNumber(); }
    QDate dupeDate() const { return engine_.dupeDate(); }
    QTime dupeTime() const { return engine_.dupeTime(); }
    QString firstCandidate() const { return engine_.firstCandidate(); }
    QStringList locators() const { return engine_.locators(); }
    int libraryBands() const { return engine_.libraryBands(); }
    int workedBands() const { return engine_.workedBands(); }
    QString libraryBandsText() const { return engine_.libraryBandsText(); }
    QString workedBandsText() const { return engine_.workedBandsText(); }
    QStringList entries() const { return engine_.entries(); }
    const std::vector<PartialSearch::TPartialCall>& drawnItems() const {
        return engine_.drawnItems();
    }
    const PartialSearch& engine() const { return engine_; }
    // The drawn item under the pointer (underlined), -1 for none.
    int underlinedItem() const { return hover_; }

    // True when the search builds the list: the parent, and its parent when there is one,
    // are visible.
    bool windowShown() const;
    // Forgets the list (after an import, for instance); the next search rebuilds it.
    void resetResults();

  signals:
    void OnCallClicked(const QString& call);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void updateMetrics();
    void relayout();
    int itemAt(const QPoint& p) const;
    void setHover(int item);

    PartialSearch engine_;
    PartialSearch::Metrics metrics_;
    bool metricsValid_ = false;
    bool pendingBuild_ = false;
    int hover_ = -1;
    QColor inLog_ = Qt::red;
    QColor inLog2Band_ = Qt::blue;
    QColor inLib_ = Qt::black;
};
