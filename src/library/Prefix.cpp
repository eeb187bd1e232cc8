#include "Prefix.h"

namespace {
bool isDigit(QChar c) {
    return c >= QChar('0') && c <= QChar('9');
}
bool isLetter(QChar c) {
    return c >= QChar('A') && c <= QChar('Z');
}

QString prefixText(const QString& call) {
    QString p = call.left(4);
    const int slash = call.indexOf('/');
    if (slash >= 0) {
        const QString before = call.left(slash);
        const QString after = call.mid(slash + 1);
        if (after.size() > before.size()) {
            // A location prefix written in front.
            p = before.left(4);
            bool digit = false;
            for (int i = 1; i < p.size(); ++i)
                digit = digit || isDigit(p[i]);
            if (!digit) p += '0';
        } else if (after.size() >= 2 && after != QLatin1String("MM") &&
                   after != QLatin1String("QRP")) {
            p = after.left(4);
        } else if (!after.isEmpty() && isDigit(after[0])) {
            // A new call area: keep the letters before the old digit.
            p = (call.size() > 2 && isDigit(call[2]) ? call.left(2) : call.left(1)) + after[0];
        }
    }
    while (p.size() > 2 && !isDigit(p.back()))
        p.chop(1);
    if (p.size() == 2 && isLetter(p[1])) p += '0';
    return p;
}
} // namespace

CallPrefix PrefixOfCall(const QString& call) {
    const QString p = prefixText(call);
    return {p, !p.isEmpty() && isDigit(p.back()) ? QString(p.back()) : QString()};
}

CallPrefix CountryPrefixOfCall(const QString& call) {
    CallPrefix r = PrefixOfCall(call);
    if (r.digit.isEmpty()) r.digit = QStringLiteral("0");
    return r;
}

QString PrefixWithoutDigit(const QString& call) {
    const CallPrefix r = PrefixOfCall(call);
    return r.digit.isEmpty() ? r.prefix : r.prefix.left(r.prefix.size() - 1);
}
