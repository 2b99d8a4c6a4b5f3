// SPDX-License-Identifier: GPL-3.0-or-later
// The programs as a package installs them: installed into a temporary DESTDIR and run with the
// user's folders pointed at temporary ones, so that only what was installed can be found.

#include "Pty.h"
#include "TestUtil.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

constexpr auto kAppId = "org.wmk38.wmk38";

// Every file the package installs under /usr.
const QStringList kFiles =
    u"bin/wmk38 bin/mk38c bin/mk38sim bin/orvregsvr lib/wmk38/libOrvLib2.so lib/wmk38/libOrvWin.so "
    u"share/wmk38/es.def share/wmk38/qhelp.ayd share/wmk38/manual.html share/applications/%1.desktop "
    u"share/metainfo/%1.metainfo.xml share/mime/packages/wmk38.xml "
    u"share/icons/hicolor/scalable/apps/wmk38.svg "
    u"share/icons/hicolor/48x48/apps/wmk38.png share/man/man1/wmk38.1.gz share/man/man1/mk38c.1.gz "
    u"share/man/man1/mk38sim.1.gz share/man/man1/orvregsvr.1.gz share/doc/wmk38/README.md "
    u"share/wmk38/qhelp_en.ayd share/wmk38/manual_en.html share/wmk38/translations/wmk38_en.qm "
    u"share/doc/wmk38/copyright share/doc/wmk38/changelog.gz share/lintian/overrides/wmk38"_s
        .arg(QLatin1String(kAppId))
        .split(u' ');

// An option as --help and the manual pages write it: "-o", "--fast", "/debugmode".
const QRegularExpression kOption(uR"((?:^|(?<=[\s\[|,(]))((?:--?|/)[A-Za-z][\w-]*)(?![\w/-]))"_s);

QStringList options(const QString& text)
{
    QStringList found;
    for (const auto& m : kOption.globalMatch(text))
        found << m.captured(1);
    found.sort();
    found.removeDuplicates();
    return found;
}

// The codes of an "Exit status" table: "  N  meaning" lines after the heading.
QList<int> exitCodes(const QStringList& lines)
{
    QList<int> codes;
    static const QRegularExpression row(uR"(^\s+(\d+)\s)"_s);
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].contains(u"exit status"_s, Qt::CaseInsensitive) ||
            lines[i].contains(u"estado de salida"_s, Qt::CaseInsensitive))
            for (QRegularExpressionMatch m; ++i < lines.size() && (m = row.match(lines[i])).hasMatch();)
                codes << m.captured(1).toInt();
    return codes;
}

// What a tool's --help lists: its synopsis lines ("Usage: ...", "  TOOL COMMAND ...", an indented
// "[...]" continuation), the options that begin an indented line ("  -h, --help  this text"),
// and the exit codes.
struct Help
{
    QStringList options;
    QMap<QString, QStringList> entries; // "TOOL WORD ...": WORD → the line's options
    QList<int> exitCodes;
};

Help help(const QString& tool, const QByteArray& text)
{
    Help h;
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    QString entry;
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        const bool continued = t.startsWith(u'[') || (!entry.isEmpty() && line.startsWith(u"    "_s));
        if (line.contains(u"usage:"_s, Qt::CaseInsensitive) || line.startsWith(u"Uso:"_s) || continued || t.startsWith(tool + u' ')) {
            if (t.startsWith(tool + u' '))
                entry = t.section(u' ', 1, 1);
            else if (!continued)
                entry.clear();
            h.options += options(t);
            if (!entry.isEmpty())
                h.entries[entry] += options(t);
        } else if (line.startsWith(u' ')) {
            entry.clear();
            // leading options, each perhaps with its upper-case argument: "--link PATH", "-h, --help"
            bool after = false;
            for (const QString& word : t.split(u' ', Qt::SkipEmptyParts)) {
                const QString w = word.endsWith(u',') ? word.chopped(1) : word;
                if (kOption.match(w).capturedLength() == w.size())
                    h.options << w;
                else if (!after || w != w.toUpper() || !w.front().isLetter())
                    break;
                after = true;
            }
        } else {
            entry.clear();
        }
    }
    h.options.sort();
    h.options.removeDuplicates();
    h.exitCodes = exitCodes(lines);
    return h;
}

// A manual page's source as its reader sees it: escapes resolved, the arguments of the
// alternating macros (.BR, .RB, ...) joined, one string per section and per synopsis entry
// (ended by .br), and the tags of .TP paragraphs.
struct ManPage
{
    QMap<QString, QStringList> sections; // name → its lines
    QStringList synopsis;
    QMap<QString, QStringList> tags; // section → the tag lines
};

ManPage manPage(const QByteArray& source)
{
    ManPage page;
    QString section;
    bool tagNext = false;
    static const QRegularExpression argument(uR"re("([^"]*)"|(\S+))re"_s);
    for (QString line : QString::fromUtf8(source).split(u'\n')) {
        static const std::pair<const char*, const char*> kEscapes[] = {
            {"\\-", "-"}, {"\\(lq", "\""}, {"\\(rq", "\""}, {"\\fB", ""},
            {"\\fI", ""}, {"\\fR", ""},    {"\\fP", ""},    {"\\&", ""}};
        for (const auto& [escape, text] : kEscapes)
            line.replace(QLatin1String(escape), QLatin1String(text));
        QString shown = line;
        if (line.startsWith(u'.')) {
            const QString macro = line.section(u' ', 0, 0).mid(1);
            QStringList args;
            for (const auto& m : argument.globalMatch(line.section(u' ', 1)))
                args << (m.hasCaptured(1) ? m.captured(1) : m.captured(2));
            if (macro == u"SH"_s) {
                section = args.join(u' ');
                continue;
            }
            if (macro == u"br"_s && section == u"SYNOPSIS"_s)
                page.synopsis << QString();
            if (macro == u"TP"_s)
                tagNext = true;
            if (!QStringList{u"B"_s, u"I"_s, u"BR"_s, u"RB"_s, u"IR"_s, u"RI"_s, u"BI"_s, u"IB"_s}.contains(
                    macro))
                continue;
            shown = args.join(macro.size() == 2 ? QString() : u" "_s);
        }
        page.sections[section] << shown;
        if (section == u"SYNOPSIS"_s) {
            if (page.synopsis.isEmpty())
                page.synopsis << QString();
            page.synopsis.last() += (page.synopsis.last().isEmpty() ? u""_s : u" "_s) + shown;
        }
        if (std::exchange(tagNext, false))
            page.tags[section] << shown;
    }
    return page;
}

// The signal has a handler in the started program (a request sent earlier would just kill it;
// before its exec the child still shows the test's own handlers).
bool catches(qint64 pid, int signal)
{
    for (const QByteArray& line : testutil::readRaw(u"/proc/%1/status"_s.arg(pid)).split('\n'))
        if (line.startsWith("SigCgt:"))
            return line.mid(7).trimmed().toULongLong(nullptr, 16) & (1ull << (signal - 1));
    return false;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
    QTemporaryDir m_root;
    QString m_usr;

    QString path(const QString& name) const { return m_root.filePath(name); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"ORVLIB_REGISTRY", "ORVLIB_STORE", "LD_LIBRARY_PATH", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        env.insert(u"HOME"_s, path(u"home"_s));
        env.insert(u"XDG_CONFIG_HOME"_s, path(u"home/config"_s));
        env.insert(u"XDG_CONFIG_DIRS"_s, path(u"xdg"_s));
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        return env;
    }

    testutil::Run run(const QString& program, const QStringList& args,
                      QProcessEnvironment env = QProcessEnvironment())
    {
        QProcess p;
        p.setProcessEnvironment(env.isEmpty() ? environment() : env);
        p.start(program, args);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
            return {};
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }

    // The installed editor on a program, asked to end once it catches the request (the window
    // closes the usual way).
    void runEditor(QProcess& editor, const QString& program)
    {
        editor.setProcessEnvironment(environment());
        editor.start(m_usr + u"/bin/wmk38"_s, {program});
        QVERIFY(editor.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(catches(editor.processId(), SIGTERM), 20000);
        editor.terminate();
    }

private slots:
    void initTestCase()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DESTDIR"_s, path(u"dest"_s));
        const auto install = run(u"" CMAKE_COMMAND ""_s,
                                 {u"--install"_s, u"" WMK38_BUILD_DIR ""_s, u"--prefix"_s, u"/usr"_s}, env);
        QVERIFY2(install.exitCode == 0, install.err.constData());
        m_usr = path(u"dest/usr"_s);
        QVERIFY(QDir().mkpath(path(u"home/config/wmk38"_s)) && QDir().mkpath(path(u"work"_s)));
        // the machine's store only, as the package's postinst fills it
        const auto reg =
            run(m_usr + u"/bin/orvregsvr"_s, {u"--system"_s, m_usr + u"/lib/wmk38/libOrvLib2.so"_s});
        QVERIFY2(reg.exitCode == 0, reg.err.constData());
        QVERIFY(testutil::readRaw(path(u"xdg/OrvSoftware/components.reg"_s))
                    .contains("/lib/wmk38/libOrvLib2.so"));
    }

    void layout()
    {
        for (const QString& file : kFiles)
            QVERIFY2(QFileInfo::exists(m_usr + u'/' + file), qPrintable(file));
        // .obj is shared with other formats: never claimed by its name alone
        QVERIFY(!testutil::readRaw(m_usr + u"/share/mime/packages/wmk38.xml"_s).contains("*.obj"));
        const QString validate = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
        if (!validate.isEmpty()) {
            const auto r =
                run(validate, {m_usr + u"/share/applications/%1.desktop"_s.arg(QLatin1String(kAppId))});
            QVERIFY2(r.exitCode == 0 && r.out.isEmpty(), r.out.constData());
        }
        // software centres find the menu entry by the metainfo's launchable, and the types it opens
        const QByteArray desktop =
            testutil::readRaw(m_usr + u"/share/applications/%1.desktop"_s.arg(QLatin1String(kAppId)));
        const QByteArray metainfo =
            testutil::readRaw(m_usr + u"/share/metainfo/%1.metainfo.xml"_s.arg(QLatin1String(kAppId)));
        QVERIFY(metainfo.contains("<launchable type=\"desktop-id\">" + QByteArray(kAppId) +
                                  ".desktop</launchable>"));
        const qsizetype mime = desktop.indexOf("\nMimeType=") + 10;
        const QList<QByteArray> types = desktop.mid(mime, desktop.indexOf('\n', mime) - mime).split(';');
        QCOMPARE(metainfo.count("<mediatype>"), types.size() - 1);
        for (const QByteArray& type : types)
            QVERIFY2(type.isEmpty() || metainfo.contains("<mediatype>" + type + "</mediatype>"),
                     type.constData());
    }

    // --help and the manual page of each program list the same options and exit codes; for a
    // program with commands, each command's synopsis too.
    void helpAndManual_data()
    {
        QTest::addColumn<QString>("tool");
        for (const char* tool : {"wmk38", "mk38c", "mk38sim", "orvregsvr"})
            QTest::newRow(tool) << QString::fromLatin1(tool);
    }
    void helpAndManual()
    {
        QFETCH(QString, tool);
        const auto helpRun = run(m_usr + u"/bin/"_s + tool, {u"--help"_s});
        QCOMPARE(helpRun.exitCode, 0);
        const Help h = help(tool, helpRun.out);
        const auto source = run(u"gzip"_s, {u"-dc"_s, m_usr + u"/share/man/man1/%1.1.gz"_s.arg(tool)});
        QVERIFY(source.exitCode == 0);
        const ManPage page = manPage(source.out);
        QCOMPARE(options(page.sections[u"SYNOPSIS"_s].join(u' ') + u' ' + page.tags[u"OPTIONS"_s].join(u' ')),
                 h.options);
        QList<int> codes;
        for (const QString& tag : page.tags[u"EXIT STATUS"_s])
            codes << tag.toInt();
        QVERIFY(!codes.isEmpty());
        QCOMPARE(codes, h.exitCodes);

        QMap<QString, QStringList> entries; // the manual's synopsis, by its second word
        for (const QString& entry : page.synopsis)
            if (!h.entries.isEmpty())
                entries[entry.section(u' ', 1, 1, QString::SectionSkipEmpty)] = options(entry);
        QCOMPARE(entries.keys(), h.entries.keys());
        for (const auto& [command, listed] : h.entries.asKeyValueRange()) {
            QStringList sorted = listed;
            sorted.sort();
            sorted.removeDuplicates();
            QCOMPARE(entries[command], sorted);
            if (command.startsWith(u'-'))
                continue;
            // the command's own --help
            const auto own = run(m_usr + u"/bin/"_s + tool, {command, u"--help"_s});
            QCOMPARE(own.exitCode, 0);
            QVERIFY2(own.out.startsWith("Usage: " + tool.toUtf8() + ' ' + command.toUtf8()) ||
                         own.out.startsWith("Uso: " + tool.toUtf8() + ' ' + command.toUtf8()),
                     own.out.constData());
            QCOMPARE(help(tool, own.out).options, sorted);
        }
    }

    // Data from share/wmk38, the component through the machine's store, settings in the user's
    // config folder: nothing is looked for or written beside the installed programs.
    void installedProgramsRun()
    {
        QVERIFY(testutil::writeRaw(path(u"work/p.prg"_s), "ld e1\r\nend\r\n"));
        const auto compile = run(m_usr + u"/bin/mk38c"_s,
                                 {u"compile"_s, u"-o"_s, path(u"work/p.obj"_s), path(u"work/p.prg"_s)});
        QVERIFY2(compile.exitCode == 0, compile.err.constData());

        // answered before any display is needed: no window
        QProcessEnvironment noDisplay = environment();
        noDisplay.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        QCOMPARE(run(m_usr + u"/bin/wmk38"_s, {u"--version"_s}, noDisplay).out,
                 QByteArray("wmk38 " WMK38_VERSION "\n"));

        testutil::Pty pty;
        const QString ini = path(u"home/config/wmk38/dmk38.ini"_s);
        QVERIFY(testutil::writeRaw(ini, "[Puertos]\r\nCOM2=" + pty.path().toLocal8Bit() + "\r\n"));
        QProcess editor;
        runEditor(editor, path(u"work/p.prg"_s));
        QVERIFY(editor.waitForFinished(30000));
        QCOMPARE(editor.exitCode(), 0);
        const QByteArray settings = testutil::readRaw(ini);
        QVERIFY2(settings.contains("[Set]") && settings.contains("PrgP=" + path(u"work/"_s).toLocal8Bit()),
                 settings.constData());
        QCOMPARE(QDir(m_usr + u"/bin"_s).entryList(QDir::Files),
                 QStringList({u"mk38c"_s, u"mk38sim"_s, u"orvregsvr"_s, u"wmk38"_s}));
        QVERIFY(!QFileInfo::exists(path(u"home/config/OrvSoftware"_s)));

        // a failed write is told (here a folder name the file cannot hold); the box after it waits
        // for a user, so the test reads the line the session's log gets first
        const QString odd = path(u"work/\u03a9/"_s);
        QVERIFY(QDir().mkpath(odd) && QFile::copy(path(u"work/p.prg"_s), odd + u"p.prg"_s));
        runEditor(editor, odd + u"p.prg"_s);
        QByteArray told;
        QTRY_VERIFY_WITH_TIMEOUT((told += editor.readAllStandardError()).contains("dmk38.ini: \"PrgP\""),
                                 20000);
        editor.kill();
        editor.waitForFinished(5000);
    }

    // The package as `make package` builds it, from an install into a folder of its own (the other
    // tests use the build folder): lint-clean, its metadata valid.
    void package()
    {
        const QString dpkgDeb = QStandardPaths::findExecutable(u"dpkg-deb"_s);
        if (dpkgDeb.isEmpty() || !QFileInfo::exists(u"" CPACK_COMMAND ""_s) ||
            QStandardPaths::findExecutable(u"dpkg-shlibdeps"_s).isEmpty())
            QSKIP("cpack, dpkg-deb or dpkg-shlibdeps missing");
        QTemporaryDir out;
        const QString staged = out.filePath(u"staged"_s);
        const QByteArray config = testutil::readRaw(u"" WMK38_BUILD_DIR "/CPackConfig.cmake"_s);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DESTDIR"_s, staged);
        QStringList install = {u"--install"_s, u"" WMK38_BUILD_DIR ""_s, u"--prefix"_s, u"/usr"_s};
        if (config.contains("set(CPACK_STRIP_FILES \"ON\")"))
            install << u"--strip"_s;
        const auto installed = run(u"" CMAKE_COMMAND ""_s, install, env);
        QVERIFY2(installed.exitCode == 0, installed.err.constData());
        const QString ownConfig = out.filePath(u"CPackConfig.cmake"_s);
        QVERIFY(testutil::writeRaw(ownConfig, config +
                                                  "\nset(CPACK_INSTALL_CMAKE_PROJECTS \"\")\n"
                                                  "set(CPACK_INSTALLED_DIRECTORIES \"" +
                                                  QFile::encodeName(staged) + ";.\")\n"));
        const auto built = run(u"" CPACK_COMMAND ""_s, {u"--config"_s, ownConfig, u"-B"_s, out.path()},
                               QProcessEnvironment::systemEnvironment());
        QVERIFY2(built.exitCode == 0, built.out + built.err);
        const QStringList debs = QDir(out.path()).entryList({u"wmk38_" WMK38_VERSION "_*.deb"_s});
        QCOMPARE(debs.size(), 1);
        const QString deb = out.filePath(debs.first());
        const auto fields = run(dpkgDeb, {u"-f"_s, deb, u"Package"_s, u"Version"_s, u"Depends"_s});
        QVERIFY2(fields.out.startsWith("Package: wmk38\nVersion: " WMK38_VERSION "\nDepends: ") &&
                     fields.out.contains("libqt6widgets6") && fields.out.contains("libqt6serialport6"),
                 fields.out.constData());
        const QByteArray files = run(dpkgDeb, {u"-c"_s, deb}).out;
        for (const QString& file : kFiles)
            QVERIFY2(files.contains("./usr/" + file.toUtf8() + '\n'), qPrintable(file));
        QVERIFY(
            !QString::fromUtf8(files).contains(QRegularExpression(u"/man1/\\S+\\.1\n"_s))); // all compressed
        QVERIFY(run(dpkgDeb, {u"-I"_s, deb, u"postinst"_s}).out.contains("orvregsvr --system"));
        QVERIFY(run(dpkgDeb, {u"-I"_s, deb, u"prerm"_s}).out.contains("libOrvLib2.so /u"));

        const QString unpacked = out.filePath(u"root"_s);
        QCOMPARE(run(dpkgDeb, {u"-x"_s, deb, unpacked}).exitCode, 0);
        const QString appstream = QStandardPaths::findExecutable(u"appstreamcli"_s);
        if (appstream.isEmpty()) {
            qWarning("appstreamcli missing: the metainfo is not validated");
        } else {
            const auto valid = run(
                appstream, {u"validate"_s, u"--no-net"_s,
                            unpacked + u"/usr/share/metainfo/%1.metainfo.xml"_s.arg(QLatin1String(kAppId))});
            QVERIFY2(valid.exitCode == 0, valid.out + valid.err);
        }
        const QString lintian = QStandardPaths::findExecutable(u"lintian"_s);
        if (lintian.isEmpty())
            QSKIP("lintian missing: the package is not linted");
        const auto lint = run(lintian, {deb});
        QVERIFY2(!QRegularExpression(u"^[EW]: "_s, QRegularExpression::MultilineOption)
                         .match(QString::fromUtf8(lint.out))
                         .hasMatch() &&
                     lint.exitCode != -1,
                 lint.out + lint.err);
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
