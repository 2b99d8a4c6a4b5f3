// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands typed on standard input while the simulator runs.

#include <QStringList>

namespace sim {

class Fault;
class Plc;

constexpr char kShowEnd[] = "."; // last line of "show", so a reader knows the listing is complete

// The lines printed for one command line: one line, or the listing of "show"; none for a blank line.
QStringList consoleCommand(const QString& line, Plc& plc, Fault& fault);

} // namespace sim
