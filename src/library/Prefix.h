#pragma once
#include <QString>

// The prefix of a callsign as contest rules count it: leading characters up to the call-area
// digit, with location prefixes in front ("QE/Q51ABC") and suffixes ("/4", "/AB") taken
// into account. At most four characters.
struct CallPrefix {
    QString prefix; // "Q51"
    QString digit;  // the call-area digit: the prefix's last character when that is a digit
};

// Empty digit when the prefix does not end in a digit (the partial search's form).
CallPrefix PrefixOfCall(const QString& call);
// "0" when the prefix does not end in a digit (the country statistics' form).
CallPrefix CountryPrefixOfCall(const QString& call);
// The prefix without its call-area digit: "Q5" for Q51ABC, "QE" for QE/Q51ABC.
QString PrefixWithoutDigit(const QString& call);
