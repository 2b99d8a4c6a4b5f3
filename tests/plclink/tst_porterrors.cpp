// SPDX-License-Identifier: GPL-3.0-or-later
// Port messages: what a user is told when a device does not open, in Spanish, with advice
// that helps. Files a test can make are opened for real; the permission cases go through the
// facts, since a test running as root may open anything.
#include "Exchanges.h"
#include "Scan.h"
#include "Link.h"
#include "PortErrors.h"
#include "PortFaults.h"
#include "Pty.h"

#include <QDate>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>

using namespace Qt::StringLiterals;
using P = QSerialPort;
Q_DECLARE_METATYPE(plclink::DeviceFacts)

class TstPortErrors : public QObject
{
    Q_OBJECT
private slots:
    void messages_data()
    {
        // FILE: made in a temporary folder ("nosuch" is not) and opened; "" takes the facts about
        // a character device that exists; the advice to join the group is told with its command
        QTest::addColumn<QString>("file");
        QTest::addColumn<plclink::DeviceFacts>("facts");
        QTest::addColumn<int>("qtError");
        QTest::addColumn<int>("systemErrno");
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("says");
        const auto made = [](const char* row, const QString& file, int number, const QStringList& says) {
            QTest::newRow(row) << file << plclink::DeviceFacts{} << 0 << 0 << number << says;
        };
        const auto given = [](const char* row, const QString& group, uint mode, bool mayOpen, bool inGroup,
                              P::SerialPortError error, int systemErrno, int number,
                              const QStringList& says) {
            QTest::newRow(row) << QString() << plclink::DeviceFacts{true, false,   false,   true, group,
                                                                    mode, mayOpen, inGroup, {}}
                               << int(error) << systemErrno << number << says;
        };
        made("missing", u"nosuch"_s, 8002, {u"no existe"_s});
        made("regular file", u"plain"_s, 8020,
             {u"no se puede abrir como puerto serie"_s, u"archivo común"_s});
        made("directory", u"folder"_s, 8020, {u"es una carpeta"_s});
        made("device that is no tty", u"/dev/null"_s, 8020, {u"no es un puerto serie"_s});
        // refused before Qt is given the name: no "Broken filename", no lock file left behind
        made("NUL in the name", u"\0/dev/null"_s, 8020, {u"carácter de control (NUL)"_s});
        made("control character in the name", u"/dev/tty\x01S0"_s, 8020, {u"carácter de control (U+0001)"_s});
        given("dialout may, user not in it", u"dialout"_s, 0660, false, false, P::PermissionError, EACCES,
              8010, {u"grupo dialout (sudo usermod -aG dialout $USER) y volver a iniciar la sesión"_s});
        given("root's group may", u"root"_s, 0660, false, false, P::PermissionError, EACCES, 8010,
              {u"no admite a este usuario"_s});
        given("group may only read", u"dialout"_s, 0640, false, false, P::PermissionError, EACCES, 8010,
              {u"administrador"_s, u"udev"_s});
        given("in the group, still refused", u"dialout"_s, 0660, false, true, P::PermissionError, EACCES,
              8010, {u"administrador"_s});
        given("input/output error", u"dialout"_s, 0660, true, true, P::ResourceError, EIO, 8020,
              {u"entrada/salida"_s});
        given("device gone", u"dialout"_s, 0660, true, true, P::DeviceNotFoundError, ENODEV, 8020,
              {u"ya no está conectado"_s});
        given("device not present", u"dialout"_s, 0660, true, true, P::UnknownError, ENXIO, 8020,
              {u"ya no está conectado"_s});
        // gone at the open; by the look after it a new pseudo-terminal had taken the name
        given("device gone, name taken again", u"tty"_s, 0620, true, true, P::DeviceNotFoundError, ENOENT, 8002,
              {u"no existe"_s});
        given("device gone, errno unknown", u"dialout"_s, 0660, true, true, P::DeviceNotFoundError, 0, 8020,
              {u"ya no está conectado"_s});
        given("errno not known to Qt", u"dialout"_s, 0660, true, true, P::UnknownError, EPROTO, 8020,
              {u"error del sistema número %1"_s.arg(EPROTO)});
    }
    void messages()
    {
        QFETCH(QString, file);
        QFETCH(plclink::DeviceFacts, facts);
        QFETCH(int, qtError);
        QFETCH(int, systemErrno);
        QTemporaryDir dir;
        QString device = u"/dev/ttyUSB0"_s;
        std::optional<plclink::PortError> error;
        if (!file.isEmpty()) {
            device = file.startsWith(u'/') ? file : dir.filePath(file);
            QVERIFY(file != u"plain" || QFile(device).open(QIODevice::WriteOnly));
            QVERIFY(file != u"folder" || QDir().mkdir(device));
            plclink::Waits waits;
            error = plclink::Link(waits).openDevice(device);
        } else {
            error = plclink::portError(device, facts, P::SerialPortError(qtError), systemErrno);
        }
        QVERIFY(error);
        QTEST(error->number, "number");
        const QString& text = error->description;
        QFETCH(QStringList, says);
        for (const QString& s : says + QStringList{plclink::shownDeviceName(device)})
            QVERIFY2(text.contains(s), qPrintable(text));
        QCOMPARE(text.contains(u"usermod"), says.join(u' ').contains(u"usermod"));
        for (const char* english : {"Inappropriate", "No such", "Permission denied", "Is a directory",
                                    "Input/output", "Unknown error", "Protocol error"})
            QVERIFY2(!text.contains(QLatin1String(english)), qPrintable(text));
        for (const char* lock : {"/var/lock/LCK..", "/run/lock/LCK..", "/tmp/LCK.."})
            QVERIFY2(!QFileInfo::exists(QLatin1String(lock)), lock);
    }

    // Every exchange on a port that cannot be opened: nothing sent, no wait, the port's error.
    void exchangeOnFaultyPort_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("exchange");
        QTest::addColumn<int>("number");
        for (const auto& [fault, number] : testutil::kPortFaults)
            for (const char* exchange :
                 {"download", "run", "stop", "probe", "read program", "write presets", "read presets", "poll", "scan"})
                QTest::addRow("%s, %s", fault, exchange) << QString::fromLatin1(fault) << QString::fromLatin1(exchange)
                                                         << number;
    }
    void exchangeOnFaultyPort()
    {
        QFETCH(QString, fault);
        QFETCH(QString, exchange);
        QTemporaryDir dir;
        testutil::Pty pty;
        plclink::Waits waits;
        plclink::Link holder(waits), link(waits);
        testutil::FaultyPort port;
        QVERIFY(port.make(fault, dir.path(), pty.path(), holder));
        const QString device = port.device;
        QVERIFY(link.openDevice(device)); // as the editor's start-up found it
        QList<int> waited;
        waits.record(&waited);
        bool empty = false;
        if (exchange == u"download")
            empty = plclink::download(link, {}, QDate(2026, 1, 1)).outcome == plclink::DownloadOutcome::NoAnswer;
        else if (exchange == u"run" || exchange == u"stop")
            empty = !(exchange == u"run" ? plclink::run(link, 0) : plclink::stop(link, true));
        else if (exchange == u"probe")
            empty = plclink::probe(link, 1).isEmpty();
        else if (exchange == u"read program")
            empty = plclink::readProgram(link, 1, 0).isEmpty();
        else if (exchange == u"write presets")
            empty = !plclink::writePresets(link, 1, plclink::kFactoryPresets);
        else if (exchange == u"read presets")
            empty = plclink::readPresets(link, 1).silent;
        else if (exchange == u"scan") {
            const auto r = plclink::scan(link, 1, 255, [](const plclink::StationReply&) { return true; });
            empty = !r.complete && r.answered.isEmpty();
        } else {
            const auto s = plclink::poll(link, 1, plclink::Sample::Kind::Io, 0);
            empty = s && s->fault == plclink::Sample::Fault::Port;
        }
        port.plainUser.reset();
        QVERIFY(empty);
        QVERIFY(link.reopenError());
        QTEST(link.reopenError()->number, "number");
        QCOMPARE(waited, QList<int>{}); // over at once
        QCOMPARE(pty.take(), QByteArray());
        QCOMPARE(QFileInfo(device).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TstPortErrors)
#include "tst_porterrors.moc"
