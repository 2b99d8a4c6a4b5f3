// SPDX-License-Identifier: GPL-3.0-or-later
#include "Operand.h"

#include "Source.h"

#include <QCoreApplication>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace compiler {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Whole sentences, so a translation orders its own words; the Spanish is the source text.
QString belowMinimum(QStringView operand, int minimum)
{
    return QCoreApplication::translate("compiler", "El argumento \"%1\" es menor que el mínimo (%2)")
        .arg(operand.toString(), QString::number(minimum));
}

QString aboveMaximum(QStringView operand, int maximum)
{
    return QCoreApplication::translate("compiler", "El argumento \"%1\" es mayor que el máximo (%2)")
        .arg(operand.toString(), QString::number(maximum));
}

QString undefinedName(QStringView operand)
{
    return QCoreApplication::translate("compiler",
                                       "El argumento \"%1\" no está entre los EQUs ni es una palabra clave")
        .arg(operand.toString());
}

QString overflow(QStringView operand, float scale)
{
    if (scale != 1.0f)
        return QCoreApplication::translate(
                   "compiler",
                   "El argumento \"%1\" excede el rango de 16 bits (-32768 a 32767) al multiplicarlo por %2")
            .arg(operand.toString(), QString::number(double(scale)));
    return QCoreApplication::translate("compiler",
                                       "El argumento \"%1\" excede el rango de 16 bits (-32768 a 32767)")
        .arg(operand.toString());
}

// Scaled and rounded half to even; nullopt when it does not fit 16 bits.
std::optional<qint16> scaleToInt16(float value, float scale)
{
    // the product is taken in double: 0.35 (single) * 10 lies just below 3.5
    const double rounded = std::nearbyint(double(value) * double(scale));
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return qint16(rounded);
}

} // namespace

NameIndex::NameIndex(const QStringList& names) : m_names(names)
{
    m_index.reserve(m_names.size());
    for (int i = 0; i < m_names.size(); ++i)
        if (!m_index.contains(QStringView(m_names[i])))
            m_index.insert(QStringView(m_names[i]), i);
}

std::optional<int> NameIndex::find(QStringView name) const
{
    const auto it = m_index.constFind(name);
    if (it == m_index.cend())
        return std::nullopt;
    return *it;
}

Symbols::Symbols(const QStringList& predefined, const EquTable& equs) : Symbols(NameIndex(predefined), equs)
{
}

Symbols::Symbols(const NameIndex& predefined, const EquTable& equs, std::span<const float> numbers)
    : m_predefined(predefined), m_equs(equs)
{
    m_equValues.reserve(m_equs.names.size());
    for (int i = 0; i < m_equs.names.size() && i < m_equs.values.size(); ++i) {
        const QStringView name(m_equs.names[i]);
        if (!m_equValues.contains(name))
            m_equValues.insert(name,
                               size_t(i) < numbers.size() ? numbers[size_t(i)] : toSingle(m_equs.values[i]));
    }
}

std::optional<float> Symbols::equValue(QStringView name) const
{
    const auto it = m_equValues.constFind(name);
    if (it == m_equValues.cend())
        return std::nullopt;
    return *it;
}

double leadingNumber(QStringView text)
{
    std::string number;
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    bool digits = false;
    for (; i < text.size() && isDigit(text[i]); ++i, digits = true)
        number += char(text[i].unicode());
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, digits = true)
            number += char(text[i].unicode());
    }
    if (!digits)
        return 0.0;
    if (i < text.size() && QStringView(u"eEdD").contains(text[i])) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == u'-' || text[j] == u'+'))
            exponent += char(text[j++].unicode());
        bool expDigits = false;
        for (; j < text.size() && isDigit(text[j]); ++j, expDigits = true)
            exponent += char(text[j].unicode());
        if (expDigits)
            number += exponent;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range)
        value = number.find("e-") != std::string::npos ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

float toSingle(QStringView text)
{
    const double value = leadingNumber(text);
    if (std::fabs(value) > double(std::numeric_limits<float>::max()))
        return value < 0 ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    return float(value);
}

bool isShortestForm(QStringView text, float value)
{
    if (text.size() > 24)
        return false;
    char buffer[32];
    std::string_view form;
    if (value == 0.0f) {
        form = "0";
    } else {
        const auto [end, ec] =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
        if (ec != std::errc())
            return false;
        form = std::string_view(buffer, size_t(end - buffer));
        if (form.starts_with("0.")) {
            form.remove_prefix(1);
        } else if (form.starts_with("-0.")) {
            buffer[1] = '-';
            form = std::string_view(buffer + 1, form.size() - 1);
        }
    }
    return text == QLatin1String(form.data(), qsizetype(form.size()));
}

bool isNumericText(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() > u'9' || (c.unicode() < u'0' && c != u'.' && c != u'-'))
            return false;
    return true;
}

qint16 EvaluateOperand(QStringView& operand, float scale, int maximum, int minimum, const Symbols& symbols,
                       QString& ErrorText, int storageMax)
{
    operand = trimSpaces(operand);
    if (operand.isEmpty()) {
        ErrorText = QCoreApplication::translate("compiler", "Falta argumento");
        return -1;
    }
    const std::optional<qint16> number = scaleToInt16(toSingle(operand), scale);
    if (isNumericText(operand)) {
        if (!number) {
            ErrorText = overflow(operand, scale);
            return -1;
        }
        if (*number != -1) {
            if (minimum > *number) {
                ErrorText = belowMinimum(operand, minimum);
                return -1;
            }
            if (maximum < *number) {
                ErrorText = aboveMaximum(operand, maximum);
                return -1;
            }
            return *number;
        }
    }

    // Names take no rule range, but their value must still fit the bytes that store it.
    const auto stored = [&](int value) -> qint16 {
        if (value < 0) {
            ErrorText = belowMinimum(operand, 0);
            return -1;
        }
        if (value > storageMax) {
            ErrorText = aboveMaximum(operand, storageMax);
            return -1;
        }
        return qint16(value);
    };
    if (const auto index = symbols.predefinedValue(operand))
        return stored(*index);
    if (const auto equ = symbols.equValue(operand)) {
        const std::optional<qint16> value = scaleToInt16(*equ, scale);
        if (!value) {
            ErrorText = overflow(operand, scale);
            return -1;
        }
        return stored(*value);
    }
    ErrorText = number ? undefinedName(operand) : overflow(operand, scale);
    return -1;
}

} // namespace compiler
