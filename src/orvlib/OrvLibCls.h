// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OrvCom.h"

// A new OrvLibCls holding one reference.
IOrvLibCls* orvCreateLibCls();
