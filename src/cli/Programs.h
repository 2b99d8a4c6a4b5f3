// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program a command works on, read from a file named on the command line.

#include "Compiler.h"
#include "Isa.h"

#include <QTextStream>

#include <optional>

namespace cli {

// Prints a refused compile as the editor's report reads ("Error en linea", the line, the
// message; or the unresolved jump). False when the compile refused the text.
bool reportCompile(const compiler::CompileResult& result, QTextStream& err);

// An object file, or a Ladder file when its name ends in .bld (any letter case). nullopt: the
// reason is printed after "mk38c COMMAND: " and *exitCode says what kind of failure it was.
std::optional<isa::ProgramImage> readImageFile(const char* command, const QString& name, QTextStream& err,
                                               int* exitCode);

// The tool's own files, found as the editor finds them: es.def beside the tool or in
// ../share/wmk38; dmk38.ini beside a portable tool, else the user's own.
QString definitionsFile();
QString settingsFile();
// Puts mk38c's language in use by the editor's rule: "Idioma" in [Set] of settingsFile(), else
// the system's. A settings file that cannot be read is told by the commands that need its ports.
void useLanguage();

// A program source (compiled with definitionsFile()), an object or a Ladder file.
std::optional<isa::ProgramImage> loadProgram(const char* command, const QString& name, QTextStream& err,
                                             int* exitCode);

} // namespace cli
