#include "OrvProfile.h"

#include "Cp1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace orvprofile {

namespace {

bool readLines(const QString& path, QStringList* lines, QString* error)
{
    lines->clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    *lines = isa::fromCp1252(file.readAll()).split(u'\n');
    for (QString& line : *lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    // the final line end leaves one empty piece that is no line of the file
    if (lines->last().isEmpty())
        lines->removeLast();
    return true;
}

// The section name of a "[name]" line, or a null text for any other line.
QString sectionName(const QString& line)
{
    const QString text = line.trimmed();
    if (!text.startsWith(u'['))
        return {};
    const qsizetype close = text.indexOf(u']');
    return (close < 0 ? text.mid(1) : text.mid(1, close - 1)).trimmed();
}

QString keyName(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    return (eq < 0 ? line : line.left(eq)).trimmed();
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the header of section, or -1.
qsizetype findSection(const QStringList& lines, const QString& section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString name = sectionName(lines[i]);
        if (!name.isNull() && sameName(name, section))
            return i;
    }
    return -1;
}

// One past the last line of the section whose header is at index header.
qsizetype sectionEnd(const QStringList& lines, qsizetype header)
{
    qsizetype i = header + 1;
    while (i < lines.size() && sectionName(lines[i]).isNull())
        ++i;
    return i;
}

qsizetype findKey(const QStringList& lines, qsizetype header, qsizetype end, const QString& key)
{
    for (qsizetype i = header + 1; i < end; ++i)
        if (!lines[i].trimmed().isEmpty() && sameName(keyName(lines[i]), key))
            return i;
    return -1;
}

bool breaksLines(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0));
}

} // namespace

QString readString(const QString& file, const QString& section, const QString& key,
                   const QString& defaultValue, qsizetype maxChars)
{
    QStringList lines;
    if (file.isEmpty() || !readLines(file, &lines, nullptr))
        return defaultValue.left(maxChars);
    const qsizetype header = findSection(lines, section.trimmed());
    if (header < 0)
        return defaultValue.left(maxChars);
    const qsizetype line = findKey(lines, header, sectionEnd(lines, header), key.trimmed());
    if (line < 0)
        return defaultValue.left(maxChars);
    const qsizetype eq = lines[line].indexOf(u'=');
    QString value = eq < 0 ? QString() : lines[line].mid(eq + 1).trimmed();
    // the profile functions drop one pair of matching quotes around a value
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(maxChars);
}

bool writeString(const QString& file, const QString& section, const QString& key, const QString& value,
                 QString* error)
{
    const QString sectionText = section.trimmed();
    const QString keyText = key.trimmed();
    if (file.isEmpty() || keyText.isEmpty() || breaksLines(sectionText) || breaksLines(keyText) ||
        breaksLines(value) || sectionText.contains(u']') || keyText.contains(u'=') ||
        keyText.startsWith(u'[')) {
        if (error)
            *error = QStringLiteral("invalid profile file, section, key or value");
        return false;
    }
    QStringList lines;
    if (!readLines(file, &lines, error))
        return false;
    const QString entry = keyText + u'=' + value;
    const qsizetype header = findSection(lines, sectionText);
    if (header < 0) {
        lines.append(u'[' + sectionText + u']');
        lines.append(entry);
    } else {
        const qsizetype end = sectionEnd(lines, header);
        const qsizetype line = findKey(lines, header, end, keyText);
        if (line >= 0) {
            // the key keeps the spelling it has in the file
            lines[line] = keyName(lines[line]) + u'=' + value;
        } else {
            // after the section's last line that is not blank, so blank separators stay below it
            qsizetype at = end;
            while (at > header + 1 && lines[at - 1].trimmed().isEmpty())
                --at;
            lines.insert(at, entry);
        }
    }
    QByteArray text;
    for (const QString& line : std::as_const(lines))
        text += isa::toCp1252(line) + "\r\n";
    QSaveFile out(file);
    // a folder where no temporary file may be made still lets the file itself be rewritten
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return true;
}

} // namespace orvprofile
