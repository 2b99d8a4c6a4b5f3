// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simulated PLC: its memory, its stored program and what it does with each command.

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <array>

namespace sim {

constexpr int kFrameSize = 7;
constexpr int kProgramSize = 256;
constexpr int kBodySize = kProgramSize + 2; // program and date word

constexpr quint8 kChecksumAddress = 3;
constexpr quint8 kPresetAddress = 54;
constexpr int kPresetCount = 10;
constexpr quint8 kInputAddress = 218;
constexpr quint8 kOutputAddress = 220;
constexpr int kInputCount = 8;
constexpr int kOutputCount = 6;
constexpr quint8 kOutputsOff = 0x3F; // a 0 bit is an output that is on

constexpr quint16 kNoPassword = 0x4B7E;
constexpr quint8 kReceivedRight = 170;
constexpr quint8 kReceivedWrong = 0x55;

constexpr quint8 kCmdProgram = 'P';
constexpr quint8 kCmdRun = 'C';
constexpr quint8 kCmdStop = 'D';
constexpr quint8 kCmdRead = 'R';
constexpr quint8 kCmdMemoryRead = 8;
constexpr quint8 kCmdWordWrite = 9;
constexpr quint8 kCmdCommit = 'G';

quint8 xorOf(QByteArrayView bytes);

// Byte 7 of a frame: makes the seven bytes XOR to 0.
QByteArray withCheck(QByteArray sixBytes);

struct Answer
{
    enum Kind
    {
        None,
        Memory,
        Download,
        Upload
    };
    Kind kind = None;
    QByteArray bytes;
};

class Plc
{
public:
    explicit Plc(quint8 id = 1, quint16 password = kNoPassword);

    quint8 id() const { return m_id; }
    bool addressedHere(quint8 station) const { return station == 0 || station == m_id; }

    // A frame with a right check byte addressed to this station.
    Answer execute(const QByteArray& frame);
    // The 258 bytes that followed a "P" header addressed to this station.
    Answer storeProgram(const QByteArray& header, const QByteArray& body);
    void loadProgram(const QByteArray& program);

    void setInput(int n, bool on);
    void setOutput(int n, bool on);
    void setVariable(int n, quint8 value) { m_variables[n] = value; }

    QStringList describe() const;

private:
    quint8 read(quint8 area, int address) const;
    void commit();

    struct PendingWrite
    {
        quint8 address, low, high;
    };

    quint8 m_id;
    quint16 m_password;
    std::array<quint8, 256> m_system{};
    std::array<quint8, 256> m_variables{};
    QByteArray m_program;
    QByteArray m_date;
    QList<PendingWrite> m_pending;
    bool m_running = false;
    int m_runMode = 0;
};

} // namespace sim
