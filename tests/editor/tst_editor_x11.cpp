// SPDX-License-Identifier: GPL-3.0-or-later
// The real wmk38 under a real X server (Xvfb), its keys typed through the server as a user's
// (xdotool): a Monitor window the server destroys while it polls, and a termination request
// while it polls. Skipped where Xvfb or xdotool is missing.
#include "SimProcess.h"
#include "TestUtil.h"

#include <QStandardPaths>
#include <QtTest>

#include <csignal>

using namespace Qt::StringLiterals;

class TstEditorX11 : public QObject
{
    Q_OBJECT

    QProcess m_xvfb;
    QString m_display;

    QString xdotool(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DISPLAY"_s, m_display);
        p.setProcessEnvironment(env);
        p.start(u"xdotool"_s, args);
        p.waitForFinished(10000);
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }
    // The id of the one shown window whose title matches, once there is one; empty after 20 s.
    QString window(const QString& title, const QString& other = {})
    {
        QString id;
        const bool shown = QTest::qWaitFor(
            [&] {
                id = xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, title}).section(u'\n', -1);
                return !id.isEmpty() && id != other;
            },
            20000);
        return shown ? id : QString();
    }
    // Keys typed into a window, as a user at the keyboard types them.
    void type(const QString& id, const QStringList& keys)
    {
        xdotool({u"windowfocus"_s, u"--sync"_s, id});
        xdotool(QStringList{u"key"_s, u"--delay"_s, u"100"_s} + keys);
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty() || QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
            QSKIP("Xvfb and xdotool are needed");
        m_xvfb.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s, u"-nolisten"_s, u"tcp"_s});
        QTRY_VERIFY_WITH_TIMEOUT(m_xvfb.canReadLine(), 20000);
        m_display = u":"_s + QString::fromLatin1(m_xvfb.readLine().trimmed());
    }
    void cleanupTestCase()
    {
        m_xvfb.terminate();
        m_xvfb.waitForFinished(5000);
    }

    void monitorDestroyedWhilePollingThenTerminated()
    {
        testutil::SimProcess sim;
        QVERIFY(sim.start());
        QTemporaryDir dir;
        for (const char* file : {"wmk38", "es.def"})
            QVERIFY(QFile::copy(QStringLiteral(WMK38_BIN_DIR "/") + QLatin1String(file), dir.filePath(QLatin1String(file))));
        QVERIFY(testutil::writeRaw(dir.filePath(u"dmk38.ini"_s),
                                   "[Set]\r\nCOM=2\r\n[Puertos]\r\nCOM2=" + sim.device().toLocal8Bit() + "\r\n"));
        QProcess editor;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DISPLAY"_s, m_display);
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        editor.setProcessEnvironment(env);
        editor.start(dir.filePath(u"wmk38"_s));
        const QString main = window(u"Editor$"_s);
        QVERIFY(!main.isEmpty());
        // opens the Monitor (another window than `other`) from the menu and starts its polls
        auto poll = [&](const QString& other) {
            type(main, {u"alt+a"_s, u"Right"_s, u"Right"_s, u"Right"_s, u"m"_s});
            const QString monitor = window(u"^Monitor$"_s, other);
            const qsizetype frames = sim.received().size();
            type(monitor, {u"alt+r"_s});
            return QTest::qWaitFor([&] { return sim.received().size() >= frames + 2; }, 20000) ? monitor
                                                                                               : QString();
        };
        const QString monitor = poll({});
        QVERIFY(!monitor.isEmpty());
        // the server destroys the polling window: polling ends with it, and the editor takes
        // keys again (a monitor is never opened while an exchange runs)
        xdotool({u"windowclose"_s, monitor});
        QVERIFY2(!poll(monitor).isEmpty(), "the Monitor did not open again and poll");

        // a termination request while it polls: the editor ends as it would when idle
        ::kill(pid_t(editor.processId()), SIGTERM);
        QVERIFY2(editor.waitForFinished(20000), "SIGTERM was ignored while polling");
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TstEditorX11)
#include "tst_editor_x11.moc"
