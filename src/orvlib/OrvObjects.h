// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Inside OrvLib2: factories for the objects of OrvLibObjects.h.

#include "OrvCom.h"

namespace orvobjects {

OrvResult createLocalInfo(IOrvUnknown** object);
OrvResult createCarpetas(IOrvUnknown** object);
OrvResult createConvertNum(IOrvUnknown** object);
OrvResult createTiempos(IOrvUnknown** object);
OrvResult createWinInf(IOrvUnknown** object);

} // namespace orvobjects
