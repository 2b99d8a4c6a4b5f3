// SPDX-License-Identifier: GPL-3.0-or-later
#include "Frames.h"

namespace plclink {

quint8 XorChecksum(QByteArrayView bytes)
{
    quint8 x = 0;
    for (char c : bytes)
        x ^= quint8(c);
    return x;
}

QByteArray commandFrame(quint8 station, quint8 command, quint8 a1, quint8 a2, quint8 a3, quint8 a4)
{
    QByteArray f(kFrameSize, '\0');
    const quint8 bytes[] = {station, command, a1, a2, a3, a4};
    for (int i = 0; i < 6; ++i)
        f[i] = char(bytes[i]);
    f[6] = char(XorChecksum(QByteArrayView(f).first(6)));
    return f;
}

QByteArray downloadHeader(quint8 dataChecksum) { return commandFrame(0, kDownload, 0, 0, 1, dataChecksum); }

// run and stop go to every station: the PLC on the line takes them whatever its identifier
QByteArray runFrame(int runMode) { return commandFrame(0, kRun, quint8(runMode)); }

QByteArray stopFrame(bool outputsOff) { return commandFrame(0, kStop, outputsOff ? 1 : 0); }

QByteArray readProgramFrame(quint8 station, quint16 password)
{
    return commandFrame(station, kReadProgram, quint8(password & 0xFF), quint8(password >> 8));
}

QByteArray memoryReadFrame(quint8 station, quint8 address1, quint8 area1, quint8 address2, quint8 area2)
{
    return commandFrame(station, kMemoryRead, address1, area1, address2, area2);
}

QByteArray wordWriteFrame(quint8 station, quint8 address, quint16 value)
{
    return commandFrame(station, kWordWrite, address, 0, quint8(value & 0xFF), quint8(value >> 8));
}

QByteArray commitFrame(quint8 station) { return commandFrame(station, kCommit); }

quint16 DateWord(const QDate& date)
{
    return quint16(date.year() % 100 + 128 * date.month() + 2048 * date.day());
}

PlcDate decodeDateWord(quint16 word)
{
    return {(word >> 11) & 31, (word >> 7) & 15, (word & 127) + 2000};
}

} // namespace plclink
