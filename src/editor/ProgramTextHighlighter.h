// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours by token in the program text. The formats live in the layout, never in the
// document: saved files and the clipboard stay plain text.

#include "ColorScheme.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <memory>

class ProgramSymbols;

class ProgramTextHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit ProgramTextHighlighter(QObject* parent = nullptr);
    // Neither re-colours: the text box does, without reporting a change of its text.
    void setScheme(const ColorScheme& scheme);
    void setEnabled(bool on) { m_enabled = on; }
    void setSymbols(std::shared_ptr<const ProgramSymbols> symbols) { m_symbols = std::move(symbols); }
    const std::shared_ptr<const ProgramSymbols>& symbols() const { return m_symbols; }
    QColor color(TokenKind kind) const { return m_formats[size_t(kind)].foreground().color(); }

protected:
    void highlightBlock(const QString& text) override;

private:
    std::shared_ptr<const ProgramSymbols> m_symbols;
    std::array<QTextCharFormat, kTokenKinds> m_formats;
    bool m_enabled = true;
};
