// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MK38 byte code: the one instruction table that the compiler encodes from,
// the translator decodes and prints from, and the instruction menu lists from.

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace isa {

constexpr int kImageSize = 256;
// The compiled program: opcode at address 0, zero bytes after the last instruction.
using ProgramImage = std::array<quint8, kImageSize>;

// One-byte operand addresses 0..91; 92..255 have no name.
constexpr int kOperandSpaceSize = 92;
// The operand name as the translator prints it (e1, s1, v01, re01, Ctv1, Tpv1, TpvF1, Tp1, TpF1);
// empty for 92..255. es.def holds the same names in lower case, in address order.
QString operandName(int address);

// How one operand is written in the source and stored in the image.
enum class Kind : quint8 {
    Address, // OperandSpace address, one byte
    Value,   // plain number, one byte
    Time,    // seconds scaled to one byte (osc)
    Preset,  // seconds scaled to a 16-bit count, low byte then high byte (tp, tpf)
    Index,   // address minus the group base, one byte (ctv, tpv, tpvf, tp, tpf)
    Label,   // jump target: the address of the labelled opcode, one byte
};

// How the translator prints an operand.
enum class Print : quint8 {
    Name,  // operand name of the byte
    Dec,   // decimal without blanks
    Str,   // the runtime's Str form of byte / scale (leading blank for the sign)
    Label, // "L_" and byte + 1
};

struct Operand
{
    Kind kind;
    quint8 offset; // byte offset after the opcode
    quint8 scale;  // 1, 10 or 100
    Print print;
    int min; // range a number must lie in (after scaling); "any" is the storage bound
    int max;
    int indexBase = 0; // Index: group base subtracted from the evaluated address
    int indexMin = 0;  // Index: valid stored indices
    int indexMax = 255;
    int defaultValue = -1; // stored when the source word is absent; -1: required
};

struct Instruction
{
    std::string_view mnemonic; // lower case, as the compiler matches it
    quint8 opcode;
    quint8 length; // bytes including the opcode
    quint8 operandCount;
    std::array<Operand, 3> operands; // in source order
    int menuOrder;                   // position in the instruction menu; -1: not offered there

    bool isJump() const { return operandCount == 1 && operands[0].kind == Kind::Label; }
    QString upperMnemonic() const;
};

// Every mnemonic the compiler accepts, the extended ones (inc .. ifeq) included.
std::span<const Instruction> instructions();
// The row for a lower-case mnemonic, or nullptr.
const Instruction* findMnemonic(QStringView mnemonic);
// The first row with this opcode (tpv before tpvf, tp before tpf), or nullptr for an unused opcode.
const Instruction* decodeOpcode(quint8 opcode);
// The fast variant sharing this row's opcode (tpvf for tpv, tpf for tp), or nullptr.
const Instruction* fastVariant(const Instruction& row);
// The rows offered by the instruction menu, in menu order.
std::span<const Instruction* const> menuInstructions();

// Largest timer preset count.
constexpr int kMaxPreset = 32767;
// The largest value an operand's bytes can hold, whatever the instruction's own rule.
constexpr int storageMax(Kind kind) { return kind == Kind::Preset ? kMaxPreset : 255; }

} // namespace isa
