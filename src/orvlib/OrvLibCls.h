#pragma once

#include "OrvCom.h"

// A new OrvLibCls holding one reference.
IOrvLibCls* orvCreateLibCls();
