#include "Commands.h"
#include "Compiler.h"
#include "Cp1252.h"
#include "ObjCode.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const char kCompileUsage[] = "Usage: mk38c compile [--defs FILE] [--hex] [-o OUT] SOURCE\n";

bool readFile(const QString& path, QByteArray& bytes, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

int runCompile(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QString defsPath;
    QString outPath;
    QString sourcePath;
    bool hex = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out << kCompileUsage;
            return 0;
        }
        if (a == QLatin1String("--hex")) {
            hex = true;
        } else if (a == QLatin1String("--defs") || a == QLatin1String("-o")) {
            if (i + 1 >= args.size()) {
                err << "mk38c compile: " << a << " needs a file name\n" << kCompileUsage;
                return 2;
            }
            (a == QLatin1String("-o") ? outPath : defsPath) = args[++i];
        } else if (a.startsWith(u'-') && a.size() > 1) {
            err << "mk38c compile: unknown option \"" << a << "\"\n" << kCompileUsage;
            return 2;
        } else if (sourcePath.isEmpty()) {
            sourcePath = a;
        } else {
            err << "mk38c compile: more than one SOURCE\n" << kCompileUsage;
            return 2;
        }
    }
    if (sourcePath.isEmpty()) {
        err << "mk38c compile: no SOURCE given\n" << kCompileUsage;
        return 2;
    }
    if (defsPath.isEmpty())
        defsPath = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("es.def"));

    QByteArray defs;
    QString error;
    if (!readFile(defsPath, defs, error)) {
        err << "mk38c compile: cannot read the definitions file " << QDir::toNativeSeparators(defsPath)
            << ": " << error << "\n";
        return 2;
    }
    QByteArray sourceBytes;
    if (!readFile(sourcePath, sourceBytes, error)) {
        err << "mk38c compile: cannot read " << QDir::toNativeSeparators(sourcePath) << ": " << error << "\n";
        return 2;
    }

    const compiler::CompileResult result =
        compiler::compile(isa::fromCp1252(sourceBytes), compiler::readDefinitions(defs));
    switch (result.status) {
    case compiler::CompileResult::Status::LineRejected:
        err << "Error en linea\n" << result.rawLine << "\n" << result.message << "\n";
        return 1;
    case compiler::CompileResult::Status::UnresolvedJump:
        err << " Error: salto a " << result.jumpTarget << " No hallado.\n";
        return 1;
    case compiler::CompileResult::Status::Ok:
        break;
    }

    if (!outPath.isEmpty() && !objcode::writeObjectFile(outPath, QFileInfo(outPath).fileName(), result.image,
                                                        QDateTime::currentDateTime(), &error)) {
        err << "mk38c compile: " << error << "\n"; // the message names the file
        return 2;
    }
    if (hex) {
        QString line;
        for (int i = 0; i < isa::kImageSize; ++i) {
            line += QStringLiteral("%1").arg(result.image[size_t(i)], 2, 16, QLatin1Char('0')).toUpper();
            if (i % 16 == 15) {
                out << line << "\n";
                line.clear();
            } else {
                line += u' ';
            }
        }
    }
    out << "Bytes compilados:  " << result.length << "\n";
    return 0;
}
