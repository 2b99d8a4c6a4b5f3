// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cp1252.h"
#include "ObjCode.h"
#include "SafeWrite.h"

#include <QCoreApplication>
#include <QFile>
#include <cmath>

namespace objcode {

namespace {

QByteArray imageBytes(const isa::ProgramImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

std::nullopt_t fail(ReadProblem* problem, bool unreadable, const QString& message)
{
    if (problem)
        *problem = {unreadable, message};
    return std::nullopt;
}

QString cannotOpen(const QString& name, const QFileDevice& file)
{
    return QCoreApplication::translate("ObjectFiles", "No se puede abrir el archivo %1: %2")
        .arg(name, file.errorString());
}

QString cannotRead(const QString& name, const QFileDevice& file)
{
    return QCoreApplication::translate("ObjectFiles", "No se pudo leer el archivo %1: %2")
        .arg(name, file.errorString());
}

// Up to max bytes, fewer only at the end of the file or on an error; a pipe hands its bytes
// over in pieces.
QByteArray readUpTo(QFileDevice& file, qint64 max)
{
    QByteArray bytes(max, Qt::Uninitialized);
    qint64 got = 0;
    while (got < max) {
        const qint64 n = file.read(bytes.data() + got, max - got);
        if (n <= 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

} // namespace

QByteArray objectFileBytes(const QString& nameField, const QDateTime& when, const isa::ProgramImage& image)
{
    const QString header = nameField + QStringLiteral(" - ") + when.toString(QStringLiteral("MM-dd-yyyy"))
                           + QLatin1Char(' ') + when.toString(QStringLiteral("HH:mm:ss"))
                           + QStringLiteral(" - OrvSoftware - ");
    return isa::toCp1252(header) + imageBytes(image);
}

bool writeObjectFile(const QString& path, const QString& nameField, const isa::ProgramImage& image,
                     const QDateTime& when, QString* error)
{
    isa::WriteFailure failure;
    if (isa::writeWholeFile(path, objectFileBytes(nameField, when, image), &failure))
        return true;
    setError(error, QCoreApplication::translate("ObjectFiles", "No se pudo grabar el archivo %1: %2")
                        .arg(path, failure.description));
    return false;
}

namespace {
// A reader of an open file, used on a file named by its path.
template <class Read> std::optional<isa::ProgramImage> readPath(const QString& path, QString* error, Read read)
{
    QFile file(path);
    ReadProblem problem;
    std::optional<isa::ProgramImage> image;
    if (!file.open(QIODevice::ReadOnly))
        problem.message = cannotOpen(path, file);
    else
        image = read(file, &problem);
    setError(error, problem.message);
    return image;
}
} // namespace

std::optional<isa::ProgramImage> readObjectFile(const QString& path, QString* error,
                                                const std::function<void(int)>& progress)
{
    return readPath(path, error, [&](QFile& file, ReadProblem* problem) {
        return readObjectFile(file, path, problem, progress);
    });
}

std::optional<isa::ProgramImage> readObjectFile(QFileDevice& file, const QString& name, ReadProblem* problem,
                                                const std::function<void(int)>& progress)
{
    // only the last 256 bytes count: the header before them is for people
    QByteArray tail;
    qint64 length = 0;
    if (!file.isSequential()) {
        length = file.size();
        if (length >= isa::kImageSize && file.seek(length - isa::kImageSize))
            tail = readUpTo(file, isa::kImageSize);
    } else {
        // a pipe: read through to its end, keeping the last 256 bytes
        while (length <= kMaxStreamedObject) {
            const QByteArray chunk = readUpTo(file, 65536);
            if (chunk.isEmpty())
                break;
            length += chunk.size();
            tail = (tail + chunk).right(isa::kImageSize);
        }
    }
    if (file.error() != QFileDevice::NoError ||
        (!file.isSequential() && length >= isa::kImageSize && tail.size() != isa::kImageSize))
        return fail(problem, true, cannotRead(name, file));
    if (length > kMaxStreamedObject)
        return fail(problem, false,
                    QCoreApplication::translate(
                        "ObjectFiles", "El archivo %1 no es un programa compilado: tiene mas de %2 bytes.")
                        .arg(name)
                        .arg(kMaxStreamedObject));
    if (length < isa::kImageSize)
        return fail(problem, false,
                    QCoreApplication::translate(
                        "ObjectFiles", "El archivo %1 no es un programa compilado: tiene %2 bytes y un "
                                       "programa compilado tiene al menos %3.")
                        .arg(name)
                        .arg(length)
                        .arg(isa::kImageSize));
    isa::ProgramImage image{};
    for (int k = 1; k <= isa::kImageSize; ++k) {
        image[k - 1] = quint8(tail[k - 1]);
        if (progress)
            progress(k);
    }
    return image;
}

int loadProgressWidth(int k)
{
    return int(std::nearbyint(k * 0.2031)) + 1;
}

QString loadProgressText(int k)
{
    return Str(k * 0.39) + QLatin1Char('%');
}

std::optional<isa::ProgramImage> readLadderFile(const QString& path, QString* error)
{
    return readPath(path, error,
                    [&](QFile& file, ReadProblem* problem) { return readLadderFile(file, path, problem); });
}

std::optional<isa::ProgramImage> readLadderFile(QFileDevice& file, const QString& name, ReadProblem* problem)
{
    // the header line belongs to the Ladder editor; a file without a line feed is all body
    QByteArray header;
    char c = 0;
    while (header.size() <= kMaxLadderHeader && file.getChar(&c)) {
        header += c;
        if (c == '\n')
            break;
    }
    const bool lineFeed = header.endsWith('\n');
    // one byte more than the image holds is enough to refuse the body
    const QByteArray body = lineFeed ? readUpTo(file, isa::kImageSize + 1) : header;
    if (file.error() != QFileDevice::NoError)
        return fail(problem, true, cannotRead(name, file));
    if (!lineFeed && header.size() > kMaxLadderHeader)
        return fail(problem, false,
                    QCoreApplication::translate(
                        "ObjectFiles", "El archivo %1 no es un programa Ladder valido: no tiene fin de linea "
                                       "en sus primeros %2 bytes.")
                        .arg(name)
                        .arg(kMaxLadderHeader));
    if (body.size() > isa::kImageSize)
        return fail(problem, false,
                    QCoreApplication::translate(
                        "ObjectFiles", "El archivo %1 no es un programa Ladder valido: su programa tiene mas "
                                       "de %2 bytes.")
                        .arg(name)
                        .arg(isa::kImageSize));
    isa::ProgramImage image{};
    std::copy(body.begin(), body.end(), image.begin());
    return image;
}

} // namespace objcode
