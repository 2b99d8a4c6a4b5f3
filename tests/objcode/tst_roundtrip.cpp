#include "Compiler.h"
#include "ObjCode.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out.append(char(b));
    return out;
}

isa::ProgramImage toImage(const QByteArray& program)
{
    isa::ProgramImage image{};
    std::copy(program.begin(), program.end(), image.begin());
    return image;
}

QString hex(const isa::ProgramImage& image)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(image.data()), isa::kImageSize).toHex(' '));
}

// The operand names each counter and timer instruction accepts without an error marker.
QStringList groupOperands(std::string_view mnemonic)
{
    if (mnemonic == "ctv")
        return {"ctv1", "ctv2", "ctv3", "ctv4"};
    if (mnemonic == "tpv")
        return {"tpv1", "tpv2", "tpv3", "tpv4", "tpvf1", "tpvf2"};
    if (mnemonic == "tpvf")
        return {"tpvf1", "tpvf2"};
    if (mnemonic == "tp")
        return {"tp1", "tp2", "tp3", "tp4", "tpf1", "tpf2"};
    return {"tpf1", "tpf2"};
}

// A decimal text of count / scale, as a user would write the seconds.
QString seconds(int count, int scale)
{
    QString text = QString::number(count / scale);
    if (count % scale) {
        QString fraction = QString::number(count % scale).rightJustified(scale == 100 ? 2 : 1, QLatin1Char('0'));
        while (fraction.endsWith(QLatin1Char('0')))
            fraction.chop(1);
        text += QLatin1Char('.') + fraction;
    }
    return text;
}

// A valid program of random instructions, every jump to a label of the program, ending
// with END or RJP.
QString randomProgram(QRandomGenerator& rng)
{
    const auto rows = isa::instructions();
    const int budget = 1 + rng.bounded(255);
    struct Line
    {
        const isa::Instruction* row;
        QString label;
    };
    QList<Line> lines;
    int length = 0;
    while (true) {
        const isa::Instruction& row = rows[rng.bounded(int(rows.size()))];
        if (length + row.length + 1 > budget)
            break;
        lines.append(Line{&row, {}});
        length += row.length;
    }
    lines.append(Line{isa::findMnemonic(rng.bounded(2) ? u"end" : u"rjp"), {}});
    const int labelCount = 1 + rng.bounded(qMax(1, int(lines.size()) / 4));
    QStringList labels;
    for (int i = 0; i < labelCount; ++i) {
        Line& line = lines[rng.bounded(int(lines.size()))];
        if (line.label.isEmpty()) {
            line.label = QStringLiteral("lbl%1").arg(i);
            labels << line.label;
        }
    }

    QString source;
    for (const Line& line : std::as_const(lines)) {
        QString text = line.label.isEmpty() ? QStringLiteral("    ") : line.label + (rng.bounded(2) ? ": " : " ");
        text += QString::fromLatin1(line.row->mnemonic.data(), qsizetype(line.row->mnemonic.size()));
        for (int i = 0; i < line.row->operandCount; ++i) {
            const isa::Operand& o = line.row->operands[i];
            QString word;
            switch (o.kind) {
            case isa::Kind::Address: {
                const int a = rng.bounded(o.max + 1);
                word = a < isa::kOperandSpaceSize ? isa::operandName(a).toLower() : QString::number(a);
                break;
            }
            case isa::Kind::Value:
                if (o.defaultValue >= 0 && rng.bounded(2))
                    continue; // rst without its count
                word = QString::number(rng.bounded(o.max + 1));
                break;
            case isa::Kind::Time:
                word = seconds(rng.bounded(256), o.scale);
                break;
            case isa::Kind::Preset:
                word = seconds(rng.bounded(isa::kMaxPreset + 1), o.scale);
                break;
            case isa::Kind::Index: {
                const QStringList names = groupOperands(line.row->mnemonic);
                word = names[rng.bounded(int(names.size()))];
                break;
            }
            case isa::Kind::Label:
                word = labels[rng.bounded(int(labels.size()))];
                break;
            }
            text += QLatin1Char(' ') + word;
        }
        source += text + QStringLiteral("\r\n");
    }
    return source;
}

} // namespace

class TstRoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void goldenPairs_data();
    void goldenPairs();
    void compileWriteReadTranslateCompile();

private:
    QStringList m_predefined;
    QTemporaryDir m_dir;
};

void TstRoundTrip::initTestCase()
{
    QFile esDef(QStringLiteral(WMK38_BIN_DIR "/es.def"));
    QVERIFY(esDef.open(QIODevice::ReadOnly));
    m_predefined = compiler::readDefinitions(esDef.readAll());
    QCOMPARE(m_predefined.size(), isa::kOperandSpaceSize);
}

// The text is exactly what the translator prints for the image, and it compiles to that image.
void TstRoundTrip::goldenPairs_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QByteArray>("program");

    QTest::newRow("ld out end") << "        LD e1\r\n        OUT s1\r\n        END\r\n\r\n"
                                << bytes({0x06, 0x00, 0x0B, 0x08, 0x0F});
    QTest::newRow("timers, counters, subroutine")
        << "L_1     LD e1\r\n"
           "        TP Tp2  1.5\r\n"
           "        TPF TpF1  2\r\n"
           "        TPV Tpv1\r\n"
           "        TPVF TpvF2\r\n"
           "        CTV Ctv4\r\n"
           "        RST s1  4\r\n"
           "        OSC  .5  1\r\n"
           "        LDIV  5 v01\r\n"
           "        IFV1 L_1\r\n"
           "        GOSUB L_34\r\n"
           "        CCPE 1 2\r\n"
           "        END\r\n"
           "\r\n"
           "L_34    CPI re01 255\r\n"
           "L_37    INC v01\r\n"
           "        IFGT L_37\r\n"
           "        RJP\r\n"
        << bytes({0x06, 0x00, 0x19, 0x01, 0x0F, 0x00, 0x19, 0x04, 0xC8, 0x00, 0x13, 0x00, 0x13, 0x05,
                  0x10, 0x03, 0x0C, 0x04, 0x08, 0x15, 0x05, 0x0A, 0x1D, 0x05, 0x0E, 0x1E, 0x00, 0x1B,
                  0x21, 0x26, 0x01, 0x02, 0x0F, 0x2C, 0x3C, 0xFF, 0x29, 0x0E, 0x2D, 0x24, 0x12});
    QTest::newRow("every other mnemonic")
        << "L_1     AND v46\r\n"
           "        ANDN re01\r\n"
           "        ANDP\r\n"
           "        CR\r\n"
           "        CS\r\n"
           "        LDN re16\r\n"
           "        OR e8\r\n"
           "        ORN s6\r\n"
           "        ORP\r\n"
           "        SET v01\r\n"
           "        SETB v09\r\n"
           "        NOT v10\r\n"
           "        XOR 92\r\n"
           "        SETIF1 e1 e2\r\n"
           "        CLRIF1 e3 e4\r\n"
           "L_29    JP0 L_1\r\n"
           "        IF0 L_29\r\n"
           "        IFC L_1\r\n"
           "L_35    IFEQ L_35\r\n"
           "        INCW e1\r\n"
           "        CPE 0 255\r\n"
           "        MOVTCT 16 10\r\n"
           "        LDI 255\r\n"
           "        RCT\r\n"
           "        RTP\r\n"
           "        NOTA\r\n"
           "L_50    JPV1 L_50\r\n"
           "L_52    IF1 L_52\r\n"
           "        GOTO L_1\r\n"
           "        RJP\r\n"
        << bytes({0x00, 0x3B, 0x01, 0x3C, 0x02, 0x03, 0x04, 0x07, 0x4B, 0x08, 0x07, 0x09, 0x0D, 0x0A,
                  0x0D, 0x0E, 0x0E, 0x16, 0x1C, 0x17, 0x21, 0x5C, 0x20, 0x00, 0x01, 0x23, 0x02, 0x03,
                  0x24, 0x00, 0x22, 0x1C, 0x2B, 0x00, 0x2E, 0x22, 0x2A, 0x00, 0x27, 0x00, 0xFF, 0x28,
                  0x10, 0x0A, 0x14, 0xFF, 0x16, 0x17, 0x25, 0x1F, 0x31, 0x05, 0x33, 0x1A, 0x00, 0x12});
    QTest::newRow("largest presets")
        << "        TP Tp4  3276.7\r\n        TPF TpF2  327.67\r\n        END\r\n\r\n"
        << bytes({0x19, 0x03, 0xFF, 0x7F, 0x19, 0x05, 0xFF, 0x7F, 0x0F});
}

void TstRoundTrip::goldenPairs()
{
    QFETCH(QString, source);
    QFETCH(QByteArray, program);
    const isa::ProgramImage image = toImage(program);

    QCOMPARE(objcode::ReverseTranslate(image).text, source);

    const compiler::CompileResult r = compiler::compile(source, m_predefined);
    QVERIFY2(r.status == compiler::CompileResult::Status::Ok,
             qPrintable(QStringLiteral("line %1 \"%2\": %3").arg(r.lineNumber).arg(r.rawLine, r.message)));
    QCOMPARE(hex(r.image), hex(image));
    QCOMPARE(r.length, program.size());
}

// compile → write object → read → translate → compile gives the same image.
void TstRoundTrip::compileWriteReadTranslateCompile()
{
    QRandomGenerator rng(38);
    const QString path = m_dir.filePath("round.obj");
    for (int n = 0; n < 1000; ++n) {
        const QString source = randomProgram(rng);
        const compiler::CompileResult first = compiler::compile(source, m_predefined);
        QVERIFY2(first.status == compiler::CompileResult::Status::Ok,
                 qPrintable(QStringLiteral("%1\nline %2: %3").arg(source).arg(first.lineNumber).arg(first.message)));

        QString error;
        QVERIFY2(objcode::writeObjectFile(path, "round.obj", first.image, QDateTime::currentDateTime(), &error),
                 qPrintable(error));
        const auto loaded = objcode::readObjectFile(path, &error);
        QVERIFY2(loaded, qPrintable(error));
        QCOMPARE(hex(*loaded), hex(first.image));

        const QString text = objcode::ReverseTranslate(*loaded).text;
        const compiler::CompileResult second = compiler::compile(text, m_predefined);
        QVERIFY2(second.status == compiler::CompileResult::Status::Ok,
                 qPrintable(QStringLiteral("%1\n->\n%2\nline %3: %4")
                                .arg(source, text)
                                .arg(second.lineNumber)
                                .arg(second.message)));
        QVERIFY2(hex(second.image) == hex(first.image), qPrintable(source + "\n->\n" + text));
    }
}

QTEST_APPLESS_MAIN(TstRoundTrip)
#include "tst_roundtrip.moc"
