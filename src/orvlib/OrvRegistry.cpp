// SPDX-License-Identifier: GPL-3.0-or-later
#include "OrvRegistry.h"

#include "OrvFileUpdate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>
#include <functional>

namespace orvreg {

namespace {

const char kEnvStore[] = "ORVLIB_REGISTRY";
const char kEnvTarget[] = "ORVLIB_STORE";
const QString kStoreName = QStringLiteral("/OrvSoftware/components.reg");

// The stores looked in, in order: the user's wins over the machine's.
QStringList lookupStores()
{
    if (!qEnvironmentVariableIsEmpty(kEnvStore))
        return {qEnvironmentVariable(kEnvStore)};
    return QStringList{storePath()} + systemStorePaths();
}

// The store's lines as bytes, line ends apart ('\r' stays with its line): a line that is not
// about the class at hand is written back exactly as it was read.
orvfile::ReadStatus readLines(const QString& path, QList<QByteArray>* lines, QString* error)
{
    QByteArray bytes;
    const orvfile::ReadStatus status = orvfile::readSmallFile(path, &bytes, error);
    lines->clear();
    if (status != orvfile::ReadStatus::Ok)
        return status;
    *lines = bytes.split('\n');
    if (lines->last().isEmpty())
        lines->removeLast();
    return status;
}

bool isClassLine(const QByteArray& line, const QByteArray& key)
{
    const qsizetype eq = line.indexOf('=');
    return eq > 0 && qstricmp(line.left(eq).trimmed().constData(), key.constData()) == 0;
}

// Reads the store under a lock, lets change() edit its lines and replaces it when they changed.
// A store that cannot be read is never replaced: that would lose every other registration.
bool update(const std::function<bool(QList<QByteArray>&)>& change, QString* error)
{
    const QString path = registrationStorePath();
    const QFileInfo info(path);
    QString problem;
    QList<QByteArray> lines;
    // no folder, no store: an unregistration has nothing to remove and leaves no folder behind
    if (!info.absoluteDir().exists() && !change(lines)) {
        if (error)
            error->clear();
        return true;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        problem = QStringLiteral("no se puede crear la carpeta / cannot create the folder %1")
                      .arg(info.absolutePath());
    } else if (orvfile::UpdateLock lock(path); !lock.isLocked()) {
        problem = lock.errorString();
    } else {
        QString reason;
        if (readLines(path, &lines, &reason) == orvfile::ReadStatus::Failed) {
            problem = QStringLiteral("no se puede leer / cannot read %1: %2").arg(path, reason);
        } else if (change(lines)) {
            QByteArray text;
            for (const QByteArray& line : std::as_const(lines))
                text += line + '\n';
            if (!orvfile::replaceFile(path, text, false, &reason))
                problem = QStringLiteral("no se puede escribir / cannot write %1: %2").arg(path, reason);
        }
    }
    if (error)
        *error = problem;
    return problem.isEmpty();
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
        const QFileInfo installedLibrary(dir.filePath(QStringLiteral("../lib/wmk38/libOrvLib2.so")));
        if (builtTool.exists())
            tool = builtTool.canonicalFilePath();
        if (installedLibrary.exists())
            return QCoreApplication::translate("OrvRegistry",
                                               "Para registrarlo para todos / to register it for every user: "
                                               "%1 --system %2  (root)")
                .arg(tool, installedLibrary.canonicalFilePath());
        if (builtLibrary.exists())
            library = builtLibrary.canonicalFilePath();
    }
    return QCoreApplication::translate("OrvRegistry",
                                       "Para registrarlo / to register it: %1 %2  (o / or: make build)")
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

QStringList systemStorePaths()
{
    QStringList stores;
    const QStringList folders =
        qEnvironmentVariable("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")).split(QLatin1Char(':'));
    for (const QString& folder : folders)
        if (!folder.isEmpty() && QDir::isAbsolutePath(folder))
            stores << QDir::cleanPath(folder + kStoreName);
    if (stores.isEmpty())
        stores << QStringLiteral("/etc/xdg") + kStoreName;
    return stores;
}

QString registrationStorePath()
{
    return qEnvironmentVariable(kEnvTarget) == QLatin1String("system") ? systemStorePaths().first() : storePath();
}

QString lookup(const OrvGuid& clsid, QString* error)
{
    const QByteArray key = guidToString(clsid).toLatin1();
    for (const QString& store : lookupStores()) {
        QList<QByteArray> lines;
        QString reason;
        if (readLines(store, &lines, &reason) == orvfile::ReadStatus::Failed) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(store, reason);
            return {};
        }
        for (const QByteArray& line : std::as_const(lines))
            if (isClassLine(line, key))
                return QString::fromUtf8(line.mid(line.indexOf('=') + 1).trimmed());
    }
    return {};
}

bool registerClass(const OrvGuid& clsid, const QByteArray& libraryPath, QString* error)
{
    // the store is UTF-8 text, one line per class, blanks around the path trimmed when read
    if (libraryPath.isEmpty() || libraryPath.contains('\n') || libraryPath.contains('\r') ||
        libraryPath.contains('\0') || libraryPath.trimmed() != libraryPath || !libraryPath.isValidUtf8()) {
        if (error)
            *error = QStringLiteral("la ruta de la biblioteca no cabe tal cual en el registro (salto de "
                                    "l\u00ednea, blancos en los extremos o bytes que no son UTF-8) / the "
                                    "library's path cannot be stored as it is (a line break, blanks at "
                                    "either end or bytes that are not UTF-8): %1")
                         .arg(QString::fromUtf8(libraryPath.toPercentEncoding("/")));
        return false;
    }
    const QByteArray key = guidToString(clsid).toLatin1();
    return update(
        [&](QList<QByteArray>& lines) {
            // the first line of the class takes the new path; any further ones go
            const QByteArray entry = key + '=' + libraryPath;
            qsizetype first = -1;
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (!isClassLine(lines[i], key))
                    continue;
                if (first >= 0) {
                    lines.removeAt(i--);
                    continue;
                }
                first = i;
                lines[i] = entry;
            }
            if (first < 0)
                lines.append(entry);
            return true;
        },
        error);
}

bool unregisterClass(const OrvGuid& clsid, QString* error)
{
    const QByteArray key = guidToString(clsid).toLatin1();
    return update(
        [&](QList<QByteArray>& lines) {
            return lines.removeIf([&](const QByteArray& line) { return isClassLine(line, key); }) > 0;
        },
        error);
}

OrvResult createInstance(const OrvGuid& clsid, const OrvGuid& iid, void** object, QString* error)
{
    if (!object)
        return ORV_E_POINTER;
    *object = nullptr;
    const QString store = lookupStores().join(QStringLiteral(", "));
    const QString howTo = registrationHint();
    QString unreadable;
    const QString library = lookup(clsid, &unreadable);
    if (library.isEmpty()) {
        if (error)
            *error =
                unreadable.isEmpty()
                    ? QCoreApplication::translate(
                          "OrvRegistry",
                          "No se puede crear el componente OrvLibCls: la clase %1 no está "
                          "registrada en %2.\nThe OrvLib2 component class is not registered.\n%3")
                          .arg(guidToString(clsid), store, howTo)
                    : QCoreApplication::translate(
                          "OrvRegistry", "No se puede crear el componente OrvLibCls (clase %1): no se puede "
                                         "leer el registro %2.\nThe registration store cannot be read.\n%3")
                          .arg(guidToString(clsid), unreadable, howTo);
        return ORV_REGDB_E_CLASSNOTREG;
    }
    // never closed: objects and their code must outlive every caller
    void* handle = dlopen(QFile::encodeName(library).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error)
            *error = QCoreApplication::translate(
                         "OrvRegistry",
                         "No se puede cargar la biblioteca %1 registrada en %2 para la clase %3:\n%4\n"
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
            *error = QCoreApplication::translate(
                         "OrvRegistry",
                         "La biblioteca %1, registrada en %2, no pudo crear el componente %3 (error 0x%4).\n"
                         "The OrvLib2 library could not create the object.\n%5")
                         .arg(library, store, guidToString(clsid),
                              QString::number(quint32(result), 16).toUpper(), howTo);
        return result == ORV_S_OK ? ORV_E_FAIL : result;
    }
    return ORV_S_OK;
}

} // namespace orvreg
