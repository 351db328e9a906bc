// What scripts ask of REAPER itself: its folder, the audio device, colours and handle checks.
#include <cstdlib>

#include "sim/script_functions.h"

namespace sim {

using script::enter;

namespace reaper {

// REAPER's resource folder on Linux.
const char* GetResourcePath() {
    enter("GetResourcePath");
    static const std::string path = [] {
        const char* home = std::getenv("HOME");
        return std::string(home != nullptr && *home != '\0' ? home : "") + "/.config/REAPER";
    }();
    return path.c_str();
}

// A headless REAPER has no audio device open, so it knows no attribute.
bool GetAudioDeviceInfo(const char* /*attribute*/, char* descOut, int descOut_sz) {
    enter("GetAudioDeviceInfo");
    if (descOut != nullptr && descOut_sz > 0) descOut[0] = '\0';
    return false;
}

// Native colours are packed as on Windows (and REAPER's Linux builds): red in the low byte.
int ColorToNative(int r, int g, int b) {
    enter("ColorToNative");
    return (r & 0xff) | (g & 0xff) << 8 | (b & 0xff) << 16;
}

void ColorFromNative(int col, int* rOut, int* gOut, int* bOut) {
    enter("ColorFromNative");
    if (rOut != nullptr) *rOut = col & 0xff;
    if (gOut != nullptr) *gOut = col >> 8 & 0xff;
    if (bOut != nullptr) *bOut = col >> 16 & 0xff;
}

bool ValidatePtr(void* pointer, const char* ctypename) {
    Host* host = enter("ValidatePtr", ctypename);
    if (host == nullptr || ctypename == nullptr) return false;
    for (Project* project : host->projects()) {
        if (host->validate(Host::handle(project), pointer, ctypename)) return true;
    }
    return false;
}

bool ValidatePtr2(ReaProject* proj, void* pointer, const char* ctypename) {
    Host* host = enter("ValidatePtr2", ctypename);
    return host != nullptr && ctypename != nullptr && host->validate(proj, pointer, ctypename);
}

}  // namespace reaper

std::span<const HostFunction> misc_functions() {
    static const HostFunction functions[] = {
        QM_SIM_HOST_FUNCTION(GetResourcePath), QM_SIM_HOST_FUNCTION(GetAudioDeviceInfo),
        QM_SIM_HOST_FUNCTION(ColorToNative),   QM_SIM_HOST_FUNCTION(ColorFromNative),
        QM_SIM_HOST_FUNCTION(ValidatePtr),     QM_SIM_HOST_FUNCTION(ValidatePtr2),
    };
    return functions;
}

}  // namespace sim
