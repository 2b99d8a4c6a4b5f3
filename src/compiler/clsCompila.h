// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// clsCompila: the general line splitter kept by the main window. Its run-time errors are
// returned as values; nothing is thrown.

#include <QString>
#include <array>

namespace compiler {

struct RuntimeError
{
    int number = 0;
    QString description;
};

class clsCompila
{
public:
    static constexpr int kArgCount = 21;

    // Splits a line into words up to the first comment delimiter. False when the line held
    // more than 21 words (error 9; the first 21 are kept).
    bool ParseLine(QString Linea, RuntimeError* error = nullptr);

    QString ComentDelim1() const { return m_delim1; }
    // A delimiter must be one character; otherwise error 93 and the old one stays.
    bool setComentDelim1(const QString& Delim, RuntimeError* error = nullptr);
    QString ComentDelim2() const { return m_delim2; }
    bool setComentDelim2(const QString& Delim, RuntimeError* error = nullptr);

    // Argument Index (0..20); outside that error 9 and an empty text.
    QString Arg(qint16 Index, RuntimeError* error = nullptr) const;
    qint16 UBoundArg() const { return m_uBound; }

private:
    QString m_delim1 = QStringLiteral(";");
    QString m_delim2 = QStringLiteral("'");
    std::array<QString, kArgCount> m_args;
    qint16 m_uBound = 0;
};

} // namespace compiler
