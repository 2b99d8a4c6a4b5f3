// SPDX-License-Identifier: GPL-3.0-or-later
#include "Exchanges.h"

#include <QDateTime>

namespace plclink {

namespace {
// A short answer the link may take as the answer to its frame: whole, and checking.
bool soundShortAnswer(const QByteArray& a) { return a.size() == kAnswerSize && answerChecks(a); }
} // namespace

DownloadResult download(Link& link, const isa::ProgramImage& image, const QDate& date,
                        const std::function<void(DownloadStage)>& onStage)
{
    Link::Busy busy(link);
    auto stage = [&onStage](DownloadStage s) {
        if (onStage)
            onStage(s);
    };
    const QByteArrayView program(reinterpret_cast<const char*>(image.data()), isa::kImageSize);
    // the date bytes are added to every attempt afresh, never counted in the checksum
    QByteArray body = program.toByteArray();
    const quint16 w = DateWord(date);
    body.append(char(w & 0xFF));
    body.append(char(w >> 8));

    const QByteArray header = downloadHeader(XorChecksum(program));
    if (!link.ready() || !link.prepare(header))
        return {DownloadOutcome::NoAnswer, {}};
    stage(DownloadStage::Header);
    // a device that went away and cannot be opened again is told by the caller, not waited for
    if ((!link.SendFrame(header) && link.reopenError()) || !link.wait(Waits::kHeader))
        return {DownloadOutcome::NoAnswer, {}};
    link.takeAll();
    stage(DownloadStage::Image);
    if (!link.SendFrame(body) && link.reopenError())
        return {DownloadOutcome::NoAnswer, {}};
    // in fast mode the PLC answers once the image reached it: the fixed waits, counted from
    // when it left the PC, are the deadline
    if (!(link.fast() ? link.waitSent(Waits::kImage) : link.wait(Waits::kImage)))
        return {DownloadOutcome::NoAnswer, {}};
    stage(DownloadStage::Answer);
    QByteArray answer;
    const bool complete = link.WaitAnswer(answer, link.fast() ? Waits::kImage + Waits::kAnswer : Waits::kAnswer);
    link.judged(complete);
    if (!complete)
        return {DownloadOutcome::NoAnswer, answer};
    // judged by its result byte alone: the answer's own check byte is not looked at
    return {answerByte(answer, 2) == kReceivedRight ? DownloadOutcome::Received : DownloadOutcome::ReceivedWrong,
            answer};
}

bool run(Link& link, int runMode)
{
    Link::Busy busy(link);
    return link.SendFrame(runFrame(runMode));
}

bool stop(Link& link, bool outputsOff)
{
    Link::Busy busy(link);
    return link.SendFrame(stopFrame(outputsOff));
}

quint16 passwordFromText(const QString& text)
{
    quint16 p = 0;
    for (QChar ch : QStringView(text).left(4)) {
        const char c = ch.unicode() < 128 ? char(ch.toLower().unicode()) : '\0';
        const int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
        if (d < 0)
            break;
        p = quint16(p * 16 + d);
    }
    return p;
}

QString passwordText(quint16 password)
{
    return QStringLiteral("%1").arg(password, 4, 16, QLatin1Char('0')).toUpper();
}

QByteArray probe(Link& link, quint8 station, ProbeSilence silence)
{
    Link::Busy busy(link);
    const bool settled = silence == ProbeSilence::Settled;
    return link.ask(memoryReadFrame(station, kAddrChecksum, kSystem, kAddrChecksum, kSystem), Waits::kProbe,
                    kAnswerSize,
                    [settled](const QByteArray& a) { return (settled && a.isEmpty()) || soundShortAnswer(a); });
}

QByteArray readProgram(Link& link, quint8 station, quint16 password)
{
    Link::Busy busy(link);
    return link
        .ask(readProgramFrame(station, password), Waits::kUpload, isa::kImageSize + 2,
             [](const QByteArray& a) { return a.size() == isa::kImageSize + 2; })
        .left(kUploadKept);
}

isa::ProgramImage uploadedImage(const QByteArray& received)
{
    isa::ProgramImage image{};
    for (int i = 0; i < isa::kImageSize; ++i)
        image[i] = answerByte(received, i);
    return image;
}

quint8 uploadChecksum(const QByteArray& received) { return XorChecksum(received.left(isa::kImageSize)); }

quint16 uploadedDateWord(const QByteArray& received)
{
    return quint16(answerByte(received, 256) + 256 * answerByte(received, 257));
}

QStringList uploadDump(const QByteArray& received)
{
    QStringList lines(1);
    for (int c = 0; c < 16; ++c)
        lines[0] += QString::number(c, 16).toUpper() + QStringLiteral("  ");
    for (int row = 0; row < 17; ++row) {
        QString line;
        for (int c = 0; c < 16; ++c)
            line += QStringLiteral("%1 ").arg(answerByte(received, row * 16 + c), 2, 16, QLatin1Char('0')).toUpper();
        lines << line;
    }
    return lines;
}

Sample judgePoll(Sample::Kind kind, int first, const QByteArray& answer)
{
    Sample s;
    s.kind = kind;
    s.first = kind == Sample::Kind::Variables ? first : 0;
    s.fault = answer.isEmpty()               ? Sample::Fault::Silent
              : answer.size() < kAnswerSize  ? Sample::Fault::Short
              : answer.size() > kAnswerSize  ? Sample::Fault::Long
              : !answerChecks(answer)        ? Sample::Fault::BadCheck
                                             : Sample::Fault::None;
    if (!s.sound())
        return s;
    if (kind == Sample::Kind::Io) {
        s.inputs = answerByte(answer, 4);
        s.outputs = quint8(~answerByte(answer, 2) & 63); // a 0 bit is an output that is on
    } else {
        for (int i = 0; i < 4; ++i)
            s.variables[size_t(i)] = answerByte(answer, 2 + i);
    }
    return s;
}

std::optional<Sample> poll(Link& link, quint8 station, Sample::Kind kind, int first,
                           const std::function<void()>& onSent)
{
    Link::Busy busy(link);
    const QByteArray frame = kind == Sample::Kind::Io
                                 ? memoryReadFrame(station, kAddrOutputs, kSystem, kAddrInputs, kSystem)
                                 : memoryReadFrame(station, quint8(first), kVariables, quint8(first + 2), kVariables);
    // a port that cannot be opened is told before anything is sent or awaited
    const auto portFault = [&] {
        Sample s = judgePoll(kind, first, {});
        s.fault = Sample::Fault::Port;
        s.msecs = QDateTime::currentMSecsSinceEpoch();
        return s;
    };
    if (!link.ready())
        return portFault();
    if (!link.prepare(frame))
        return std::nullopt;
    const bool out = link.SendFrame(frame);
    if (onSent)
        onSent();
    if (!out && link.reopenError())
        return portFault();
    if (!link.waitAnswerOf(Waits::kAnswer, kAnswerSize))
        return std::nullopt;
    const QByteArray answer = link.takeAll();
    Sample s = judgePoll(kind, first, answer);
    s.msecs = QDateTime::currentMSecsSinceEpoch();
    link.judged(s.sound());
    return s;
}

bool writePresets(Link& link, quint8 station, const Presets& values, const std::function<void(int)>& onStep)
{
    Link::Busy busy(link);
    if (!link.ready())
        return false;
    for (int i = 0; i <= kPresetCount; ++i) {
        if (onStep)
            onStep(i);
        link.SendFrame(i < kPresetCount ? wordWriteFrame(station, quint8(kAddrPresets + 2 * i), values[i])
                                        : commitFrame(station));
        if (!link.wait(Waits::kPresetWrite))
            return false;
    }
    return true;
}

PresetRead readPresets(Link& link, quint8 station, const std::function<void(int)>& onStep,
                       const std::function<void(int, const PresetRead&)>& onPair)
{
    Link::Busy busy(link);
    PresetRead r;
    if (!link.ready()) {
        r.silent = true;
        return r;
    }
    int attempts = 0; // shared by the pairs: only a sound answer sets it back
    for (int j = 0; j < kPresetCount / 2; ++j) {
        for (;;) {
            if (onStep)
                onStep(j);
            const quint8 first = quint8(kAddrPresets + 4 * j);
            // judged as sound only whole: a cut answer may be followed by the rest of it
            const QByteArray answer = link.ask(memoryReadFrame(station, first, kSystem, first + 2, kSystem),
                                               Waits::kPresetRead, kAnswerSize, soundShortAnswer);
            if (link.waits().isCutShort())
                return r;
            if (answer.isEmpty()) {
                r.values.fill(std::nullopt);
                r.silent = true;
                return r;
            }
            if (answerChecks(answer)) {
                attempts = 0;
                r.values[2 * j] = quint16(answerByte(answer, 2) + 256 * answerByte(answer, 3));
                r.values[2 * j + 1] = quint16(answerByte(answer, 4) + 256 * answerByte(answer, 5));
                break;
            }
            if (++attempts >= 3) {
                r.badPair = true;
                break;
            }
        }
        if (onPair)
            onPair(j, r);
    }
    return r;
}

QString presetName(int i)
{
    // the presets follow the counter and timer names, Ctv1 first
    return isa::operandName(isa::findMnemonic(u"ctv")->operands[0].indexBase + i);
}

std::optional<quint16> presetFromText(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = !t.isEmpty();
    for (QChar c : t)
        ok = ok && c >= u'0' && c <= u'9';
    const uint v = ok ? t.toUInt(&ok) : 0;
    return ok && v <= 65535 ? std::optional<quint16>(quint16(v)) : std::nullopt;
}

} // namespace plclink
