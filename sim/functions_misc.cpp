// What scripts ask of REAPER itself: its folder, the audio device, colours, GUIDs and handle
// checks.
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "sim/script_functions.h"

namespace sim {

using script::enter;

namespace script {

std::string normalised_guid(std::string_view text) {
    static constexpr std::string_view shape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    if (text.size() != shape.size()) return "";
    std::string out(text);
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const char c = out[i];
        if (shape[i] != 'X') {
            if (c != shape[i]) return "";
        } else if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return "";
        }
        out[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string guid_text(const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1,
                  g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4],
                  g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

GUID guid_value(std::string_view normalised) {
    GUID g{};
    const auto hex = [&](std::size_t at, std::size_t digits) {
        unsigned long value = 0;
        for (std::size_t i = 0; i < digits && at + i < normalised.size(); ++i) {
            const char c = normalised[at + i];
            value = value * 16 +
                    static_cast<unsigned long>(
                        std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : c - 'A' + 10);
        }
        return value;
    };
    g.Data1 = static_cast<unsigned int>(hex(1, 8));
    g.Data2 = static_cast<unsigned short>(hex(10, 4));
    g.Data3 = static_cast<unsigned short>(hex(15, 4));
    constexpr std::size_t bytes[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (std::size_t i = 0; i < 8; ++i) g.Data4[i] = static_cast<unsigned char>(hex(bytes[i], 2));
    return g;
}

}  // namespace script

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

void genGuid(GUID* g) {
    Host* host = enter("genGuid");
    if (host != nullptr && g != nullptr) *g = script::guid_value(host->fresh_guid());
}

void guidToString(const GUID* g, char* destNeed64) {
    enter("guidToString");
    if (g != nullptr && destNeed64 != nullptr)
        script::copy_out(script::guid_text(*g), destNeed64, 64);
}

}  // namespace reaper

std::span<const HostFunction> misc_functions() {
    static const HostFunction functions[] = {
        QM_SIM_HOST_FUNCTION(GetResourcePath), QM_SIM_HOST_FUNCTION(GetAudioDeviceInfo),
        QM_SIM_HOST_FUNCTION(ColorToNative),   QM_SIM_HOST_FUNCTION(ColorFromNative),
        QM_SIM_HOST_FUNCTION(ValidatePtr),     QM_SIM_HOST_FUNCTION(ValidatePtr2),
        QM_SIM_HOST_FUNCTION(genGuid),         QM_SIM_HOST_FUNCTION(guidToString),
    };
    return functions;
}

}  // namespace sim
