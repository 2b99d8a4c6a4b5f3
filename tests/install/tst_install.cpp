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

// Every file the package installs under /usr.
const QStringList kFiles =
    u"bin/wmk38 bin/mk38c bin/mk38sim bin/orvregsvr lib/wmk38/libOrvLib2.so lib/wmk38/libOrvWin.so "
    u"share/wmk38/es.def share/wmk38/qhelp.ayd share/wmk38/manual.html share/applications/wmk38.desktop "
    u"share/wmk38/qhelp_en.ayd share/wmk38/manual_en.html share/wmk38/translations/wmk38_en.qm "
    u"share/mime/packages/wmk38.xml share/icons/hicolor/scalable/apps/wmk38.svg "
    u"share/icons/hicolor/48x48/apps/wmk38.png share/man/man1/wmk38.1 share/man/man1/mk38c.1 "
    u"share/man/man1/mk38sim.1 share/doc/wmk38/README.md"_s.split(u' ');

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
            const auto r = run(validate, {m_usr + u"/share/applications/wmk38.desktop"_s});
            QVERIFY2(r.exitCode == 0 && r.out.isEmpty(), r.out.constData());
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

    // The package's files and control fields (building it needs no root; installing it would).
    void package()
    {
        const QString dpkgDeb = QStandardPaths::findExecutable(u"dpkg-deb"_s);
        if (dpkgDeb.isEmpty() || !QFileInfo::exists(u"" CPACK_COMMAND ""_s) ||
            QStandardPaths::findExecutable(u"dpkg-shlibdeps"_s).isEmpty())
            QSKIP("cpack, dpkg-deb or dpkg-shlibdeps missing");
        QTemporaryDir out;
        const auto built = run(u"" CPACK_COMMAND ""_s,
                               {u"-G"_s, u"DEB"_s, u"--config"_s, u"" WMK38_BUILD_DIR "/CPackConfig.cmake"_s,
                                u"-B"_s, out.path()},
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
        QVERIFY(run(dpkgDeb, {u"-I"_s, deb, u"postinst"_s}).out.contains("orvregsvr --system"));
        QVERIFY(run(dpkgDeb, {u"-I"_s, deb, u"prerm"_s}).out.contains("libOrvLib2.so /u"));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
