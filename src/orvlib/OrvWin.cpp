#include "OrvWin.h"

extern "C" {
int32_t OrvRegisterWindow(OrvWndProc, void*) { return 0; }
void OrvUnregisterWindow(int32_t) {}
intptr_t OrvSendMessage(int32_t, uint32_t, intptr_t, intptr_t) { return 0; }
}
