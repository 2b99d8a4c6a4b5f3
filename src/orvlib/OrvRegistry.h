// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registration store that stands in for the platform's component registry: a text file
// with one "{CLSID}=/abs/path/libX.so" line per class. Classes are looked up in the user's own
// store, $XDG_CONFIG_HOME (or ~/.config)/OrvSoftware/components.reg, then in the machine's,
// OrvSoftware/components.reg in each folder of $XDG_CONFIG_DIRS (or /etc/xdg), which every user
// reads and a package fills. ORVLIB_REGISTRY names the one store to use instead (tests, CI).

#include "OrvCom.h"

#include <QString>

namespace orvreg {

QString guidToString(const OrvGuid& guid);
QString storePath(); // the user's
QStringList systemStorePaths();
// The store the registration exports write: the machine's first one when ORVLIB_STORE is
// "system" (orvregsvr --system), else the user's.
QString registrationStorePath();

// The library registered for clsid by the first store that has it, or an empty text (*error
// names the store that could not be read: it might have held the class).
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
