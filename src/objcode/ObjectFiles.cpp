#include "Cp1252.h"
#include "ObjCode.h"
#include "SafeWrite.h"

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
    setError(error, QStringLiteral("No se pudo grabar el archivo %1: %2").arg(path, failure.description));
    return false;
}

std::optional<isa::ProgramImage> readObjectFile(const QString& path, QString* error,
                                                const std::function<void(int)>& progress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("No se puede abrir el archivo %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    const qint64 length = file.size();
    if (length < isa::kImageSize) {
        setError(error, QStringLiteral("El archivo %1 no es un programa compilado: tiene %2 bytes y un "
                                       "programa compilado tiene al menos %3.")
                            .arg(path)
                            .arg(length)
                            .arg(isa::kImageSize));
        return std::nullopt;
    }
    // only the last 256 bytes count: the header before them is for people
    const QByteArray bytes = file.seek(length - isa::kImageSize) ? file.read(isa::kImageSize) : QByteArray();
    if (bytes.size() != isa::kImageSize) {
        setError(error, QStringLiteral("No se pudo leer el archivo %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    isa::ProgramImage image{};
    for (int k = 1; k <= isa::kImageSize; ++k) {
        image[k - 1] = quint8(bytes[k - 1]);
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("No se puede abrir el archivo %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    const QByteArray all = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("No se pudo leer el archivo %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    // the header line belongs to the Ladder editor; a file without a line feed is all body
    const QByteArray body = all.mid(all.indexOf('\n') + 1);
    if (body.size() > isa::kImageSize) {
        setError(error, QStringLiteral("El archivo %1 no es un programa Ladder valido: su programa tiene "
                                       "%2 bytes y caben %3 como maximo.")
                            .arg(path)
                            .arg(body.size())
                            .arg(isa::kImageSize));
        return std::nullopt;
    }
    isa::ProgramImage image{};
    std::copy(body.begin(), body.end(), image.begin());
    return image;
}

} // namespace objcode
