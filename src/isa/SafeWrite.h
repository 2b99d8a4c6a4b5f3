// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes a whole file or nothing: the bytes go beside the target and replace it only once
// all of them are on disk, so a failed write never leaves a half-written file behind.

#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

namespace isa {

struct WriteFailure
{
    QFileDevice::FileError error = QFileDevice::NoError;
    QString description;
};

bool writeWholeFile(const QString& path, QByteArrayView bytes, WriteFailure* failure = nullptr);

} // namespace isa
