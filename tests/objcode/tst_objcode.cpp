// SPDX-License-Identifier: GPL-3.0-or-later
#include "Compiler.h"
#include "ObjCode.h"
#include "TestUtil.h"

#include <QRandomGenerator>
#include <QtTest>
#include <numeric>

using Status = compiler::CompileResult::Status;

namespace {

// Every byte value once, 0x0A and 0x0D included.
const QByteArray kSample = [] {
    QByteArray bytes;
    for (int b = 255; b >= 0; --b)
        bytes += char(b);
    return bytes;
}();
const QDateTime kWhen(QDate(2026, 3, 5), QTime(9, 4, 7));

// The bytes followed by zeros, as an image.
isa::ProgramImage imageOf(const QByteArray& bytes)
{
    isa::ProgramImage image{};
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
}

const QString kEnd = QStringLiteral("        END\r\n\r\n");

// Program bytes in hex, padded with zeros to a whole image.
QByteArray image(const char* hex)
{
    const QByteArray program = QByteArray::fromHex(hex);
    return program + QByteArray(isa::kImageSize - program.size(), '\0');
}

// Why a compile failed: the line and the message.
QString failure(const compiler::CompileResult& r)
{
    return QStringLiteral("line %1 \"%2\": %3").arg(r.lineNumber).arg(r.rawLine, r.message);
}

// A valid program of random instructions, each line labelled, ending with END or RJP.
QString randomProgram(QRandomGenerator& rng)
{
    const auto rows = isa::instructions();
    QList<const isa::Instruction*> lines;
    for (int length = 1, budget = 1 + rng.bounded(255);;) {
        const isa::Instruction* row = &rows[rng.bounded(int(rows.size()))];
        if ((length += row->length) > budget)
            break;
        lines << row;
    }
    lines << isa::findMnemonic(rng.bounded(2) ? u"end" : u"rjp");
    QString source;
    for (int n = 0; n < lines.size(); ++n) {
        const isa::Instruction& row = *lines[n];
        source += QStringLiteral("l%1 ").arg(n) + row.upperMnemonic();
        for (int i = 0; i < row.operandCount; ++i) {
            const isa::Operand& o = row.operands[i];
            const int r = rng.bounded(o.max + 1);
            if (o.defaultValue >= 0 && rng.bounded(2))
                continue;                   // rst without its count
            if (o.kind == isa::Kind::Index) // any address whose index the instruction takes
                source += QLatin1Char(' ') +
                          QString::number(o.indexBase + o.indexMin +
                                          r % (qMin(o.indexMax, o.max - o.indexBase) - o.indexMin + 1));
            else if (o.kind == isa::Kind::Label)
                source += QStringLiteral(" l%1").arg(r % lines.size());
            else // an address as a number too: the translation gives the names
                source += QLatin1Char(' ') + QString::number(r / double(o.scale));
        }
        source += QStringLiteral("\r\n");
    }
    return source;
}

} // namespace

// Object and Ladder files on a real disk, and the translation of an image back to text: golden
// texts both ways, images a compile never makes, and the round trip over random programs.
class TstObjCode : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QStringList m_predefined;

private slots:
    void initTestCase()
    {
        m_predefined = compiler::readDefinitions(testutil::readRaw(QStringLiteral(WMK38_BIN_DIR "/es.def")));
        QCOMPARE(m_predefined.size(), isa::kOperandSpaceSize);
    }

    // A golden text (no image given) compiles, and the translator prints exactly that text back: the
    // layout of the lines and every way an operand prints. The other rows are images a compile never makes.
    void translate_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("labels"); // the label numbers of the jumps met
        const auto row = [](const char* tag, const QByteArray& input, const QString& text,
                            QStringList labels = {}) { QTest::newRow(tag) << input << text << labels; };
        const auto line = [](const QString& text) { return QString(8, ' ') + text + "\r\n" + kEnd; };
        const auto marker = [](const QString& group) {
            return " ** Error: no exixte ese N\u00a7 de " + group + " **";
        };
        row("timers, counters, subroutine", {},
            "L_1     LD e1\r\n        OUT s1\r\n        TP Tp2  1.5\r\n        TPF TpF1  2\r\n        TPV "
            "Tpv1\r\n"
            "        TPVF TpvF2\r\n        CTV Ctv4\r\n        RST s1  4\r\n        OSC  .5  1\r\n"
            "        LDIV  5 v01\r\n        IFV1 L_1\r\n        GOSUB L_36\r\n        CCPE 1 2\r\n"
            "        END\r\n\r\nL_36    CPI re01 255\r\nL_39    INC v01\r\n        IFGT L_39\r\n        "
            "RJP\r\n",
            {"1", "36", "39"});
        row("largest presets, indices as addresses", {},
            "        TP Tp4  3276.7\r\n        TPF TpF2  327.67\r\n        TP 255  .1\r\n        TPV "
            "196\r\n" +
                kEnd);
        row("tp count above 32767 unsigned", image("190000800f"), line("TP Tp1  3276.8"));
        // one index past each group's names; indices from 8 on print as addresses (the round trip)
        row("tp index 6 marker", image("190601000f"), line("TPF TpF3" + marker("Tp") + "  .01"));
        row("tpvf index 7 marker", image("13070f"), line("TPVF TpvF4" + marker("Tpv")));
        row("ctv index 4 marker", image("10040f"), line("CTV Ctv5" + marker("Ctv")));
        row("label of the last byte", image("2eff0f"), line("IFEQ L_256"), {"256"});
        row("all zeros", image(""), "");
        row("subroutine after end", image("0f 0600 12"), kEnd + "        LD e1\r\n        RJP\r\n");
        row("end after rjp", image("12 0f"), "        RJP\r\n" + kEnd);
        row("unused opcodes skipped one byte", image("18 0600 2fff 12"), "        LD e1\r\n        RJP\r\n");
        row("target inside an instruction", image("0600 1a01 0f"), "        LD e1\r\n" + line("GOTO L_2"),
            {"2"});
        row("jumps after the end still listed", image("0f 2400 2201"), "L_1     END\r\n\r\n", {"1", "2"});
        QByteArray last = image("0f");
        last[255] = char(0x1A); // its target byte lies past the image: 0, or a download's date byte
        row("jump at 255 past the end", last, "L_1     END\r\n\r\n", {"1"});
        row("jump at 255 reads a date byte", last + "\x01\x07", kEnd, {"2"});
    }

    void translate()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, text);
        QFETCH(QStringList, labels);
        if (input.isNull()) {
            const compiler::CompileResult r = compiler::compile(text, m_predefined);
            QVERIFY2(r.status == Status::Ok, qPrintable(failure(r)));
            input = QByteArray(reinterpret_cast<const char*>(r.image.data()), isa::kImageSize);
        }
        const objcode::Translation t = objcode::ReverseTranslate(input);
        QCOMPARE(t.text, text);
        QCOMPARE(t.jumpLabels, labels);
    }

    // compile → translate → compile gives the same image.
    void compileTranslateCompile()
    {
        QRandomGenerator rng(38);
        for (int n = 0; n < 1000; ++n) {
            const QString source = randomProgram(rng);
            const compiler::CompileResult first = compiler::compile(source, m_predefined);
            QVERIFY2(first.status == Status::Ok, qPrintable(source + failure(first)));
            const QString text = objcode::ReverseTranslate(first.image).text;
            const compiler::CompileResult second = compiler::compile(text, m_predefined);
            // index 6 or 7 of tp or tpv, which the group has no name for, prints with its error
            // marker and is refused when compiled: loud, never a changed program
            if (second.status != Status::Ok && second.rawLine.contains("** Error: no exixte"))
                continue;
            QVERIFY2(second.status == Status::Ok, qPrintable(source + "->\n" + text + failure(second)));
            QVERIFY2(second.image == first.image, qPrintable(source + "->\n" + text));
        }
    }

    void write_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("nameField");
        QTest::addColumn<bool>("sizeLimit");
        QTest::addColumn<QString>("header"); // written in Windows-1252; null: the write fails
        const auto row = [](const char* tag, const char* name, const QString& nameField, bool sizeLimit,
                            const QString& header) {
            QTest::newRow(tag) << name << nameField << sizeLimit << header;
        };
        const QString date = QStringLiteral(" - 03-05-2026 09:04:07 - OrvSoftware - ");
        row("ansi name", "prog.obj", "se\u00f1al.obj", false, "se\u00f1al.obj" + date);
        row("upload: empty name", "prog.obj", "", false, date);
        row("missing folder", "no/such/folder/p.obj", "p.obj", false, QString());
        row("short write over the old file", "prog.obj", "p.obj", true, QString());
    }

    // Written over a longer older file, which must not show past the new end. A write that cannot start
    // or fails half way (the file-size limit) is reported; no temporary file is left, the old file intact.
    void write()
    {
        QFETCH(QString, name);
        QFETCH(QString, nameField);
        QFETCH(bool, sizeLimit);
        QFETCH(QString, header);
        const QString path = m_dir.filePath(name), old = m_dir.filePath("prog.obj");
        QVERIFY(testutil::writeRaw(old, QByteArray(1000, 'x')));
        const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QString error;
        const auto write = [&] {
            return objcode::writeObjectFile(path, nameField, imageOf(kSample), kWhen, &error);
        };
        QCOMPARE(sizeLimit ? testutil::withFileSizeLimit(100, write) : write(), !header.isNull());
        QVERIFY2(header.isNull() == error.contains(path), qPrintable(error));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        const QByteArray bytes = header.isNull() ? QByteArray(1000, 'x') : header.toLatin1() + kSample;
        QCOMPARE(testutil::readRaw(old), bytes);
        QVERIFY(header.isNull() || objcode::objectFileBytes(nameField, kWhen, imageOf(kSample)) == bytes);
    }

    // The reader is chosen by the extension of the tag. An object file is its last 256 bytes; a
    // Ladder file's body follows its first line feed. Short objects, long bodies and unreadable
    // files are refused; a device is read no further than a program can reach (a pipe: tst_cli).
    void read_data()
    {
        QTest::addColumn<QByteArray>("contents"); // null: a folder in its place
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("edited header.obj")
            << "hand-edited: anything - OrvSoftware" + kSample << kSample << "";
        QTest::newRow("header cut away.obj") << kSample << kSample << "";
        QTest::newRow("255 bytes.obj") << kSample.left(255) << QByteArray() << "255 bytes";
        QTest::newRow("folder.obj") << QByteArray() << QByteArray() << "No se puede abrir";
        QTest::newRow("zero device.obj") << QByteArray("/dev/zero") << QByteArray() << "mas de 1048576 bytes";
        QTest::newRow("100-byte body.bld")
            << "MK38 Ladder\r\n" + kSample.left(100) << kSample.left(100) << "";
        QTest::newRow("256-byte body, line feeds in it.bld") << "x\n" + kSample << kSample << "";
        QTest::newRow("no line feed: all body.bld") << kSample.right(9) << kSample.right(9) << "";
        QTest::newRow("300-byte body.bld")
            << "x\n" + QByteArray(300, '\x06') << QByteArray() << "mas de 256 bytes";
        QTest::newRow("257 bytes, no line feed.bld")
            << QByteArray(257, '\x06') << QByteArray() << "mas de 256 bytes";
        QTest::newRow("zero device.bld") << QByteArray("/dev/zero") << QByteArray() << "primeros 65536 bytes";
    }

    void read()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QByteArray, image);
        QFETCH(QString, refusal);
        const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        const bool ladder = path.endsWith(".bld");
        QString error;
        QList<int> ks;
        QVERIFY(contents.isNull()              ? QDir().mkpath(path)
                : contents.startsWith("/dev/") ? QFile::link(contents, path)
                                               : testutil::writeRaw(path, contents));
        const auto read = ladder ? objcode::readLadderFile(path, &error)
                                 : objcode::readObjectFile(path, &error, [&](int k) { ks << k; });
        QVERIFY2(refusal.isEmpty() ? error.isEmpty()
                                   : error.contains(path) && QString(error).remove(path).contains(refusal),
                 qPrintable(error));
        QCOMPARE(read, refusal.isEmpty() ? std::optional(imageOf(image)) : std::nullopt);
        QList<int> progress(refusal.isEmpty() && !ladder ? 256 : 0);
        std::iota(progress.begin(), progress.end(), 1);
        QCOMPARE(ks, progress);
    }
};

QTEST_APPLESS_MAIN(TstObjCode)
#include "tst_objcode.moc"
