#pragma once
// Shared by the compiler tests: the shipped es.def and images written as hex text.

#include "Compiler.h"

#include <QFile>
#include <QStringList>

inline QStringList shippedDefinitions()
{
    QFile file(QStringLiteral(WMK38_SOURCE_DIR "/data/es.def"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return compiler::readDefinitions(file.readAll());
}

// The first `length` bytes as "06 00 0B".
inline QString hexPrefix(const isa::ProgramImage& image, int length)
{
    QStringList bytes;
    for (int i = 0; i < length; ++i)
        bytes << QStringLiteral("%1").arg(image[size_t(i)], 2, 16, QLatin1Char('0')).toUpper();
    return bytes.join(u' ');
}

inline bool zeroFrom(const isa::ProgramImage& image, int from)
{
    for (size_t i = size_t(from); i < image.size(); ++i)
        if (image[i] != 0)
            return false;
    return true;
}
