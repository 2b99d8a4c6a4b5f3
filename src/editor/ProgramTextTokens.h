// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of the program text as the compiler reads them: the line preparation, the
// instruction table and operand evaluation of the compiler, not a grammar of their own. The
// colours, the completion, the tooltips and go-to-label all read from here.

#include "ColorScheme.h"
#include "Compiler.h"
#include "Operand.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <memory>
#include <optional>

struct TokenSpan
{
    int start; // in the line's characters
    int length;
    TokenKind kind;
};

// One line, classified.
struct LineTokens
{
    QList<TokenSpan> spans;                       // in line order, the comment last
    const isa::Instruction* instruction = nullptr; // the line's instruction, if it has one
    QString label;                                 // the label the line defines, without colon
    bool definesLabel() const { return !label.isEmpty(); }
    // The span under a character position, or nullptr.
    const TokenSpan* at(int position) const;
};

// The names a program may use and defines: the predefined names of es.def, the program's
// equ table (the compiler's pre-pass) and its labels, each with the line of its first definition.
class ProgramSymbols
{
public:
    ProgramSymbols(); // no names at all
    ProgramSymbols(const QStringList& predefined, QStringView source);
    ProgramSymbols(const ProgramSymbols&) = delete;
    ProgramSymbols& operator=(const ProgramSymbols&) = delete;

    const QStringList& predefinedNames() const { return m_predefinedNames; }
    std::optional<int> predefinedAddress(QStringView name) const { return m_index.find(name); }
    const compiler::EquTable& equs() const { return m_equs; }
    std::optional<QString> equValue(QStringView name) const;
    const compiler::Symbols& operandSymbols() const { return *m_symbols; }
    // Labels in source order (without colon), and the 0-based line that defines each first.
    const QStringList& labels() const { return m_labels; }
    std::optional<int> labelLine(QStringView label) const;
    bool labelsKnown() const { return m_labelsKnown; }
    // The bytes the program's instructions take, whether or not they fit the image.
    int bytes() const { return m_bytes; }
    // The same labels and equ names with the same values: the colours do not change.
    bool sameNames(const ProgramSymbols& other) const;

private:
    QStringList m_predefinedNames;
    compiler::NameIndex m_index;
    compiler::EquTable m_equs;
    std::unique_ptr<compiler::Symbols> m_symbols;
    QStringList m_labels;
    QHash<QString, int> m_labelLines;
    bool m_labelsKnown = false;
    int m_bytes = 0;
};

// A line in lower case, one character for one, as the compiler lowers its source.
QString lowerLine(QStringView line);
// Classifies one line of the text. Jumps are checked against the labels once they are known.
LineTokens classifyLine(QStringView line, const ProgramSymbols& symbols);
// The token kind of a predefined operand by its address.
TokenKind addressKind(int address);
// The kind of operand as a word for the user: "entrada", "salida", ...
QString addressKindName(int address);
