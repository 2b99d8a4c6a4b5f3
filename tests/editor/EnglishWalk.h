// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text a window, menu or prompt shows must come from the English catalogue, Qt's own English
// or a short list of texts the same in both languages; spanish() lists the rest, with where it was
// seen. Documents (the manual, qhelp) are checked apart; allow() adds a window's own data.

#include "Prompts.h"
#include "TsText.h"

#include <QtWidgets>

class EnglishWalk
{
public:
    EnglishWalk()
    {
        QFile ts(QStringLiteral(WMK38_SOURCE_DIR "/translations/wmk38_en.ts"));
        QXmlStreamReader xml(ts.open(QIODevice::ReadOnly) ? &ts : nullptr);
        while (ts.isOpen() && !xml.atEnd())
            if (xml.readNextStartElement() && xml.name() == u"translation") {
                // the translation around any values; blanks and line ends around it are no words
                QStringList pieces = tsText(xml).trimmed().split(QRegularExpression(QStringLiteral("%\\d+")));
                for (QString& piece : pieces)
                    piece = QRegularExpression::escape(piece.trimmed());
                // a value ends at its line, the last one at the text's end
                const QString last = pieces.takeLast();
                QString pattern = pieces.join(QStringLiteral("\\s*([^\\r\\n]*)"));
                pattern += pieces.isEmpty() ? last : QStringLiteral("\\s*(.*)") + last;
                allow(QStringLiteral("\\s*") + pattern + QStringLiteral("\\s*"));
            }
        m_translations = tsReadWhole(xml) ? m_accepted.size() : 0; // a catalogue read whole
        allow(QStringLiteral("WMK38|MicroPLC MK38|Editor|Español|English|Rx|Tx|\\?\\?\\?\\?|[-+]?[0-9.,: ]+|"
                             "COM[1-6].*|(Ctv|Tpv|Tpvf) [0-9]+|e[1-8]|s[1-6]|v[0-9]{2}|re[0-9]{2}"));
        allow(QStringLiteral("&?(OK|Cancel|Yes|No|Retry|Abort|Ignore|Close|Save|Open)")); // Qt's English
    }

    bool loaded() const { return m_translations > 0; }
    // A pattern of whole texts this walk accepts as they are; what a group matches stands for a value.
    void allow(const QString& pattern)
    {
        m_accepted << QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                         QRegularExpression::DotMatchesEverythingOption);
    }

    void window(QWidget* w)
    {
        const auto name = [](QObject* o) {
            return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                             : o->objectName();
        };
        text(w->windowTitle(), name(w) + QStringLiteral(" title"));
        const QList<QWidget*> all = w->findChildren<QWidget*>() << w;
        for (QWidget* c : all) {
            if (!c->isVisibleTo(w) && c != w)
                continue;
            const QString at = name(w) + u'/' + name(c);
            text(c->toolTip(), at + QStringLiteral(" tooltip"));
            if (auto* l = qobject_cast<QLabel*>(c))
                text(l->text(), at);
            else if (auto* b = qobject_cast<QAbstractButton*>(c))
                text(b->text(), at);
            else if (auto* g = qobject_cast<QGroupBox*>(c))
                text(g->title(), at);
        }
        for (QAction* a : w->findChildren<QAction*>())
            if (a->isVisible() && !a->isSeparator())
                text(a->text(), name(w) + u'/' + name(a));
    }

    void menu(QMenu* m, const QString& where)
    {
        text(m->title(), where);
        for (QAction* a : m->actions())
            if (a->menu())
                menu(a->menu(), where + u'/' + a->objectName());
            else if (a->isVisible() && !a->isSeparator())
                text(a->text(), where + u'/' + a->objectName());
    }

    void message(const Prompts::Message& m)
    {
        for (const QString& shown : {m.title, m.text}) // blanks around are no words
            text(shown.trimmed(), QStringLiteral("message"));
    }

    void text(const QString& shown, const QString& where)
    {
        if (!shown.isEmpty() && !accepted(shown))
            m_spanish << where + QStringLiteral(": ") + shown;
    }

    // A value is a name, a number or a path, or a text accepted on its own: "%1 is %2" must not
    // pass a sentence that merely holds "is".
    bool accepted(const QString& shown) const
    {
        static const QRegularExpression words(QStringLiteral("\\p{L}{2,}[ ]+\\p{L}{2,}"));
        // or lines translated apart, as a port's headline above its description
        if (const qsizetype end = shown.indexOf(u'\n');
            end > 0 && end < shown.size() - 1 && accepted(shown.left(end).trimmed()) &&
            accepted(shown.mid(end + 1).trimmed()))
            return true;
        return std::any_of(m_accepted.cbegin(), m_accepted.cend(), [&](const QRegularExpression& r) {
            const QRegularExpressionMatch m = r.match(shown);
            if (!m.hasMatch())
                return false;
            for (int i = 1; i <= m.lastCapturedIndex(); ++i)
                if (const QString value = m.captured(i).trimmed();
                    value.contains(words) && (value.size() == shown.trimmed().size() || !accepted(value)))
                    return false;
            return true;
        });
    }

    // Every text seen that is neither a translation nor allowed, with where it was seen.
    QStringList spanish() const { return m_spanish; }

private:
    QList<QRegularExpression> m_accepted;
    qsizetype m_translations = 0;
    QStringList m_spanish;
};
