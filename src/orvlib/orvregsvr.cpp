// SPDX-License-Identifier: GPL-3.0-or-later
// orvregsvr [--system] [/u] LIB: registers (or with /u unregisters) a component library in the
// user's registration store, or with --system in the machine's (root), as regsvr32 does on the
// original platform.

#include "OrvCom.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <strings.h>

int main(int argc, char** argv)
{
    const char* library = nullptr;
    int libraries = 0;
    bool unregister = false;
    bool machine = false;
    for (int i = 1; i < argc; ++i) {
        if (strcasecmp(argv[i], "/u") == 0 || strcmp(argv[i], "-u") == 0) {
            unregister = true;
        } else if (strcmp(argv[i], "--system") == 0) {
            machine = true;
        } else {
            library = argv[i];
            ++libraries;
        }
    }
    if (libraries != 1) {
        std::fprintf(stderr, "uso / usage: orvregsvr [--system] BIBLIOTECA.so [/u]\n");
        return 2;
    }
    // the library's registration exports read which store to write from here
    if (machine)
        setenv("ORVLIB_STORE", "system", 1);
    else
        unsetenv("ORVLIB_STORE");
    // a path without "/" would be searched for along the library path instead of taken as given
    char given[4096];
    std::snprintf(given, sizeof given, "%s%s", std::strchr(library, '/') ? "" : "./", library);
    void* handle = dlopen(given, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "orvregsvr: no se puede cargar / cannot load %s: %s\n", library, dlerror());
        return 1;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const auto call = reinterpret_cast<OrvDllRegisterServerFn>(dlsym(handle, entry));
    if (!call) {
        std::fprintf(stderr, "orvregsvr: %s no exporta / does not export %s\n", library, entry);
        return 1;
    }
    const OrvResult result = call();
    if (result != ORV_S_OK) {
        std::fprintf(stderr, "orvregsvr: %s en / in %s fall\xC3\xB3 / failed (0x%08X)\n", entry, library,
                     unsigned(result));
        return 1;
    }
    std::printf("orvregsvr: %s en / in %s correcto / succeeded\n", entry, library);
    return 0;
}
