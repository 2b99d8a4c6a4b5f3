// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramTextCompleter.h"

#include "ProgramTextTokens.h"
#include "Source.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QStandardItemModel>
#include <algorithm>

namespace {

constexpr int kWordRole = Qt::UserRole;

QString mnemonicOf(const isa::Instruction& row)
{
    return QString::fromLatin1(row.mnemonic.data(), qsizetype(row.mnemonic.size()));
}

// The predefined addresses an index operand accepts: its group and the groups it shares an
// opcode with (tpv: Tpv and TpvF; tp: Tp and TpF).
bool fitsIndex(const isa::Operand& op, int address)
{
    const QString base = isa::operandName(op.indexBase).toLower();
    const QString name = isa::operandName(address).toLower();
    const int index = address - op.indexBase;
    const QStringView group = QStringView(base).chopped(1); // "ctv", "tpv", "tp"
    return index >= op.indexMin && index <= op.indexMax && name.startsWith(group) &&
           !(group == u"tp" && name.startsWith(u"tpv"));
}

QString kindWord(const isa::Operand& op)
{
    switch (op.kind) {
    case isa::Kind::Address:
        return QCoreApplication::translate("ProgramText", "dirección");
    case isa::Kind::Value:
        return op.defaultValue >= 0 ? QCoreApplication::translate("ProgramText", "[cantidad]")
                                    : QCoreApplication::translate("ProgramText", "valor");
    case isa::Kind::Time:
    case isa::Kind::Preset:
        return QCoreApplication::translate("ProgramText", "tiempo");
    case isa::Kind::Label:
        return QCoreApplication::translate("ProgramText", "etiqueta");
    case isa::Kind::Index: {
        QStringList groups;
        for (int a = 0; a < isa::kOperandSpaceSize; ++a) {
            QString name = isa::operandName(a);
            while (!name.isEmpty() && name.back().isDigit())
                name.chop(1);
            if (fitsIndex(op, a) && !groups.contains(name))
                groups << name;
        }
        return groups.join(QLatin1Char('/'));
    }
    }
    return {};
}

} // namespace

QString operandForm(const isa::Instruction& row)
{
    QStringList parts;
    for (int i = 0; i < row.operandCount; ++i)
        parts << kindWord(row.operands[size_t(i)]);
    return parts.join(QStringLiteral(", "));
}

QList<CompletionEntry> completionsFor(QStringView lineBeforeCaret, const ProgramSymbols& symbols, QString* prefix)
{
    QList<CompletionEntry> entries;
    qsizetype start = lineBeforeCaret.size();
    while (start > 0 && !compiler::isBlank(lineBeforeCaret[start - 1]))
        --start;
    if (prefix)
        *prefix = lineBeforeCaret.sliced(start).toString();
    const QString before = lowerLine(lineBeforeCaret.first(start));
    if (before.contains(u';') || compiler::trimSpaces(before).startsWith(u'\''))
        return entries; // in a comment
    const compiler::PreparedLine p = compiler::prepareLine(before);
    int words = 0;
    while (words < compiler::kMaxWords && !p.words[size_t(words)].isEmpty())
        ++words;

    // word 1 as the instruction, else word 2 after a label
    const isa::Instruction* row = words >= 1 ? isa::findMnemonic(p.words[0]) : nullptr;
    int operand = words - 1;
    if (!row && words >= 2) {
        row = isa::findMnemonic(p.words[1]);
        operand = words - 2;
    }
    if (!row) {
        if (words > 1)
            return entries;
        QList<const isa::Instruction*> rows;
        for (const isa::Instruction& r : isa::instructions())
            rows << &r;
        std::sort(rows.begin(), rows.end(),
                  [](const isa::Instruction* a, const isa::Instruction* b) { return a->mnemonic < b->mnemonic; });
        for (const isa::Instruction* r : rows) {
            const QString m = mnemonicOf(*r);
            entries.append({m, QStringLiteral("%1 %2").arg(m.leftJustified(4), operandForm(*r)).trimmed()});
        }
        return entries;
    }
    if (operand >= row->operandCount)
        return entries;

    const isa::Operand& op = row->operands[size_t(operand)];
    const QStringList& names = symbols.predefinedNames();
    const compiler::EquTable& equs = symbols.equs();
    switch (op.kind) {
    case isa::Kind::Label:
        for (const QString& label : symbols.labels())
            entries.append({label, label});
        break;
    case isa::Kind::Address:
    case isa::Kind::Index:
        for (int a = 0; a < names.size(); ++a)
            if (op.kind == isa::Kind::Address || fitsIndex(op, a))
                entries.append({names[a], QStringLiteral("%1 %2").arg(names[a], -7).arg(addressKindName(a))});
        // an equ's value is an address as any number is; shown by the name it stands for
        for (int i = 0; i < equs.names.size(); ++i) {
            bool whole = false;
            const int a = equs.values[i].toInt(&whole);
            if (whole && a >= 0 && a < names.size() && (op.kind == isa::Kind::Address || fitsIndex(op, a)))
                entries.append({equs.names[i], QStringLiteral("%1 = %2").arg(equs.names[i], names[a])});
        }
        break;
    case isa::Kind::Value:
    case isa::Kind::Time:
    case isa::Kind::Preset:
        for (int i = 0; i < equs.names.size(); ++i)
            entries.append({equs.names[i], QStringLiteral("%1 = %2").arg(equs.names[i], equs.values[i])});
        break;
    }
    return entries;
}

ProgramTextCompleter::ProgramTextCompleter(QObject* parent) : QCompleter(parent), m_model(new QStandardItemModel(this))
{
    setObjectName(QStringLiteral("completer"));
    setModel(m_model);
    setCompletionRole(kWordRole);
    setCaseSensitivity(Qt::CaseInsensitive);
    setCompletionMode(QCompleter::PopupCompletion);
    setWrapAround(false);
}

bool ProgramTextCompleter::setEntries(const QList<CompletionEntry>& entries, const QString& prefix)
{
    m_model->clear();
    for (const CompletionEntry& e : entries) {
        auto* item = new QStandardItem(e.display);
        item->setData(e.word, kWordRole);
        item->setEditable(false);
        m_model->appendRow(item);
    }
    setCompletionPrefix(prefix);
    return completionCount() > 0;
}
