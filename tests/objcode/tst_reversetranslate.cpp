#include "ObjCode.h"

#include <QtTest>

namespace {

const QString kBlank8(8, QLatin1Char(' '));
const QString kEndLines = QStringLiteral("        END\r\n\r\n");

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out.append(char(b));
    return out;
}

QByteArray image(const QByteArray& program)
{
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
    void jumpLabels_data();
    void jumpLabels();
    void strForm_data();
    void strForm();
    void labelField();
    void everyOpcodeDecodesToItsOwnMnemonic();
};

// One instruction followed by END: the line printed for it after the label field.
void TstReverseTranslate::lines_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QString>("line");

    QTest::newRow("rst count after name") << bytes({0x0C, 0x04, 0x08}) << "RST s1  4";
    QTest::newRow("rst zero count") << bytes({0x0C, 0x00, 0x5B}) << "RST TpF2  0";
    QTest::newRow("tp tenths") << bytes({0x19, 0x01, 0x0F, 0x00}) << "TP Tp2  1.5";
    QTest::newRow("tp 300 tenths") << bytes({0x19, 0x00, 0x2C, 0x01}) << "TP Tp1  30";
    QTest::newRow("tpf hundredths") << bytes({0x19, 0x04, 0xC8, 0x00}) << "TPF TpF1  2";
    QTest::newRow("tpf largest") << bytes({0x19, 0x05, 0xFF, 0x7F}) << "TPF TpF2  327.67";
    QTest::newRow("tp count above 32767 unsigned") << bytes({0x19, 0x00, 0x00, 0x80}) << "TP Tp1  3276.8";
    QTest::newRow("tp count 65535") << bytes({0x19, 0x03, 0xFF, 0xFF}) << "TP Tp4  6553.5";
    QTest::newRow("tp index 6 marker") << bytes({0x19, 0x06, 0x01, 0x00}) << "TPF TpF3" + marker("Tp") + "  .01";
    QTest::newRow("tp index 7 marker") << bytes({0x19, 0x07, 0x00, 0x00}) << "TPF TpF4" + marker("Tp") + "  0";
    QTest::newRow("tp index 8 general name") << bytes({0x19, 0x08, 0x05, 0x00}) << "TP s1  .5";
    QTest::newRow("osc") << bytes({0x15, 0x05, 0x0A}) << "OSC  .5  1";
    QTest::newRow("osc extremes") << bytes({0x15, 0x00, 0xFF}) << "OSC  0  25.5";
    QTest::newRow("tpv") << bytes({0x13, 0x02}) << "TPV Tpv3";
    QTest::newRow("tpvf") << bytes({0x13, 0x05}) << "TPVF TpvF2";
    QTest::newRow("tpvf index 6 marker") << bytes({0x13, 0x06}) << "TPVF TpvF3" + marker("Tpv");
    QTest::newRow("ctv") << bytes({0x10, 0x03}) << "CTV Ctv4";
    QTest::newRow("ctv index 4 marker") << bytes({0x10, 0x04}) << "CTV Ctv5" + marker("Ctv");
    QTest::newRow("ctv index 7 marker") << bytes({0x10, 0x07}) << "CTV Ctv8" + marker("Ctv");
    QTest::newRow("ctv index 8 general name") << bytes({0x10, 0x08}) << "CTV s1";
    QTest::newRow("ctv index 200 decimal") << bytes({0x10, 0xC8}) << "CTV 200";
    QTest::newRow("ldi") << bytes({0x14, 0x07}) << "LDI 7";
    QTest::newRow("ccpe") << bytes({0x26, 0x01, 0x02}) << "CCPE 1 2";
    QTest::newRow("cpe") << bytes({0x27, 0x00, 0xFF}) << "CPE 0 255";
    QTest::newRow("movtct") << bytes({0x28, 0x10, 0x0A}) << "MOVTCT 16 10";
    QTest::newRow("ldiv value first") << bytes({0x1D, 0x05, 0x0E}) << "LDIV  5 v01";
    QTest::newRow("ifv1 two bytes") << bytes({0x1E, 0x09}) << "IFV1 L_10";
    QTest::newRow("jpv1 two bytes") << bytes({0x1F, 0x09}) << "JPV1 L_10";
    QTest::newRow("setif1") << bytes({0x20, 0x00, 0x01}) << "SETIF1 e1 e2";
    QTest::newRow("clrif1") << bytes({0x23, 0x4B, 0x3C}) << "CLRIF1 re16 re01";
    QTest::newRow("v09") << bytes({0x06, 0x16}) << "LD v09";
    QTest::newRow("v10") << bytes({0x06, 0x17}) << "LD v10";
    QTest::newRow("Tpv4 as address") << bytes({0x0B, 0x53}) << "OUT Tpv4";
    QTest::newRow("TpvF1 as address") << bytes({0x0D, 0x54}) << "SET TpvF1";
    QTest::newRow("byte 92 decimal") << bytes({0x06, 0x5C}) << "LD 92";
    QTest::newRow("byte 255 decimal") << bytes({0x21, 0xFF}) << "XOR 255";
    QTest::newRow("unnamed then named") << bytes({0x20, 0xFF, 0x00}) << "SETIF1 255 e1";
    QTest::newRow("inc") << bytes({0x29, 0x0E}) << "INC v01";
    QTest::newRow("incw") << bytes({0x2A, 0x3B}) << "INCW v46";
    QTest::newRow("ifc") << bytes({0x2B, 0x09}) << "IFC L_10";
    QTest::newRow("cpi") << bytes({0x2C, 0x3C, 0xFF}) << "CPI re01 255";
    QTest::newRow("ifgt") << bytes({0x2D, 0x63}) << "IFGT L_100";
    QTest::newRow("ifeq") << bytes({0x2E, 0xFF}) << "IFEQ L_256";
    QTest::newRow("andp") << bytes({0x02}) << "ANDP";
    QTest::newRow("nota") << bytes({0x25}) << "NOTA";
}

void TstReverseTranslate::lines()
{
    QFETCH(QByteArray, program);
    QFETCH(QString, line);
    const objcode::Translation t = objcode::ReverseTranslate(image(program + char(0x0F)));
    QCOMPARE(t.text, kBlank8 + line + "\r\n" + kEndLines);
}

// Whole images and the text they give.
void TstReverseTranslate::programs_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QString>("text");

    QTest::newRow("all zeros") << QByteArray() << QString();
    QTest::newRow("ld out end") << bytes({0x06, 0x00, 0x0B, 0x08, 0x0F})
                                << "        LD e1\r\n        OUT s1\r\n        END\r\n\r\n";
    QTest::newRow("no end, no rjp") << bytes({0x06, 0x00, 0x0B, 0x08}) << QString();
    QTest::newRow("subroutine after end") << bytes({0x0F, 0x06, 0x00, 0x12})
                                          << "        END\r\n\r\n        LD e1\r\n        RJP\r\n";
    QTest::newRow("end after rjp") << bytes({0x12, 0x0F}) << "        RJP\r\n        END\r\n\r\n";
    QTest::newRow("lines after the last end dropped") << bytes({0x0F, 0x06, 0x00, 0x0B, 0x08}) << kEndLines;
    QTest::newRow("goto forward label")
        << bytes({0x1A, 0x04, 0x06, 0x00, 0x0F}) << "        GOTO L_5\r\n        LD e1\r\nL_5     END\r\n\r\n";
    QTest::newRow("backward jump labelled")
        << bytes({0x06, 0x00, 0x1A, 0x00, 0x0F}) << "L_1     LD e1\r\n        GOTO L_1\r\n" + kEndLines;
    QTest::newRow("target inside an instruction")
        << bytes({0x06, 0x00, 0x1A, 0x01, 0x0F}) << "        LD e1\r\n        GOTO L_2\r\n" + kEndLines;
    QByteArray longJump = bytes({0x1A, 0x64});
    QString longText = QStringLiteral("        GOTO L_101\r\n");
    for (int address = 2; address < 100; address += 2) {
        longJump += bytes({0x00, 0x00});
        longText += QStringLiteral("        AND e1\r\n");
    }
    QTest::newRow("label of 3 digits padded") << longJump + char(0x0F) << longText + "L_101   END\r\n\r\n";
    QTest::newRow("unused opcodes skipped one byte")
        << bytes({0x18, 0x06, 0x00, 0x2F, 0xFF, 0x12}) << "        LD e1\r\n        RJP\r\n";
    QTest::newRow("extended opcodes read whole")
        << bytes({0x2C, 0x0F, 0x0F, 0x29, 0x12, 0x0F}) << "        CPI v02 15\r\n        INC v05\r\n" + kEndLines;
}

void TstReverseTranslate::programs()
{
    QFETCH(QByteArray, program);
    QFETCH(QString, text);
    QCOMPARE(objcode::ReverseTranslate(image(program)).text, text);
}

void TstReverseTranslate::jumpLabels_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("text");

    QTest::newRow("two jumps, one label line")
        << image(bytes({0x06, 0x00, 0x05, 0x00, 0x1A, 0x00, 0x0F})) << QStringList{"1", "1"}
        << "L_1     LD e1\r\n        IF1 L_1\r\n        GOTO L_1\r\n" + kEndLines;
    QTest::newRow("jumps after the end still listed")
        << image(bytes({0x0F, 0x24, 0x00, 0x22, 0x01})) << QStringList{"1", "2"} << "L_1     END\r\n\r\n";
    QByteArray last = image(bytes({0x0F}));
    last[255] = char(0x1A); // its target byte lies past the image and reads as 0
    QTest::newRow("jump at 255 past the end") << last << QStringList{"1"} << "L_1     END\r\n\r\n";
    QTest::newRow("jump at 255 reads a date byte")
        << last + bytes({0x01, 0x07}) << QStringList{"2"} << kEndLines;
}

void TstReverseTranslate::jumpLabels()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, labels);
    QFETCH(QString, text);
    const objcode::Translation t = objcode::ReverseTranslate(input);
    QCOMPARE(t.jumpLabels, labels);
    QCOMPARE(t.text, text);
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
    QTest::newRow("327.67") << 32767 / 100.0 << " 327.67";
    QTest::newRow("6553.5") << 65535 / 10.0 << " 6553.5";
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
    QCOMPARE(objcode::LabelField(5, true), QStringLiteral("L_5     "));
    QCOMPARE(objcode::LabelField(256, true), QStringLiteral("L_256   "));
    QCOMPARE(objcode::LabelField(5, false), kBlank8);
}

// The translator prints every opcode the table has with that row's own mnemonic.
void TstReverseTranslate::everyOpcodeDecodesToItsOwnMnemonic()
{
    for (const isa::Instruction& row : isa::instructions()) {
        if (isa::decodeOpcode(row.opcode) != &row)
            continue; // tpvf, tpf: chosen by the operand, covered above
        QByteArray program(1, char(row.opcode));
        program += QByteArray(row.length - 1, char(0x01)) + char(0x12);
        const QString text = objcode::ReverseTranslate(image(program)).text;
        QVERIFY2(text.startsWith(kBlank8 + row.upperMnemonic()), qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral("        RJP\r\n")), qPrintable(text));
        QCOMPARE(text.count(QStringLiteral("\r\n")), row.mnemonic == "end" ? 3 : 2);
    }
}

QTEST_APPLESS_MAIN(TstReverseTranslate)
#include "tst_reversetranslate.moc"
