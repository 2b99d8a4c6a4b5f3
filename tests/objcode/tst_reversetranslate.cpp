#include "ObjCode.h"

#include <QtTest>

// The golden pairs of tst_roundtrip hold the worked lines and every mnemonic; these are the rest.
namespace {

const QString kEnd = QStringLiteral("        END\r\n\r\n");

// Program bytes in hex, padded with zeros to a whole image.
QByteArray image(const char* hex)
{
    const QByteArray program = QByteArray::fromHex(hex);
    return program + QByteArray(isa::kImageSize - program.size(), '\0');
}

QString marker(const char* group)
{
    return QStringLiteral(" ** Error: no exixte ese N\u00a7 de %1 **").arg(QLatin1String(group));
}

} // namespace

class TstReverseTranslate : public QObject
{
    Q_OBJECT
private slots:
    void translate_data();
    void translate();
    void strAndLabelField();
};

// Whole images: the text and the label numbers of the jumps met.
void TstReverseTranslate::translate_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("labels");
    const auto row = [](const char* tag, const QByteArray& input, const QString& text,
                        QStringList labels = {}) { QTest::newRow(tag) << input << text << labels; };
    const auto line = [](const QString& text) { return QString(8, ' ') + text + "\r\n" + kEnd; };
    row("tp count above 32767 unsigned", image("190000800f"), line("TP Tp1  3276.8"));
    row("tp index 6 marker", image("190601000f"), line("TPF TpF3" + marker("Tp") + "  .01"));
    row("tp index 7 marker", image("190701000f"), line("TPF TpF4" + marker("Tp") + "  .01"));
    row("tpvf index 6 marker", image("13060f"), line("TPVF TpvF3" + marker("Tpv")));
    row("tpvf index 7 marker", image("13070f"), line("TPVF TpvF4" + marker("Tpv")));
    row("ctv index 4 marker", image("10040f"), line("CTV Ctv5" + marker("Ctv")));
    row("ctv index 7 marker", image("10070f"), line("CTV Ctv8" + marker("Ctv")));
    // from 8 on an index prints as the address it compiles back from: group base plus index
    row("tp index 8", image("190805000f"), line("TP 94  .5"));
    row("tp 176", image("195a0a000f"), line("TP 176  1"));
    row("tpv 196", image("13740f"), line("TPV 196"));
    row("ctv index 200", image("10c80f"), line("CTV 276"));
    row("TpvF1 as an address", image("0d540f"), line("SET TpvF1"));
    row("unnamed then named", image("20ff000f"), line("SETIF1 255 e1"));
    row("label of the last byte", image("2eff0f"), line("IFEQ L_256"), {"256"});
    row("all zeros", image(""), "");
    row("subroutine after end", image("0f 0600 12"), kEnd + "        LD e1\r\n        RJP\r\n");
    row("end after rjp", image("12 0f"), "        RJP\r\n" + kEnd);
    row("unused opcodes skipped one byte", image("18 0600 2fff 12"), "        LD e1\r\n        RJP\r\n");
    row("goto forward label", image("1a04 0600 0f"),
        "        GOTO L_5\r\n        LD e1\r\nL_5     END\r\n\r\n", {"5"});
    row("target inside an instruction", image("0600 1a01 0f"), "        LD e1\r\n" + line("GOTO L_2"), {"2"});
    row("two jumps, one label line", image("0600 0500 1a00 0f"),
        "L_1     LD e1\r\n        IF1 L_1\r\n" + line("GOTO L_1"), {"1", "1"});
    row("jumps after the end still listed", image("0f 2400 2201"), "L_1     END\r\n\r\n", {"1", "2"});
    QByteArray last = image("0f");
    last[255] = char(0x1A); // its target byte lies past the image: 0, or a download's date byte
    row("jump at 255 past the end", last, "L_1     END\r\n\r\n", {"1"});
    row("jump at 255 reads a date byte", last + "\x01\x07", kEnd, {"2"});
}

void TstReverseTranslate::translate()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, text);
    QFETCH(QStringList, labels);
    const objcode::Translation t = objcode::ReverseTranslate(input);
    QCOMPARE(t.text, text);
    QCOMPARE(t.jumpLabels, labels);
}

void TstReverseTranslate::strAndLabelField()
{
    QCOMPARE(objcode::Str(0), QStringLiteral(" 0"));
    QCOMPARE(objcode::Str(-0.5), QStringLiteral("-.5"));
    QCOMPARE(objcode::Str(1.0 / 3), QStringLiteral(" .3333333"));
    QCOMPARE(objcode::LabelField(256, true), QStringLiteral("L_256   "));
    QCOMPARE(objcode::LabelField(5, false), QString(8, ' '));
}

QTEST_APPLESS_MAIN(TstReverseTranslate)
#include "tst_reversetranslate.moc"
