// SPDX-License-Identifier: GPL-3.0-or-later
#include "OrvWin.h"

#include <mutex>
#include <unordered_map>

namespace {

struct Window
{
    OrvWndProc proc;
    void* context;
};

std::mutex g_lock;
std::unordered_map<int32_t, Window> g_windows;
int32_t g_lastHandle = 0;

} // namespace

extern "C" {

int32_t OrvRegisterWindow(OrvWndProc proc, void* context)
{
    if (!proc)
        return 0;
    std::lock_guard guard(g_lock);
    // handles are not reused soon, so a stale handle reaches nothing rather than a newer control
    do {
        g_lastHandle = g_lastHandle == INT32_MAX ? 1 : g_lastHandle + 1;
    } while (g_windows.count(g_lastHandle));
    g_windows[g_lastHandle] = Window{proc, context};
    return g_lastHandle;
}

void OrvUnregisterWindow(int32_t handle)
{
    std::lock_guard guard(g_lock);
    g_windows.erase(handle);
}

intptr_t OrvSendMessage(int32_t handle, uint32_t message, intptr_t wparam, intptr_t lparam)
{
    Window target{};
    {
        std::lock_guard guard(g_lock);
        const auto it = g_windows.find(handle);
        if (it == g_windows.end())
            return 0;
        target = it->second;
    }
    // called outside the lock: the control may register or send in turn
    return target.proc(target.context, message, wparam, lparam);
}

} // extern "C"
