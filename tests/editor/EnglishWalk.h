// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The English walk: every text a window shows must come from the English catalogue, from Qt's
// own English, or from a short list of texts that are the same in both languages (names, port
// names, numbers). A text still in Spanish is reported with where it was seen.
//
// To walk a window: EnglishWalk walk; walk.window(w) (its title, labels, buttons, group boxes,
// menus, tool bars, tool tips, tabs) and walk.message(m) for each prompt it asked; then
// QVERIFY2(walk.spanish().isEmpty(), ...). Texts that are documents (the manual, qhelp) are
// checked apart; allow() adds what a single window shows from its data.

#include "Prompts.h"

#include <QtWidgets>

class EnglishWalk
{
public:
    EnglishWalk()
    {
        QFile ts(QStringLiteral(WMK38_SOURCE_DIR "/translations/wmk38_en.ts"));
        if (ts.open(QIODevice::ReadOnly)) {
            QXmlStreamReader xml(&ts);
            while (!xml.atEnd())
                if (xml.readNextStartElement() && xml.name() == u"translation")
                    addTranslation(xml.readElementText());
        }
        // the same in both languages: names of the product, operands, ports and languages, numbers
        allow(QStringLiteral("WMK38|MicroPLC MK38|Editor|Español|English|Rx|Tx|\\?\\?\\?\\?|[-+]?[0-9.,: ]+|"
                             "COM[1-6].*|(Ctv|Tpv|Tpvf) [0-9]+|e[1-8]|s[1-6]|v[0-9]{2}|re[0-9]{2}"));
        // Qt's own English, for the stock buttons and dialogs
        allow(QStringLiteral("&?OK|&?Cancel|&?Yes|&?No|&?Retry|&?Abort|&?Ignore|&?Close|&?Save|&?Open"));
    }

    bool loaded() const { return !m_exact.isEmpty(); }
    // A pattern (whole text) of texts this walk accepts as they are.
    void allow(const QString& pattern)
    {
        m_allowed << QRegularExpression(QRegularExpression::anchoredPattern(pattern));
    }

    void window(QWidget* w)
    {
        const QString where =
            w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
        text(w->windowTitle(), where + QStringLiteral(" title"));
        QList<QWidget*> all = w->findChildren<QWidget*>();
        all.prepend(w);
        for (QWidget* c : std::as_const(all)) {
            if (!c->isVisibleTo(w) && c != w && !qobject_cast<QMenu*>(c))
                continue;
            const QString at = where + u'/' +
                               (c->objectName().isEmpty() ? QString::fromLatin1(c->metaObject()->className())
                                                          : c->objectName());
            text(c->toolTip(), at + QStringLiteral(" tooltip"));
            if (auto* l = qobject_cast<QLabel*>(c))
                text(l->text(), at);
            else if (auto* b = qobject_cast<QAbstractButton*>(c))
                text(b->text(), at);
            else if (auto* g = qobject_cast<QGroupBox*>(c))
                text(g->title(), at);
            else if (auto* m = qobject_cast<QMenu*>(c))
                menu(m, at);
            else if (auto* t = qobject_cast<QTabBar*>(c))
                for (int i = 0; i < t->count(); ++i)
                    text(t->tabText(i), at);
        }
        for (QAction* a : w->findChildren<QAction*>())
            if (a->isVisible() && !a->isSeparator())
                text(a->text(), where + u'/' + a->objectName());
    }

    void menu(QMenu* m, const QString& where)
    {
        text(m->title(), where);
        for (QAction* a : m->actions()) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            text(a->text(), where + u'/' + a->objectName());
            text(a->toolTip() == QString(a->text()).remove(u'&') ? QString() : a->toolTip(),
                 where + u'/' + a->objectName() + QStringLiteral(" tooltip"));
            if (a->menu())
                menu(a->menu(), where + u'/' + a->objectName());
        }
    }

    void message(const Prompts::Message& m)
    {
        text(m.title, QStringLiteral("message title"));
        text(m.text, QStringLiteral("message"));
    }

    void text(const QString& shown, const QString& where)
    {
        if (shown.isEmpty() || m_exact.contains(shown))
            return;
        for (const QRegularExpression& r : std::as_const(m_filled))
            if (r.match(shown).hasMatch())
                return;
        for (const QRegularExpression& r : std::as_const(m_allowed))
            if (r.match(shown).hasMatch())
                return;
        m_spanish << where + QStringLiteral(": ") + shown;
    }

    // Every text seen that is neither a translation nor allowed, with where it was seen.
    QStringList spanish() const { return m_spanish; }

private:
    void addTranslation(const QString& t)
    {
        if (!t.contains(u'%')) {
            m_exact.insert(t);
            return;
        }
        // a text with values: the translation around any values
        QStringList pieces;
        for (const QString& piece : t.split(QRegularExpression(QStringLiteral("%\\d+"))))
            pieces << QRegularExpression::escape(piece);
        const QString pattern = pieces.join(QStringLiteral(".*"));
        m_filled << QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                       QRegularExpression::DotMatchesEverythingOption);
    }

    QSet<QString> m_exact;
    QList<QRegularExpression> m_filled, m_allowed;
    QStringList m_spanish;
};
