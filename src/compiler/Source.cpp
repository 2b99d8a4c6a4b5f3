// SPDX-License-Identifier: GPL-3.0-or-later
#include "Source.h"

namespace compiler {

QStringView trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

SourceText::SourceText(QStringView source) : m_lower(source.size(), Qt::Uninitialized)
{
    // one character for one: the lower-case line lines up with the raw one
    QChar* out = m_lower.data();
    for (QChar c : source)
        *out++ = c.unicode() < 0x80
                     ? QChar(c.unicode() >= u'A' && c.unicode() <= u'Z' ? c.unicode() + 32 : c.unicode())
                     : c.toLower();
    m_lines.reserve(size_t(source.size() / 16 + 1));
    const QStringView lower(m_lower);
    qsizetype start = 0;
    int number = 1;
    const qsizetype size = source.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = source[i];
        if (c != u'\r' && c != u'\n')
            continue;
        m_lines.push_back({source.sliced(start, i - start), lower.sliced(start, i - start), number++});
        if (c == u'\r' && i + 1 < size && source[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        m_lines.push_back({source.sliced(start), lower.sliced(start), number});
}

PreparedLine prepareLine(QStringView lower)
{
    PreparedLine line;
    QStringView text = trimSpaces(lower);
    if (text.isEmpty() || text.front() == u';' || text.front() == u'\'')
        return line;
    // tabs count as blanks from here on
    qsizetype begin = 0;
    while (begin < text.size() && isBlank(text[begin]))
        ++begin;
    text = text.sliced(begin);
    if (const qsizetype comment = text.indexOf(u';'); comment >= 0)
        text = text.first(comment);
    if (text.isEmpty())
        return line; // nothing but a comment after the indent
    qsizetype i = 0;
    int count = 0;
    bool blank = false;
    while (i < text.size() && count < kMaxWords) {
        const qsizetype wordStart = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        line.words[count++] = text.sliced(wordStart, i - wordStart);
        while (i < text.size() && isBlank(text[i])) {
            ++i;
            blank = true;
        }
    }
    if (!blank && text.size() == 1) {
        line.kind = PreparedLine::Kind::OneChar;
        return line;
    }
    if (line.words[1] == u"equ" || line.words[1] == u"=")
        return line;
    line.kind = PreparedLine::Kind::Words;
    return line;
}

} // namespace compiler
