// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Object and Ladder files, and the translation of an image back to instruction-list text.
// QtCore only.

#include "Isa.h"

#include <QDateTime>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace objcode {

// The object file's bytes: name field, " - ", mm-dd-yyyy, " ", hh:mm:ss, " - OrvSoftware - ", image.
QByteArray objectFileBytes(const QString& nameField, const QDateTime& when, const isa::ProgramImage& image);

// Writes an object file in one go: on failure the old file, if any, is left in place and
// *error says why.
bool writeObjectFile(const QString& path, const QString& nameField, const isa::ProgramImage& image,
                     const QDateTime& when, QString* error);

// Why a read gave no image: *unreadable* when the file could not be read at all, otherwise
// it holds no program. The message names the file.
struct ReadProblem
{
    bool unreadable = false;
    QString message;
};

// An object file that cannot seek (a pipe) is read to its end for its last 256 bytes, up to
// this length; a longer one is no object file.
constexpr qint64 kMaxStreamedObject = 1024 * 1024;
// A Ladder file's header line is read up to this length; its body is read up to 257 bytes.
constexpr qint64 kMaxLadderHeader = 64 * 1024;

// Reads the last 256 bytes of an object file; progress(k) is called after byte k (1..256).
// A file that cannot be read or is shorter than 256 bytes gives nullopt and *error.
std::optional<isa::ProgramImage> readObjectFile(const QString& path, QString* error,
                                                const std::function<void(int)>& progress = {});
// The same from a file already open for reading; name is the file's name for the messages.
std::optional<isa::ProgramImage> readObjectFile(QFileDevice& file, const QString& name, ReadProblem* problem,
                                                const std::function<void(int)>& progress = {});

// The loader's progress display after byte k: the bar width (k × 0.2031 rounded, plus 1)
// and the percentage text (Str of k × 0.39 and "%", " 99.84%" after the last byte).
int loadProgressWidth(int k);
QString loadProgressText(int k);

// Reads a Ladder file: everything after the first line feed, padded with zeros to 256 bytes.
// A body over 256 bytes, a header line over kMaxLadderHeader or an unreadable file gives
// nullopt and *error.
std::optional<isa::ProgramImage> readLadderFile(const QString& path, QString* error);
std::optional<isa::ProgramImage> readLadderFile(QFileDevice& file, const QString& name, ReadProblem* problem);

struct Translation
{
    QString text;           // lines ended by CR LF, exactly as the editor shows them
    QStringList jumpLabels; // lstJumpLabel: the label number of every jump met, in order
};

// Translates an image (bytes beyond its end read as 0; a download's two date bytes may follow
// the 256 program bytes) back into instruction-list text.
Translation ReverseTranslate(QByteArrayView image);
Translation ReverseTranslate(const isa::ProgramImage& image);

// The runtime's Str form of a number: a blank before a non-negative value, at most 7
// significant digits, no "0" before the point (5 → " 5", 0.5 → " .5", 1.5 → " 1.5").
QString Str(double value);

// The text of a one-byte operand; context is the opcode, which gives the counter and timer
// instructions their group names and error markers. A byte without a name prints in decimal,
// and so does an index byte of 8 or more, as the address it compiles back from (group base
// plus the byte).
QString FormatOperand(quint8 byte, quint8 context);

// The 8-character label column of the line whose opcode is at this position (address + 1).
QString LabelField(int position, bool isTarget);

} // namespace objcode
