// SPDX-License-Identifier: GPL-3.0-or-later
// Every catalogue holds every text of the sources, translated, after lupdate.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

struct Entry
{
    QString context, source, translation, type;
};

QList<Entry> readCatalogue(const QString& path)
{
    QList<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context;
    Entry e;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            e = {context, {}, {}, {}};
        } else if (xml.name() == u"source") {
            e.source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            e.type = xml.attributes().value(u"type"_s).toString();
            e.translation = xml.readElementText();
            entries << e;
        }
    }
    return entries;
}

// The %1..%99 a text fills in, sorted, each once.
QStringList placeholders(const QString& text)
{
    static const QRegularExpression arg(u"%\\d+"_s);
    QStringList found;
    for (auto it = arg.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    found.removeDuplicates();
    return found;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void complete_data()
    {
        QTest::addColumn<QString>("catalogue");
        for (const QString& ts : QStringLiteral(TS_FILES).split(u'|'))
            QTest::newRow(qPrintable(QFileInfo(ts).fileName())) << ts;
    }
    // After lupdate no entry may be unfinished (a new text comes in unfinished) and none vanished
    // (a text the sources no longer have stays in the file until lupdate runs).
    void complete()
    {
        QFETCH(QString, catalogue);
        QTemporaryDir dir;
        const QString copy = dir.filePath(QFileInfo(catalogue).fileName());
        QVERIFY(QFile::copy(catalogue, copy));
        QFile list(dir.filePath(u"sources.lst"_s));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(QStringLiteral(TR_SOURCES).replace(u'|', u'\n').toUtf8());
        list.close();
        QProcess lupdate;
        lupdate.start(QStringLiteral(LUPDATE),
                      {u"-locations"_s, u"none"_s, u"@"_s + list.fileName(), u"-ts"_s, copy});
        QVERIFY(lupdate.waitForFinished(120000));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());

        QStringList wrong;
        const QList<Entry> entries = readCatalogue(copy);
        QVERIFY(!entries.isEmpty());
        for (const Entry& e : entries) {
            if (e.type == u"unfinished" || e.translation.isEmpty())
                wrong << u"untranslated: "_s + e.context + u" / "_s + e.source;
            else if (e.type == u"vanished" || e.type == u"obsolete")
                wrong << u"no longer in the sources: "_s + e.context + u" / "_s + e.source;
            // a translation that drops or adds a value shows the user the wrong thing
            else if (placeholders(e.source) != placeholders(e.translation))
                wrong << u"other values than the source: "_s + e.context + u" / "_s + e.source;
            // the access key of a menu or button keeps one
            else if (e.source.contains(u'&') != e.translation.contains(u'&'))
                wrong << u"access key: "_s + e.context + u" / "_s + e.source;
        }
        QVERIFY2(wrong.isEmpty(),
                 qPrintable(u"run `cmake --build build --target update_translations` and translate:\n"_s +
                            wrong.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
