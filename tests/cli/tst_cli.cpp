// SPDX-License-Identifier: GPL-3.0-or-later
// mk38c run through the shell as a user runs it, in a temporary folder: compile and decompile on
// files on a real disk, standard output that cannot be written, names that are not UTF-8, input
// from a pipe, and the COM names it reads beside itself.
#include "TestUtil.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {
const QByteArray kDefs("; two names\r\nmotor equ 0\r\nlamp equ 1\r\n");
const QByteArray kProgram("\x06\x00\x0b\x08\x0f", 5), kImage = kProgram + QByteArray(251, '\0');
const QByteArray kText("        LD e1\r\n        OUT s1\r\n        END\r\n\r\n");
} // namespace

using namespace Qt::StringLiterals;

class TstCli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(testutil::writeRaw(m_dir.filePath("mine.def"), kDefs));
        QVERIFY(testutil::writeRaw(m_dir.filePath("ok.prg"), "ld e1\r\nout s1\r\nend\r\n"));
        QVERIFY(testutil::writeRaw(m_dir.filePath("bad.prg"), "ld 300\r\n"));
        // a copy of the tool with its data and catalogue beside it, and a settings file of its own
        QVERIFY(QDir(m_dir.path()).mkpath("tool/translations"));
        for (const char* file : {"mk38c", "es.def", "translations/wmk38_en.qm"})
            QVERIFY(QFile::copy(QStringLiteral(WMK38_BIN_DIR "/") + file, m_dir.filePath("tool/") + file));
        QVERIFY(
            testutil::writeRaw(m_dir.filePath("ok.obj"), " - 03-05-2026 09:04:07 - OrvSoftware - " + kImage));
    }
    // the folder cannot list names that are not UTF-8 to remove them; the shell can
    void cleanupTestCase() { testutil::runShell(QStringLiteral("rm -f ./*"), m_dir.path()); }

    void runs_data()
    {
        QTest::addColumn<QString>("file"); // written first unless empty, and never written over
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err"); // its start
        const auto row = [](const char* tag, const char* file, const QByteArray& contents,
                            const char* commandLine, int exitCode, const QByteArray& out,
                            const QByteArray& err = {}) {
            QTest::newRow(tag) << file << contents << commandLine << exitCode << out << err;
        };
        row("no command", "", {}, "mk38c", 2, {}, "Uso:");
        row("unknown command", "", {}, "mk38c send2 ok.obj", 2, {},
            "mk38c: orden desconocida \"send2\"\nUso:");
        row("decompile to a full disk", "", {}, "mk38c decompile ok.obj >/dev/full", 2, {},
            "mk38c: no se puede escribir la salida estándar");
        row("compile to a closed output", "", {}, "mk38c compile ok.prg >&-", 2, {},
            "mk38c: no se puede escribir la salida estándar");
        row("names not UTF-8", "", {},
            "printf 'ld e1\\r\\nout s1\\r\\nend\\r\\n' >\"$(printf 'a\\377.prg')\" && "
            "mk38c compile -o \"$(printf 'b\\377.obj')\" \"$(printf 'a\\377.prg')\" && "
            "mk38c decompile \"$(printf 'b\\377.obj')\"",
            0, "Bytes compilados:  5\n" + kText);
        // the object file's name field is the name it is written under
        row("compile -o", "", {}, "mk38c compile -o c.obj ok.prg >/dev/null && head -c 8 c.obj", 0,
            "c.obj - ");
        row("object from a pipe", "", {}, "cat ok.obj | mk38c decompile /dev/stdin", 0, kText);

        const QByteArray zeros = QByteArray(" 00").repeated(15) + '\n', refused = "mk38c compile: ";
        row("compile --hex", "hex.prg", "; demo\r\nld e1\r\nout s1\r\nend\r\n", "mk38c compile --hex hex.prg",
            0, "06 00 0B 08 0F" + zeros.right(34) + ("00" + zeros).repeated(15) + "Bytes compilados:  5\n");
        row("rejected, read as Windows-1252", "w.prg", "ld e1\r\n  LD 300 ; a\xf1o\r\nend\r\n",
            "mk38c compile --hex w.prg", 1, {},
            "Error en linea\n  LD 300 ; año\nEl argumento \"300\" es mayor que el máximo (255)\n");
        row("unresolved", "u.prg", "loop: ld e1\r\ngoto loop:\r\n", "mk38c compile u.prg", 1, {},
            " Error: salto a loop: No hallado.\n");
        row("own es.def", "d.prg", "ld motor\r\nout lamp\r\n", "mk38c compile --defs mine.def d.prg", 0,
            "Bytes compilados:  4\n");
        row("own es.def only", "d1.prg", "ld e1\r\n", "mk38c compile --defs mine.def d1.prg", 1, {},
            "Error en linea\nld e1\nEl argumento \"e1\" no está entre los EQUs ni es una palabra clave\n");
        row("compile --help", "", {}, "mk38c compile --help", 0,
            "Uso: mk38c compile [--defs ARCHIVO] [--hex] [-o SALIDA] [--] FUENTE\n");
        row("missing es.def", "e.prg", "end", "mk38c compile --defs none.def e.prg", 2, {}, refused);
        row("missing source", "", {}, "mk38c compile none.prg", 2, {}, refused);
        row("unknown option", "e.prg", "end", "mk38c compile --fast e.prg", 2, {}, refused);
        row("object file not writable", "e.prg", "end", "mk38c compile -o no/such/h.obj e.prg", 2, {},
            refused);
        row("two sources", "e.prg", "end", "mk38c compile e.prg e.prg", 2, {},
            "mk38c compile: más de una FUENTE\n");
        row("-- ends compile's options", "--e.prg", "end", "mk38c compile -- --e.prg", 0,
            "Bytes compilados:  1\n");
        row("source over 1 MB", "big.prg", QByteArray(1024 * 1024 + 1, ' '), "mk38c compile big.prg", 2, {},
            refused);
        // -o is refused before anything is written: the inputs by any name, a pipe
        row("-o the source", "e.prg", "end", "mk38c compile -o e.prg e.prg", 2, {}, refused);
        row("-o a link to the source", "e.prg", "end", "ln -sf e.prg e.lnk && mk38c compile -o e.lnk e.prg",
            2, {}, refused);
        row("-o the definitions", "m.prg", "ld motor", "mk38c compile --defs mine.def -o mine.def m.prg", 2,
            {}, "mk38c compile: ");
        row("-o a pipe", "e.prg", "end", "mkfifo p.fifo && mk38c compile -o p.fifo e.prg", 2, {}, refused);

        // the reader follows the extension; the refusals themselves and the translation
        // are tst_objcode's
        row("object", "prog0.obj", "prog0.obj - 03-05-2026 09:04:07 - OrvSoftware - " + kImage,
            "mk38c decompile prog0.obj", 0, kText);
        row("other extension", "p.bin", "\nx\n" + kImage, "mk38c decompile p.bin", 0, kText);
        row(".bld", "l.bld", "MK38\r\n" + kProgram, "mk38c decompile l.bld", 0, kText);
        row(".Bld without line feed", "l3.Bld", kProgram, "mk38c decompile l3.Bld", 0, kText);
        row("marker in Windows-1252", "m.obj", QByteArray("\x10\x04\x0f", 3) + QByteArray(253, '\0'),
            "mk38c decompile m.obj", 0,
            "        CTV Ctv5 ** Error: no exixte ese N\xa7 de Ctv **\r\n        END\r\n\r\n");
        const QByteArray usage = "mk38c decompile: necesita un ARCHIVO\nUso: mk38c decompile";
        row("-- ends decompile's options", "-p.obj", kImage, "mk38c decompile -- -p.obj", 0, kText);
        row("refused", "short.obj", QByteArray(255, '\x0f'), "mk38c decompile short.obj", 1, {},
            "mk38c decompile: El archivo short.obj no es un programa compilado: tiene 255 bytes");
        row("unreadable", "", {}, "mk38c decompile none.obj", 2, {},
            "mk38c decompile: no se puede leer none.obj: ");
        row("no FILE", "", {}, "mk38c decompile", 2, {}, usage);
        row("two FILEs", "", {}, "mk38c decompile ok.obj ok.obj", 2, {}, usage);
    }
    void runs()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, commandLine);
        QFETCH(QByteArray, err);
        QVERIFY(file.isEmpty() || testutil::writeRaw(m_dir.filePath(file), contents));
        const testutil::Run r = testutil::runShell(commandLine, m_dir.path());
        QTEST(r.exitCode, "exitCode");
        QTEST(r.out, "out");
        QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.startsWith(err), r.err);
        if (commandLine.contains("h.obj")) // the failed write is reported, naming the file once
            QCOMPARE(r.err.count("h.obj"), 1);
        // the inputs are never written over, a link or a pipe never replaced
        QVERIFY(file.isEmpty() || testutil::readRaw(m_dir.filePath(file)) == contents);
        QCOMPARE(testutil::readRaw(m_dir.filePath("mine.def")), kDefs);
        QVERIFY(!QFileInfo::exists(m_dir.filePath("e.lnk")) ||
                QFileInfo(m_dir.filePath("e.lnk")).isSymLink());
        QVERIFY(!QFileInfo::exists(m_dir.filePath("p.fifo")) ||
                !QFileInfo(m_dir.filePath("p.fifo")).isFile());
    }

    // The same run in Spanish and in English, chosen by the locale or by Idioma in the settings
    // file beside a copy of the tool: each has its own message; the exit code and what scripts
    // read (the decompiled text, --hex, ports) do not change.
    void languages_data()
    {
        QTest::addColumn<QString>("command"); // after "mk38c "
        QTest::addColumn<QByteArray>("spanish");
        QTest::addColumn<QByteArray>("english");
        const auto row = [](const char* tag, const char* command, const QByteArray& es,
                            const QByteArray& en) { QTest::newRow(tag) << command << es << en; };
        row("decompile", "decompile ok.obj", {}, {});
        row("ports", "ports", {}, {});
        row("compile --hex", "compile --hex ok.prg", "Bytes compilados:  5\n", "Compiled bytes:  5\n");
        row("unreadable", "decompile none.obj", "mk38c decompile: no se puede leer none.obj",
            "mk38c decompile: cannot read none.obj");
        row("rejected", "compile bad.prg", "Error en linea\nld 300\n", "Error in line\nld 300\n");
        row("usage", "send --port /dev/null",
            "mk38c send: falta ARCHIVO\nUso: mk38c send ARCHIVO --port PUERTO",
            "mk38c send: no FILE given\nUsage: mk38c send FILE --port PORT");
    }
    void languages()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, spanish);
        QFETCH(QByteArray, english);
        const QString tool = m_dir.filePath(u"tool/dmk38.ini"_s);
        const auto run = [&](const char* env, const char* idioma) {
            if (idioma)
                testutil::writeRaw(tool, QByteArray("[Set]\r\nIdioma=") + idioma + "\r\n");
            return testutil::runShell(u"env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG %1 %2mk38c %3"_s.arg(
                                          QLatin1String(env), QLatin1String(idioma ? "tool/" : ""), command),
                                      m_dir.path());
        };
        // by the locale, then by the setting over the locale
        for (const auto& [es, en] : {std::pair{run("LANG=C", nullptr), run("LC_ALL=en_US.UTF-8", nullptr)},
                                     std::pair{run("LANG=en_US.UTF-8", "es"), run("LC_ALL=C", "en")}}) {
            QCOMPARE(es.exitCode, en.exitCode);
            QVERIFY2((es.out + es.err).contains(spanish), es.out + es.err);
            QVERIFY2((en.out + en.err).contains(english), en.out + en.err);
            QCOMPARE(QByteArray(es.out).replace(spanish, ""), QByteArray(en.out).replace(english, ""));
            if (!spanish.isEmpty())
                QVERIFY(!en.err.contains(spanish) && !en.out.contains(spanish));
        }
    }
    // mk38c --help and each command's in English: no line of the Spanish text is left but the
    // synopsis lines that are the same in both languages.
    void helpInEnglish()
    {
        for (const char* command : {"", "compile", "decompile", "send", "run", "stop", "receive", "verify",
                                    "presets", "monitor", "scan", "ports"}) {
            const QString line = u"mk38c %1 --help"_s.arg(QLatin1String(command));
            const testutil::Run es = testutil::runShell(u"LC_ALL=C "_s + line),
                                en = testutil::runShell(u"LC_ALL=en_US.UTF-8 "_s + line);
            QCOMPARE(en.exitCode, 0);
            QVERIFY2(en.out.startsWith("Usage:") && es.out.startsWith("Uso:"), en.out);
            const QList<QByteArray> spanish = es.out.split('\n');
            for (const QByteArray& l : en.out.split('\n'))
                QVERIFY2(l.isEmpty() || l.trimmed().startsWith("mk38c ") || l.trimmed().startsWith('[') ||
                             !spanish.contains(l),
                         l);
        }
    }

    void portsShowTheComMapping()
    {
        // a copy of the tool with a settings file beside it, as an installed one reads its own
        QTemporaryDir dir;
        const QString folder = QFileInfo(dir.path()).canonicalFilePath();
        QVERIFY(QFile::copy(QStringLiteral(WMK38_BIN_DIR "/mk38c"), folder + QStringLiteral("/mk38c")));
        // the first section and key win, a key in any case, quotes dropped; COM7 is no port
        QVERIFY(testutil::writeRaw(
            folder + QStringLiteral("/dmk38.ini"),
            "[Set]\r\nCOM=2\r\n[Puertos]\r\nCOM2=/tmp/plc\r\ncom5 = \"/dev/ttyUSB0\"\r\n"
            "COM2=/tmp/other\r\nCOM6=/dev/ttyACM0\r\nCOM7=/x\r\n[Puertos]\r\nCOM1=/late\r\n"));
        // the folder read-only (immutable, so for root too), the file in it writable: still read
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        const bool immutable = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                               ::ioctl(fd, FS_IOC_SETFLAGS, &(flags |= FS_IMMUTABLE_FL)) == 0;
        const auto writable = qScopeGuard([&] { // so that it can be removed
            ::ioctl(fd, FS_IOC_SETFLAGS, &(flags &= ~FS_IMMUTABLE_FL));
            ::close(fd);
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QVERIFY(immutable || ::access(QFile::encodeName(folder).constData(), W_OK) != 0);
        const testutil::Run r = testutil::runShell(QStringLiteral("./mk38c ports"), folder);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        const QByteArray ini = QFile::encodeName(folder) + "/dmk38.ini";
        const QByteArray mapping =
            "COM1\t/dev/ttyS0\tdefault\nCOM2\t/tmp/plc\t" + ini +
            "\nCOM3\t/dev/ttyS2\tdefault\nCOM4\t/dev/ttyS3\tdefault\nCOM5\t/dev/ttyUSB0\t" + ini +
            "\nCOM6\t/dev/ttyACM0\t" + ini + "\n";
        QVERIFY2(r.out.endsWith(mapping), r.out);
        // before it, the ports present: five fields each, or a line saying there are none
        const QList<QByteArray> ports = r.out.chopped(mapping.size()).split('\n');
        QVERIFY2(ports.size() >= 2 && ports.last().isEmpty(), r.out);
        for (const QByteArray& line : ports.first(ports.size() - 1))
            QVERIFY2(line.count('\t') == 4 || line == "no serial ports found", line);
    }

    // Settings files that are not what they seem: a word on stderr, no hang, no crash (twice: the
    // second run once overflowed the stack on the lock file the first left), no lock file left.
    void settingsFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("says"); // on stderr, or on stdout for ports; ~ the tool's folder
        const QByteArray nul("[Puertos]\r\nCOM2=\0/dev/null\r\n", 27);
        const QByteArray refused("Error de comunicacion 8020: \"?/dev/null\" no se puede abrir como puerto serie: "
                                 "el nombre contiene un car\xc3\xa1" "cter de control");
        QTest::newRow("NUL, run") << "file" << nul << "run --port COM2" << 2 << "mk38c run: " + refused + " (NUL)";
        QTest::newRow("NUL, ports") << "file" << nul << "ports" << 0 << QByteArray("COM2\t?/dev/null\t~/dmk38.ini\n");
        QTest::newRow("escape, send")
            << "file" << QByteArray("[Puertos]\r\nCOM2=\x1b/dev/null\r\n") << "send ok.obj --port COM2" << 2
            << "mk38c send: " + refused + " (U+001B)";
        const QByteArray fifo("Se ignora ~/dmk38.ini: es una tuber\xc3\xad" "a con nombre (FIFO)");
        QTest::newRow("FIFO, ports") << "fifo" << QByteArray() << "ports" << 0 << "mk38c ports: " + fifo;
        QTest::newRow("FIFO, run") << "fifo" << QByteArray() << "run --port COM2" << 2 << "mk38c run: " + fifo;
        QTest::newRow("folder, ports") << "folder" << QByteArray() << "ports" << 0
                                       << QByteArray("mk38c ports: Se ignora ~/dmk38.ini: es una carpeta");
        QTest::newRow("over 1 MB, ports")
            << "file" << QByteArray("[Puertos]\r\nCOM2=/dev/null\r\n;") + QByteArray(1024 * 1024, 'x') << "ports" << 0
            << QByteArray("mk38c ports: Se ignora ~/dmk38.ini: mide m\xc3\xa1s de 1 MB");
    }
    void settingsFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, contents);
        QFETCH(QString, command);
        QFETCH(QByteArray, says);
        QTemporaryDir dir;
        const QString folder = QFileInfo(dir.path()).canonicalFilePath();
        QVERIFY(QFile::copy(QStringLiteral(WMK38_BIN_DIR "/mk38c"), folder + QStringLiteral("/mk38c")));
        QVERIFY(QFile::copy(m_dir.filePath("ok.obj"), folder + QStringLiteral("/ok.obj")));
        const QString ini = folder + QStringLiteral("/dmk38.ini");
        if (kind == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
        else if (kind == u"folder")
            QVERIFY(QDir().mkdir(ini));
        else
            QVERIFY(testutil::writeRaw(ini, contents));
        for (int run = 0; run < 2; ++run) {
            const testutil::Run r = testutil::runShell(QStringLiteral("timeout 20 ./mk38c ") + command, folder);
            QTEST(r.exitCode, "exitCode");
            const QByteArray shown = QByteArray(command == u"ports" && !says.startsWith("mk38c") ? r.out : r.err)
                                         .replace(QFile::encodeName(folder) + '/', "~/");
            QVERIFY2(shown.contains(says), shown);
            for (const char* lock : {"/var/lock/LCK..", "/run/lock/LCK..", "/tmp/LCK.."})
                QVERIFY2(!QFileInfo::exists(QLatin1String(lock)), lock);
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
