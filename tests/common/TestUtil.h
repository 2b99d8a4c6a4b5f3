// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the test programs: raw files on disk and the built tools run as processes.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <csignal>
#include <sys/resource.h>

namespace testutil {

inline bool writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray readRaw(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Run
{
    int exitCode = -1; // -1: did not finish normally
    QByteArray out, err;
};

// Runs a tool from the build's program folder (or a program given by its absolute path), with
// that folder first on PATH.
inline Run runTool(const QString& tool, const QStringList& args, const QString& workingDir = {})
{
    QProcess p;
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), QStringLiteral(WMK38_BIN_DIR ":") + env.value(QStringLiteral("PATH")));
    p.setProcessEnvironment(env);
    p.start(tool.startsWith(u'/') ? tool : QStringLiteral(WMK38_BIN_DIR "/") + tool, args);
    Run r;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// Runs a shell command line the same way: for redirections and file names that are not UTF-8,
// which QProcess's arguments cannot carry.
inline Run runShell(const QString& commandLine, const QString& workingDir = {})
{
    return runTool(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), commandLine}, workingDir);
}

// Runs call with the file size limited to limit bytes, as a full disk would cut a write short
// (even root cannot pass this limit); SIGXFSZ is ignored meanwhile, so the write fails instead
// of ending the test. Both are restored before it returns.
template <class Call> auto withFileSizeLimit(rlim_t limit, Call call)
{
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = limit;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const auto result = call();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    return result;
}

// The names of the shipped es.def, lower case, in address order.
inline QStringList shippedDefinitionNames()
{
    QStringList names;
    for (const QByteArray& line : readRaw(QStringLiteral(WMK38_SOURCE_DIR "/data/es.def")).split('\n')) {
        if (line.startsWith(';') || !line.contains("equ"))
            continue;
        names << QString::fromLatin1(line.left(line.indexOf("equ")).trimmed());
    }
    return names;
}

} // namespace testutil
