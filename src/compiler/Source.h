// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Source text split into lines, with a lower-case copy of each line for the parser.

#include <QString>
#include <QStringView>
#include <array>
#include <vector>

namespace compiler {

struct SourceLine
{
    QStringView raw;   // as written
    QStringView lower; // the same characters in lower case
    int number;        // 1-based
};

// Lines end at CR LF, CR or LF. The views point into the caller's text and into this object.
class SourceText
{
public:
    explicit SourceText(QStringView source);
    SourceText(const SourceText&) = delete;
    SourceText& operator=(const SourceText&) = delete;
    const std::vector<SourceLine>& lines() const { return m_lines; }

private:
    QString m_lower;
    std::vector<SourceLine> m_lines;
};

constexpr int kMaxWords = 6;

// One source line as the code generator sees it.
struct PreparedLine
{
    enum class Kind
    {
        Nothing, // empty, comment or definition line
        OneChar, // a single word of one character
        Words,
    };
    Kind kind = Kind::Nothing;
    std::array<QStringView, kMaxWords> words{}; // absent words are empty
};

// Cleans and splits one lower-case line: comments, tabs, up to six words.
PreparedLine prepareLine(QStringView lower);

inline bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
QStringView trimSpaces(QStringView text);

} // namespace compiler
