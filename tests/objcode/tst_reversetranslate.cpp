#include "ObjCode.h"

#include <QtTest>

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
    void lines_data();
    void lines();
    void programs_data();
    void programs();
    void strForm_data();
    void strForm();
    void labelField();
};

// One instruction followed by END: its line after the label field.
void TstReverseTranslate::lines_data()
{
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<QString>("line");
    QTest::newRow("rst count after name") << QByteArray("0c0408") << "RST s1  4";
    QTest::newRow("tp tenths") << QByteArray("19010f00") << "TP Tp2  1.5";
    QTest::newRow("tpf hundredths") << QByteArray("1904c800") << "TPF TpF1  2";
    QTest::newRow("tp count above 32767 unsigned") << QByteArray("19000080") << "TP Tp1  3276.8";
    QTest::newRow("tp index 6 marker") << QByteArray("19060100") << "TPF TpF3" + marker("Tp") + "  .01";
    QTest::newRow("tp index 8 general name") << QByteArray("19080500") << "TP s1  .5";
    QTest::newRow("osc") << QByteArray("15050a") << "OSC  .5  1";
    QTest::newRow("tpvf") << QByteArray("1305") << "TPVF TpvF2";
    QTest::newRow("tpvf index 6 marker") << QByteArray("1306") << "TPVF TpvF3" + marker("Tpv");
    QTest::newRow("ctv") << QByteArray("1003") << "CTV Ctv4";
    QTest::newRow("ctv index 4 marker") << QByteArray("1004") << "CTV Ctv5" + marker("Ctv");
    QTest::newRow("ctv index 200 decimal") << QByteArray("10c8") << "CTV 200";
    QTest::newRow("ldi") << QByteArray("1407") << "LDI 7";
    QTest::newRow("ccpe") << QByteArray("260102") << "CCPE 1 2";
    QTest::newRow("ldiv value first") << QByteArray("1d050e") << "LDIV  5 v01";
    QTest::newRow("ifv1 two bytes") << QByteArray("1e09") << "IFV1 L_10";
    QTest::newRow("jpv1 two bytes") << QByteArray("1f09") << "JPV1 L_10";
    QTest::newRow("v09 two digits") << QByteArray("0616") << "LD v09";
    QTest::newRow("TpvF1 as address") << QByteArray("0d54") << "SET TpvF1";
    QTest::newRow("byte 92 decimal") << QByteArray("065c") << "LD 92";
    QTest::newRow("unnamed then named") << QByteArray("20ff00") << "SETIF1 255 e1";
    QTest::newRow("inc") << QByteArray("290e") << "INC v01";
    QTest::newRow("incw") << QByteArray("2a3b") << "INCW v46";
    QTest::newRow("ifc") << QByteArray("2b09") << "IFC L_10";
    QTest::newRow("cpi") << QByteArray("2c3cff") << "CPI re01 255";
    QTest::newRow("ifgt") << QByteArray("2d63") << "IFGT L_100";
    QTest::newRow("ifeq") << QByteArray("2eff") << "IFEQ L_256";
}

void TstReverseTranslate::lines()
{
    QFETCH(QByteArray, hex);
    QFETCH(QString, line);
    QCOMPARE(objcode::ReverseTranslate(image(hex + "0f")).text, QString(8, ' ') + line + "\r\n" + kEnd);
}

// Whole images: the text and the label numbers of the jumps met.
void TstReverseTranslate::programs_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("all zeros") << image("") << QString() << QStringList();
    QTest::newRow("ld out end") << image("0600 0b08 0f") << "        LD e1\r\n        OUT s1\r\n" + kEnd
                                << QStringList();
    QTest::newRow("no end, no rjp") << image("0600 0b08") << QString() << QStringList();
    QTest::newRow("subroutine after end") << image("0f 0600 12") << kEnd + "        LD e1\r\n        RJP\r\n"
                                          << QStringList();
    QTest::newRow("end after rjp") << image("12 0f") << "        RJP\r\n" + kEnd << QStringList();
    QTest::newRow("lines after the last end dropped") << image("0f 0600 0b08") << kEnd << QStringList();
    QTest::newRow("unused opcodes skipped one byte")
        << image("18 0600 2fff 12") << "        LD e1\r\n        RJP\r\n" << QStringList();
    QTest::newRow("extended opcodes read whole")
        << image("2c0f0f 2912 0f") << "        CPI v02 15\r\n        INC v05\r\n" + kEnd << QStringList();
    QTest::newRow("goto forward label") << image("1a04 0600 0f")
                                        << "        GOTO L_5\r\n        LD e1\r\nL_5     END\r\n\r\n"
                                        << QStringList{"5"};
    QTest::newRow("backward jump labelled") << image("0600 1a00 0f") << "L_1     LD e1\r\n        GOTO L_1\r\n" + kEnd
                                            << QStringList{"1"};
    QTest::newRow("target inside an instruction")
        << image("0600 1a01 0f") << "        LD e1\r\n        GOTO L_2\r\n" + kEnd << QStringList{"2"};
    QTest::newRow("two jumps, one label line") << image("0600 0500 1a00 0f")
                                               << "L_1     LD e1\r\n        IF1 L_1\r\n        GOTO L_1\r\n" + kEnd
                                               << QStringList{"1", "1"};
    QTest::newRow("jumps after the end still listed") << image("0f 2400 2201") << "L_1     END\r\n\r\n"
                                                      << QStringList{"1", "2"};
    QByteArray last = image("0f");
    last[255] = char(0x1A); // its target byte lies past the image: 0, or a download's date byte
    QTest::newRow("jump at 255 past the end") << last << "L_1     END\r\n\r\n" << QStringList{"1"};
    QTest::newRow("jump at 255 reads a date byte") << last + "\x01\x07" << kEnd << QStringList{"2"};
}

void TstReverseTranslate::programs()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, text);
    QFETCH(QStringList, labels);
    const objcode::Translation t = objcode::ReverseTranslate(input);
    QCOMPARE(t.text, text);
    QCOMPARE(t.jumpLabels, labels);
}

void TstReverseTranslate::strForm_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("5") << 5.0 << " 5";
    QTest::newRow("0") << 0.0 << " 0";
    QTest::newRow(".5") << 0.5 << " .5";
    QTest::newRow("1.5") << 1.5 << " 1.5";
    QTest::newRow(".01") << 0.01 << " .01";
    QTest::newRow("negative") << -0.5 << "-.5";
    QTest::newRow("7 digits") << 1.0 / 3 << " .3333333";
    QTest::newRow("progress last byte") << 256 * 0.39 << " 99.84";
}

void TstReverseTranslate::strForm()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(objcode::Str(value), text);
}

void TstReverseTranslate::labelField()
{
    QCOMPARE(objcode::LabelField(256, true), QStringLiteral("L_256   "));
    QCOMPARE(objcode::LabelField(5, false), QString(8, ' '));
}

QTEST_APPLESS_MAIN(TstReverseTranslate)
#include "tst_reversetranslate.moc"
