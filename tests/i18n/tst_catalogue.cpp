// SPDX-License-Identifier: GPL-3.0-or-later
// Every catalogue holds every text of the sources, translated, after lupdate.
#include "TsText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

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
    // lupdate brings a new text in unfinished and marks one the sources lost as vanished.
    void complete()
    {
        QFETCH(QString, catalogue);
        QTemporaryDir dir;
        const QString copy = dir.filePath(QFileInfo(catalogue).fileName()), list = dir.filePath(u"src.lst"_s);
        QVERIFY(QFile::copy(catalogue, copy));
        QFile sources(list);
        QVERIFY(sources.open(QIODevice::WriteOnly) &&
                sources.write(QStringLiteral(TR_SOURCES).replace(u'|', u'\n').toUtf8()) > 0);
        sources.close();
        QProcess lupdate;
        lupdate.start(QStringLiteral(LUPDATE), {u"-locations"_s, u"none"_s, u'@' + list, u"-ts"_s, copy});
        QVERIFY(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0);

        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        const auto values = [](const QString& text) { // the %1..%99 it fills in
            QStringList found;
            for (auto it = QRegularExpression(u"%\\d+"_s).globalMatch(text); it.hasNext();)
                found << it.next().captured();
            found.sort();
            return found;
        };
        QString context, source;
        QStringList wrong;
        while (!xml.atEnd()) {
            if (!xml.readNextStartElement())
                continue;
            if (xml.name() == u"name") {
                context = tsText(xml);
            } else if (xml.name() == u"source") {
                source = tsText(xml);
            } else if (xml.name() == u"translation") {
                const QString type = xml.attributes().value(u"type"_s).toString();
                const QString t = tsText(xml);
                const QString where = context + u" / "_s + source;
                if (type == u"unfinished" || t.isEmpty())
                    wrong << u"untranslated: "_s + where;
                else if (!type.isEmpty())
                    wrong << u"no longer in the sources: "_s + where;
                else if (values(source) != values(t) || source.contains(u'&') != t.contains(u'&'))
                    wrong << u"other values or access key than the source: "_s + where;
            }
        }
        QVERIFY2(tsReadWhole(xml), qPrintable(xml.errorString()));
        QVERIFY2(wrong.isEmpty(), qPrintable(u"cmake --build build --target update_translations, then:\n"_s +
                                             wrong.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
