#pragma once
// Runs the real corvane-cli. Given a TestEnv, the run reads that world's
// settings file and keeps its per-user files there; QT_QPA_PLATFORM is
// left out, as the program chooses its platform itself.
#include "support/TestEnv.h"

#include <QProcess>

struct CliRun {
    int code = -1;
    QString out, err;
};

inline CliRun RunCli(QStringList args, const testenv::TestEnv *env = nullptr, const QString &language = {})
{
    QProcess p;
    if (env) {
        args << "--settings" << env->Path("Program.ini");
        if (!language.isEmpty())
            args << "--language" << language;
        QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
        pe.insert("XDG_CONFIG_HOME", env->Path("config"));
        pe.remove("QT_QPA_PLATFORM");
        p.setProcessEnvironment(pe);
    }
    p.start(QStringLiteral(CORVANE_BIN_DIR "/corvane-cli"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The header of the table layout, which `show` prints and `import` reads.
inline const QString kTableHeader =
    "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\n";
