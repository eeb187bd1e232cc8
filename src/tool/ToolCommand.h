#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// ostrelog-tool commands register themselves from their own source files.
// A command returns the exit code: 0 done, 1 the operation failed, 2 bad arguments.
struct ToolCommand {
    QString name;
    QString usage; // one line, shown by "ostrelog-tool help"
    std::function<int(QStringList& args)> run;
};

class ToolRegistry {
  public:
    static void add(ToolCommand c);
    static const std::vector<ToolCommand>& all();
};

struct ToolRegistration {
    explicit ToolRegistration(ToolCommand c) { ToolRegistry::add(std::move(c)); }
};

// Thrown for bad arguments: the message is printed and the tool exits 2.
struct UsageError {
    QString message;
};

// Argument helpers: take "--name VALUE" out of args; a missing required option throws.
std::optional<QString> takeOption(QStringList& args, const QString& name);
QString requireOption(QStringList& args, const QString& name);
bool takeFlag(QStringList& args, const QString& name);
// The next positional argument; throws with "what" when there is none.
QString takePositional(QStringList& args, const QString& what);
// Throws when arguments are left over.
void expectNoMore(const QStringList& args);

void out(const QString& line); // one line on stdout, 8-bit text
void err(const QString& line); // one line on stderr
