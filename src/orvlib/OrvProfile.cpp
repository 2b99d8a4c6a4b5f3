// SPDX-License-Identifier: GPL-3.0-or-later
#include "OrvProfile.h"

#include "Cp1252.h"
#include "OrvFileUpdate.h"

#include <QStringList>

namespace orvprofile {

namespace {

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// The file's lines; *bom tells whether it starts with a UTF-8 byte-order mark, which is no
// part of its first line.
orvfile::ReadStatus readLines(const QString& path, QStringList* lines, bool* bom, QString* error)
{
    QByteArray bytes;
    const orvfile::ReadStatus status = orvfile::readSmallFile(path, &bytes, error);
    *bom = bytes.startsWith(kUtf8Bom);
    lines->clear();
    if (status != orvfile::ReadStatus::Ok)
        return status;
    *lines = isa::fromCp1252(QByteArrayView(bytes).sliced(*bom ? kUtf8Bom.size() : 0)).split(u'\n');
    for (QString& line : *lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    // the final line end leaves one empty piece that is no line of the file
    if (lines->last().isEmpty())
        lines->removeLast();
    return status;
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
    bool bom = false;
    QString error;
    if (file.isEmpty() || readLines(file, &lines, &bom, &error) != orvfile::ReadStatus::Ok)
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
    QString problem;
    const bool written = [&] {
        const QString sectionText = section.trimmed();
        const QString keyText = key.trimmed();
        if (file.isEmpty() || keyText.isEmpty() || breaksLines(sectionText) || breaksLines(keyText) ||
            breaksLines(value) || sectionText.contains(u']') || keyText.contains(u'=') ||
            keyText.startsWith(u'[')) {
            problem = QStringLiteral("invalid profile file, section, key or value");
            return false;
        }
        // a character the file cannot hold would come back as "?": keep the old setting instead
        if (!isa::isCp1252(sectionText) || !isa::isCp1252(keyText) || !isa::isCp1252(value)) {
            problem =
                QStringLiteral("the section, key or value has characters that Windows-1252 cannot hold");
            return false;
        }
        // two programs saving their settings at once must not lose each other's keys
        const orvfile::UpdateLock lock(file);
        if (!lock.isLocked()) {
            problem = lock.errorString();
            return false;
        }
        QStringList lines;
        bool bom = false;
        if (readLines(file, &lines, &bom, &problem) == orvfile::ReadStatus::Failed)
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
        QByteArray text = bom ? kUtf8Bom : QByteArray();
        for (const QString& line : std::as_const(lines))
            text += isa::toCp1252(line) + "\r\n";
        // a folder where no temporary file may be made still lets the file itself be rewritten
        return orvfile::replaceFile(file, text, true, &problem);
    }();
    if (error)
        *error = problem;
    return written;
}

} // namespace orvprofile
