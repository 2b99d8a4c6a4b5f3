// SPDX-License-Identifier: GPL-3.0-or-later
#include "ObjCode.h"

#include <QSet>

#include <cmath>

namespace objcode {

namespace {

// Counter and timer operands below this byte are indices into their group, not addresses.
constexpr int kIndexedBelow = 8;

const QString kCrLf = QStringLiteral("\r\n");

quint8 byteAt(QByteArrayView image, int address)
{
    return address < image.size() ? quint8(image[address]) : 0;
}

const isa::Operand* indexOperand(quint8 opcode)
{
    const isa::Instruction* row = isa::decodeOpcode(opcode);
    if (!row)
        return nullptr;
    for (int i = 0; i < row->operandCount; ++i)
        if (row->operands[i].kind == isa::Kind::Index)
            return &row->operands[i];
    return nullptr;
}

QString letters(const QString& name)
{
    QString out = name;
    while (!out.isEmpty() && out.back().isDigit())
        out.chop(1);
    return out;
}

// A group runs from its base address while the names keep the base name's letters
// (Ctv1..Ctv4; Tpv1..TpvF2; Tp1..TpF2). Indices past its end but below 8 carry on the
// numbering of its last name and get the error marker.
QString groupName(int base, quint8 index)
{
    const QString family = letters(isa::operandName(base));
    int size = 0;
    while (size < kIndexedBelow && isa::operandName(base + size).startsWith(family))
        ++size;
    if (index < size)
        return isa::operandName(base + index);
    const QString last = isa::operandName(base + size - 1);
    const QString lastLetters = letters(last);
    const int lastNumber = last.mid(lastLetters.size()).toInt();
    return lastLetters + QString::number(lastNumber + index - (size - 1))
           + QStringLiteral(" ** Error: no exixte ese N\u00a7 de ") + family + QStringLiteral(" **");
}

struct Line
{
    int address;
    QString text; // after the label field
    quint8 opcode;
};

} // namespace

QString Str(double value)
{
    QString digits = QString::number(std::fabs(value), 'g', 7);
    if (digits.contains(QLatin1Char('e'))) {
        digits = digits.toUpper();
    } else if (digits.startsWith(QLatin1String("0."))) {
        digits.remove(0, 1);
    }
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
}

QString FormatOperand(quint8 byte, quint8 context)
{
    if (const isa::Operand* index = indexOperand(context)) {
        if (byte < kIndexedBelow)
            return groupName(index->indexBase, byte);
        // the general name of the byte would compile to another index: print the address instead
        return QString::number(index->indexBase + byte);
    }
    const QString name = isa::operandName(byte);
    return name.isEmpty() ? QString::number(byte) : name;
}

QString LabelField(int position, bool isTarget)
{
    if (!isTarget)
        return QString(8, QLatin1Char(' '));
    return (QStringLiteral("L_") + QString::number(position)).leftJustified(8, QLatin1Char(' '));
}

Translation ReverseTranslate(QByteArrayView image)
{
    Translation out;
    QList<Line> lines;
    QSet<int> targets;

    // One walk decodes every line and collects the jump targets, so that backward jumps
    // get their label line as well.
    for (int address = 0; address < isa::kImageSize;) {
        const quint8 opcode = byteAt(image, address);
        const isa::Instruction* row = isa::decodeOpcode(opcode);
        if (!row) {
            ++address;
            continue;
        }
        QString operands;
        for (int i = 0; i < row->operandCount; ++i) {
            const isa::Operand& o = row->operands[i];
            const quint8 b = byteAt(image, address + 1 + o.offset);
            QString text;
            switch (o.print) {
            case isa::Print::Name:
                text = FormatOperand(b, opcode);
                if (o.kind == isa::Kind::Index && text.contains(QLatin1Char('F')))
                    if (const isa::Instruction* fast = isa::fastVariant(*row))
                        row = fast;
                break;
            case isa::Print::Dec:
                text = QString::number(b);
                break;
            case isa::Print::Str: {
                int n = b;
                if (o.kind == isa::Kind::Preset)
                    n += 256 * byteAt(image, address + 2 + o.offset);
                text = Str(double(n) / o.scale);
                break;
            }
            case isa::Print::Label:
                text = QStringLiteral("L_") + QString::number(b + 1);
                out.jumpLabels << QString::number(b + 1);
                targets.insert(b + 1);
                break;
            }
            operands += QLatin1Char(' ') + text;
        }
        lines.append({address, row->upperMnemonic() + operands, opcode});
        address += row->length;
    }

    const quint8 end = isa::findMnemonic(u"end")->opcode;
    const quint8 rjp = isa::findMnemonic(u"rjp")->opcode;
    qsizetype endLength = 0;
    for (const Line& line : std::as_const(lines)) {
        const int position = line.address + 1;
        out.text += LabelField(position, targets.contains(position)) + line.text + kCrLf;
        if (line.opcode == end)
            out.text += kCrLf;
        if (line.opcode == end || line.opcode == rjp)
            endLength = out.text.size();
    }
    // the zero bytes after the program would otherwise print as "AND e1" lines
    out.text.truncate(endLength);
    return out;
}

Translation ReverseTranslate(const isa::ProgramImage& image)
{
    return ReverseTranslate(QByteArrayView(reinterpret_cast<const char*>(image.data()), qsizetype(image.size())));
}

} // namespace objcode
