// SPDX-License-Identifier: GPL-3.0-or-later
#include "Programs.h"

#include "AppFiles.h"
#include "CliIo.h"
#include "Cp1252.h"
#include "Language.h"
#include "ObjCode.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace cli {

bool reportCompile(const compiler::CompileResult& result, QTextStream& err)
{
    switch (result.status) {
    case compiler::CompileResult::Status::LineRejected:
        err << cli::Text::tr("Error en linea\n%1\n%2").arg(result.rawLine, result.message) << "\n";
        return false;
    case compiler::CompileResult::Status::UnresolvedJump:
        err << cli::Text::tr(" Error: salto a %1 No hallado.").arg(result.jumpTarget) << "\n";
        return false;
    case compiler::CompileResult::Status::Ok:
        break;
    }
    return true;
}

namespace {
bool suffixIs(const QString& shown, const char* suffix)
{
    return QFileInfo(shown).suffix().compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0;
}
} // namespace

std::optional<isa::ProgramImage> readImageFile(const char* command, const QString& name, QTextStream& err,
                                               int* exitCode)
{
    QFile file;
    QString error;
    if (!openInput(name, file, &error)) {
        err << "mk38c " << command << ": " << error << "\n";
        *exitCode = kExitTrouble;
        return std::nullopt;
    }
    const QString shown = shownName(name);
    objcode::ReadProblem problem;
    auto image = suffixIs(shown, "bld") ? objcode::readLadderFile(file, shown, &problem)
                                        : objcode::readObjectFile(file, shown, &problem);
    if (!image) {
        err << "mk38c " << command << ": " << problem.message << "\n";
        *exitCode = problem.unreadable ? kExitTrouble : kExitRefused;
    }
    return image;
}

QString definitionsFile()
{
    return appfiles::dataFolder(QCoreApplication::applicationDirPath()) + QStringLiteral("es.def");
}

QString settingsFile()
{
    return appfiles::settingsFile(QCoreApplication::applicationDirPath());
}

void useLanguage()
{
    QByteArray text;
    QString problem;
    QString setting;
    if (appfiles::readSettingsFile(settingsFile(), &text, &problem))
        for (const auto& [key, value] : appfiles::settingsSection(text, u"Set"))
            if (key.compare(QLatin1String("Idioma"), Qt::CaseInsensitive) == 0) {
                setting = value; // the first one, as the editor reads it
                break;
            }
    const QString data = appfiles::dataFolder(QCoreApplication::applicationDirPath());
    language::use(language::choose(setting, language::available(data)), data);
}

std::optional<isa::ProgramImage> loadProgram(const char* command, const QString& name, QTextStream& err,
                                             int* exitCode)
{
    const QString shown = shownName(name);
    if (suffixIs(shown, "obj") || suffixIs(shown, "bld"))
        return readImageFile(command, name, err, exitCode);
    QByteArray source, defs;
    QString error;
    const QString defsPath = definitionsFile();
    if (!readInput(defsPath, kMaxTextInput, &defs, &error) || !readInput(name, kMaxTextInput, &source, &error)) {
        err << "mk38c " << command << ": " << error << "\n";
        *exitCode = kExitTrouble;
        return std::nullopt;
    }
    const compiler::CompileResult result =
        compiler::compile(isa::fromCp1252(source), compiler::readDefinitions(defs));
    if (!reportCompile(result, err)) {
        *exitCode = kExitRefused;
        return std::nullopt;
    }
    return result.image;
}

} // namespace cli
