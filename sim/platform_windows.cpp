#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "sim/host.h"
#include "sim/platform.h"

namespace sim::platform {
namespace {

// REAPER for Windows is built with MSVC: its PCM_source vtable has one slot for the destructor
// (deleting when flags & 1), then the virtuals in declaration order. A mingw caller that calls
// through the class looks one slot too far, so every slot is a function of its own, and all but
// Duplicate stop the run: the library has no business calling them.
using Face = Source::Face;

[[noreturn]] void forbidden(int slot, const char* name) {
    std::fprintf(stderr,
                 "simulated REAPER: the extension called PCM_source vtable slot %d (%s) of an "
                 "MSVC-layout source; it may call only slot 1 (Duplicate)\n",
                 slot, name);
    std::fflush(stderr);
    std::abort();
}

void* deleting_destructor(Face*, unsigned /*flags*/) {
    forbidden(0, "the deleting destructor: use PCM_Source_Destroy");
}
Face* duplicate(Face* self) {
    auto* copy = static_cast<Source*>(self->source->Duplicate());
    return copy != nullptr ? &copy->face : nullptr;
}

constexpr const char* kSlotNames[] = {
    "~PCM_source",   "Duplicate",   "IsAvailable",    "SetAvailable",     "GetType",
    "GetFileName",   "SetFileName", "GetSource",      "SetSource",        "GetNumChannels",
    "GetSampleRate", "GetLength",   "GetLengthBeats", "GetBitsPerSample", "GetPreferredPosition"};

template <int Slot>
void* not_for_extensions(Face*) {
    forbidden(Slot, kSlotNames[Slot]);
}

const void* const kVtable[] = {
    reinterpret_cast<const void*>(&deleting_destructor),
    reinterpret_cast<const void*>(&duplicate),
    reinterpret_cast<const void*>(&not_for_extensions<2>),
    reinterpret_cast<const void*>(&not_for_extensions<3>),
    reinterpret_cast<const void*>(&not_for_extensions<4>),
    reinterpret_cast<const void*>(&not_for_extensions<5>),
    reinterpret_cast<const void*>(&not_for_extensions<6>),
    reinterpret_cast<const void*>(&not_for_extensions<7>),
    reinterpret_cast<const void*>(&not_for_extensions<8>),
    reinterpret_cast<const void*>(&not_for_extensions<9>),
    reinterpret_cast<const void*>(&not_for_extensions<10>),
    reinterpret_cast<const void*>(&not_for_extensions<11>),
    reinterpret_cast<const void*>(&not_for_extensions<12>),
    reinterpret_cast<const void*>(&not_for_extensions<13>),
    reinterpret_cast<const void*>(&not_for_extensions<14>),
};
static_assert(std::size(kVtable) == std::size(kSlotNames));

}  // namespace

void* load_module(const std::string& path, std::string& reason) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length);
    HMODULE module = LoadLibraryW(wide.c_str());
    if (module == nullptr) reason = "Windows error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(module);
}

void* module_symbol(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void unload_module(void* module) {
    FreeLibrary(static_cast<HMODULE>(module));
}

const void* source_face_vtable() {
    return kVtable;
}

PCM_source* source_handle(Source& source) {
    return reinterpret_cast<PCM_source*>(&source.face);
}

}  // namespace sim::platform
