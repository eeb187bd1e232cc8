#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Runs ostrelog-tool with the arguments; gives its exit code and output.
struct ToolResult {
    int exitCode = -1;
    QString out;
    QString err;
    QStringList lines() const;
};
ToolResult runTool(const QStringList& args, const QString& home = {});

// Reads and writes whole files for fixtures.
QByteArray readAll(const QString& path);
void writeAll(const QString& path, const QByteArray& bytes);

QString fixture(const QString& name); // tests/fixtures/<name>
