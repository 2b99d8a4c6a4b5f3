// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The compile of instruction-list text into a program image. QtCore only: the window
// shows the outcome (message window, status panel, message boxes) on its own.

#include "Isa.h"

#include <QString>
#include <QStringList>

namespace compiler {

// The user's EQU names and their values (decimal text), same index: cbEQUs, lstEqusPos.
struct EquTable
{
    QStringList names;
    QStringList values;
};

struct CompileResult
{
    enum class Status { Ok, LineRejected, UnresolvedJump };
    Status status = Status::Ok;

    // Ok: the image and the program length in bytes.
    isa::ProgramImage image{};
    int length = 0;

    // LineRejected: the raw line as written, its 1-based line number, and the message.
    QString rawLine;
    int lineNumber = 0;
    QString message;

    // UnresolvedJump: the first target without a label, as written after the jump.
    QString jumpTarget;

    // Work tables as the compile left them: lstLabel/lstLabelPos, lstJumpLabel/lstJumpLabelPos.
    EquTable equs;
    QStringList labels, labelPositions;
    QStringList jumpLabels, jumpLabelPositions;
};

// Compiles source text (lines end at CR LF, CR or LF) with the predefined names of es.def
// (cbVariables: a name's index is its value). Touches no file.
CompileResult compile(QStringView source, const QStringList& predefined);

// Reads the predefined names from the bytes of an es.def file.
QStringList readDefinitions(QByteArrayView esDef);

} // namespace compiler
