// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows-1252, the single-byte code page of every text file the PLC tools exchange
// (sources, es.def, qhelp.ayd, settings). Qt has no codec for it of its own.

#include <QByteArray>
#include <QString>

namespace isa {

QString fromCp1252(QByteArrayView bytes);
// Characters outside the code page become "?".
QByteArray toCp1252(QStringView text);
// Whether every character of text has its byte in the code page.
bool isCp1252(QStringView text);

} // namespace isa
