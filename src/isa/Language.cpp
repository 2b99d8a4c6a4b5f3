// SPDX-License-Identifier: GPL-3.0-or-later
#include "Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace language {

namespace {

const QString kTranslations = QStringLiteral("translations");
const QString kCatalogue = QStringLiteral("wmk38_");

QString g_current = kSpanish;
QTranslator* g_ours = nullptr;
QTranslator* g_qt = nullptr;
bool g_inUse = false;
bool g_spanishDates = false;

// "en_GB.UTF-8@euro" -> "en"; "C", "POSIX" and "C.UTF-8" -> "C"
QString languageOf(const QString& locale)
{
    QString code = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    code = code.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0).trimmed();
    if (code == u"POSIX")
        return QStringLiteral("C");
    return code == u"C" ? code : code.toLower();
}

QString folderOf(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(kTranslations);
}

void drop(QTranslator*& translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

} // namespace

QString processEnvironment(const char* name)
{
    return qEnvironmentVariable(name);
}

QStringList available(const QString& dataFolder)
{
    QStringList codes{kSpanish};
    const QStringList files =
        QDir(folderOf(dataFolder)).entryList({kCatalogue + QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString code = QFileInfo(file).completeBaseName().mid(kCatalogue.size());
        if (!code.isEmpty() && !codes.contains(code))
            codes << code;
    }
    return codes;
}

QString systemLanguage(const QStringList& available, const Environment& env)
{
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = env(name);
        if (!locale.isEmpty())
            break;
    }
    const QString own = languageOf(locale);
    if (own.isEmpty() || own == u"C")
        return kSpanish;
    for (const QString& entry : env("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString code = languageOf(entry);
        if (available.contains(code))
            return code;
    }
    return available.contains(own) ? own : kSpanish;
}

QString choose(const QString& setting, const QStringList& available, const Environment& env)
{
    const QString code = setting.trimmed().toLower();
    if (available.contains(code))
        return code;
    return systemLanguage(available, env);
}

bool use(const QString& language, const QString& dataFolder)
{
    bool found = true;
    if (!g_inUse || language != g_current) {
        g_inUse = true;
        drop(g_ours);
        drop(g_qt);
        g_current = kSpanish;
        if (language != kSpanish) {
            auto* ours = new QTranslator;
            found = ours->load(kCatalogue + language, folderOf(dataFolder));
            if (found) {
                QCoreApplication::installTranslator(ours);
                g_ours = ours;
                g_current = language;
            } else {
                delete ours; // Spanish then, with Qt's Spanish texts
            }
        }
        // Qt's own texts (standard buttons, file dialogs, the text box's menu); its English is built in
        if (g_current != kEnglish) {
            auto* qt = new QTranslator;
            if (qt->load(QStringLiteral("qtbase_") + g_current,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
                QCoreApplication::installTranslator(qt);
                g_qt = qt;
            } else {
                delete qt;
            }
        }
    }
    // where no locale is set (C), dates and month names follow the interface too
    if (g_current == kSpanish && QLocale().language() == QLocale::C) {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        g_spanishDates = true;
    } else if (g_current != kSpanish && g_spanishDates) {
        QLocale::setDefault(QLocale::system());
        g_spanishDates = false;
    }
    return found;
}

QString current()
{
    return g_current;
}

QString localizedFile(const QString& folder, const QString& name)
{
    const QString plain = QDir(folder).filePath(name);
    if (g_current == kSpanish)
        return plain;
    const QFileInfo info(name);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QString own =
        QDir(folder).filePath(info.completeBaseName() + QLatin1Char('_') + g_current + suffix);
    return QFileInfo::exists(own) ? own : plain;
}

} // namespace language
