// SPDX-License-Identifier: GPL-3.0-or-later
#include "Isa.h"

#include <algorithm>

namespace isa {

namespace {

constexpr int kByteMax = 255;

constexpr Operand addr(quint8 offset, int max = kByteMax)
{
    return {Kind::Address, offset, 1, Print::Name, 0, max};
}
constexpr Operand value(quint8 offset, Print print, int max = kByteMax, int defaultValue = -1)
{
    return {Kind::Value, offset, 1, print, 0, max, 0, 0, 255, defaultValue};
}
constexpr Operand time10(quint8 offset) { return {Kind::Time, offset, 10, Print::Str, 0, kByteMax}; }
constexpr Operand preset(quint8 offset, quint8 scale)
{
    return {Kind::Preset, offset, scale, Print::Str, 0, kMaxPreset};
}
constexpr Operand index(int base, int lo, int hi)
{
    return {Kind::Index, 0, 1, Print::Name, 0, kByteMax, base, lo, hi};
}
constexpr Operand label() { return {Kind::Label, 0, 1, Print::Label, 0, kByteMax}; }
constexpr Operand none() { return {Kind::Value, 0, 1, Print::Dec, 0, 0}; }

constexpr quint8 width(const Operand& o) { return o.kind == Kind::Preset ? 2 : 1; }

constexpr Instruction op0(std::string_view m, quint8 code, int menu)
{
    return {m, code, 1, 0, {none(), none(), none()}, menu};
}
constexpr Instruction op1(std::string_view m, quint8 code, Operand a, int menu)
{
    return {m, code, quint8(1 + width(a)), 1, {a, none(), none()}, menu};
}
constexpr Instruction op2(std::string_view m, quint8 code, Operand a, Operand b, int menu)
{
    return {m, code, quint8(1 + width(a) + width(b)), 2, {a, b, none()}, menu};
}

// Opcode order. The menu order is the one the instruction menu has always shown.
constexpr std::array kInstructions = {
    op1("and", 0x00, addr(0), 0),
    op1("andn", 0x01, addr(0), 1),
    op0("andp", 0x02, 2),
    op0("cr", 0x03, 6),
    op0("cs", 0x04, 7),
    op1("if1", 0x05, label(), 13),
    op1("ld", 0x06, addr(0), 18),
    op1("ldn", 0x07, addr(0), 20),
    op1("or", 0x08, addr(0), 24),
    op1("orn", 0x09, addr(0), 25),
    op0("orp", 0x0A, 26),
    op1("out", 0x0B, addr(0), 28),
    // rst: the source writes the address first, the image stores the count first
    op2("rst", 0x0C, addr(1), value(0, Print::Str, kByteMax, 1), 30),
    op1("set", 0x0D, addr(0), 33),
    op1("setb", 0x0E, addr(0), 34),
    op0("end", 0x0F, 9),
    op1("ctv", 0x10, index(76, 0, 3), 8),
    op1("jp1", 0x11, label(), 16),
    op0("rjp", 0x12, 29),
    op1("tpv", 0x13, index(80, 0, 255), 38),
    op1("tpvf", 0x13, index(80, 4, 5), 39),
    op1("ldi", 0x14, value(0, Print::Dec), 19),
    op2("osc", 0x15, time10(0), time10(1), 27),
    op0("rct", 0x16, 31),
    op0("rtp", 0x17, 32),
    op2("tp", 0x19, index(86, 0, 255), preset(1, 10), 36),
    op2("tpf", 0x19, index(86, 4, 255), preset(1, 100), 37),
    op1("goto", 0x1A, label(), 11),
    op1("gosub", 0x1B, label(), 10),
    op1("not", 0x1C, addr(0), 22),
    op2("ldiv", 0x1D, value(0, Print::Str), addr(1), -1),
    op1("ifv1", 0x1E, label(), 14),
    op1("jpv1", 0x1F, label(), 17),
    op2("setif1", 0x20, addr(0), addr(1), 35),
    op1("xor", 0x21, addr(0), 40),
    op1("if0", 0x22, label(), 12),
    op2("clrif1", 0x23, addr(0), addr(1), 4),
    op1("jp0", 0x24, label(), 15),
    op0("nota", 0x25, 23),
    op2("ccpe", 0x26, value(0, Print::Dec), value(1, Print::Dec), 3),
    op2("cpe", 0x27, value(0, Print::Dec), value(1, Print::Dec), 5),
    op2("movtct", 0x28, value(0, Print::Dec), value(1, Print::Dec, 10), 21),
    op1("inc", 0x29, addr(0, 75), -1),
    op1("incw", 0x2A, addr(0, 75), -1),
    op1("ifc", 0x2B, label(), -1),
    op2("cpi", 0x2C, addr(0, 75), value(1, Print::Dec), -1),
    op1("ifgt", 0x2D, label(), -1),
    op1("ifeq", 0x2E, label(), -1),
};
static_assert(kInstructions.size() == 48);

constexpr auto buildMenu()
{
    std::array<const Instruction*, 41> menu{};
    for (const auto& row : kInstructions)
        if (row.menuOrder >= 0)
            menu[row.menuOrder] = &row;
    return menu;
}
constexpr auto kMenu = buildMenu();

} // namespace

QString Instruction::upperMnemonic() const
{
    return QString::fromLatin1(mnemonic.data(), qsizetype(mnemonic.size())).toUpper();
}

std::span<const Instruction> instructions() { return kInstructions; }

std::span<const Instruction* const> menuInstructions() { return kMenu; }

const Instruction* findMnemonic(QStringView mnemonic)
{
    for (const auto& row : kInstructions)
        if (mnemonic == QLatin1String(row.mnemonic.data(), qsizetype(row.mnemonic.size())))
            return &row;
    return nullptr;
}

const Instruction* decodeOpcode(quint8 opcode)
{
    auto it = std::find_if(kInstructions.begin(), kInstructions.end(),
                           [opcode](const Instruction& row) { return row.opcode == opcode; });
    return it == kInstructions.end() ? nullptr : &*it;
}

const Instruction* fastVariant(const Instruction& row)
{
    const Instruction* first = decodeOpcode(row.opcode);
    if (first + 1 < kInstructions.data() + kInstructions.size() && first[1].opcode == row.opcode)
        return first + 1;
    return nullptr;
}

QString operandName(int address)
{
    struct Group
    {
        int first, count;
        const char* prefix;
        bool twoDigits;
    };
    static constexpr Group kGroups[] = {
        {0, 8, "e", false},   {8, 6, "s", false},    {14, 46, "v", true},  {60, 16, "re", true},
        {76, 4, "Ctv", false}, {80, 4, "Tpv", false}, {84, 2, "TpvF", false}, {86, 4, "Tp", false},
        {90, 2, "TpF", false},
    };
    for (const auto& g : kGroups) {
        if (address >= g.first && address < g.first + g.count) {
            const int n = address - g.first + 1;
            return QLatin1String(g.prefix) + (g.twoDigits ? QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'))
                                                           : QString::number(n));
        }
    }
    return {};
}

} // namespace isa
