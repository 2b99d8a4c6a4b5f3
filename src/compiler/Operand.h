// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Operand evaluation: numbers, predefined names (es.def) and the user's EQUs.

#include "Compiler.h"

#include <QHash>
#include <QStringView>
#include <optional>
#include <span>

namespace compiler {

// First index of every name in a list (the first of equal names wins).
class NameIndex
{
public:
    explicit NameIndex(const QStringList& names);
    std::optional<int> find(QStringView name) const;

private:
    QStringList m_names; // keeps the viewed texts alive
    QHash<QStringView, int> m_index;
};

// The names an operand may use: cbVariables, then cbEQUs with lstEqusPos.
class Symbols
{
public:
    Symbols(const QStringList& predefined, const EquTable& equs);
    // numbers: the values of equs already read as single precision, if at hand
    Symbols(const NameIndex& predefined, const EquTable& equs, std::span<const float> numbers = {});
    std::optional<int> predefinedValue(QStringView name) const { return m_predefined.find(name); }
    std::optional<float> equValue(QStringView name) const;

private:
    NameIndex m_predefined;
    EquTable m_equs;
    QHash<QStringView, float> m_equValues;
};

// The leading number of a text as the runtime's Val reads it (sign, digits, ".", exponent), 0 if none.
double leadingNumber(QStringView text);
// The leading number held in single precision.
float toSingle(QStringView text);
// Whether text is the shortest decimal form of a single-precision number ("5", "12", ".5",
// "-.25": seven significant digits at most, no zero before the point, no exponent).
bool isShortestForm(QStringView text, float value);
// A number's classification: only digits, "." and "-".
bool isNumericText(QStringView text);

// EvaluateOperand: trims the operand (written back), then gives its value scaled and rounded
// half to even, or -1 with ErrorText set. A number must lie in minimum..maximum; a name or
// EQU must fit the operand's storage 0..storageMax.
qint16 EvaluateOperand(QStringView& operand, float scale, int maximum, int minimum, const Symbols& symbols,
                       QString& ErrorText, int storageMax = 255);

// One operand as the code generator stores it: the value (an index reduced to its group, an
// absent optional word its default), or nothing with message set. Jump targets are not evaluated.
std::optional<int> encodeOperand(const isa::Instruction& row, const isa::Operand& op, QStringView word,
                                 const Symbols& symbols, QString& message);

} // namespace compiler
