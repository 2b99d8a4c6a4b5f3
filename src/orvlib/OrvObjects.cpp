#include "OrvObjects.h"

namespace orvobjects {

namespace {
OrvResult later(IOrvUnknown** object)
{
    if (object)
        *object = nullptr;
    return ORV_E_NOTIMPL;
}
} // namespace

OrvResult createLocalInfo(IOrvUnknown** object) { return later(object); }
OrvResult createConvertNum(IOrvUnknown** object) { return later(object); }
OrvResult createTiempos(IOrvUnknown** object) { return later(object); }
OrvResult createWinInf(IOrvUnknown** object) { return later(object); }

} // namespace orvobjects
