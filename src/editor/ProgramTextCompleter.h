// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Completion at the caret: the mnemonics where an instruction is expected, the names that fit
// the operand where one is expected.

#include <QCompleter>
#include <QList>
#include <QString>

class ProgramSymbols;
class QStandardItemModel;
namespace isa {
struct Instruction;
}

struct CompletionEntry
{
    QString word;    // inserted, in lower case
    QString display; // as the list shows it
};

// The entries for a caret that follows lineBeforeCaret; prefix receives the part of the word
// already typed (the list is filtered by it, ignoring letter case).
QList<CompletionEntry> completionsFor(QStringView lineBeforeCaret, const ProgramSymbols& symbols, QString* prefix);
// An instruction's operands as the list shows them, for example "Tp/TpF, tiempo".
QString operandForm(const isa::Instruction& row);

class ProgramTextCompleter : public QCompleter
{
    Q_OBJECT
public:
    explicit ProgramTextCompleter(QObject* parent = nullptr);
    // Fills the list; false when nothing fits here.
    bool setEntries(const QList<CompletionEntry>& entries, const QString& prefix);

private:
    QStandardItemModel* m_model;
};
