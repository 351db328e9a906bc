#include <algorithm>
#include <cstring>

#include "api/addressing.h"
#include "api/api.h"
#include "api/name_strip.h"
#include "script_bridge/wrappers.h"
#include "utility/utility.h"

namespace qm_api {

namespace {

// The next `c` in [from, end), or end; memchr keeps the scan at memory speed on long names.
const char* next(const char* from, const char* end, char c) {
    const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return found != nullptr ? static_cast<const char*>(found) : end;
}

}  // namespace

void copy_stripped_name(const char* name, char* destination, int size) {
    qm_utility::BoundedCopy copy(destination, size);
    const char* line = name;
    const char* const end = name + std::strlen(name);
    // A line ends at \n or \r, as ECMAScript's "." crosses neither. Each terminator is looked
    // for again only once passed, so many short lines stay linear too.
    const char* newline = next(line, end, '\n');
    const char* carriage = next(line, end, '\r');
    while (line < end) {
        if (newline < line) newline = next(line, end, '\n');
        if (carriage < line) carriage = next(line, end, '\r');
        const char* line_end = std::min(newline, carriage);
        const char* dot = next(line, line_end, '.');
        // A full stop with nothing after it on its line stays.
        if (line_end - dot <= 1) dot = line_end;
        copy.append(std::string_view(line, static_cast<std::size_t>(dot - line)));
        if (line_end == end) break;
        copy.append(std::string_view(line_end, 1));
        line = line_end + 1;
    }
    copy.finish();
}

}  // namespace qm_api

namespace {

// The active take is not checked: the host answers no name for a missing one.
bool read_name(MediaItem* item, char* nameOut, int nameOut_sz) {
    const char* name = GetTakeName(GetActiveTake(item));
    if (name == nullptr) return false;
    qm_api::copy_stripped_name(name, nameOut, nameOut_sz);
    return true;
}

bool read_mute(MediaItem* item, bool* muteTypeOut) {
    // NaN is not 0.0 either, so it reads as muted.
    *muteTypeOut = GetMediaItemInfo_Value(item, "B_MUTE") != 0.0;
    return true;
}

bool write_mute(MediaItem* item, bool setType) {
    const bool ok = SetMediaItemInfo_Value(item, "B_MUTE", setType ? 1.0 : 0.0);
    UpdateArrange();
    return ok;
}

}  // namespace

QM_FIVE_FORMS(Get, Name, read_name, (char* nameOut, int nameOut_sz), (nameOut, nameOut_sz))

bool SetMediaItemName(MediaItem* item, const char* setName) noexcept {
    if (setName == nullptr) return false;
    char name[1024];
    qm_utility::strcpy(name, sizeof name, setName);
    return GetSetMediaItemTakeInfo_String(GetActiveTake(item), "P_NAME", name, true);
}
QM_INDEX_FORMS(Set, Name, SetMediaItemName, (const char* setName), (setName))

QM_FIVE_FORMS(Get, Mute, read_mute, (bool* muteTypeOut), (muteTypeOut))
QM_FIVE_FORMS(Set, Mute, write_mute, (bool setType), (setType))

QM_DEFINE_WRAPPERS(QM_ROWS_NAME_MUTE)
