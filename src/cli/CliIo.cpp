// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliIo.h"

#include <QCoreApplication>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {

namespace {

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// A kept byte: a low surrogate in U+DC80..U+DCFF that no high surrogate comes before.
bool isKeptByte(QStringView text, qsizetype i)
{
    const char16_t u = text[i].unicode();
    return u >= 0xDC80 && u <= 0xDCFF && (i == 0 || !text[i - 1].isHighSurrogate());
}

} // namespace

QStringList arguments(int argc, char** argv)
{
    QStringList list;
    for (int a = 1; a < argc; ++a) {
        const QByteArrayView raw(argv[a]);
        QString text;
        for (qsizetype i = 0; i < raw.size();) {
            const uchar lead = uchar(raw[i]);
            const qsizetype n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
            if (n > 0 && i + n <= raw.size() && raw.sliced(i, n).isValidUtf8()) {
                text += QString::fromUtf8(raw.sliced(i, n));
                i += n;
            } else {
                text += QChar(char16_t(0xDC00 + lead));
                ++i;
            }
        }
        list << text;
    }
    return list;
}

QByteArray nativeName(const QString& argument)
{
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        if (!isKeptByte(argument, i))
            continue;
        bytes += QStringView(argument).sliced(start, i - start).toUtf8();
        bytes += char(argument[i].unicode() - 0xDC00);
        start = i + 1;
    }
    return bytes + QStringView(argument).sliced(start).toUtf8();
}

QString shownName(const QString& argument)
{
    return QString::fromUtf8(nativeName(argument));
}

Options parseOptions(const QStringList& args, const QStringList& flagNames, const QStringList& valueNames)
{
    Options options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--")) {
            options.operands += args.mid(i + 1);
            break;
        }
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            options.help = true;
        } else if (flagNames.contains(a)) {
            options.flags.insert(a);
        } else if (valueNames.contains(a)) {
            if (i + 1 >= args.size()) {
                options.error = Text::tr("%1 necesita un valor").arg(a);
                break;
            }
            options.values.insert(a, args[++i]);
        } else if (a.startsWith(u'-') && a.size() > 1) {
            options.error = Text::tr("opción desconocida \"%1\"").arg(shownName(a));
            break;
        } else {
            options.operands << a;
        }
    }
    return options;
}

bool openInput(const QString& name, QFile& file, QString* error)
{
    const int fd = ::open(nativeName(name).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    struct stat info
    {
    };
    const int code = fd < 0 ? errno : ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    if (code != 0) {
        if (fd >= 0)
            ::close(fd);
        *error = Text::tr("no se puede leer %1: %2").arg(shownName(name), systemError(code));
        return false;
    }
    return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
}

bool readInput(const QString& name, qint64 maxBytes, QByteArray* bytes, QString* error)
{
    QFile file;
    if (!openInput(name, file, error))
        return false;
    // one byte more than allowed tells a file that is too large
    *bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        *error = Text::tr("no se puede leer %1: %2").arg(shownName(name), file.errorString());
        return false;
    }
    if (bytes->size() > maxBytes) {
        *error = Text::tr("%1 mide más de %2 bytes, más que cualquier texto de programa")
                     .arg(shownName(name))
                     .arg(maxBytes);
        return false;
    }
    return true;
}

bool checkOutputFile(const QString& name, const QStringList& inputs, QString* error)
{
    struct stat target
    {
    };
    // a file still to be made is nothing of the user's; the write reports any other trouble
    if (::stat(nativeName(name).constData(), &target) != 0)
        return true;
    if (!S_ISREG(target.st_mode)) {
        *error = Text::tr("%1 no es un archivo común; se deja como está").arg(shownName(name));
        return false;
    }
    for (const QString& input : inputs) {
        struct stat source
        {
        };
        if (::stat(nativeName(input).constData(), &source) == 0 && source.st_dev == target.st_dev &&
            source.st_ino == target.st_ino) {
            *error =
                Text::tr("%1 es la entrada %2; no se escribe encima").arg(shownName(name), shownName(input));
            return false;
        }
    }
    return true;
}

bool writeOutputFile(const QString& name, QByteArrayView bytes, QString* error)
{
    QByteArray path = nativeName(name);
    char resolved[PATH_MAX];
    if (::realpath(path.constData(), resolved))
        path = resolved;
    struct stat old
    {
    };
    mode_t mode = 0;
    if (::stat(path.constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    QByteArray temporary = path.left(path.lastIndexOf('/') + 1) + ".mk38c-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    int code = fd < 0 ? errno : 0;
    if (fd >= 0) {
        for (qsizetype done = 0; code == 0 && done < bytes.size();) {
            const ssize_t n = ::write(fd, bytes.data() + done, size_t(bytes.size() - done));
            if (n > 0)
                done += n;
            else if (n < 0 && errno != EINTR)
                code = errno;
        }
        if (code == 0 && (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0))
            code = errno;
        if (::close(fd) != 0 && code == 0)
            code = errno;
        if (code == 0 && ::rename(temporary.constData(), path.constData()) != 0)
            code = errno;
        if (code != 0)
            ::unlink(temporary.constData());
    }
    if (code != 0)
        *error = Text::tr("no se puede escribir %1: %2").arg(shownName(name), systemError(code));
    return code == 0;
}

void guardStandardDescriptors()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        const int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0 && null != fd) {
            ::dup2(null, fd);
            ::close(null);
        }
    }
}

Console::Console() : out(&outFile), err(&errFile)
{
    outFile.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    errFile.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool writeBytes(QTextStream& out, QByteArrayView bytes)
{
    out.flush();
    QIODevice* device = out.device();
    if (out.status() == QTextStream::Ok && device &&
        device->write(bytes.data(), bytes.size()) == bytes.size())
        return true;
    out.setStatus(QTextStream::WriteFailed);
    return false;
}

int finish(int exitCode, QTextStream& out, QTextStream& err)
{
    out.flush();
    if (out.status() != QTextStream::Ok) {
        const QIODevice* device = out.device();
        err << (device ? Text::tr("mk38c: no se puede escribir la salida estándar: %1")
                             .arg(device->errorString())
                       : Text::tr("mk38c: no se puede escribir la salida estándar"))
            << "\n";
        if (exitCode == kExitOk)
            exitCode = kExitTrouble;
    }
    err.flush();
    return exitCode;
}

} // namespace cli
