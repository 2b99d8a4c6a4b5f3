// OrvLibCls as the editor sees it: created by class identifier through the registration
// store from the built libOrvLib2.so, members called across the component interface.

#include "OrvCom.h"
#include "OrvLibClient.h"
#include "OrvWin.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

class TestOrvLibClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void createsByClassIdentifier();
    void creationFailureGivesClearMessage_data();
    void creationFailureGivesClearMessage();
    void cutPath_data();
    void cutPath();
    void getPath_data();
    void getPath();
    void cutExt_data();
    void cutExt();
    void ascZ_data();
    void ascZ();
    void fileExist();
    void textControlInfRoutesToControl_data();
    void textControlInfRoutesToControl();
    void textControlInfUnknownHandleGivesZero();
    void instancesAreIndependent();

private:
    std::unique_ptr<OrvLib> m_lib;
};

void TestOrvLibClient::initTestCase()
{
    // run by hand, the test still uses the build's own store rather than the user's
    if (qEnvironmentVariableIsEmpty("ORVLIB_REGISTRY"))
        qputenv("ORVLIB_REGISTRY", WMK38_BUILD_DIR "/orvlib.reg");
    QString error;
    m_lib = OrvLib::create(&error);
    QVERIFY2(m_lib, qPrintable(error));
}

void TestOrvLibClient::createsByClassIdentifier()
{
    QString error = QStringLiteral("stale");
    auto lib = OrvLib::create(&error);
    QVERIFY(lib);
    QVERIFY(error.isEmpty());
    QVERIFY(lib->raw());
    // the object answers for its own interface and for IOrvUnknown, and for nothing else
    void* other = nullptr;
    QCOMPARE(lib->raw()->QueryInterface(IID_IOrvUnknown, &other), ORV_S_OK);
    QVERIFY(other);
    static_cast<IOrvUnknown*>(other)->Release();
    QCOMPARE(lib->raw()->QueryInterface(IID_IOrvClassFactory, &other), ORV_E_NOINTERFACE);
    QVERIFY(!other);
}

void TestOrvLibClient::creationFailureGivesClearMessage_data()
{
    QTest::addColumn<QByteArray>("store");
    QTest::addColumn<QStringList>("fragments");
    const QStringList always = {QStringLiteral("{1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}"),
                                QStringLiteral("orvregsvr"), QStringLiteral("libOrvLib2.so")};
    QTest::newRow("no store") << QByteArray() << always + QStringList{QStringLiteral("no está registrada")};
    QTest::newRow("other classes only")
        << QByteArray("{00000000-1111-2222-3333-444444444444}=/nowhere/libOther.so\n")
        << always + QStringList{QStringLiteral("no está registrada")};
    QTest::newRow("registered library missing")
        << QByteArray("{1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}=/nowhere/libOrvLib2.so\n")
        << always +
               QStringList{QStringLiteral("No se puede cargar"), QStringLiteral("/nowhere/libOrvLib2.so")};
    QTest::newRow("registered file is no component")
        << QByteArray("{1A6BDA86-6CCE-11DB-AF2A-000EA66644EB}=" WMK38_BUILD_DIR "/lib/libOrvWin.so\n")
        << always + QStringList{QStringLiteral("no pudo crear"), QStringLiteral("libOrvWin.so")};
}

void TestOrvLibClient::creationFailureGivesClearMessage()
{
    QFETCH(QByteArray, store);
    QFETCH(QStringList, fragments);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("components.reg"));
    if (!store.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(store);
    }
    const QByteArray saved = qgetenv("ORVLIB_REGISTRY");
    qputenv("ORVLIB_REGISTRY", path.toUtf8());
    QString error;
    auto lib = OrvLib::create(&error);
    qputenv("ORVLIB_REGISTRY", saved);
    QVERIFY(!lib);
    QVERIFY2(error.contains(path), qPrintable(error));
    for (const QString& fragment : fragments)
        QVERIFY2(error.contains(fragment), qPrintable(error));
}

void TestOrvLibClient::cutPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("windows path") << "C:\\prg\\test.prg"
                                  << "test.prg";
    QTest::newRow("linux path") << "/home/u/prg/test.prg"
                                << "test.prg";
    QTest::newRow("mixed, last separator wins") << "/home/u\\prg/x\\test.prg"
                                                << "test.prg";
    QTest::newRow("no separator") << "test.prg"
                                  << "test.prg";
    QTest::newRow("ends in separator") << "C:\\prg\\"
                                       << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("non-latin") << "/tmp/\u00f1and\u00fa \u20ac.prg"
                               << "\u00f1and\u00fa \u20ac.prg";
}

void TestOrvLibClient::cutPath()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(m_lib->CutPath(path), expected);
}

void TestOrvLibClient::getPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("windows path keeps final backslash") << "C:\\prg\\test.prg"
                                                        << "C:\\prg\\";
    QTest::newRow("linux path keeps final slash") << "/home/u/test.prg"
                                                  << "/home/u/";
    QTest::newRow("mixed") << "/home/u\\prg/x\\test.prg"
                           << "/home/u\\prg/x\\";
    QTest::newRow("no separator") << "test.prg"
                                  << "";
    QTest::newRow("root") << "/"
                          << "/";
    QTest::newRow("empty") << ""
                           << "";
}

void TestOrvLibClient::getPath()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(m_lib->GetPath(path), expected);
}

void TestOrvLibClient::cutExt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one point") << "test.prg"
                               << "test";
    QTest::newRow("no point") << "test"
                              << "test";
    QTest::newRow("two points keep the part before the first") << "test.old.prg"
                                                               << "test";
    QTest::newRow("leading point") << ".hidden"
                                   << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestOrvLibClient::cutExt()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(m_lib->CutExt(name), expected);
}

void TestOrvLibClient::ascZ_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("A") << "A" << 65;
    QTest::newRow("first character only") << "Zebra" << 90;
    QTest::newRow("latin-1") << "\u00f1" << 0xF1;
    QTest::newRow("low 8 bits of euro sign") << "\u20ac" << 0xAC;
    QTest::newRow("control character") << QString(QChar(9)) << 9;
}

void TestOrvLibClient::ascZ()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(int(m_lib->AscZ(text)), expected);
}

void TestOrvLibClient::fileExist()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("a.prg"));
    QVERIFY(!m_lib->FileExist(file));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("ld e1\r\n");
    f.close();
    QVERIFY(m_lib->FileExist(file));
    QVERIFY(!m_lib->FileExist(dir.path()));
    QVERIFY(!m_lib->FileExist(dir.path() + u'/'));
    QVERIFY(!m_lib->FileExist(QString()));
    // a named pipe with no writer opens without waiting
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(m_lib->FileExist(fifo));
    if (::geteuid() != 0) {
        QVERIFY(f.setPermissions(QFileDevice::WriteOwner));
        QVERIFY(!m_lib->FileExist(file));
    }
}

namespace {

// A stand-in for the editor's text box: answers each request with a number of its own.
struct FakeControl
{
    uint32_t lastMessage = 0;
    intptr_t lastW = 0;
    intptr_t lastL = 0;
    static intptr_t proc(void* context, uint32_t message, intptr_t w, intptr_t l)
    {
        auto* self = static_cast<FakeControl*>(context);
        self->lastMessage = message;
        self->lastW = w;
        self->lastL = l;
        switch (message) {
        case GETLINECOUNT:
            return 12;
        case LINEINDEX:
            return 345;
        case LINELENGTH:
            return 17;
        case UNDO:
            return 1;
        case LINEFROMCHAR:
            return 11;
        default:
            return 0;
        }
    }
};

} // namespace

void TestOrvLibClient::textControlInfRoutesToControl_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("expected");
    QTest::newRow("line count 186") << 186 << 12;
    QTest::newRow("line index 187") << 187 << 345;
    QTest::newRow("line length 193") << 193 << 17;
    QTest::newRow("undo 199") << 199 << 1;
    QTest::newRow("line from character 201") << 201 << 11;
}

void TestOrvLibClient::textControlInfRoutesToControl()
{
    QFETCH(int, request);
    QFETCH(int, expected);
    FakeControl control;
    FakeControl other;
    const int32_t otherHandle = OrvRegisterWindow(&FakeControl::proc, &other);
    const int32_t handle = OrvRegisterWindow(&FakeControl::proc, &control);
    QVERIFY(handle != 0);
    QVERIFY(handle != otherHandle);
    QCOMPARE(m_lib->TextControlInf(handle, request), expected);
    QCOMPARE(control.lastMessage, uint32_t(request));
    // -1 asks about the caret's line
    QCOMPARE(control.lastW, intptr_t(-1));
    QCOMPARE(control.lastL, intptr_t(0));
    QCOMPARE(other.lastMessage, 0u);
    OrvUnregisterWindow(handle);
    OrvUnregisterWindow(otherHandle);
}

void TestOrvLibClient::textControlInfUnknownHandleGivesZero()
{
    FakeControl control;
    const int32_t handle = OrvRegisterWindow(&FakeControl::proc, &control);
    OrvUnregisterWindow(handle);
    QCOMPARE(m_lib->TextControlInf(handle, GETLINECOUNT), 0);
    QCOMPARE(control.lastMessage, 0u);
    QCOMPARE(m_lib->TextControlInf(0, GETLINECOUNT), 0);
}

void TestOrvLibClient::instancesAreIndependent()
{
    auto other = OrvLib::create(nullptr);
    QVERIFY(other);
    QVERIFY(other->IniFile().isEmpty());
    other->setIniFile(QStringLiteral("/tmp/x/dmk38.ini"));
    QCOMPARE(other->IniFile(), QStringLiteral("/tmp/x/dmk38.ini"));
    QVERIFY(m_lib->IniFile().isEmpty());
}

QTEST_GUILESS_MAIN(TestOrvLibClient)
#include "tst_orvlibclient.moc"
