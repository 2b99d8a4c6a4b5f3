// SPDX-License-Identifier: GPL-3.0-or-later
#include "Console.h"

#include "Fault.h"
#include "Plc.h"

namespace sim {

namespace {

const char kConsoleHelp[] = "commands: in N 0|1 (input 0..7), out N 0|1 (output 0..5), var N VALUE "
                            "(0..255, decimal or 0x hex), show, fault KIND[:RATE], fault none, help";

// A number 0..max written in decimal or with 0x in hexadecimal, or -1.
int number(const QString& text, int max)
{
    bool ok = false;
    const int v = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toInt(&ok, 16)
                                                                            : text.toInt(&ok, 10);
    return ok && v >= 0 && v <= max ? v : -1;
}

} // namespace

QStringList consoleCommand(const QString& line, Plc& plc, Fault& fault)
{
    const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    const QString& verb = words[0];
    const QString ok = QStringLiteral("ok");
    if ((verb == QLatin1String("in") || verb == QLatin1String("out")) && words.size() == 3) {
        const bool isInput = verb == QLatin1String("in");
        const int n = number(words[1], isInput ? kInputCount - 1 : kOutputCount - 1);
        const int state = number(words[2], 1);
        if (n < 0 || state < 0)
            return {QStringLiteral("error: %1 N 0|1 with N 0..%2").arg(verb).arg(isInput ? 7 : 5)};
        if (isInput)
            plc.setInput(n, state);
        else
            plc.setOutput(n, state);
        return {ok};
    }
    if (verb == QLatin1String("var") && words.size() == 3) {
        const int n = number(words[1], 255);
        const int value = number(words[2], 255);
        if (n < 0 || value < 0)
            return {QStringLiteral("error: var N VALUE with N and VALUE 0..255")};
        plc.setVariable(n, quint8(value));
        return {ok};
    }
    if (verb == QLatin1String("show") && words.size() == 1)
        return plc.describe() << QStringLiteral("fault %1").arg(fault.text()) << QLatin1String(kShowEnd);
    if (verb == QLatin1String("fault") && words.size() == 2) {
        const auto parsed = Fault::parse(words[1]);
        if (!parsed)
            return {QStringLiteral("error: fault none or KIND[:RATE] with KIND one of %1 and RATE 0..1")
                        .arg(Fault::kindNames())};
        fault = *parsed;
        return {ok};
    }
    if (verb == QLatin1String("help") && words.size() == 1)
        return {QLatin1String(kConsoleHelp)};
    return {QStringLiteral("error: unknown command \"%1\" (help lists them)").arg(line.simplified())};
}

} // namespace sim
