// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a .ts element: lupdate writes a control character such as the CR of a CR LF as
// <byte value="xd"/>, which QXmlStreamReader::readElementText() stops at with an error.

#include <QXmlStreamReader>

inline QString tsText(QXmlStreamReader& xml)
{
    QString text;
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        xml.readNext();
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement()) {
            ++depth;
            const QXmlStreamAttributes attributes = xml.attributes();
            const QStringView value = attributes.value(QStringLiteral("value"));
            if (xml.name() == u"byte")
                text += QChar(value.startsWith(u'x') ? value.mid(1).toUInt(nullptr, 16) : value.toUInt());
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
    return text;
}

// True when the whole file was read (the usual loop reads once past its end).
inline bool tsReadWhole(const QXmlStreamReader& xml)
{
    return !xml.hasError() || xml.error() == QXmlStreamReader::PrematureEndOfDocumentError;
}
