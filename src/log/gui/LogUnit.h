#pragma once
#include <QWidget>

class ContestFile;
class QComboBox;
class QLabel;
class QLineEdit;

// The log window: the entry line for the next QSO over the band's log.
class T_LogForm : public QWidget {
    Q_OBJECT
  public:
    enum Mode { ContestEntry = 0, Browsing = 1, Loading = 2, PostContest = 3 };

    explicit T_LogForm(QWidget* parent = nullptr);

    void setContest(ContestFile* contest) { contest_ = contest; }
    ContestFile* contest() const { return contest_; }
    int mode() const { return mode_; }
    void setMode(int mode);

    // After a contest was opened (or failed to open): band list from the contest bands,
    // advanced by one entry, then the stored band selected; mode list at ActiveMode.
    void contestOpened();
    void contestClosed();
    // Refills the band list with the names, keeping the selected position.
    void rebuildBandList(const QStringList& bands);
    QString currentBand() const;
    void bandChange();
    void modeChange();
    // Esc: leave browsing, focus the call field.
    void escape();
    bool focusCall();
    void setEntryFont(const QString& family);
    QString entryFont() const { return entryFont_; }

    QLineEdit* Time_;
    QLineEdit* Call;
    QLineEdit* Sent_QSO_number;
    QComboBox* Band;
    QComboBox* ModeCombo;
    QLabel* Date_;
    QLabel* LabelScore;
    QWidget* EntryPanel;

  signals:
    void bandChanged(const QString& band);

  private:
    ContestFile* contest_ = nullptr;
    int mode_ = Loading;
    QString entryFont_ = "Arial";
};
