#include "OrvRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <dlfcn.h>

namespace orvreg {

namespace {

const char kEnvStore[] = "ORVLIB_REGISTRY";

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The index of the line naming clsid, or -1.
qsizetype findClass(const QStringList& lines, const OrvGuid& clsid)
{
    const QString key = guidToString(clsid);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype eq = lines[i].indexOf(u'=');
        if (eq > 0 && lines[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool writeLines(const QString& path, const QStringList& lines, QString* error)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = QStringLiteral("cannot create the folder %1").arg(info.absolutePath());
        return false;
    }
    QSaveFile file(path);
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + '\n';
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

// The registration command for the user, with this build's paths when they can be found.
QString registrationHint()
{
    QString tool = QStringLiteral("build/bin/orvregsvr");
    QString library = QStringLiteral("build/lib/libOrvLib2.so");
    if (QCoreApplication::instance()) {
        const QDir dir(QCoreApplication::applicationDirPath());
        const QFileInfo builtTool(dir.filePath(QStringLiteral("../bin/orvregsvr")));
        const QFileInfo builtLibrary(dir.filePath(QStringLiteral("../lib/libOrvLib2.so")));
        if (builtTool.exists())
            tool = builtTool.canonicalFilePath();
        if (builtLibrary.exists())
            library = builtLibrary.canonicalFilePath();
    }
    return QStringLiteral("Para registrarlo / to register it: %1 %2  (o / or: make build)")
        .arg(tool, library);
}

} // namespace

QString guidToString(const OrvGuid& g)
{
    return QString::asprintf("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1, g.data2, g.data3,
                             g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4], g.data4[5],
                             g.data4[6], g.data4[7]);
}

QString storePath()
{
    const QString env = qEnvironmentVariable(kEnvStore);
    if (!env.isEmpty())
        return env;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/OrvSoftware/components.reg");
}

QString lookup(const OrvGuid& clsid)
{
    const QStringList lines = readLines(storePath());
    const qsizetype i = findClass(lines, clsid);
    if (i < 0)
        return {};
    return lines[i].mid(lines[i].indexOf(u'=') + 1).trimmed();
}

bool registerClass(const OrvGuid& clsid, const QString& libraryPath, QString* error)
{
    const QString path = storePath();
    QStringList lines = readLines(path);
    const QString entry = guidToString(clsid) + u'=' + libraryPath;
    const qsizetype i = findClass(lines, clsid);
    if (i < 0)
        lines.append(entry);
    else
        lines[i] = entry;
    return writeLines(path, lines, error);
}

bool unregisterClass(const OrvGuid& clsid, QString* error)
{
    const QString path = storePath();
    QStringList lines = readLines(path);
    const qsizetype i = findClass(lines, clsid);
    if (i < 0)
        return true;
    lines.removeAt(i);
    return writeLines(path, lines, error);
}

OrvResult createInstance(const OrvGuid& clsid, const OrvGuid& iid, void** object, QString* error)
{
    if (!object)
        return ORV_E_POINTER;
    *object = nullptr;
    const QString store = storePath();
    const QString howTo = registrationHint();
    const QString library = lookup(clsid);
    if (library.isEmpty()) {
        if (error)
            *error =
                QStringLiteral("No se puede crear el componente OrvLibCls: la clase %1 no está registrada "
                               "en %2.\nThe OrvLib2 component class is not registered.\n%3")
                    .arg(guidToString(clsid), store, howTo);
        return ORV_REGDB_E_CLASSNOTREG;
    }
    // never closed: objects and their code must outlive every caller
    void* handle = dlopen(QFile::encodeName(library).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error)
            *error =
                QStringLiteral("No se puede cargar la biblioteca %1 registrada en %2 para la clase %3:\n%4\n"
                               "The OrvLib2 library cannot be loaded.\n%5")
                    .arg(library, store, guidToString(clsid), QString::fromLocal8Bit(dlerror()), howTo);
        return ORV_E_FAIL;
    }
    const auto getClassObject = reinterpret_cast<OrvDllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    IOrvClassFactory* factory = nullptr;
    OrvResult result = getClassObject
                           ? getClassObject(&clsid, &IID_IOrvClassFactory, reinterpret_cast<void**>(&factory))
                           : ORV_E_FAIL;
    if (result == ORV_S_OK && factory) {
        result = factory->CreateInstance(nullptr, iid, object);
        factory->Release();
    }
    if (result != ORV_S_OK || !*object) {
        *object = nullptr;
        if (error)
            *error = QStringLiteral(
                         "La biblioteca %1, registrada en %2, no pudo crear el componente %3 (error 0x%4).\n"
                         "The OrvLib2 library could not create the object.\n%5")
                         .arg(library, store, guidToString(clsid),
                              QString::number(quint32(result), 16).toUpper(), howTo);
        return result == ORV_S_OK ? ORV_E_FAIL : result;
    }
    return ORV_S_OK;
}

} // namespace orvreg
