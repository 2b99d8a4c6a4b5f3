// SPDX-License-Identifier: GPL-3.0-or-later
#include "Plc.h"

namespace sim {

namespace {
constexpr quint16 kFactoryPresets[kPresetCount] = {1, 1, 1, 1, 10, 10, 10, 10, 100, 100};
// A long run of words written without "G" is line noise, not a preset table.
constexpr int kMaxPendingWrites = 256;

quint8 at(const QByteArray& bytes, int i)
{
    return quint8(bytes.at(i));
}
} // namespace

quint8 xorOf(QByteArrayView bytes)
{
    quint8 x = 0;
    for (char c : bytes)
        x ^= quint8(c);
    return x;
}

QByteArray withCheck(QByteArray sixBytes)
{
    sixBytes.append(char(xorOf(sixBytes)));
    return sixBytes;
}

Plc::Plc(quint8 id, quint16 password)
    : m_id(id), m_password(password), m_program(kProgramSize, '\0'), m_date(2, '\0')
{
    for (int i = 0; i < kPresetCount; ++i) {
        m_system[kPresetAddress + 2 * i] = kFactoryPresets[i] & 0xFF;
        m_system[kPresetAddress + 2 * i + 1] = kFactoryPresets[i] >> 8;
    }
    m_system[kOutputAddress] = kOutputsOff;
}

quint8 Plc::read(quint8 area, int address) const
{
    if (address > 255)
        return 0;
    if (area == 0)
        return m_system[address];
    if (area == 1)
        return m_variables[address];
    return 0;
}

Answer Plc::execute(const QByteArray& frame)
{
    const quint8 command = at(frame, 1);
    const quint8 a1 = at(frame, 2), a2 = at(frame, 3), a3 = at(frame, 4), a4 = at(frame, 5);
    switch (command) {
    case kCmdMemoryRead: {
        QByteArray bytes;
        bytes += char(m_id);
        bytes += char(kCmdMemoryRead);
        bytes += char(read(a2, a1));
        bytes += char(read(a2, a1 + 1));
        bytes += char(read(a4, a3));
        bytes += char(read(a4, a3 + 1));
        return {Answer::Memory, withCheck(bytes)};
    }
    case kCmdRead:
        if (m_password != kNoPassword && m_password != a1 + 256 * a2)
            return {};
        return {Answer::Upload, m_program + m_date};
    case kCmdWordWrite:
        if (a2 == 0 && m_pending.size() < kMaxPendingWrites)
            m_pending.append({a1, a3, a4});
        return {};
    case kCmdCommit:
        commit();
        return {};
    case kCmdRun:
        if (a1 > 2)
            return {};
        if (a1 == 0)
            m_system[kOutputAddress] = kOutputsOff;
        if (a1 <= 1)
            m_variables.fill(0);
        m_running = true;
        m_runMode = a1;
        return {};
    case kCmdStop:
        m_running = false;
        if (a1 == 1)
            m_system[kOutputAddress] = kOutputsOff;
        return {};
    default:
        return {};
    }
}

void Plc::commit()
{
    for (const PendingWrite& w : std::as_const(m_pending)) {
        m_system[w.address] = w.low;
        if (w.address < 255)
            m_system[w.address + 1] = w.high;
    }
    m_pending.clear();
}

Answer Plc::storeProgram(const QByteArray& header, const QByteArray& body)
{
    const QByteArray program = body.left(kProgramSize);
    const bool right = xorOf(program) == at(header, 5);
    if (right) {
        m_program = program;
        m_date = body.mid(kProgramSize, 2);
        m_system[kChecksumAddress] = at(header, 5);
    }
    QByteArray bytes;
    bytes += char(m_id);
    bytes += char(kCmdProgram);
    bytes += char(right ? kReceivedRight : kReceivedWrong);
    bytes += QByteArray(3, '\0');
    return {Answer::Download, withCheck(bytes)};
}

void Plc::loadProgram(const QByteArray& program)
{
    m_program = program.left(kProgramSize);
    m_date = QByteArray(2, '\0');
    m_system[kChecksumAddress] = xorOf(m_program);
}

void Plc::setInput(int n, bool on)
{
    m_system[kInputAddress] = on ? m_system[kInputAddress] | (1 << n) : m_system[kInputAddress] & ~(1 << n);
}

void Plc::setOutput(int n, bool on)
{
    m_system[kOutputAddress] =
        on ? m_system[kOutputAddress] & ~(1 << n) : m_system[kOutputAddress] | (1 << n);
}

QStringList Plc::describe() const
{
    auto hex2 = [](int v) { return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper(); };
    QStringList lines;
    lines << QStringLiteral("station %1  password %2  %3")
                 .arg(m_id)
                 .arg(QStringLiteral("%1").arg(m_password, 4, 16, QLatin1Char('0')).toUpper())
                 .arg(m_running ? QStringLiteral("running (mode %1)").arg(m_runMode)
                                : QStringLiteral("stopped"));
    QString bits;
    for (int i = 0; i < kInputCount; ++i)
        bits += (m_system[kInputAddress] >> i & 1) ? QStringLiteral(" 1") : QStringLiteral(" 0");
    lines << QStringLiteral("inputs  0..7:%1  (218 = %2)").arg(bits, hex2(m_system[kInputAddress]));
    bits.clear();
    for (int i = 0; i < kOutputCount; ++i)
        bits += (m_system[kOutputAddress] >> i & 1) ? QStringLiteral(" off") : QStringLiteral(" ON");
    lines << QStringLiteral("outputs 0..5:%1  (220 = %2)").arg(bits, hex2(m_system[kOutputAddress]));
    QStringList presets;
    for (int i = 0; i < kPresetCount; ++i)
        presets << QString::number(m_system[kPresetAddress + 2 * i] +
                                   256 * m_system[kPresetAddress + 2 * i + 1]);
    lines << QStringLiteral("presets %1").arg(presets.join(u' '));
    const int date = at(m_date, 0) + 256 * at(m_date, 1);
    lines << QStringLiteral("program checksum %1  date %2/%3/%4  pending writes %5")
                 .arg(hex2(m_system[kChecksumAddress]))
                 .arg(date >> 11 & 31)
                 .arg(date >> 7 & 15)
                 .arg(2000 + (date & 127))
                 .arg(m_pending.size());
    QStringList vars;
    for (int i = 0; i < 256; ++i)
        if (m_variables[i])
            vars << QStringLiteral("%1=%2").arg(i).arg(m_variables[i]);
    lines << QStringLiteral("variables %1").arg(vars.isEmpty() ? QStringLiteral("all 0") : vars.join(u' '));
    return lines;
}

} // namespace sim
