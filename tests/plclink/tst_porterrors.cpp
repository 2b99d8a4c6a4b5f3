// Port messages: what a user is told when a device does not open, in Spanish, with advice
// that helps. Files a test can make are opened for real; the permission cases go through the
// facts, since a test running as root may open anything.
#include "Link.h"
#include "PortErrors.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>

using namespace Qt::StringLiterals;

class TstPortErrors : public QObject
{
    Q_OBJECT
private slots:
    void messages_data()
    {
        // FILE: made in a temporary folder ("nosuch" is not) and opened; "" takes the facts
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("group");
        QTest::addColumn<uint>("mode");
        QTest::addColumn<bool>("mayOpen");
        QTest::addColumn<bool>("inGroup");
        QTest::addColumn<int>("qtError");
        QTest::addColumn<int>("systemErrno");
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("says");
        QTest::addColumn<bool>("advisesJoining");
        using P = QSerialPort;
        const auto made = [](const char* row, const QString& file, int number, const QStringList& says) {
            QTest::newRow(row) << file << QString() << 0u << false << false << 0 << 0 << number << says
                               << false;
        };
        const auto given = [](const char* row, const QString& group, uint mode, bool mayOpen, bool inGroup,
                              P::SerialPortError error, int systemErrno, int number, const QStringList& says,
                              bool advisesJoining) {
            QTest::newRow(row) << QString() << group << mode << mayOpen << inGroup << int(error)
                               << systemErrno << number << says << advisesJoining;
        };
        made("missing", u"nosuch"_s, 8002, {u"no existe"_s});
        made("regular file", u"plain"_s, 8020,
             {u"no se puede abrir como puerto serie"_s, u"archivo común"_s});
        made("directory", u"folder"_s, 8020, {u"es una carpeta"_s});
        made("device that is no tty", u"/dev/null"_s, 8020, {u"no es un puerto serie"_s});
        given("dialout may, user not in it", u"dialout"_s, 0660, false, false, P::PermissionError, EACCES,
              8010, {u"grupo dialout (sudo usermod -aG dialout $USER) y volver a iniciar la sesión"_s}, true);
        given("root's device", u"root"_s, 0600, false, false, P::PermissionError, EACCES, 8010,
              {u"administrador"_s, u"udev"_s}, false);
        given("root's group may", u"root"_s, 0660, false, false, P::PermissionError, EACCES, 8010,
              {u"no admite a este usuario"_s}, false);
        given("group may not", u"uucp"_s, 0600, false, false, P::PermissionError, EACCES, 8010,
              {u"administrador"_s}, false);
        given("in the group, still refused", u"dialout"_s, 0660, false, true, P::PermissionError, EACCES,
              8010, {u"administrador"_s}, false);
        given("input/output error", u"dialout"_s, 0660, true, true, P::ResourceError, EIO, 8020,
              {u"entrada/salida"_s}, false);
        given("device gone", u"dialout"_s, 0660, true, true, P::DeviceNotFoundError, ENODEV, 8020,
              {u"ya no está conectado"_s}, false);
        given("errno not known to Qt", u"dialout"_s, 0660, true, true, P::UnknownError, EPROTO, 8020,
              {u"error del sistema número %1"_s.arg(EPROTO)}, false);
    }
    void messages()
    {
        QFETCH(QString, file);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString device = u"/dev/ttyUSB0"_s;
        std::optional<plclink::PortError> error;
        if (!file.isEmpty()) {
            device = file.startsWith(u'/') ? file : dir.filePath(file);
            QVERIFY(file != u"plain" || QFile(device).open(QIODevice::WriteOnly));
            QVERIFY(file != u"folder" || QDir().mkdir(device));
            plclink::Waits waits;
            plclink::Link link(waits);
            error = link.openDevice(device);
        } else {
            QFETCH(QString, group);
            QFETCH(uint, mode);
            QFETCH(bool, mayOpen);
            QFETCH(bool, inGroup);
            QFETCH(int, qtError);
            QFETCH(int, systemErrno);
            // a character device that exists
            const plclink::DeviceFacts facts{true, false, false, true, group, mode, mayOpen, inGroup, {}};
            error = plclink::portError(device, facts, QSerialPort::SerialPortError(qtError), systemErrno);
        }
        QVERIFY(error);
        QTEST(error->number, "number");
        const QString& text = error->description;
        QFETCH(QStringList, says);
        for (const QString& s : says + QStringList{device})
            QVERIFY2(text.contains(s), qPrintable(text));
        QFETCH(bool, advisesJoining);
        QCOMPARE(text.contains(u"usermod"), advisesJoining);
        for (const char* english : {"Inappropriate", "No such", "Permission denied", "Is a directory",
                                    "Input/output", "Unknown error", "Protocol error"})
            QVERIFY2(!text.contains(QLatin1String(english)), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TstPortErrors)
#include "tst_porterrors.moc"
