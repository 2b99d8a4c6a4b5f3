// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fault.h"

#include <QStringList>

namespace sim {

namespace {
const char* const kNames[] = {"none",      "silence", "short",   "long",   "badxor",
                              "badresult", "late",    "garbage", "hangup", "gap"};
// Junk whose bytes do not XOR to 0, so a reader that only checks the XOR notices it as well.
const char kGarbage[] = "\xFF\x00\x55";
} // namespace

std::optional<Fault> Fault::parse(const QString& text)
{
    const QString name = text.section(u':', 0, 0).trimmed().toLower();
    Fault fault;
    int kind = -1;
    for (int i = 0; i < int(std::size(kNames)); ++i)
        if (name == QLatin1String(kNames[i]))
            kind = i;
    if (kind < 0)
        return std::nullopt;
    fault.m_kind = Kind(kind);
    if (text.contains(u':')) {
        bool ok = false;
        const double rate = text.section(u':', 1).trimmed().toDouble(&ok);
        if (!ok || !(rate >= 0.0 && rate <= 1.0) || fault.m_kind == None)
            return std::nullopt;
        fault.m_step = qRound64(rate * kWhole);
    }
    return fault;
}

QString Fault::kindNames()
{
    QStringList names;
    for (const char* n : kNames)
        names << QLatin1String(n);
    return names.mid(1).join(QLatin1String(", "));
}

QString Fault::text() const
{
    if (m_kind == None || m_step == kWhole)
        return QLatin1String(kNames[m_kind]);
    return QStringLiteral("%1:%2").arg(QLatin1String(kNames[m_kind])).arg(double(m_step) / kWhole);
}

bool Fault::strikes(const Answer& answer)
{
    if (m_kind == None || (m_kind == BadResult && answer.kind != Answer::Download))
        return false;
    m_accumulated += m_step;
    if (m_accumulated < kWhole)
        return false;
    m_accumulated -= kWhole;
    return true;
}

void Fault::reshape(Answer& answer) const
{
    QByteArray& b = answer.bytes;
    switch (m_kind) {
    case Short:
        b.chop(1);
        break;
    case Long:
        b.append('\0');
        break;
    case BadXor:
        // the program answer has no check byte: spoil its agreement with the stored checksum instead
        if (answer.kind == Answer::Upload)
            b[0] = char(b.at(0) ^ 0xFF);
        else
            b[b.size() - 1] = char(b.back() ^ 0xFF);
        break;
    case BadResult:
        b[2] = char(kReceivedWrong);
        b = withCheck(b.left(kFrameSize - 1));
        break;
    case Garbage:
        b.prepend(kGarbage, 3);
        break;
    default:
        break;
    }
}

} // namespace sim
