// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every mk38c command shares where it meets the system:
// - arguments that keep file names byte for byte, and options that end at "--";
// - inputs opened by the name as given and read with a bound;
// - an output file checked before anything is written, then replaced in one step;
// - standard output whose failed write ends the run with a message and a non-zero exit.

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QTextStream>

namespace cli {

// mk38c's texts: the Spanish source, shown in the language in use (catalogue context "mk38c").
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(mk38c)
};

// Exit codes the commands share.
constexpr int kExitOk = 0;
constexpr int kExitRefused = 1; // the input was read and refused (a rejected line, no program)
constexpr int kExitTrouble = 2; // usage errors, files that cannot be read or written, failed output
// the PLC commands'
constexpr int kExitReceivedWrong = 3;
constexpr int kExitNoAnswer = 4;
constexpr int kExitChecksum = 5;
constexpr int kExitDifferent = 6;

// Larger than any program text (the editor holds 32000 characters): a bigger input is refused.
constexpr qint64 kMaxTextInput = 1024 * 1024;

// The arguments after the program name. Bytes that are not UTF-8 are kept as the code points
// U+DC80..U+DCFF, which nativeName() turns back into the same bytes.
QStringList arguments(int argc, char** argv);
// The file name an argument stands for, byte for byte.
QByteArray nativeName(const QString& argument);
// An argument as messages show it (kept bytes as U+FFFD).
QString shownName(const QString& argument);

struct Options
{
    QStringList operands;           // in order; everything after "--" is one
    QHash<QString, QString> values; // options that take a value; the last one given wins
    QSet<QString> flags;
    bool help = false; // --help or -h
    QString error;     // a usage error, worded to follow "mk38c COMMAND: "
};
// Splits args into options and operands: flagNames stand alone, valueNames take the next argument.
Options parseOptions(const QStringList& args, const QStringList& flagNames, const QStringList& valueNames);

// Opens a file named on the command line for reading; a pipe is read as it comes.
bool openInput(const QString& name, QFile& file, QString* error);
// Reads a whole input of at most maxBytes; a larger one is refused without reading the rest.
bool readInput(const QString& name, qint64 maxBytes, QByteArray* bytes, QString* error);

// Refuses an output file that exists and is not a regular file (a pipe, a device), or that is
// one of the inputs by any path or link.
bool checkOutputFile(const QString& name, const QStringList& inputs, QString* error);
// Writes the whole file beside its place and renames it there: a failed write leaves the old
// file as it was. A link is followed, as the editor's saves do.
bool writeOutputFile(const QString& name, QByteArrayView bytes, QString* error);

// Call first in main, before any file is opened: a closed standard descriptor is filled with a
// read-only /dev/null, so no file opened later takes its number and a write to it still fails.
void guardStandardDescriptors();

// Standard output and error for the commands, unbuffered below the streams so that a failed
// write shows in the stream's status.
struct Console
{
    Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    QFile outFile, errFile; // declared before the streams that write to them
    QTextStream out, err;
};

// Writes bytes as they are (a file's own encoding) after the text already written.
bool writeBytes(QTextStream& out, QByteArrayView bytes);
// Flushes both streams. A failed write of standard output gives a message on stderr and turns a
// successful exitCode into kExitTrouble.
int finish(int exitCode, QTextStream& out, QTextStream& err);

} // namespace cli
