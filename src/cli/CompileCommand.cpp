// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliIo.h"
#include "Commands.h"
#include "Compiler.h"
#include "Cp1252.h"
#include "ObjCode.h"
#include "Programs.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {
QString compileUsage()
{
    return cli::Text::tr("Uso: mk38c compile [--defs ARCHIVO] [--hex] [-o SALIDA] [--] FUENTE") + u'\n';
}
} // namespace

int runCompile(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const cli::Options options =
        cli::parseOptions(args, {QStringLiteral("--hex")}, {QStringLiteral("--defs"), QStringLiteral("-o")});
    if (options.help) {
        out << compileUsage();
        return cli::kExitOk;
    }
    QString error = options.error;
    if (error.isEmpty() && options.operands.size() != 1)
        error =
            options.operands.isEmpty() ? cli::Text::tr("falta FUENTE") : cli::Text::tr("más de una FUENTE");
    if (!error.isEmpty()) {
        err << "mk38c compile: " << error << "\n" << compileUsage();
        return cli::kExitTrouble;
    }
    const QString sourcePath = options.operands.first();
    const QString defsPath = options.values.value(QStringLiteral("--defs"), cli::definitionsFile());
    const QString outPath = options.values.value(QStringLiteral("-o"));

    // nothing is written over an input, nor in place of a pipe or a device
    QByteArray defs;
    QByteArray sourceBytes;
    if ((!outPath.isEmpty() && !cli::checkOutputFile(outPath, {sourcePath, defsPath}, &error)) ||
        !cli::readInput(defsPath, cli::kMaxTextInput, &defs, &error) ||
        !cli::readInput(sourcePath, cli::kMaxTextInput, &sourceBytes, &error)) {
        err << "mk38c compile: " << error << "\n";
        return cli::kExitTrouble;
    }

    const compiler::CompileResult result =
        compiler::compile(isa::fromCp1252(sourceBytes), compiler::readDefinitions(defs));
    if (!cli::reportCompile(result, err))
        return cli::kExitRefused;

    if (!outPath.isEmpty() &&
        !cli::writeOutputFile(outPath,
                              objcode::objectFileBytes(QFileInfo(cli::shownName(outPath)).fileName(),
                                                       QDateTime::currentDateTime(), result.image),
                              &error)) {
        err << "mk38c compile: " << error << "\n";
        return cli::kExitTrouble;
    }
    if (options.flags.contains(QStringLiteral("--hex"))) {
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
    // the digits and the two blanks stay in every language
    out << cli::Text::tr("Bytes compilados:  %1").arg(result.length) << "\n";
    return cli::kExitOk;
}
