// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonitorCsv.h"

#include <QDateTime>

namespace plclink::monitorcsv {

namespace {

constexpr int kInputs = 3, kOutputs = kInputs + 8, kVariables = kOutputs + 6, kColumns = kVariables + 4;

QStringList bits(int value, int width)
{
    QStringList bit;
    for (int i = 0; i < width; ++i)
        bit << ((value & (1 << i)) ? QStringLiteral("1") : QStringLiteral("0"));
    return bit;
}

QString hexByte(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QStringList variableNames(const QStringList& names, int first)
{
    QStringList four;
    for (int i = 0; i < 4; ++i)
        four << names.value(first + i, QString::number(first + i));
    return four;
}

QString header(const QStringList& variableNames)
{
    return QStringLiteral("time,kind,ok,in0,in1,in2,in3,in4,in5,in6,in7,out0,out1,out2,out3,out4,out5,") +
           variableNames.join(u',');
}

QString row(const Sample& sample)
{
    QStringList columns(kColumns);
    columns[0] = QDateTime::fromMSecsSinceEpoch(sample.msecs).toString(Qt::ISODateWithMs);
    columns[2] = sample.sound() ? QStringLiteral("1") : QStringLiteral("0");
    if (sample.kind == Sample::Kind::Io) {
        columns[1] = QStringLiteral("io");
        if (sample.sound()) {
            const QStringList in = bits(sample.inputs, 8), out = bits(sample.outputs, 6);
            std::copy(in.begin(), in.end(), columns.begin() + kInputs);
            std::copy(out.begin(), out.end(), columns.begin() + kOutputs);
        }
    } else {
        columns[1] = QStringLiteral("var");
        // a poll without a sound answer has no values, whatever bytes it holds
        for (int i = 0; i < 4 && sample.sound(); ++i)
            columns[kVariables + i] = QString::number(sample.variables[size_t(i)]);
    }
    return columns.join(u',');
}

QString text(const Sample& sample, const QStringList& variableNames)
{
    if (sample.kind == Sample::Kind::Io) {
        if (!sample.sound())
            return QStringLiteral("in/out: no answer");
        return QStringLiteral("in %1  out %2")
            .arg(bits(sample.inputs, 8).join(QString()), bits(sample.outputs, 6).join(QString()));
    }
    QStringList values;
    for (int i = 0; i < 4; ++i) {
        const quint8 b = sample.variables[size_t(i)];
        values << variableNames.value(i) + u'=' +
                      (sample.sound() ? QString::number(b) + QStringLiteral(" 0x") + hexByte(b)
                                      : QStringLiteral("?"));
    }
    return QStringLiteral("var  ") + values.join(QStringLiteral("  ")) +
           (sample.sound() ? QString() : QStringLiteral("  (no answer)"));
}

} // namespace plclink::monitorcsv
