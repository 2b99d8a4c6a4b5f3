// SPDX-License-Identifier: GPL-3.0-or-later
#include "Compiler.h"

#include "Equates.h"
#include "Operand.h"
#include "Source.h"

#include <QCoreApplication>
#include <algorithm>
#include <span>
#include <utility>
#include <vector>

namespace compiler {

namespace {

// Emits the instructions of one line at a time into the 256-byte image.
class CodeGenerator
{
public:
    explicit CodeGenerator(const Symbols& symbols) : m_symbols(symbols) {}

    // CompileLine: word 1 as the mnemonic, else word 1 as a label and word 2 as the mnemonic.
    bool compileLine(const std::array<QStringView, kMaxWords>& words)
    {
        m_message.clear();
        const int start = pc;
        if (dispatch(words[0], std::span(words).subspan(1)))
            return true;
        labels.emplace_back(words[0], start);
        return dispatch(words[1], std::span(words).subspan(2));
    }

    // The message of the last failure in the line, empty when none set one.
    const QString& message() const { return m_message; }

    isa::ProgramImage image{};
    int pc = 0;

    std::vector<std::pair<QStringView, int>> labels; // lstLabel, lstLabelPos
    std::vector<std::pair<QStringView, int>> jumps;  // lstJumpLabel, lstJumpLabelPos

private:
    // DispatchInstruction. A failed attempt leaves no byte behind.
    bool dispatch(QStringView mnemonic, std::span<const QStringView> operands)
    {
        const isa::Instruction* row = isa::findMnemonic(mnemonic);
        if (!row)
            return false;
        if (pc + row->length > isa::kImageSize) {
            m_message = QCoreApplication::translate("compiler", "El programa excede los %1 bytes")
                            .arg(isa::kImageSize);
            return false;
        }
        std::array<quint8, 8> bytes{row->opcode};
        Q_ASSERT(row->length <= bytes.size());
        bool ok = true;
        QStringView jumpTarget;
        for (int i = 0; i < row->operandCount; ++i) {
            const isa::Operand& op = row->operands[size_t(i)];
            const QStringView word = size_t(i) < operands.size() ? operands[size_t(i)] : QStringView();
            if (op.kind == isa::Kind::Label) {
                jumpTarget = trimSpaces(word);
                continue; // filled in once every label is known
            }
            // every operand is evaluated, so the message is the one of the last failure
            const std::optional<int> value = encodeOperand(*row, op, word, m_symbols, m_message);
            if (!value) {
                ok = false;
                continue;
            }
            quint8* at = &bytes[size_t(1 + op.offset)];
            at[0] = quint8(*value & 255);
            if (op.kind == isa::Kind::Preset)
                at[1] = quint8(*value / 256);
        }
        if (!ok)
            return false;
        if (row->isJump())
            jumps.emplace_back(jumpTarget, pc + 1);
        std::copy_n(bytes.begin(), row->length, image.begin() + pc);
        pc += row->length;
        return true;
    }

    const Symbols& m_symbols;
    QString m_message;
};

QString fallbackMessage(const std::array<QStringView, kMaxWords>& words)
{
    if (words[1].isEmpty()) {
        if (words[0].size() == 1)
            return QCoreApplication::translate("compiler",
                                               "La palabra \"%1\" de un solo caracter no es una instrucción")
                .arg(words[0].toString());
        return QCoreApplication::translate("compiler", "La etiqueta \"%1\" no tiene instrucción")
            .arg(words[0].toString());
    }
    return QCoreApplication::translate("compiler", "Ni \"%1\" ni \"%2\" es una instrucción")
        .arg(words[0].toString(), words[1].toString());
}

QStringView withoutColon(QStringView label)
{
    label = trimSpaces(label);
    return label.endsWith(u':') ? label.chopped(1) : label;
}

} // namespace

std::optional<int> encodeOperand(const isa::Instruction& row, const isa::Operand& op, QStringView word,
                                 const Symbols& symbols, QString& message)
{
    if (word.isEmpty() && op.defaultValue >= 0)
        return op.defaultValue;
    const int value =
        EvaluateOperand(word, float(op.scale), op.max, op.min, symbols, message, isa::storageMax(op.kind));
    if (value < 0)
        return std::nullopt;
    if (op.kind != isa::Kind::Index)
        return value;
    const int index = value - op.indexBase;
    if (index < op.indexMin || index > op.indexMax) {
        message = QCoreApplication::translate("compiler", "El argumento \"%1\" da el índice %2, fuera de %3 a %4 para %5")
                      .arg(trimSpaces(word).toString(), QString::number(index), QString::number(op.indexMin),
                           QString::number(op.indexMax), QLatin1String(row.mnemonic.data(), qsizetype(row.mnemonic.size())));
        return std::nullopt;
    }
    return index;
}

CompileResult compile(QStringView source, const QStringList& predefined)
{
    CompileResult result;
    const SourceText text(source);
    const NameIndex names(predefined);
    std::vector<float> numbers;
    result.equs = CollectEquates(text, names, &numbers);
    const Symbols symbols(names, result.equs, numbers);
    CodeGenerator gen(symbols);

    for (const SourceLine& line : text.lines()) {
        const PreparedLine prepared = prepareLine(line.lower);
        if (prepared.kind == PreparedLine::Kind::Nothing)
            continue;
        if (prepared.kind == PreparedLine::Kind::Words && gen.compileLine(prepared.words))
            continue;
        result.status = CompileResult::Status::LineRejected;
        result.rawLine = line.raw.toString();
        result.lineNumber = line.number;
        result.message = prepared.kind == PreparedLine::Kind::OneChar || gen.message().isEmpty()
                             ? fallbackMessage(prepared.words)
                             : gen.message();
        break;
    }

    if (result.status == CompileResult::Status::Ok) {
        QHash<QStringView, int> labelAt;
        labelAt.reserve(qsizetype(gen.labels.size()));
        for (const auto& [label, address] : gen.labels)
            if (!labelAt.contains(withoutColon(label)))
                labelAt.insert(withoutColon(label), address);
        for (const auto& [target, position] : gen.jumps) {
            const auto it = labelAt.constFind(trimSpaces(target));
            if (it == labelAt.cend()) {
                result.status = CompileResult::Status::UnresolvedJump;
                result.jumpTarget = trimSpaces(target).toString();
                break;
            }
            gen.image[size_t(position)] = quint8(*it);
        }
    }
    if (result.status == CompileResult::Status::Ok) {
        result.image = gen.image;
        result.length = gen.pc;
    }

    for (const auto& [label, address] : gen.labels) {
        result.labels.append(label.toString());
        result.labelPositions.append(QString::number(address));
    }
    for (const auto& [target, position] : gen.jumps) {
        result.jumpLabels.append(target.toString());
        result.jumpLabelPositions.append(QString::number(position));
    }
    return result;
}

} // namespace compiler
