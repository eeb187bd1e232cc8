#include "TestSupport.h"

#include "platform/Text8.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

QStringList ToolResult::lines() const {
    QStringList l = out.split('\n');
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    return l;
}

ToolResult runTool(const QStringList& args, const QString& home) {
    QProcess p;
    QStringList all;
    if (!home.isEmpty()) all << "--home" << home;
    all << args;
    p.start(OSTRELOG_TOOL_PATH, all);
    p.waitForFinished(120000);
    ToolResult r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = Text8::decode(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QString fixture(const QString& name) {
    return QStringLiteral(OSTRELOG_FIXTURES) + "/" + name;
}
