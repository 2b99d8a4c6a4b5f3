// OrvLibCls as the editor sees it: created by class identifier through the registration
// store from the built libOrvLib2.so, members called across the component interface.

#include "OrvTest.h"
#include "OrvWin.h"
#include "TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#define CLSID_TEXT "{1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}"

namespace {

// A stand-in for the editor's text box: records the last request, answers 1000 + its number.
struct Control
{
    uint32_t message = 0;
    intptr_t w = 0, l = 0;
    bool operator==(const Control&) const = default;
    static intptr_t proc(void* context, uint32_t message, intptr_t w, intptr_t l)
    {
        *static_cast<Control*>(context) = Control{message, w, l};
        return 1000 + message;
    }
};

} // namespace

class TestOrvLibClient : public QObject
{
    Q_OBJECT
    const std::unique_ptr<OrvLib> m_lib = orvtest::create();

private slots:
    void initTestCase() { QVERIFY(m_lib); }

    void createsByClassIdentifier()
    {
        QString error = QStringLiteral("stale");
        auto other = OrvLib::create(&error);
        QVERIFY(other && error.isEmpty());
        void* object = nullptr;
        QCOMPARE(other->raw()->QueryInterface(IID_IOrvUnknown, &object), ORV_S_OK);
        static_cast<IOrvUnknown*>(object)->Release();
        QCOMPARE(other->raw()->QueryInterface(IID_IOrvClassFactory, &object), ORV_E_NOINTERFACE);
        QVERIFY(!object);
        other->setIniFile(QStringLiteral("/tmp/x/dmk38.ini"));
        QCOMPARE(other->IniFile(), QStringLiteral("/tmp/x/dmk38.ini"));
        QVERIFY(m_lib->IniFile().isEmpty());
    }

    void creationFailureGivesClearMessage_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<QStringList>("fragments");
        QTest::newRow("no entry") << QByteArray("{00000000-1111-2222-3333-444444444444}=/x/libA.so\n")
                                  << QStringList{"no está registrada"};
        QTest::newRow("library missing") << QByteArray(CLSID_TEXT "=/nowhere/libOrvLib2.so\n")
                                         << QStringList{"No se puede cargar", "/nowhere/libOrvLib2.so"};
        QTest::newRow("file is no component")
            << QByteArray(CLSID_TEXT "=" WMK38_BUILD_DIR "/lib/libOrvWin.so\n")
            << QStringList{"no pudo crear", "libOrvWin.so"};
    }

    void creationFailureGivesClearMessage()
    {
        QFETCH(QByteArray, store);
        QFETCH(QStringList, fragments);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("components.reg"));
        QVERIFY(testutil::writeRaw(path, store));
        orvtest::SetEnv at("ORVLIB_REGISTRY", path);
        QString error;
        QVERIFY(!OrvLib::create(&error));
        // every message names the class, the store, the library and how to register it
        for (const QString& fragment :
             fragments + QStringList{CLSID_TEXT, path, "orvregsvr", "libOrvLib2.so"})
            QVERIFY2(error.contains(fragment), qPrintable(error));
    }

    void members_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected");
        const auto row = [](const QString& member, const QString& argument, const QString& expected) {
            QTest::newRow(qPrintable(member + u' ' + argument)) << member << argument << expected;
        };
        row("CutPath", "C:\\prg\\test.prg", "test.prg");
        row("CutPath", "/home/u\\prg/x\\test.prg", "test.prg");
        row("CutPath", "test.prg", "test.prg");
        row("CutPath", "C:\\prg\\", "");
        row("GetPath", "C:\\prg\\test.prg", "C:\\prg\\");
        row("GetPath", "/home/u\\prg/x\\test.prg", "/home/u\\prg/x\\");
        row("GetPath", "test.prg", "");
        row("CutExt", "test.prg", "test");
        row("CutExt", "test", "test");
        row("CutExt", "test.old.prg", "test");
        row("CutExt", ".hidden", "");
        row("AscZ", "", "0");
        row("AscZ", "A", "65");
        row("AscZ", "Zebra", "90");
        row("AscZ", "\u20ac", "172");
    }

    void members()
    {
        QFETCH(QString, member);
        QFETCH(QString, argument);
        QFETCH(QString, expected);
        const QString got = member == u"CutPath"   ? m_lib->CutPath(argument)
                            : member == u"GetPath" ? m_lib->GetPath(argument)
                            : member == u"CutExt"  ? m_lib->CutExt(argument)
                                                   : QString::number(m_lib->AscZ(argument));
        QCOMPARE(got, expected);
    }

    void fileExist()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.prg"));
        QVERIFY(!m_lib->FileExist(file));
        QVERIFY(testutil::writeRaw(file, "ld e1\r\n"));
        QVERIFY(m_lib->FileExist(file));
        QVERIFY(!m_lib->FileExist(dir.path()));
        QVERIFY(!m_lib->FileExist(dir.path() + u'/'));
        QVERIFY(!m_lib->FileExist(QString()));
        // a named pipe with no writer opens without waiting
        const QString fifo = dir.filePath(QStringLiteral("pipe"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(m_lib->FileExist(fifo));
        if (::geteuid() != 0) {
            QVERIFY(QFile::setPermissions(file, QFileDevice::WriteOwner));
            QVERIFY(!m_lib->FileExist(file));
        }
    }

    void textControlInf()
    {
        Control control, other;
        const int32_t otherHandle = OrvRegisterWindow(&Control::proc, &other);
        const int32_t handle = OrvRegisterWindow(&Control::proc, &control);
        QCOMPARE(m_lib->TextControlInf(handle, 201), 1201);
        // -1: the caret's line
        QVERIFY((control == Control{201, -1, 0}));
        // select all: EM_SETSEL from the first character to the end
        QCOMPARE(m_lib->raw()->SelAllText(handle), ORV_S_OK);
        QVERIFY((control == Control{177, 0, -1}));
        OrvUnregisterWindow(handle);
        QCOMPARE(m_lib->TextControlInf(handle, 186), 0);
        QCOMPARE(control.message, 177u);
        OrvUnregisterWindow(otherHandle);
        QCOMPARE(other.message, 0u);
    }
};

QTEST_GUILESS_MAIN(TestOrvLibClient)
#include "tst_orvlibclient.moc"
