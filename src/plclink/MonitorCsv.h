// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows mk38c monitor prints and the Monitor window exports, written in one place so one
// script reads both: a CSV header and row per poll, and the plain text line.

#include "Sample.h"

#include <QString>
#include <QStringList>

namespace plclink::monitorcsv {

// The names of variables first .. first + 3: entries of the variable name list, or the address
// where the list has none.
QStringList variableNames(const QStringList& names, int first);
// "time,kind,ok,in0..in7,out0..out5," and the four variable names; no line end.
QString header(const QStringList& variableNames);
// One poll: local time with milliseconds, "io" or "var", 1 for a sound answer, then 8 inputs,
// 6 outputs and 4 variables, the columns the poll did not read left empty; no line end.
QString row(const Sample& sample);
// mk38c's text line for one poll ("in 10100000  out 100000", "var  v01=1 0x01 ...").
QString text(const Sample& sample, const QStringList& variableNames);

} // namespace plclink::monitorcsv
