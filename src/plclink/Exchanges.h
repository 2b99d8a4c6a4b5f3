// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exchanges with the PLC, as functions of the link (port and waits) and what they send.
// The windows and the command-line tool call these and show the outcome in their own words.
// A port that cannot be opened ends an exchange before its first frame, with nothing sent and
// no wait: it comes back empty (no answer, false, nothing read) and link.reopenError() says why.

#include "Frames.h"
#include "Isa.h"
#include "Link.h"
#include "Sample.h"

#include <QDate>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace plclink {

// ---- download
enum class DownloadStage { Header, Image, Answer };
enum class DownloadOutcome {
    Received,      // 7 bytes, result 170
    ReceivedWrong, // 7 bytes, another result
    NoAnswer,      // any other count of bytes
};
struct DownloadResult
{
    DownloadOutcome outcome;
    QByteArray answer;
};
// One attempt: header, 120 ms, the 256 program bytes with the date word, 1500 ms, the
// answer's 500 ms. onStage is told before each step.
DownloadResult download(Link& link, const isa::ProgramImage& image, const QDate& date,
                        const std::function<void(DownloadStage)>& onStage = {});

// ---- run control (nothing is read back): false when the frame could not be written whole
bool run(Link& link, int runMode);
bool stop(Link& link, bool outputsOff);

// ---- upload
// The program password as typed: its first 4 characters read as hexadecimal up to the first
// character that is not a digit; nothing readable gives 0.
quint16 passwordFromText(const QString& text);
QString passwordText(quint16 password); // 4 upper-case digits
// Memory read of address 3 twice: the stored checksum comes back in byte 3. Settled: silence
// is taken as no station there rather than as an answer that may still come.
enum class ProbeSilence { Unsettled, Settled };
QByteArray probe(Link& link, quint8 station, ProbeSilence silence = ProbeSilence::Unsettled);
// A probe answer counts when something came back and its bytes XOR to 0, whatever its length.
inline bool probeAnswered(const QByteArray& answer) { return !answer.isEmpty() && answerChecks(answer); }
// The checksum the PLC keeps for its program, from the probe answer.
inline quint8 storedChecksum(const QByteArray& probeAnswer) { return answerByte(probeAnswer, 2); }
constexpr int kUploadKept = 281; // bytes of the program answer looked at
// The program read: up to 281 bytes of the answer (256 program bytes, the date word, ...).
QByteArray readProgram(Link& link, quint8 station, quint16 password);
// The received bytes as a program image, missing ones as 0.
isa::ProgramImage uploadedImage(const QByteArray& received);
quint8 uploadChecksum(const QByteArray& received); // XOR of the first 256 bytes
quint16 uploadedDateWord(const QByteArray& received);
// The received bytes 0..271 as the diagnostic dump shows them: a header of the column numbers,
// then 17 lines of 16 bytes in upper-case hexadecimal (missing bytes as 00).
QStringList uploadDump(const QByteArray& received);

// ---- monitor polls
// One poll: its frame (variables first .. first + 3, area 1, for Kind::Variables), the answer's
// wait and the judgement, as a Sample stamped now. A port that cannot be opened sends nothing and
// waits for nothing (Fault::Port; the link's reopenError() says why). nullopt when the waits were
// cut short. onSent is told once the frame is out, before the answer's wait.
std::optional<Sample> poll(Link& link, quint8 station, Sample::Kind kind, int first,
                           const std::function<void()>& onSent = {});
// An answer to a poll of kind as its consumers read it: the fault, else the decoded values.
Sample judgePoll(Sample::Kind kind, int first, const QByteArray& answer);

// ---- presets
using Presets = std::array<quint16, kPresetCount>;
constexpr Presets kFactoryPresets{1, 1, 1, 1, 10, 10, 10, 10, 100, 100};
// The ten writes and the closing "G", each followed by its 400 ms; onStep(i) before write i
// (10 before the "G"). False when the waits were cut short.
bool writePresets(Link& link, quint8 station, const Presets& values, const std::function<void(int)>& onStep = {});
struct PresetRead
{
    std::array<std::optional<quint16>, kPresetCount> values; // nullopt: not read
    bool silent = false;  // no byte came back: nothing was read
    bool badPair = false; // a pair stayed unread after its attempts
};
// The five pair reads with the attempt counter they share. onStep(j) before each frame of
// pair j; onPair(j) once pair j is read or given up (its values in the result so far).
PresetRead readPresets(Link& link, quint8 station, const std::function<void(int)>& onStep = {},
                       const std::function<void(int, const PresetRead&)>& onPair = {});
// The name of preset i as the program text writes its counter or timer: Ctv1 .. TpvF2.
QString presetName(int i);
// A preset as typed: a whole number 0..65535, blanks around it allowed.
std::optional<quint16> presetFromText(const QString& text);

} // namespace plclink
