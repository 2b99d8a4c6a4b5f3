#pragma once
// The registration store that stands in for the platform's component registry: a text file
// with one "{CLSID}=/abs/path/libX.so" line per class. ORVLIB_REGISTRY names another file
// (tests, CI); otherwise $XDG_CONFIG_HOME (or ~/.config)/OrvSoftware/components.reg.

#include "OrvCom.h"

#include <QString>

namespace orvreg {

QString guidToString(const OrvGuid& guid);
QString storePath();

// The library registered for clsid, or an empty text (*error says why when the store could
// not be read).
QString lookup(const OrvGuid& clsid, QString* error = nullptr);
// Both hold a lock while they read and rewrite the store, keep the other lines byte for byte
// and replace the file atomically. A store that cannot be read is an error, never taken as
// empty. A library path the store cannot hold exactly (line break, blanks at either end, not
// UTF-8) is refused. Unregistering removes every line of the class.
bool registerClass(const OrvGuid& clsid, const QByteArray& libraryPath, QString* error = nullptr);
bool unregisterClass(const OrvGuid& clsid, QString* error = nullptr);

// Creation by class identifier: looks the class up, loads its library (kept loaded for the
// life of the process) and asks its class factory for the interface iid.
OrvResult createInstance(const OrvGuid& clsid, const OrvGuid& iid, void** object, QString* error);

} // namespace orvreg
