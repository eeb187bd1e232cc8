#pragma once
#include <QString>

// The dupe key of a callsign: the longer side of a "/" wins, a tie goes to the side before
// it, and the rule repeats on the side after it ("Q7/Q1ABC/P" gives "Q1ABC").
QString BaseCall(const QString& call);

// The characters after the callsign's last digit, when that digit stands at position 2 or
// later; empty when the call has no digit or only a leading one.
QString CallSuffix(const QString& call);
