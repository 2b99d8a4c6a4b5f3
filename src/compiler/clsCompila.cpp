// SPDX-License-Identifier: GPL-3.0-or-later
#include "clsCompila.h"

#include "Source.h"

namespace compiler {

namespace {

bool setDelim(QString& field, const QString& Delim, RuntimeError* error)
{
    if (Delim.size() != 1) {
        if (error)
            *error = {93, QStringLiteral("El delimitador debe ser de solo 1 caracter")};
        return false;
    }
    field = Delim;
    return true;
}

} // namespace

bool clsCompila::ParseLine(QString Linea, RuntimeError* error)
{
    for (QString& arg : m_args)
        arg.clear();
    m_uBound = 0;
    Linea = trimSpaces(Linea).toString();
    if (Linea.isEmpty() || Linea.front() == m_delim1.front() || Linea.front() == m_delim2.front())
        return true;
    bool inWord = false;
    for (QChar c : Linea) {
        if (c == u' ' || c == u'\t') {
            if (inWord)
                ++m_uBound;
            inWord = false;
            continue;
        }
        if (c == m_delim1.front() || c == m_delim2.front())
            break;
        if (m_uBound >= kArgCount) {
            if (error)
                *error = {9, QStringLiteral("El subíndice está fuera del intervalo")};
            return false;
        }
        m_args[size_t(m_uBound)] += c;
        inWord = true;
    }
    return true;
}

bool clsCompila::setComentDelim1(const QString& Delim, RuntimeError* error)
{
    return setDelim(m_delim1, Delim, error);
}

bool clsCompila::setComentDelim2(const QString& Delim, RuntimeError* error)
{
    return setDelim(m_delim2, Delim, error);
}

QString clsCompila::Arg(qint16 Index, RuntimeError* error) const
{
    if (Index < 0 || Index >= kArgCount) {
        if (error)
            *error = {9, QStringLiteral("Se permiten hasta ") + QString::number(kArgCount - 1) +
                             QStringLiteral(" argumentos")};
        return {};
    }
    return m_args[size_t(Index)];
}

} // namespace compiler
