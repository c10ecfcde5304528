#include "sound/pulse_library.h"

#include <dlfcn.h>

#include <optional>

namespace gribo::sound {
namespace {

std::optional<PulseLibrary> load() {
    void* library = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) return std::nullopt;
    PulseLibrary pulse;
    bool whole = true;
#define GRIBO_PULSE_LOAD(name)                                               \
    pulse.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name)); \
    whole = whole && pulse.name != nullptr;
    GRIBO_PULSE_FUNCTIONS(GRIBO_PULSE_LOAD)
#undef GRIBO_PULSE_LOAD
    if (!whole) return std::nullopt;  // not the libpulse we know; it stays mapped, unused
    return pulse;
}

}  // namespace

const PulseLibrary* PulseLibrary::get() {
    static const std::optional<PulseLibrary> pulse = load();
    return pulse ? &*pulse : nullptr;
}

}  // namespace gribo::sound
