#pragma once
#include <QByteArray>
#include <QString>

// 8-bit text of files (descriptor, EDI, library): Windows-1252, with the five bytes it
// leaves undefined kept as the control characters of the same number, so that every
// byte survives a read and a write unchanged.
namespace Text8 {
QString decode(const QByteArray& bytes);
QByteArray encode(const QString& text);
} // namespace Text8
