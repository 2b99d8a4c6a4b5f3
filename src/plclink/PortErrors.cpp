// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortErrors.h"

#include "PortInfo.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plclink {

namespace {

QString groupName(gid_t gid)
{
    long size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? size_t(size) : 16384);
    group entry{};
    group* found = nullptr;
    while (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
           buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    return found ? QString::fromLocal8Bit(found->gr_name) : QString::number(gid);
}

bool holdsGroup(gid_t gid)
{
    if (::getegid() == gid)
        return true;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(count > 0 ? size_t(count) : 0);
    const int got = count > 0 ? ::getgroups(count, groups.data()) : 0;
    for (int i = 0; i < got; ++i)
        if (groups[size_t(i)] == gid)
            return true;
    return false;
}

QString permissionText(const QString& device, const DeviceFacts& f)
{
    // joining the group helps only when the group's bits are what keeps the user out; root's
    // group is no group to join for a serial port
    const bool groupMay = (f.mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    const bool othersMay = (f.mode & (S_IROTH | S_IWOTH)) == (S_IROTH | S_IWOTH);
    if (groupMay && !othersMay && !f.userInGroup && !f.ownerGroup.isEmpty() && f.ownerGroup != u"root")
        return QCoreApplication::translate(
                   "plclink", "Sin permiso para abrir %1: su usuario debe pertenecer al grupo %2 "
                              "(sudo usermod -aG %2 $USER) y volver a iniciar la sesión.")
            .arg(device, f.ownerGroup);
    return QCoreApplication::translate(
               "plclink",
               "Sin permiso para abrir %1: el dispositivo no admite a este usuario. El administrador "
               "del equipo puede darle acceso (por ejemplo, con una regla de udev para el dispositivo).")
        .arg(device);
}

// Why a device that exists is no serial line, in the user's words.
QString otherReason(const DeviceFacts& f, QSerialPort::SerialPortError error, int systemErrno)
{
    if (f.isDirectory || systemErrno == EISDIR)
        return QCoreApplication::translate("plclink", "es una carpeta, no un puerto serie");
    if (f.isRegularFile)
        return QCoreApplication::translate("plclink", "es un archivo común, no un puerto serie");
    if (!f.isCharDevice)
        return QCoreApplication::translate("plclink", "no es un puerto serie");
    switch (systemErrno) {
    case ENOTTY:
    case EINVAL:
        return QCoreApplication::translate(
            "plclink", "el dispositivo no es un puerto serie o no acepta la configuración de la línea");
    case EIO:
        return QCoreApplication::translate(
            "plclink", "error de entrada/salida; compruebe que el adaptador o la placa del puerto estén "
                       "bien conectados");
    case ENODEV:
    case ENXIO:
        return QCoreApplication::translate(
            "plclink", "el dispositivo ya no está conectado (¿se desenchufó el adaptador?)");
    case 0:
        break;
    default:
        return QCoreApplication::translate("plclink", "error del sistema número %1").arg(systemErrno);
    }
    // the errno is unknown: what Qt made of it
    switch (error) {
    case QSerialPort::UnsupportedOperationError:
        return otherReason(f, error, ENOTTY);
    case QSerialPort::ResourceError:
        return otherReason(f, error, EIO);
    case QSerialPort::DeviceNotFoundError:
        return otherReason(f, error, ENODEV);
    default:
        return QCoreApplication::translate("plclink", "motivo desconocido");
    }
}

} // namespace

DeviceFacts deviceFacts(const QString& path)
{
    DeviceFacts f;
    const QByteArray name = QFile::encodeName(path);
    struct stat st
    {
    };
    f.exists = ::stat(name.constData(), &st) == 0;
    if (!f.exists) {
        for (const PortInfo& p : presentPorts())
            f.presentPorts << p.device;
        return f;
    }
    f.isDirectory = S_ISDIR(st.st_mode);
    f.isRegularFile = S_ISREG(st.st_mode);
    f.isCharDevice = S_ISCHR(st.st_mode);
    f.ownerGroup = groupName(st.st_gid);
    f.mode = st.st_mode & 07777;
    f.userMayOpen = ::faccessat(AT_FDCWD, name.constData(), R_OK | W_OK, AT_EACCESS) == 0;
    f.userInGroup = holdsGroup(st.st_gid);
    return f;
}

QString busyText(const QString& device)
{
    return QCoreApplication::translate("plclink", "%1 está ocupado: otro programa lo tiene abierto.")
        .arg(device);
}

PortError portError(const QString& device, const DeviceFacts& facts, QSerialPort::SerialPortError error,
                    int systemErrno)
{
    // ENOENT from the open itself: the device went away, even when a new one has taken its name
    // since (a pseudo-terminal's number is soon reused)
    if (!facts.exists || (error == QSerialPort::DeviceNotFoundError && systemErrno == ENOENT))
        return {PortError::kMissing,
                facts.presentPorts.isEmpty()
                    ? QCoreApplication::translate(
                          "plclink", "%1 no existe y no se encontró ningún puerto serie en este equipo.")
                          .arg(device)
                    : QCoreApplication::translate("plclink", "%1 no existe. Puertos serie presentes: %2.")
                          .arg(device, facts.presentPorts.join(u", "))};
    if (error == QSerialPort::PermissionError)
        // a lock or an exclusive open by another program also ends here
        return facts.userMayOpen ? PortError{PortError::kBusy, busyText(device)}
                                 : PortError{PortError::kPermission, permissionText(device, facts)};
    return {PortError::kOther,
            QCoreApplication::translate("plclink", "%1 no se puede abrir como puerto serie: %2.")
                .arg(device, otherReason(facts, error, systemErrno))};
}

} // namespace plclink
