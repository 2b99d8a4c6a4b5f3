#include "ObjCode.h"

namespace objcode {

QByteArray objectFileBytes(const QString&, const QDateTime&, const isa::ProgramImage&) { return {}; }

bool writeObjectFile(const QString&, const QString&, const isa::ProgramImage&, const QDateTime&, QString* error)
{
    if (error)
        *error = QStringLiteral("not built yet");
    return false;
}

std::optional<isa::ProgramImage> readObjectFile(const QString&, QString* error, const std::function<void(int)>&)
{
    if (error)
        *error = QStringLiteral("not built yet");
    return std::nullopt;
}

std::optional<isa::ProgramImage> readLadderFile(const QString&, QString* error)
{
    if (error)
        *error = QStringLiteral("not built yet");
    return std::nullopt;
}

Translation ReverseTranslate(QByteArrayView) { return {}; }

Translation ReverseTranslate(const isa::ProgramImage& image)
{
    return ReverseTranslate(QByteArrayView(reinterpret_cast<const char*>(image.data()), qsizetype(image.size())));
}

} // namespace objcode
