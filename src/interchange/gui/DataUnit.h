#pragma once
#include "log/ContestHeader.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class T_BandData;
class TLocatorEdit;

// The "User information" dialog: the contest header on three pages with one equipment page
// per band. It closes only when the header is complete (a callsign, a six-character locator
// and one band); closing writes the controls back into the header and applies it.
class T_DataForm : public QDialog {
    Q_OBJECT
  public:
    // loadDefaults: a new contest takes the General and responsible-operator groups from
    // UserInfo.ini.
    T_DataForm(ContestHeader& header, const QString& userInfoPath, bool loadDefaults = false,
               QWidget* parent = nullptr);

    // Shows the dialog modally; true once the operator has closed it with a complete header.
    static bool edit(ContestHeader& header, const QString& userInfoPath, bool loadDefaults,
                     QWidget* parent = nullptr);

    // The controls into a header, and a header into the controls.
    void readHeader(ContestHeader& h) const;
    void showHeader(const ContestHeader& h);

    // Pages and controls, by the names the operator's manual uses.
    QTabWidget* Pages;
    QLineEdit* ContestName;
    QLineEdit* DateStart;
    QLineEdit* DateEnd;
    QLineEdit* Call;
    QLabel* CallLabel;
    TLocatorEdit* WWL_sent;
    QLabel* WWLLabel;
    QLineEdit* Adress1;
    QLineEdit* Adress2;
    QComboBox* ContestType;
    QLineEdit* RadioClub;
    QPlainTextEdit* Operators;
    QPushButton* StoreDefaultGeneral;
    QPushButton* LoadDefaultGeneral;

    QLineEdit* RName;
    QLineEdit* RCallSign;
    QLineEdit* RAdress1;
    QLineEdit* RAdress2;
    QLineEdit* RPostalCode;
    QLineEdit* RCity;
    QLineEdit* RCountry;
    QLineEdit* RPhone;
    QLineEdit* RHBBS;
    QPushButton* SaveDefaultResponsible;
    QPushButton* LoadDefaultResponsible;

    QGroupBox* Bands;
    std::array<QCheckBox*, 15> Frequency;  // band n at n - 1
    QTabWidget* Equipment;                 // page n - 1: TabBand<n>
    std::array<T_BandData*, 15> BandPages; // Band<n>
    QPushButton* CloseButton;

  signals:
    // The first six characters of the home locator, on every change (statistics).
    void homeLocatorChanged(const QString& locator);
    // The header was closed complete and written back: apply it (contest type, band lists).
    void headerApplied(const ContestHeader& header);

  public slots:
    void done(int r) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void callChange();
    void wwlChange();
    void bandClick();
    void loadGroup(void (ContestHeader::*load)(const IniFile&));
    void saveGroup(void (ContestHeader::*save)(IniFile&) const);

    ContestHeader& header_;
    QString userInfoPath_;
    int typeShown_ = 0;
};

// The main window's header step: shows the dialog modally over parent with UserInfo.ini of the
// home folder (the caller loads the defaults of a new contest itself).
std::function<bool(ContestHeader&)> headerDialogHook(QWidget* parent);
