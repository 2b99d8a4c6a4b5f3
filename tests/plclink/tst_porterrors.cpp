// SPDX-License-Identifier: GPL-3.0-or-later
// Port messages: what a user is told when a device does not open, in Spanish, with advice
// that helps. Files a test can make are opened for real; the permission cases go through the
// facts, since a test running as root may open anything.
#include "Link.h"
#include "PortErrors.h"

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
        given("dialout may, user not in it", u"dialout"_s, 0660, false, false, P::PermissionError, EACCES,
              8010, {u"grupo dialout (sudo usermod -aG dialout $USER) y volver a iniciar la sesión"_s});
        given("root's device", u"root"_s, 0600, false, false, P::PermissionError, EACCES, 8010,
              {u"administrador"_s, u"udev"_s});
        given("root's group may", u"root"_s, 0660, false, false, P::PermissionError, EACCES, 8010,
              {u"no admite a este usuario"_s});
        given("group may not", u"uucp"_s, 0600, false, false, P::PermissionError, EACCES, 8010,
              {u"administrador"_s});
        given("group may only read", u"dialout"_s, 0640, false, false, P::PermissionError, EACCES, 8010,
              {u"administrador"_s});
        given("in the group, still refused", u"dialout"_s, 0660, false, true, P::PermissionError, EACCES,
              8010, {u"administrador"_s});
        given("input/output error", u"dialout"_s, 0660, true, true, P::ResourceError, EIO, 8020,
              {u"entrada/salida"_s});
        given("device gone", u"dialout"_s, 0660, true, true, P::DeviceNotFoundError, ENODEV, 8020,
              {u"ya no está conectado"_s});
        given("device not present", u"dialout"_s, 0660, true, true, P::UnknownError, ENXIO, 8020,
              {u"ya no está conectado"_s});
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
        for (const QString& s : says + QStringList{device})
            QVERIFY2(text.contains(s), qPrintable(text));
        QCOMPARE(text.contains(u"usermod"), says.join(u' ').contains(u"usermod"));
        for (const char* english : {"Inappropriate", "No such", "Permission denied", "Is a directory",
                                    "Input/output", "Unknown error", "Protocol error"})
            QVERIFY2(!text.contains(QLatin1String(english)), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TstPortErrors)
#include "tst_porterrors.moc"
