#include "ToolCommand.h"

#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "platform/Text8.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
std::vector<ToolCommand>& registry() {
    static std::vector<ToolCommand> r;
    return r;
}

// The tool answers questions on the command line: messages go to stdout.
class ConsolePrompter : public Prompter {
  public:
    void showMessage(const QString& text) override { out(text); }
    bool askYesNo(const QString& text) override {
        if (!yes) out(text);
        return yes;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    bool yes = false;
};

void printHelp() {
    out("usage: ostrelog-tool [--home DIR] COMMAND ...");
    for (const ToolCommand& c : registry())
        out("  " + c.usage);
}
} // namespace

void ToolRegistry::add(ToolCommand c) {
    registry().push_back(std::move(c));
}
const std::vector<ToolCommand>& ToolRegistry::all() {
    return registry();
}

std::optional<QString> takeOption(QStringList& args, const QString& name) {
    const int i = args.indexOf(name);
    if (i < 0) return std::nullopt;
    if (i + 1 >= args.size()) throw UsageError{name + " needs a value"};
    QString v = args[i + 1];
    args.remove(i, 2);
    return v;
}

QString requireOption(QStringList& args, const QString& name) {
    auto v = takeOption(args, name);
    if (!v) throw UsageError{"missing " + name};
    return *v;
}

bool takeFlag(QStringList& args, const QString& name) {
    return args.removeAll(name) > 0;
}

QString takePositional(QStringList& args, const QString& what) {
    for (int i = 0; i < args.size(); ++i)
        if (!args[i].startsWith("--") || args[i] == "-") return args.takeAt(i);
    throw UsageError{"missing " + what};
}

void expectNoMore(const QStringList& args) {
    if (!args.isEmpty()) throw UsageError{"unexpected argument: " + args.first()};
}

void out(const QString& line) {
    const QByteArray b = Text8::encode(line) + '\n';
    fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stdout);
}

void err(const QString& line) {
    const QByteArray b = line.toLocal8Bit() + '\n';
    fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stderr);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    static ConsolePrompter prompter;
    static SystemClock clock;
    Platform::setPrompter(&prompter);
    Platform::setClock(&clock);
    try {
        if (auto home = takeOption(args, "--home")) Platform::setHomeFolder(*home);
        prompter.yes = takeFlag(args, "--yes");
        if (args.isEmpty() || args.first() == "help" || args.first() == "--help") {
            printHelp();
            return args.isEmpty() ? 2 : 0;
        }
        const QString name = args.takeFirst();
        for (const ToolCommand& c : registry())
            if (c.name == name) {
                const int rc = c.run(args);
                fflush(stdout);
                return rc;
            }
        throw UsageError{"unknown command: " + name};
    } catch (const UsageError& e) {
        err("ostrelog-tool: " + e.message);
        return 2;
    }
}
