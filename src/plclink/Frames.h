// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What crosses the wire to the PLC: the 7-byte command frame, its check byte, the command
// codes, the system addresses and the date word. The one place these facts are written.

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>

namespace plclink {

constexpr int kFrameSize = 7;
constexpr int kAnswerSize = 7;

enum Command : quint8 {
    kDownload = 'P',
    kRun = 'C',
    kStop = 'D',
    kReadProgram = 'R',
    kMemoryRead = 8,
    kWordWrite = 9,
    kCommit = 'G',
};

enum Area : quint8 { kSystem = 0, kVariables = 1 };

// System addresses (area 0)
constexpr quint8 kAddrChecksum = 3;
constexpr quint8 kAddrPresets = 54; // preset i at 54 + 2i, low byte first
constexpr quint8 kAddrInputs = 218;
constexpr quint8 kAddrOutputs = 220; // a 0 bit means the output is on

constexpr int kPresetCount = 10;
// The download answer's result byte (third byte) when the PLC received the program right.
constexpr quint8 kReceivedRight = 170;
// "no password" as the PLC's program password
constexpr quint16 kNoPassword = 0x4B7E;

// XOR of every byte (0 for none).
quint8 XorChecksum(QByteArrayView bytes);
// Station, command, four arguments and the check byte (XOR of the first six).
QByteArray commandFrame(quint8 station, quint8 command, quint8 a1 = 0, quint8 a2 = 0, quint8 a3 = 0,
                        quint8 a4 = 0);

QByteArray downloadHeader(quint8 dataChecksum);
QByteArray runFrame(int runMode);
QByteArray stopFrame(bool outputsOff);
QByteArray readProgramFrame(quint8 station, quint16 password);
QByteArray memoryReadFrame(quint8 station, quint8 address1, quint8 area1, quint8 address2, quint8 area2);
QByteArray wordWriteFrame(quint8 station, quint8 address, quint16 value);
QByteArray commitFrame(quint8 station);

// A memory-read answer is sound when all its bytes XOR to 0.
inline bool answerChecks(QByteArrayView answer) { return XorChecksum(answer) == 0; }
// Byte i (from 0) of an answer, 0 when it did not arrive.
inline quint8 answerByte(QByteArrayView answer, int i) { return i < answer.size() ? quint8(answer[i]) : 0; }

// The download's date stamp: two-digit year in bits 0..6, month in 7..10, day in 11..15.
quint16 DateWord(const QDate& date);
struct PlcDate
{
    int day, month, year;
};
// The date stamp as the upload shows it (the year counted from 2000).
PlcDate decodeDateWord(quint16 word);

} // namespace plclink
