// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a catalogue's <source> or <translation>: lupdate writes a carriage return as
// <byte value="xd"/> inside it, which readElementText() takes for an error that ends the reading.

#include <QString>
#include <QXmlStreamReader>

inline QString tsText(QXmlStreamReader& xml)
{
    QString text;
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == u"byte")
                text += QChar(xml.attributes().value(QStringLiteral("value")).mid(1).toUInt(nullptr, 16));
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return text;
}
