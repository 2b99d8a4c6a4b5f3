#include "Commands.h"
#include "Cp1252.h"
#include "ObjCode.h"

#include <QFileInfo>
#include <QIODevice>

int runDecompile(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1) {
        err << "Usage: mk38c decompile FILE\n";
        return 2;
    }
    const QString& path = args.first();
    QString error;
    const bool ladder = QFileInfo(path).suffix().compare(QLatin1String("bld"), Qt::CaseInsensitive) == 0;
    const std::optional<isa::ProgramImage> image =
        ladder ? objcode::readLadderFile(path, &error) : objcode::readObjectFile(path, &error);
    if (!image) {
        err << "mk38c decompile: " << error << "\n";
        return 1;
    }
    // The text goes out as the editor's files hold it: Windows-1252 bytes, CR LF kept.
    const QByteArray bytes = isa::toCp1252(objcode::ReverseTranslate(*image).text);
    out.flush();
    if (QIODevice* device = out.device()) {
        if (device->write(bytes) != bytes.size()) {
            err << "mk38c decompile: no se pudo escribir la salida\n";
            return 1;
        }
    } else {
        out << isa::fromCp1252(bytes);
    }
    return 0;
}
