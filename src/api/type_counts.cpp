#include "api/addressing.h"
#include "api/api.h"
#include "script_bridge/wrappers.h"
#include "utility/utility.h"

namespace {

// A request for "WAV" also counts REAPER's "WAVE" sources; the other way round it does not.
bool type_matches(const char* requested, const char* type) {
    return qm_utility::Stricmp(requested, type) ||
           (qm_utility::Stricmp(type, "WAVE") && qm_utility::Stricmp(requested, "WAV"));
}

// Walks one scope: `count()` items, the i-th from `item(i)`. The scope is counted twice, as
// REAPER's answer may differ between the calls; the second answer is the one walked.
template <class Count, class Item>
bool count_types(const char* mediaType, int* allCountOut, int* typeCountOut, Count count,
                 Item item) {
    *allCountOut = count();
    const bool everything = mediaType[0] == '\0';
    const int n = count();
    int matches = 0;
    if (everything) {
        matches = n;
    } else {
        for (int i = 0; i < n; ++i) {
            // Cleared each time: a missing take or source must read as no type, never as the
            // type of the item before it.
            char type[1024] = "";
            GetMediaSourceType(GetMediaItemTake_Source(GetActiveTake(item(i))), type, sizeof type);
            type[sizeof type - 1] = '\0';
            if (type_matches(mediaType, type)) ++matches;
        }
    }
    *typeCountOut = matches;
    return true;
}

bool count_on_track(MediaTrack* track, const char* mediaType, int* allCountOut, int* typeCountOut) {
    return count_types(
        mediaType, allCountOut, typeCountOut, [&] { return CountTrackMediaItems(track); },
        [&](int i) { return GetTrackMediaItem(track, i); });
}

}  // namespace

bool GetMediaTypeCount(ReaProject* projID, const char* mediaType, int* allCountOut,
                       int* typeCountOut) noexcept {
    return qm_api::all_usable(mediaType, allCountOut, typeCountOut) &&
           count_types(
               mediaType, allCountOut, typeCountOut, [&] { return CountMediaItems(projID); },
               [&](int i) { return GetMediaItem(projID, i); });
}

bool GetSelectedMediaTypeCount(ReaProject* projID, const char* mediaType, int* allCountOut,
                               int* typeCountOut) noexcept {
    return qm_api::all_usable(mediaType, allCountOut, typeCountOut) &&
           count_types(
               mediaType, allCountOut, typeCountOut,
               [&] { return CountSelectedMediaItems(projID); },
               [&](int i) { return GetSelectedMediaItem(projID, i); });
}

// A track that is not there is not checked: REAPER counts no items on it.
bool GetTrackItemMediaTypeCount(MediaTrack* track, const char* mediaType, int* allCountOut,
                                int* typeCountOut) noexcept {
    return qm_api::all_usable(mediaType, allCountOut, typeCountOut) &&
           count_on_track(track, mediaType, allCountOut, typeCountOut);
}

bool GetTrackMediaTypeCount(ReaProject* projID, int trackID, const char* mediaType,
                            int* allCountOut, int* typeCountOut) noexcept {
    return qm_api::all_usable(mediaType, allCountOut, typeCountOut) &&
           count_on_track(GetTrack(projID, trackID), mediaType, allCountOut, typeCountOut);
}

bool GetSelectedTrackMediaTypeCount(ReaProject* projID, int selectTrackID, const char* mediaType,
                                    int* allCountOut, int* typeCountOut) noexcept {
    return qm_api::all_usable(mediaType, allCountOut, typeCountOut) &&
           count_on_track(GetSelectedTrack(projID, selectTrackID), mediaType, allCountOut,
                          typeCountOut);
}

QM_DEFINE_WRAPPERS(QM_ROWS_TYPE_COUNTS)
