// SPDX-License-Identifier: GPL-3.0-or-later
// The choice of language from the environment and the setting Idioma, and the core's sentences
// in each language through the build's catalogue.
#include "Compiler.h"
#include "Language.h"
#include "Operand.h"
#include "PortErrors.h"

#include <QCoreApplication>
#include <QHash>
#include <QTest>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace {
const QString kBin = QStringLiteral(WMK38_BIN_DIR);

// "LANG=en_US.UTF-8 LANGUAGE=fr:en" as the environment; anything unnamed is unset.
language::Environment environment(const QString& variables)
{
    QHash<QString, QString> values;
    for (const QString& v : variables.split(u' ', Qt::SkipEmptyParts))
        values.insert(v.section(u'=', 0, 0), v.section(u'=', 1));
    return [values](const char* name) { return values.value(QLatin1String(name)); };
}

QString operandMessage(const QString& operand, int maximum)
{
    compiler::Symbols symbols(QStringList{u"e1"_s}, {});
    QString error;
    QStringView text(operand);
    compiler::EvaluateOperand(text, 1.0f, maximum, 0, symbols, error, 255);
    return error;
}
} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { language::use(language::kSpanish, kBin); }

    void available() { QCOMPARE(language::available(kBin), QStringList({u"es"_s, u"en"_s})); }

    void choose_data()
    {
        QTest::addColumn<QString>("env");
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QString>("used");
        QTest::newRow("nothing set: Spanish") << u""_s << u""_s << u"es"_s;
        QTest::newRow("LANG English") << u"LANG=en_US.UTF-8"_s << u""_s << u"en"_s;
        QTest::newRow("LANG Spanish") << u"LANG=es_AR.UTF-8"_s << u""_s << u"es"_s;
        QTest::newRow("LANG without a catalogue: Spanish") << u"LANG=fr_FR.UTF-8"_s << u""_s << u"es"_s;
        QTest::newRow("LANG C") << u"LANG=C"_s << u""_s << u"es"_s;
        QTest::newRow("LANG C.UTF-8") << u"LANG=C.UTF-8"_s << u""_s << u"es"_s;
        QTest::newRow("LANG POSIX") << u"LANG=POSIX"_s << u""_s << u"es"_s;
        QTest::newRow("LANG en with modifier") << u"LANG=en_GB.ISO-8859-15@euro"_s << u""_s << u"en"_s;
        QTest::newRow("LC_MESSAGES over LANG")
            << u"LANG=es_ES.UTF-8 LC_MESSAGES=en_US.UTF-8"_s << u""_s << u"en"_s;
        QTest::newRow("LC_ALL over LC_MESSAGES")
            << u"LC_MESSAGES=en_US.UTF-8 LC_ALL=es_ES.UTF-8"_s << u""_s << u"es"_s;
        QTest::newRow("LC_ALL=C over an English LANG") << u"LANG=en_US.UTF-8 LC_ALL=C"_s << u""_s << u"es"_s;
        QTest::newRow("LANGUAGE over the locale") << u"LANG=es_ES.UTF-8 LANGUAGE=en"_s << u""_s << u"en"_s;
        QTest::newRow("LANGUAGE: first entry with texts")
            << u"LANG=en_US.UTF-8 LANGUAGE=fr:de:es"_s << u""_s << u"es"_s;
        QTest::newRow("LANGUAGE without texts: the locale's")
            << u"LANG=en_US.UTF-8 LANGUAGE=fr:de"_s << u""_s << u"en"_s;
        // a C locale turns LANGUAGE off, as in gettext: a script's LC_ALL=C gets the classic texts
        QTest::newRow("LANGUAGE under a C locale") << u"LC_ALL=C LANGUAGE=en"_s << u""_s << u"es"_s;
        QTest::newRow("LANGUAGE alone") << u"LANGUAGE=en"_s << u""_s << u"es"_s;
        QTest::newRow("Idioma=en over a Spanish system") << u"LANG=es_ES.UTF-8"_s << u"en"_s << u"en"_s;
        QTest::newRow("Idioma=en over C") << u"LC_ALL=C"_s << u"en"_s << u"en"_s;
        QTest::newRow("Idioma=es over an English system") << u"LANG=en_US.UTF-8"_s << u"es"_s << u"es"_s;
        QTest::newRow("Idioma=EN in capitals") << u""_s << u"EN"_s << u"en"_s;
        QTest::newRow("Idioma empty: the system's") << u"LANG=en_US.UTF-8"_s << u""_s << u"en"_s;
        QTest::newRow("Idioma unknown: the system's") << u"LANG=en_US.UTF-8"_s << u"fr"_s << u"en"_s;
    }
    void choose()
    {
        QFETCH(QString, env);
        QFETCH(QString, idioma);
        QTEST(language::choose(idioma, language::available(kBin), environment(env)), "used");
    }

    // The sentences a translation orders itself; Spanish stays byte for byte.
    void sentences_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("operand");
        QTest::addColumn<QString>("portError");
        QTest::newRow("es") << u"es"_s << u"El argumento \"80\" es mayor que el máximo (75)"_s
                            << u"/dev/ttyS9 no existe. Puertos serie presentes: /dev/ttyS0, /dev/ttyUSB0."_s;
        QTest::newRow("en")
            << u"en"_s << u"The operand \"80\" is above the maximum (75)"_s
            << u"/dev/ttyS9 does not exist. Serial ports present: /dev/ttyS0, /dev/ttyUSB0."_s;
    }
    void sentences()
    {
        QFETCH(QString, language);
        QVERIFY(language::use(language, kBin));
        QCOMPARE(language::current(), language);
        QTEST(operandMessage(u" 80 "_s, 75), "operand");
        plclink::DeviceFacts missing;
        missing.presentPorts = QStringList{u"/dev/ttyS0"_s, u"/dev/ttyUSB0"_s};
        QTEST(plclink::portError(u"/dev/ttyS9"_s, missing, QSerialPort::DeviceNotFoundError, ENOENT)
                  .description,
              "portError");
    }

    void missingCatalogueStaysSpanish()
    {
        QVERIFY(!language::use(u"fr"_s, kBin));
        QCOMPARE(language::current(), u"es"_s);
        QCOMPARE(operandMessage(u""_s, 75), u"Falta argumento"_s);
    }

    // The data files of a language where they exist, else the Spanish ones.
    void localizedFile()
    {
        QCOMPARE(language::localizedFile(kBin, u"qhelp.ayd"_s), kBin + u"/qhelp.ayd"_s);
        QVERIFY(language::use(language::kEnglish, kBin));
        QCOMPARE(language::localizedFile(kBin, u"qhelp.ayd"_s), kBin + u"/qhelp_en.ayd"_s);
        QCOMPARE(language::localizedFile(kBin, u"es.def"_s), kBin + u"/es.def"_s);
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
