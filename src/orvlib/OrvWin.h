// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window-message layer (libOrvWin): routes an edit-control request sent to a window
// handle to the text control registered under that handle. The editor registers its text
// box; the OrvLib2 library sends requests to it through TextControlInf.

#include <cstdint>

extern "C" {

typedef intptr_t (*OrvWndProc)(void* context, uint32_t message, intptr_t wparam, intptr_t lparam);

// Registers a control; returns its handle (never 0).
int32_t OrvRegisterWindow(OrvWndProc proc, void* context);
void OrvUnregisterWindow(int32_t handle);
// Sends a request; 0 when no control has that handle.
intptr_t OrvSendMessage(int32_t handle, uint32_t message, intptr_t wparam, intptr_t lparam);

} // extern "C"
