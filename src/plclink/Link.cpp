// SPDX-License-Identifier: GPL-3.0-or-later
#include "Link.h"

#include "Frames.h"
#include "PortErrors.h"

#include "AppFiles.h"
#include "Cp1252.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plclink {

QString PortError::headline() const
{
    return QCoreApplication::translate("plclink", "Error de comunicacion %1").arg(number);
}

QString defaultDevice(int com) { return QStringLiteral("/dev/ttyS%1").arg(com - 1); }

int comNumber(const QString& name)
{
    if (name.size() != 4 || !name.startsWith(QLatin1String("com"), Qt::CaseInsensitive))
        return 0;
    const int n = name[3].digitValue();
    return n >= 1 && n <= kComPorts ? n : 0;
}

std::array<QString, kComPorts> portOverrides(const QByteArray& iniText)
{
    // the first matching key wins, a COM name in any letter case
    std::array<QString, kComPorts> devices;
    std::array<bool, kComPorts> seen{};
    for (const auto& [key, value] : appfiles::settingsSection(iniText, u"Puertos")) {
        const int com = comNumber(key);
        if (!com || seen[com - 1])
            continue;
        seen[com - 1] = true;
        devices[com - 1] = value;
    }
    return devices;
}

QString shownDeviceName(const QString& device)
{
    QString shown = device;
    for (QChar& c : shown)
        if (c.category() == QChar::Other_Control)
            c = u'?';
    return shown;
}

PortSettings readPortSettings(const QString& settingsFile)
{
    PortSettings s;
    QByteArray text;
    if (appfiles::readSettingsFile(settingsFile, &text, &s.problem))
        s.devices = portOverrides(text);
    return s;
}

QString deviceNameProblem(const QString& device)
{
    for (QChar c : device)
        if (c.category() == QChar::Other_Control)
            return QCoreApplication::translate(
                       "plclink", "el nombre contiene un carácter de control (%1); corríjalo en Opciones → "
                                  "Puertos serie... o en la sección [Puertos] del archivo de configuración")
                .arg(c.unicode() == 0 ? QStringLiteral("NUL")
                                      : QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper());
    return {};
}

Link::Link(Waits& waits, QObject* parent) : QObject(parent), m_waits(waits)
{
    m_serial.setFlowControl(QSerialPort::NoFlowControl);
    // a device that went away (a cable pulled, the simulator ended) is closed at once, so
    // the next send tries to open it again
    connect(&m_serial, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError && m_serial.isOpen())
            m_serial.close();
    });
    connect(&m_serial, &QSerialPort::readyRead, this, [this] {
        m_sinceByte.start();
        if (m_fast)
            m_waits.wake();
    });
}

Link::~Link() = default;

void Link::setDevice(int com, const QString& device)
{
    if (com >= 1 && com <= kComPorts)
        m_devices[com - 1] = device;
}

QString Link::device(int com) const
{
    if (com < 1 || com > kComPorts)
        return {};
    return m_devices[com - 1].isEmpty() ? defaultDevice(com) : m_devices[com - 1];
}

void Link::close()
{
    if (m_serial.isOpen())
        m_serial.close();
}

std::optional<PortError> Link::open(const QString& device, int baud)
{
    close();
    m_serial.clearError();
    // settings first, then the device, then open
    if (baud != 1200 && baud != 2400 && baud != 4800)
        return PortError{PortError::kOther,
                         QCoreApplication::translate("plclink", "%1 baudios no es una velocidad de la línea.").arg(baud)};
    m_serial.setBaudRate(baud);
    m_serial.setDataBits(QSerialPort::Data8);
    m_serial.setParity(QSerialPort::NoParity);
    m_serial.setStopBits(QSerialPort::OneStop);
    m_serial.setFlowControl(QSerialPort::NoFlowControl);
    m_openedDevice = device;
    return openLocked();
}

std::optional<PortError> Link::openLocked()
{
    const QString device = m_openedDevice;
    // Qt makes its lock file under /var/lock from the name: one cut short at a NUL leaves a
    // lock file behind that a later open trips over; such a name never reaches the port
    if (const QString problem = deviceNameProblem(device); !problem.isEmpty())
        return PortError{PortError::kOther, QCoreApplication::translate("plclink", "\"%1\" no se puede abrir como puerto serie: %2.")
                                                .arg(shownDeviceName(device), problem)};
    m_serial.setPortName(device);
    if (!m_serial.open(QIODevice::ReadWrite)) {
        const int systemErrno = errno; // before anything else can change it
        return portError(device, deviceFacts(device), m_serial.error(), systemErrno);
    }
    // the exclusive open and Qt's lock file let root in and know the device only by the name
    // given: a lock on the device itself keeps a second opener out, by any name, as any user
    if (::flock(int(m_serial.handle()), LOCK_EX | LOCK_NB) != 0) {
        m_serial.close();
        return PortError{PortError::kBusy, busyText(device)};
    }
    return std::nullopt;
}

std::optional<PortError> Link::OpenPort(int port, int baud)
{
    if (port < 1 || port > kComPorts) {
        close();
        return std::nullopt;
    }
    return open(device(port), baud);
}

std::optional<PortError> Link::openDevice(const QString& device) { return open(device, kBaud); }

bool Link::deviceGone()
{
    // a re-plugged adapter or a restarted simulator is a new device under the same name: the
    // handle held would write into the old one, which went away
    struct stat named{}, held{};
    const int fd = int(m_serial.handle());
    if (::stat(QFile::encodeName(m_openedDevice).constData(), &named) != 0 || ::fstat(fd, &held) != 0 ||
        named.st_rdev != held.st_rdev || named.st_ino != held.st_ino || named.st_dev != held.st_dev)
        return true;
    pollfd p{fd, 0, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
}

bool Link::ready()
{
    m_reopenError.reset();
    if (m_serial.isOpen() && deviceGone())
        m_serial.close();
    if (!m_serial.isOpen() && !m_openedDevice.isEmpty())
        m_reopenError = openLocked(); // as it last was
    return m_serial.isOpen();
}

bool Link::SendFrame(QByteArrayView bytes)
{
    if (!ready())
        return false;
    m_serial.clearError();
    if (m_serial.write(bytes.data(), bytes.size()) != bytes.size())
        return false;
    while (m_serial.bytesToWrite() > 0 && m_serial.flush()) {
    }
    return m_serial.isOpen() && m_serial.bytesToWrite() == 0 && m_serial.error() == QSerialPort::NoError;
}

QByteArray Link::takeAll()
{
    if (!m_serial.isOpen())
        return {};
    // bytes the kernel holds but the port has not fetched yet
    while (m_serial.isOpen() && m_serial.waitForReadyRead(0)) {
    }
    return m_serial.readAll();
}

bool Link::WaitAnswer(QByteArray& answer, int ms)
{
    waitAnswerOf(ms, kAnswerSize);
    answer = takeAll();
    return answer.size() == kAnswerSize;
}

namespace {
// 10 bits a byte at 2400 baud: 4.17 ms. An answer is complete once the line stayed quiet for
// two byte times after its last expected byte: a longer answer shows its next byte within one
// (UARTs and USB adapters hand bytes over in bursts, a whole answer at once), and the monitor
// keeps near the line's pace.
constexpr qint64 kByteNs = 1'000'000'000 / 240;
constexpr qint64 kAnswerQuietNs = 2 * kByteNs;
} // namespace

bool Link::waitAnswerOf(int ms, int expected)
{
    if (!m_fast)
        return wait(ms);
    return m_waits.wait(ms, [this, expected] {
        if (!m_serial.isOpen() || m_serial.bytesAvailable() < expected)
            return -1; // the next byte wakes the wait
        const qint64 quietNs = kAnswerQuietNs - m_sinceByte.nsecsElapsed();
        return quietNs <= 0 ? 0 : int((quietNs + 999'999) / 1'000'000);
    });
}

bool Link::waitSent(int ms)
{
    const int fd = int(m_serial.handle());
    return m_waits.wait(ms, [this, fd] {
        int queued = 0;
        if (!m_serial.isOpen() || ::ioctl(fd, TIOCOUTQ, &queued) != 0)
            return 0;
        return queued <= 0 ? 0 : int(std::max<qint64>(1, queued * kByteNs / 2'000'000));
    });
}

bool Link::settle()
{
    // a line that never falls quiet is given up on after a few rounds rather than polled forever
    for (int round = 0; round < 4 && m_unsettled; ++round) {
        takeAll();
        if (!wait(Waits::kQuiet))
            return false;
        m_unsettled = !takeAll().isEmpty();
    }
    return true;
}

bool Link::prepare(QByteArrayView frame)
{
    if (m_unsettled && frame != m_lastAsked && !settle())
        return false;
    m_lastAsked = frame.toByteArray();
    takeAll(); // a late answer to an earlier frame must never pass for the answer to this one
    return true;
}

QByteArray Link::ask(QByteArrayView frame, int waitMs, int expected, const Judge& sound,
                     const std::function<void()>& onSent)
{
    if (!ready() || !prepare(frame))
        return {};
    SendFrame(frame);
    if (onSent)
        onSent();
    if (!waitAnswerOf(waitMs, expected))
        return {};
    QByteArray answer = takeAll();
    judged(sound(answer));
    return answer;
}

Link::Busy::Busy(Link& link) : m_link(link)
{
    if (m_link.m_busy++ == 0)
        emit m_link.busyChanged(true);
}

Link::Busy::~Busy()
{
    if (--m_link.m_busy > 0)
        return;
    // waits cut short for a window that closed mid-exchange run in full for the next one, and
    // whatever its answer left on the line is let through before any frame goes out
    if (m_link.m_waits.isCutShort()) {
        m_link.m_waits.resume();
        m_link.m_unsettled = true;
        m_link.m_lastAsked.clear();
    }
    emit m_link.busyChanged(false);
}

} // namespace plclink
