// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeWrite.h"

#include <QSaveFile>

namespace isa {

bool writeWholeFile(const QString& path, QByteArrayView bytes, WriteFailure* failure)
{
    QSaveFile file(path);
    // unbuffered: a short write (disk full, size limit) shows in write()'s count, where a
    // buffered flush inside commit() would pass it over
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        file.write(bytes.data(), bytes.size()) == bytes.size() && file.commit())
        return true;
    if (failure)
        *failure = {file.error(), file.errorString()};
    file.cancelWriting();
    return false;
}

} // namespace isa
