// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliIo.h"
#include "Commands.h"
#include "Cp1252.h"
#include "ObjCode.h"
#include "Programs.h"

#include <QCoreApplication>

namespace {
QString decompileUsage()
{
    return cli::Text::tr("Uso: mk38c decompile [--] ARCHIVO") + u'\n';
}
} // namespace

int runDecompile(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const cli::Options options = cli::parseOptions(args, {}, {});
    if (options.help) {
        out << decompileUsage();
        return cli::kExitOk;
    }
    if (!options.error.isEmpty() || options.operands.size() != 1) {
        err << "mk38c decompile: "
            << (options.error.isEmpty() ? cli::Text::tr("necesita un ARCHIVO") : options.error) << "\n"
            << decompileUsage();
        return cli::kExitTrouble;
    }
    int exitCode = cli::kExitOk;
    const std::optional<isa::ProgramImage> image =
        cli::readImageFile("decompile", options.operands.first(), err, &exitCode);
    if (!image)
        return exitCode;
    // the text goes out as the editor's files hold it: Windows-1252 bytes, CR LF kept
    cli::writeBytes(out, isa::toCp1252(objcode::ReverseTranslate(*image).text));
    return cli::kExitOk;
}
