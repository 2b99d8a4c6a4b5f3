#pragma once
// The registration store that stands in for the platform's component registry: a text file
// with one "{CLSID}=/abs/path/libX.so" line per class. ORVLIB_REGISTRY names another file
// (tests, CI); otherwise $XDG_CONFIG_HOME (or ~/.config)/OrvSoftware/components.reg.

#include "OrvCom.h"

#include <QString>

namespace orvreg {

QString guidToString(const OrvGuid& guid);
QString storePath();

// The library registered for clsid, or an empty text.
QString lookup(const OrvGuid& clsid);
// Both keep the other lines of the store; the file is replaced atomically.
bool registerClass(const OrvGuid& clsid, const QString& libraryPath, QString* error = nullptr);
bool unregisterClass(const OrvGuid& clsid, QString* error = nullptr);

// Creation by class identifier: looks the class up, loads its library (kept loaded for the
// life of the process) and asks its class factory for the interface iid.
OrvResult createInstance(const OrvGuid& clsid, const OrvGuid& iid, void** object, QString* error);

} // namespace orvreg
