// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program upload judged once: the probe for the checksum the PLC keeps, the program read
// with the password, and the check of one against the other. The upload window, the editor's
// verify and mk38c's receive and verify show the same outcome in their own words.

#include "Exchanges.h"

namespace plclink {

enum class UploadOutcome {
    Read,            // the program came and its checksum is the one the PLC keeps
    NoCommunication, // the probe got no sound answer: nothing was read
    NoAnswer,        // nothing came in answer to the read (identifier or password?)
    ChecksumWrong,   // bytes came, but they do not give the checksum the PLC keeps
};

struct UploadResult
{
    UploadOutcome outcome = UploadOutcome::NoCommunication;
    QByteArray probeAnswer;
    QByteArray received;     // up to 281 bytes of the program answer
    quint8 stored = 0;       // the checksum the PLC keeps, from the probe
    quint8 computed = 0;     // the XOR of the program bytes received
    isa::ProgramImage image{}; // the bytes received, missing ones as 0
    quint16 dateWord = 0;

    bool read() const { return outcome == UploadOutcome::Read; }
};

// One attempt. onProbed is told the probe answer before the program is asked for (also when
// it failed); a wait cut short ends the attempt where it is, nothing more sent.
UploadResult upload(Link& link, quint8 station, quint16 password,
                    const std::function<void(const QByteArray& probeAnswer)>& onProbed = {});

// Where two images differ: how many bytes, and the first address (-1 when they are equal).
struct ImageDifference
{
    int bytes = 0;
    int first = -1;
};
ImageDifference compareImages(const isa::ProgramImage& a, const isa::ProgramImage& b);

} // namespace plclink
