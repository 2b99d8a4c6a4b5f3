// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cp1252.h"

#include <algorithm>
#include <optional>

namespace isa {

namespace {
// 0x80..0x9F; 0 marks the five unassigned bytes, which map to their C1 code points.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t decode(quint8 b)
{
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0)
        return kHigh[b - 0x80];
    return b;
}

// The byte for u, or nothing when the code page has none.
std::optional<char> encode(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u || (kHigh[i] == 0 && u == 0x80 + i))
            return char(0x80 + i);
    return std::nullopt;
}
} // namespace

QString fromCp1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (char c : bytes)
        *d++ = QChar(decode(quint8(c)));
    return out;
}

QByteArray toCp1252(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* d = out.data();
    for (QChar ch : text)
        *d++ = encode(ch.unicode()).value_or('?');
    return out;
}

bool isCp1252(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return encode(ch.unicode()).has_value(); });
}

} // namespace isa
