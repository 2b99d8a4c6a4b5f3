// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial port to the PLC: COM1..COM6 mapped to devices, opened at "2400,n,8,1" without
// flow control, written whole and read only as "everything that is waiting". One exchange
// runs at a time; busyChanged tells the windows when to refuse new ones.

#include "Waits.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace plclink {

constexpr int kComPorts = 6;
constexpr int kBaud = 2400;

// Why a port did not open: a stable number (listed in the manual) and a description that
// tells a Linux user what to do about it.
struct PortError
{
    enum Number {
        kMissing = 8002,    // no such device
        kBusy = 8005,       // another program holds it
        kPermission = 8010, // the user may not open it
        kOther = 8020,      // the device refused to open or to take the line settings
    };
    int number = 0;
    QString description;

    // "Error de comunicacion N", the message's first line
    QString headline() const;
};

// COM1..COM6 → /dev/ttyS0../dev/ttyS5 unless dmk38.ini, section "Puertos", names a device.
QString defaultDevice(int com);
// The "Puertos" entries of a profile text: index 0 is COM1; empty where none is given.
std::array<QString, kComPorts> portOverrides(const QByteArray& iniText);
// The one reader of section "Puertos" for the editor and mk38c: the devices of the settings
// file, and why the file was ignored when it was (then every port takes its default).
struct PortSettings
{
    std::array<QString, kComPorts> devices;
    QString problem;
};
PortSettings readPortSettings(const QString& settingsFile);
// Why a device name can never name a device (a control character in it), or empty. Such a
// name is refused before anything is opened.
QString deviceNameProblem(const QString& device);
// The name as it can be shown: each control character as "?".
QString shownDeviceName(const QString& device);
// "COM1".."COM6" (any letter case) → 1..6, else 0.
int comNumber(const QString& name);

class Link : public QObject
{
    Q_OBJECT
public:
    explicit Link(Waits& waits, QObject* parent = nullptr);
    ~Link() override;

    Waits& waits() { return m_waits; }

    void setDevice(int com, const QString& device); // an empty device restores the default
    QString device(int com) const;
    // Any device path, outside the COM numbering (the command-line tool's --port /dev/...).
    std::optional<PortError> openDevice(const QString& device);

    // Closes the port, then sets the line settings, the number and opens it. A number outside
    // 1..6 only closes the port (its number stays for the next send). The error, if any.
    std::optional<PortError> OpenPort(int port, int baud = kBaud);
    bool isOpen() const { return m_serial.isOpen(); }
    void close();

    // Opens a closed port silently with its last number and settings (a device that went away
    // is opened afresh). False when it is not open; reopenError() then says why. Every exchange
    // asks this before its first frame: a port that cannot be opened gets nothing sent and no
    // wait, and the caller tells reopenError() once instead of a missing answer.
    bool ready();
    // ready(), then writes the bytes. False when they did not all leave (no port, a device that
    // went away); the exchanges that read an answer need not look: their answer check fails.
    bool SendFrame(QByteArrayView bytes);
    // Why the last ready() found the port closed and could not open it, if it did.
    std::optional<PortError> reopenError() const { return m_reopenError; }
    // Every byte that is waiting (the receive buffer is left empty).
    QByteArray takeAll();
    // Waits for a short answer (ms long, or less in fast mode); true exactly when 7 bytes wait.
    // All waiting bytes go into answer, so none leak into the next exchange.
    bool WaitAnswer(QByteArray& answer, int ms = Waits::kAnswer);
    bool wait(int ms) { return m_waits.wait(ms); }

    // Fast mode: a wait followed by reading an answer ends once the answer is complete (its
    // bytes arrived and the line stayed quiet a few byte times); the fixed length stays the
    // deadline. Off, every wait runs its fixed length.
    void setFast(bool fast) { m_fast = fast; }
    bool fast() const { return m_fast; }
    // The wait for an answer of `expected` bytes.
    bool waitAnswerOf(int ms, int expected);
    // Fast mode: waits (up to ms) until what was written has left the PC.
    bool waitSent(int ms);

    // A frame that expects an answer: what arrived during its wait. The answers carry nothing
    // that says which frame they answer, so after an answer that was not sound a frame of
    // another kind goes out only once the line has been quiet for longer than any answer is
    // awaited: a late answer is taken for a repeat of its own question, never for another.
    using Judge = std::function<bool(const QByteArray&)>;
    QByteArray ask(QByteArrayView frame, int waitMs, int expected, const Judge& sound,
                   const std::function<void()>& onSent = {});
    // The same rule for an exchange that sends and judges in steps: before its first frame,
    // and once its answer is judged. False when the waits were cut short.
    bool prepare(QByteArrayView frame);
    void judged(bool sound) { m_unsettled = m_unsettled || !sound; }

    // Held by every exchange; nests.
    class Busy
    {
    public:
        explicit Busy(Link& link);
        ~Busy();
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        Link& m_link;
    };
    bool busy() const { return m_busy > 0; }

signals:
    void busyChanged(bool busy);

private:
    std::optional<PortError> open(const QString& device, int baud);
    std::optional<PortError> openLocked();
    bool deviceGone();
    bool settle();

    Waits& m_waits;
    QSerialPort m_serial;
    std::array<QString, kComPorts> m_devices;
    QString m_openedDevice;
    std::optional<PortError> m_reopenError;
    QByteArray m_lastAsked;  // the last frame that expected an answer
    bool m_unsettled = false; // an answer was not sound: one may still be on its way
    bool m_fast = false;
    QElapsedTimer m_sinceByte; // since the last byte came in
    int m_busy = 0;
};

} // namespace plclink
