// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs mk38sim for a test: the device it serves, its console, and the frames its log saw.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>

namespace testutil {

class SimProcess
{
public:
    explicit SimProcess(const QStringList& extraArgs = {}) : m_args(extraArgs) {}
    ~SimProcess()
    {
        m_process.terminate(); // SIGTERM: the simulator removes its link (QProcess kills it after)
        m_process.waitForFinished(5000);
    }

    // Runs the simulator with extraArgs and a log of its own; true once it named its device.
    bool start()
    {
        m_process.start(QStringLiteral(WMK38_BIN_DIR "/mk38sim"),
                        m_args + QStringList{QStringLiteral("--log"), logPath()});
        m_device = QString::fromLocal8Bit(readLine(5000)).trimmed();
        return m_device.startsWith(u'/');
    }

    QString device() const { return m_device; }

    // The simulator's answer to a console line, without the last line break: one line, or for "show"
    // every line up to its closing ".". Empty when nothing came within 5 s.
    QByteArray command(const QByteArray& line)
    {
        m_process.write(line + '\n');
        m_process.waitForBytesWritten(5000);
        QByteArray answer, got;
        do
            answer += got = readLine(5000);
        while (line.trimmed() == "show" && !got.isEmpty() && got != ".\n");
        return answer.endsWith('\n') ? answer.chopped(1) : answer;
    }

    // The frames received and the answers sent, as raw bytes in order, from the log so far.
    QList<QByteArray> received() const { return logged("rx"); }
    QList<QByteArray> sent() const { return logged("tx"); }
    QByteArray lastReceived() const { return received().value(received().size() - 1); }
    // Each log line's time, in milliseconds of the day.
    QList<int> loggedMs() const
    {
        QList<int> ms;
        for (const QByteArray& line : logLines())
            ms << QTime(0, 0).msecsTo(QTime::fromString(QString::fromLatin1(line.left(12)), QStringLiteral("HH:mm:ss.zzz")));
        return ms;
    }

    QProcess& process() { return m_process; }

private:
    QString logPath() const { return m_dir.filePath(QStringLiteral("mk38sim.log")); }

    QByteArray readLine(int timeoutMs)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!m_process.canReadLine()) {
            if (m_process.state() == QProcess::NotRunning ||
                !m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                return {};
        }
        return m_process.readLine();
    }

    // Log lines: "HH:MM:SS.zzz rx 01 08 36 00 36 00 09"
    QList<QByteArray> logLines() const
    {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().split('\n') : QList<QByteArray>();
    }
    QList<QByteArray> logged(const QByteArray& direction) const
    {
        QList<QByteArray> frames;
        for (const QByteArray& line : logLines())
            if (line.mid(13, 3) == direction + ' ')
                frames << QByteArray::fromHex(line.mid(16));
        return frames;
    }

    QStringList m_args;
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_device;
};

} // namespace testutil
