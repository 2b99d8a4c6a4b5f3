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

namespace {

const char kUsage[] = "Uso / usage: orvregsvr [--system] [--] BIBLIOTECA.so [/u]\n"
                      "  Registra / registers a component library (regsvr32).\n"
                      "  /u, -u      quita el registro / unregisters\n"
                      "  --system    en el registro de la m\xC3\xA1quina / in the machine's store (root)\n"
                      "  -h, --help  este texto / this text\n"
                      "  --version   la versi\xC3\xB3n / the version\n"
                      "Estado de salida / exit status:\n"
                      "  0  hecho / done\n"
                      "  1  no se pudo cargar, registrar o quitar / could not load, register or unregister\n"
                      "  2  uso / usage\n";

int usageError(const char* what, const char* argument)
{
    std::fprintf(stderr, "orvregsvr: %s%s%s\n%s", what, argument ? " " : "", argument ? argument : "",
                 kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const char* library = nullptr;
    bool unregister = false;
    bool machine = false;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (options && (strcasecmp(arg, "/u") == 0 || strcmp(arg, "-u") == 0)) {
            unregister = true;
        } else if (options && strcmp(arg, "--system") == 0) {
            machine = true;
        } else if (options && (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0)) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (options && strcmp(arg, "--version") == 0) {
            std::printf("orvregsvr %s\n", WMK38_VERSION);
            return 0;
        } else if (options && strcmp(arg, "--") == 0) {
            options = false;
        } else if (options && arg[0] == '-') {
            // never taken for a library: "--help" misspelt would be loaded from the working folder
            return usageError("opci\xC3\xB3n desconocida / unknown option", arg);
        } else if (library) {
            return usageError("una sola biblioteca / one library only:", arg);
        } else {
            library = arg;
        }
    }
    if (!library)
        return usageError("falta la biblioteca / no library given", nullptr);
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
