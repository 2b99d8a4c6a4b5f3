#include "CliIo.h"
#include "Commands.h"
#include "Cp1252.h"
#include "ObjCode.h"

#include <QFileInfo>

namespace {
const char kDecompileUsage[] = "Usage: mk38c decompile [--] FILE\n";
} // namespace

int runDecompile(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const cli::Options options = cli::parseOptions(args, {}, {});
    if (options.help) {
        out << kDecompileUsage;
        return cli::kExitOk;
    }
    if (!options.error.isEmpty() || options.operands.size() != 1) {
        err << "mk38c decompile: " << (options.error.isEmpty() ? "needs one FILE" : options.error) << "\n"
            << kDecompileUsage;
        return cli::kExitTrouble;
    }
    const QString& name = options.operands.first();
    QFile file;
    QString error;
    if (!cli::openInput(name, file, &error)) {
        err << "mk38c decompile: " << error << "\n";
        return cli::kExitTrouble;
    }
    const QString shown = cli::shownName(name);
    const bool ladder = QFileInfo(shown).suffix().compare(QLatin1String("bld"), Qt::CaseInsensitive) == 0;
    objcode::ReadProblem problem;
    const std::optional<isa::ProgramImage> image = ladder ? objcode::readLadderFile(file, shown, &problem)
                                                          : objcode::readObjectFile(file, shown, &problem);
    if (!image) {
        err << "mk38c decompile: " << problem.message << "\n";
        return problem.unreadable ? cli::kExitTrouble : cli::kExitRefused;
    }
    // the text goes out as the editor's files hold it: Windows-1252 bytes, CR LF kept
    cli::writeBytes(out, isa::toCp1252(objcode::ReverseTranslate(*image).text));
    return cli::kExitOk;
}
