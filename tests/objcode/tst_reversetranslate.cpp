#include "ObjCode.h"

#include <QtTest>

// Images a compile never makes; the round trip and its golden texts cover the rest.
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
    // one index past each group's names; indices from 8 on print as addresses (tst_roundtrip)
    row("tp index 6 marker", image("190601000f"), line("TPF TpF3" + marker("Tp") + "  .01"));
    row("tpvf index 7 marker", image("13070f"), line("TPVF TpvF4" + marker("Tpv")));
    row("ctv index 4 marker", image("10040f"), line("CTV Ctv5" + marker("Ctv")));
    row("label of the last byte", image("2eff0f"), line("IFEQ L_256"), {"256"});
    row("all zeros", image(""), "");
    row("subroutine after end", image("0f 0600 12"), kEnd + "        LD e1\r\n        RJP\r\n");
    row("end after rjp", image("12 0f"), "        RJP\r\n" + kEnd);
    row("unused opcodes skipped one byte", image("18 0600 2fff 12"), "        LD e1\r\n        RJP\r\n");
    row("target inside an instruction", image("0600 1a01 0f"), "        LD e1\r\n" + line("GOTO L_2"), {"2"});
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

QTEST_APPLESS_MAIN(TstReverseTranslate)
#include "tst_reversetranslate.moc"
