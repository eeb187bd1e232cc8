#include "Callsign.h"

QString BaseCall(const QString& call) {
    QString rest = call;
    for (;;) {
        const int slash = rest.indexOf('/');
        if (slash < 0) return rest;
        const int before = slash;
        const int after = rest.size() - slash - 1;
        if (after <= before) return rest.left(slash);
        rest = rest.mid(slash + 1);
    }
}

QString CallSuffix(const QString& call) {
    for (int i = call.size() - 1; i >= 1; --i)
        if (call[i] >= QChar('0') && call[i] <= QChar('9')) return call.mid(i + 1);
    return {};
}
