#pragma once

#include <QProcess>
#include <QStringList>

// One run of tessavrant-cli (the test defines TESSAVRANT_CLI): the exit status, -1 when it
// crashed or did not end within a minute, and what it wrote to each stream.
struct CliRun
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline CliRun runCli(
    const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TESSAVRANT_CLI), args);
    CliRun r;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        r.status = process.exitCode();
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}
