// Two processes updating one file at once, as two registrations or two editors closing
// together do: no update may be lost. The test program runs itself as the two writers.

#include "OrvRegistry.h"
#include "OrvTest.h"
#include "TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kWrites = 40;

OrvGuid classOf(char writer, int n)
{
    return {0xC0DE0000u + uint32_t(n), 0, 0, {uint8_t(writer)}};
}

// A writer: kWrites updates of the file, each under a name of its own.
int writer(const QByteArray& what, const QString& file, char tag)
{
    std::unique_ptr<OrvLib> lib;
    if (what == "store") {
        qputenv("ORVLIB_REGISTRY", QFile::encodeName(file));
    } else {
        lib = orvtest::create();
        lib->setIniFile(file);
    }
    for (int n = 0; n < kWrites; ++n) {
        const QByteArray name = tag + QByteArray::number(n);
        if (lib ? !lib->PutIni(QStringLiteral("Set"), QString::fromLatin1(name), QString::number(n))
                : !orvreg::registerClass(classOf(tag, n), "/opt/lib" + name + ".so"))
            return 1;
    }
    return 0;
}

} // namespace

class TestOrvConcurrent : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // Both writers at once, on the registration store and on a profile: each must succeed, and the
    // file must hold the updates of both.
    void bothWritersKept()
    {
        for (const QString what : {"store", "profile"}) {
            const QString file = m_dir.filePath(what);
            QProcess a, b;
            a.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--writer"), what, file, "a"});
            b.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--writer"), what, file, "b"});
            QVERIFY(a.waitForFinished(60000) && b.waitForFinished(60000));
            QCOMPARE(a.exitCode() + b.exitCode(), 0);
            QVERIFY(!QFile::exists(file + QStringLiteral(".lock")));
            const auto lib = orvtest::create();
            lib->setIniFile(file);
            const bool store = what == u"store";
            orvtest::SetEnv at("ORVLIB_REGISTRY", store ? file : qEnvironmentVariable("ORVLIB_REGISTRY"));
            for (char tag : {'a', 'b'})
                for (int n = 0; n < kWrites; ++n)
                    QCOMPARE(store ? orvreg::lookup(classOf(tag, n))
                                   : lib->GetIni("Set", tag + QString::number(n), "-"),
                             store ? QStringLiteral("/opt/lib%1%2.so").arg(tag).arg(n) : QString::number(n));
        }
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--writer") == 0)
        return writer(argv[2], QFile::decodeName(argv[3]), argv[4][0]);
    TestOrvConcurrent test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_orvconcurrent.moc"
