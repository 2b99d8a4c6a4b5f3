// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramTextHighlighter.h"

#include "ProgramTextTokens.h"

ProgramTextHighlighter::ProgramTextHighlighter(QObject* parent)
    : QSyntaxHighlighter(parent), m_symbols(std::make_shared<ProgramSymbols>())
{
    setScheme(kDefaultScheme);
}

void ProgramTextHighlighter::setScheme(const ColorScheme& scheme)
{
    const auto colors = tokenColors(scheme);
    for (int i = 0; i < kTokenKinds; ++i) {
        m_formats[size_t(i)] = QTextCharFormat();
        m_formats[size_t(i)].setForeground(colors[size_t(i)]);
    }
    m_formats[size_t(TokenKind::Comment)].setFontItalic(true);
}

void ProgramTextHighlighter::highlightBlock(const QString& text)
{
    if (!m_enabled)
        return;
    for (const TokenSpan& span : classifyLine(text, *m_symbols).spans)
        setFormat(span.start, span.length, m_formats[size_t(span.kind)]);
}
