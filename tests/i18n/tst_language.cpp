// SPDX-License-Identifier: GPL-3.0-or-later
// The choice of language from the environment and Idioma, and the core's sentences in each
// language through the build's catalogue.
#include "Language.h"
#include "Operand.h"
#include "PortErrors.h"

#include <QHash>
#include <QTest>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace {
const QString kBin = QStringLiteral(WMK38_BIN_DIR);
} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { language::use(language::kSpanish, kBin); }

    void choose_data()
    {
        QTest::addColumn<QString>("env"); // "LANG=en_US.UTF-8 LANGUAGE=fr:en"; the rest unset
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QString>("used");
        QTest::newRow("nothing set") << u""_s << u""_s << u"es"_s;
        QTest::newRow("LANG en") << u"LANG=en_GB.ISO-8859-15@euro"_s << u""_s << u"en"_s;
        QTest::newRow("LANG C.UTF-8") << u"LANG=C.UTF-8"_s << u""_s << u"es"_s;
        QTest::newRow("LC_MESSAGES over LANG") << u"LANG=es_ES LC_MESSAGES=en_US"_s << u""_s << u"en"_s;
        QTest::newRow("LC_ALL=POSIX over LANG") << u"LANG=en_US LC_ALL=POSIX"_s << u""_s << u"es"_s;
        QTest::newRow("LANGUAGE first with texts") << u"LANG=en_US LANGUAGE=fr:es:en"_s << u""_s << u"es"_s;
        QTest::newRow("LANGUAGE without texts") << u"LANG=en_US LANGUAGE=fr"_s << u""_s << u"en"_s;
        // as in gettext a C locale turns LANGUAGE off: a script's LC_ALL=C gets the classic texts
        QTest::newRow("LANGUAGE under C") << u"LC_ALL=C LANGUAGE=en"_s << u""_s << u"es"_s;
        QTest::newRow("Idioma=en over C") << u"LC_ALL=C"_s << u"EN"_s << u"en"_s;
        QTest::newRow("Idioma unknown") << u"LANG=en_US"_s << u"fr"_s << u"en"_s;
    }
    void choose()
    {
        QFETCH(QString, env);
        QFETCH(QString, idioma);
        QHash<QString, QString> values;
        for (const QString& v : env.split(u' ', Qt::SkipEmptyParts))
            values.insert(v.section(u'=', 0, 0), v.section(u'=', 1));
        const auto get = [&values](const char* name) { return values.value(QLatin1String(name)); };
        QTEST(language::choose(idioma, language::available(kBin), get), "used");
    }

    // Whole sentences a translation orders itself; Spanish byte for byte.
    void sentences_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("operand");
        QTest::addColumn<QString>("port");
        QTest::newRow("es") << u"es"_s << u"El argumento \"80\" es mayor que el máximo (75)"_s
                            << u"/dev/ttyS9 no existe. Puertos serie presentes: /dev/ttyS0, /dev/ttyUSB0."_s;
        QTest::newRow("en")
            << u"en"_s << u"The operand \"80\" is above the maximum (75)"_s
            << u"/dev/ttyS9 does not exist. Serial ports present: /dev/ttyS0, /dev/ttyUSB0."_s;
    }
    void sentences()
    {
        QFETCH(QString, language);
        QVERIFY(language::use(language, kBin) && language::current() == language);
        const QString operand = u" 80 "_s;
        QStringView text(operand);
        QString error;
        compiler::EvaluateOperand(text, 1.0f, 75, 0, compiler::Symbols(QStringList{u"e1"_s}, {}), error, 255);
        QTEST(error, "operand");
        plclink::DeviceFacts missing;
        missing.presentPorts = QStringList{u"/dev/ttyS0"_s, u"/dev/ttyUSB0"_s};
        QTEST(plclink::portError(u"/dev/ttyS9"_s, missing, QSerialPort::DeviceNotFoundError, ENOENT)
                  .description,
              "port");
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
