#include "Compiler.h"

namespace compiler {

CompileResult compile(QStringView, const QStringList&)
{
    CompileResult r;
    return r;
}

QStringList readDefinitions(QByteArrayView)
{
    return {};
}

} // namespace compiler
