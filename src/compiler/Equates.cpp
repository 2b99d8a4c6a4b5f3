// SPDX-License-Identifier: GPL-3.0-or-later
#include "Equates.h"

#include "Cp1252.h"

#include <utility>
#include <vector>

namespace compiler {

namespace {

// The next blank-separated word at or after i; i moves past it.
QStringView nextWord(QStringView text, qsizetype& i)
{
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const qsizetype start = i;
    while (i < text.size() && !isBlank(text[i]))
        ++i;
    return text.sliced(start, i - start);
}

bool mentionsEqu(QStringView line)
{
    for (qsizetype i = 0; i + 2 < line.size(); ++i)
        if (line[i] == u'e' && line[i + 1] == u'q' && line[i + 2] == u'u')
            return true;
    return false;
}

struct Definition
{
    QStringView name;  // lstArg1
    QStringView value; // lstArg3
};

bool definition(QStringView lower, Definition& out)
{
    const QStringView line = trimSpaces(lower);
    // the first "equ" decides, even inside a longer word
    const qsizetype p = line.indexOf(u"equ");
    if (p < 1 || !isBlank(line[p - 1]) || p + 4 >= line.size() || !isBlank(line[p + 3]))
        return false;
    if (const qsizetype c = line.indexOf(u';'); c >= 0 && c < p)
        return false;
    qsizetype i = 0;
    const QStringView name = nextWord(line, i);
    if (nextWord(line, i) != u"equ")
        return false;
    QStringView value = nextWord(line, i);
    if (const qsizetype c = value.indexOf(u';'); c >= 0)
        value = value.first(c);
    if (value.isEmpty())
        return false;
    out = {name, value};
    return true;
}

} // namespace

EquTable CollectEquates(const SourceText& source, const NameIndex& predefined, std::vector<float>* numbers)
{
    std::vector<Definition> definitions;
    for (const SourceLine& line : source.lines()) {
        Definition d;
        if (mentionsEqu(line.lower) && definition(line.lower, d))
            definitions.push_back(d);
    }

    EquTable equs;
    equs.names.reserve(qsizetype(definitions.size()));
    equs.values.reserve(qsizetype(definitions.size()));
    for (const Definition& d : definitions) {
        if (const auto index = predefined.find(d.value)) {
            equs.names.append(d.name.toString());
            equs.values.append(QString::number(*index));
            if (numbers)
                numbers->push_back(float(*index));
        }
    }
    for (const Definition& d : definitions) {
        const float v = toSingle(d.value);
        if (v > -1.0f && v < 256.0f && isShortestForm(d.value, v)) {
            equs.names.append(d.name.toString());
            equs.values.append(d.value.toString());
            if (numbers)
                numbers->push_back(v);
        }
    }
    return equs;
}

EquTable CollectEquates(QStringView source, const QStringList& predefined)
{
    const SourceText text(source);
    return CollectEquates(text, NameIndex(predefined));
}

QStringList readDefinitions(QByteArrayView esDef)
{
    const QString text = isa::fromCp1252(esDef);
    const SourceText source(text);
    QStringList names;
    for (const SourceLine& line : source.lines()) {
        const QStringView raw = line.raw;
        if (raw.startsWith(u';'))
            continue;
        // a line without "equ" (blank or stray) names nothing and takes no position
        const qsizetype p = raw.indexOf(u"equ");
        if (p < 0)
            continue;
        names.append(raw.first(p).trimmed().toString());
    }
    return names;
}

} // namespace compiler
