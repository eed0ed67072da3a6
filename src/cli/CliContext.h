#pragma once
// What every command of corvane-cli shares: the parsed options, the
// settings store, the language and its bundle, and the output streams.
#include "app/AppState.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace corvane {

// Exit statuses of corvane-cli.
namespace Exit {
constexpr int Ok = 0, Rejected = 1, Usage = 2, File = 3, Port = 4, Comm = 5, Interrupted = 6,
              Cancelled = 7;
}

struct CliContext {
    AppState app;
    QStringList args;        // positional arguments after the command name
    QStringList options;     // the remaining "--name value" / "--flag" words, in order
    QTextStream out{stdout};
    QTextStream err{stderr};

    // Value of "--name VALUE" among options; def when absent.
    QString Option(const QString &name, const QString &def = QString()) const;
    // Every value of a repeatable "--name VALUE", in order.
    QStringList Options(const QString &name) const;
    bool Flag(const QString &name) const;
    // Options other than the known ones, for a usage error.
    QStringList UnknownOptions(const QStringList &valued, const QStringList &flags) const;

    // String-table text in the chosen language.
    QString Message(int id) const { return app.bundle.String(id); }
};

// Parses the global options (--settings PATH, --language English|Chinese),
// loads the settings file and the language bundle. On failure prints the
// reason to err and returns the exit status; 0 when ready.
int PrepareContext(CliContext &ctx, const QStringList &argv);

} // namespace corvane
