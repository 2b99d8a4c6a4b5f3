// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramTextTokens.h"

#include "Equates.h"
#include "Source.h"

#include <QCoreApplication>
#include <vector>

namespace {

using compiler::PreparedLine;

QString letters(int address)
{
    QString name = isa::operandName(address);
    while (!name.isEmpty() && name.back().isDigit())
        name.chop(1);
    return name.toLower();
}

// The operands of one instruction evaluate as the code generator evaluates them; jumps always do.
bool operandsEvaluate(const isa::Instruction& row, const std::array<QStringView, compiler::kMaxWords>& words,
                      int first, const compiler::Symbols& symbols)
{
    QString message;
    for (int i = 0; i < row.operandCount; ++i) {
        const isa::Operand& op = row.operands[size_t(i)];
        const QStringView word = first + i < compiler::kMaxWords ? words[size_t(first + i)] : QStringView();
        if (op.kind != isa::Kind::Label && !compiler::encodeOperand(row, op, word, symbols, message))
            return false;
    }
    return true;
}

class Classifier
{
public:
    Classifier(const QString& lower, const ProgramSymbols& s, LineTokens& out) : m_lower(lower), m_s(s), m_out(out)
    {
    }

    void mark(QStringView word, TokenKind kind)
    {
        if (!word.isEmpty())
            m_out.spans.append({int(word.data() - m_lower.constData()), int(word.size()), kind});
    }

    // The kind of an operand word that evaluates: a predefined name, an equ name or a number.
    TokenKind valueKind(QStringView word) const
    {
        word = compiler::trimSpaces(word);
        if (const auto address = m_s.predefinedAddress(word))
            return addressKind(*address);
        if (m_s.equValue(word))
            return TokenKind::Equ;
        return TokenKind::Number;
    }

    void operands(const isa::Instruction& row, const std::array<QStringView, compiler::kMaxWords>& words, int first)
    {
        QString message;
        for (int i = 0; i < row.operandCount && first + i < compiler::kMaxWords; ++i) {
            const isa::Operand& op = row.operands[size_t(i)];
            const QStringView word = compiler::trimSpaces(words[size_t(first + i)]);
            if (word.isEmpty())
                continue;
            if (op.kind == isa::Kind::Label) {
                if (m_s.labelsKnown())
                    mark(word, m_s.labelLine(word) ? TokenKind::Label : TokenKind::Error);
                continue;
            }
            mark(word, compiler::encodeOperand(row, op, word, m_s.operandSymbols(), message) ? valueKind(word)
                                                                                               : TokenKind::Error);
        }
    }

private:
    const QString& m_lower;
    const ProgramSymbols& m_s;
    LineTokens& m_out;
};

} // namespace

const TokenSpan* LineTokens::at(int position) const
{
    for (const TokenSpan& s : spans)
        if (position >= s.start && position <= s.start + s.length && s.length > 0)
            return &s;
    return nullptr;
}

QString lowerLine(QStringView line)
{
    QString lower(line.size(), Qt::Uninitialized);
    QChar* out = lower.data();
    for (QChar c : line)
        *out++ = c.unicode() < 0x80
                     ? QChar(c.unicode() >= u'A' && c.unicode() <= u'Z' ? c.unicode() + 32 : c.unicode())
                     : c.toLower();
    return lower;
}

TokenKind addressKind(int address)
{
    const QString group = letters(address);
    if (group == u"e")
        return TokenKind::Input;
    if (group == u"s")
        return TokenKind::Output;
    if (group == u"v" || group == u"re" || group.isEmpty())
        return TokenKind::Variable;
    return TokenKind::CounterTimer;
}

QString addressKindName(int address)
{
    const QString group = letters(address);
    if (group == u"e")
        return QCoreApplication::translate("ProgramText", "entrada");
    if (group == u"s")
        return QCoreApplication::translate("ProgramText", "salida");
    if (group == u"v")
        return QCoreApplication::translate("ProgramText", "variable");
    if (group == u"re")
        return QCoreApplication::translate("ProgramText", "operando re");
    if (group == u"ctv")
        return QCoreApplication::translate("ProgramText", "contador");
    if (group.startsWith(u"tpv"))
        return QCoreApplication::translate("ProgramText", "preset de temporizador");
    if (group.startsWith(u"tp"))
        return QCoreApplication::translate("ProgramText", "temporizador");
    return QCoreApplication::translate("ProgramText", "dirección");
}

LineTokens classifyLine(QStringView line, const ProgramSymbols& symbols)
{
    LineTokens out;
    const QString lower = lowerLine(line);
    Classifier c(lower, symbols, out);
    const PreparedLine p = compiler::prepareLine(lower);
    const auto& w = p.words;

    switch (p.kind) {
    case PreparedLine::Kind::OneChar:
        c.mark(w[0], TokenKind::Error);
        break;
    case PreparedLine::Kind::Nothing:
        if (w[1] == u"equ") { // a definition line
            if (symbols.equValue(w[0]))
                c.mark(w[0], TokenKind::Equ);
            c.mark(w[1], TokenKind::Mnemonic);
            if (const auto address = symbols.predefinedAddress(compiler::trimSpaces(w[2])))
                c.mark(w[2], addressKind(*address));
            else if (compiler::isNumericText(compiler::trimSpaces(w[2])))
                c.mark(w[2], TokenKind::Number);
        }
        break;
    case PreparedLine::Kind::Words: {
        // word 1 as the instruction, else word 1 as a label and word 2 as the instruction
        const compiler::Symbols& s = symbols.operandSymbols();
        const isa::Instruction* first = isa::findMnemonic(w[0]);
        const isa::Instruction* second = isa::findMnemonic(w[1]);
        if (first && operandsEvaluate(*first, w, 1, s)) {
            out.instruction = first;
        } else if (second && operandsEvaluate(*second, w, 2, s)) {
            out.instruction = second;
            out.label = (w[0].endsWith(u':') ? w[0].chopped(1) : w[0]).toString();
            c.mark(w[0], TokenKind::Label);
        } else if (first) {
            out.instruction = first; // rejected: its failing operands are the errors
        } else {
            c.mark(w[0], TokenKind::Error);
            c.mark(w[1], TokenKind::Error);
            break;
        }
        const bool labelled = out.instruction == second && !out.label.isEmpty();
        c.mark(w[labelled ? 1 : 0], TokenKind::Mnemonic);
        c.operands(*out.instruction, w, labelled ? 2 : 1);
        break;
    }
    }

    // ";" anywhere starts a comment; "'" only as the first character of the line
    const QStringView trimmed = compiler::trimSpaces(lower);
    qsizetype comment = lower.indexOf(u';');
    if (!trimmed.isEmpty() && trimmed.front() == u'\'')
        comment = trimmed.data() - lower.constData();
    if (comment >= 0)
        out.spans.append({int(comment), int(line.size() - comment), TokenKind::Comment});
    return out;
}

ProgramSymbols::ProgramSymbols() : m_index(QStringList()), m_symbols(std::make_unique<compiler::Symbols>(m_index, m_equs))
{
    m_labelsKnown = true;
}

ProgramSymbols::ProgramSymbols(const QStringList& predefined, QStringView source)
    : m_predefinedNames(predefined), m_index(predefined)
{
    const compiler::SourceText text(source);
    std::vector<float> numbers;
    m_equs = compiler::CollectEquates(text, m_index, &numbers);
    m_symbols = std::make_unique<compiler::Symbols>(m_index, m_equs, numbers);
    for (const compiler::SourceLine& line : text.lines()) {
        const LineTokens t = classifyLine(line.raw, *this);
        if (t.definesLabel() && !m_labelLines.contains(t.label)) {
            m_labelLines.insert(t.label, line.number - 1);
            m_labels.append(t.label);
        }
        if (t.instruction)
            m_bytes += t.instruction->length;
    }
    m_labelsKnown = true;
}

std::optional<QString> ProgramSymbols::equValue(QStringView name) const
{
    const qsizetype i = m_equs.names.indexOf(name);
    if (i < 0)
        return std::nullopt;
    return m_equs.values.value(i);
}

std::optional<int> ProgramSymbols::labelLine(QStringView label) const
{
    const auto it = m_labelLines.constFind(label.toString());
    if (it == m_labelLines.cend())
        return std::nullopt;
    return *it;
}

bool ProgramSymbols::sameNames(const ProgramSymbols& other) const
{
    return m_labels == other.m_labels && m_equs.names == other.m_equs.names &&
           m_equs.values == other.m_equs.values && m_predefinedNames == other.m_predefinedNames;
}
