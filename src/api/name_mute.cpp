#include "api/addressing.h"
#include "api/api.h"
#include "api/name_strip.h"
#include "utility/utility.h"

namespace qm_api {

void copy_stripped_name(const char* name, char* destination, int size) {
    qm_utility::BoundedCopy copy(destination, size);
    std::string_view rest(name);
    while (!rest.empty()) {
        // A line ends at \n or \r, as ECMAScript's "." does not cross either.
        const std::size_t end = std::min(rest.find_first_of("\n\r"), rest.size());
        const std::string_view line = rest.substr(0, end);
        const std::size_t dot = line.find('.');
        copy.append(dot != std::string_view::npos && dot + 1 < line.size() ? line.substr(0, dot)
                                                                           : line);
        copy.append(rest.substr(end, 1));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    copy.finish();
}

}  // namespace qm_api

namespace {

// The name families find their take without checking the item: a missing item has no take, and
// the host answers no name for it.
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
