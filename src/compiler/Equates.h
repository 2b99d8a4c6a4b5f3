// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The EQU pre-pass and the es.def reader.

#include "Compiler.h"
#include "Operand.h"
#include "Source.h"

#include <vector>

namespace compiler {

// CollectEquates: the user's EQUs, name-valued ones first, then number-valued ones, each in
// definition order. Malformed and unresolvable definitions are dropped without a message.
EquTable CollectEquates(QStringView source, const QStringList& predefined);
// numbers, if given, receives the values of the result read as single precision.
EquTable CollectEquates(const SourceText& source, const NameIndex& predefined,
                        std::vector<float>* numbers = nullptr);

} // namespace compiler
