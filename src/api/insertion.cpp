#include <cstdint>
#include <vector>

#include "api/addressing.h"
#include "api/api.h"
#include "api/cursor.h"
#include "script_bridge/wrappers.h"

namespace {

// The first number that is no address: 2^32 where pointers are 4 bytes, 2^64 where they are 8.
constexpr double kPointerLimit = sizeof(void*) == 4 ? 4294967296.0 : 18446744073709551616.0;

// REAPER hands a track's project out as a double holding the pointer; null when it names none
// (or names no address this process could have).
ReaProject* project_of(MediaTrack* track) {
    const double value = GetMediaTrackInfo_Value(track, "P_PROJECT");
    if (!(value >= 1.0 && value < kPointerLimit)) return nullptr;
    return reinterpret_cast<ReaProject*>(static_cast<std::uintptr_t>(value));
}

std::vector<MediaItem*> selected_items(ReaProject* project) {
    int allCount = 0;
    int typeCount = 0;
    GetSelectedMediaTypeCount(project, "", &allCount, &typeCount);
    std::vector<MediaItem*> items;
    if (allCount > 0) items.reserve(static_cast<std::size_t>(allCount));
    for (int i = 0; i < allCount; ++i) items.push_back(GetSelectedMediaItem(project, i));
    return items;
}

std::vector<MediaTrack*> selected_tracks(ReaProject* project) {
    const int count = CountSelectedTracks(project);
    std::vector<MediaTrack*> tracks;
    if (count > 0) tracks.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) tracks.push_back(GetSelectedTrack(project, i));
    return tracks;
}

// InsertMedia names no item, but selects the one it makes: with nothing else selected, that is
// the first selected item. The earlier selection comes back afterwards, the new item with it.
MediaItem* insert_and_find(ReaProject* project, const char* filePath,
                           const std::vector<MediaItem*>& earlier) {
    for (MediaItem* item : earlier) SetMediaItemSelected(item, false);
    InsertMedia(filePath, 0);
    MediaItem* inserted = GetSelectedMediaItem(project, 0);
    for (MediaItem* item : earlier) SetMediaItemSelected(item, true);
    return inserted;
}

// InsertMedia puts the file on the selected track at the edit cursor, so the cursor is moved and
// the track made the only selected one for the call; the track selection is put back, the cursor
// stays. Both selections are recorded before either is changed, so that a list that cannot be
// made leaves them as they were.
template <class MoveCursor>
MediaItem* insert_on_track(MediaTrack* track, const char* filePath,
                           MoveCursor move_cursor) noexcept {
    try {
        ReaProject* project = project_of(track);
        if (project == nullptr || !move_cursor(project)) return nullptr;
        const std::vector<MediaTrack*> tracks = selected_tracks(project);
        const std::vector<MediaItem*> items = selected_items(project);
        SetOnlyTrackSelected(track);
        MediaItem* inserted = insert_and_find(project, filePath, items);
        SetTrackSelected(track, false);
        for (MediaTrack* earlier : tracks) SetTrackSelected(earlier, true);
        return inserted;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

MediaItem* InsertMediaOutItem(ReaProject* projID, const char* filePath) noexcept {
    if (!qm_api::all_usable(filePath)) return nullptr;
    try {
        return insert_and_find(projID, filePath, selected_items(projID));
    } catch (...) {
        return nullptr;  // the selection list could not be made: nothing was changed
    }
}

// A track that is not there has no project: nothing is moved or selected.
MediaItem* InsertMediaTrackItemSecond(MediaTrack* track, const char* filePath, int startEndType,
                                      double setSecond) noexcept {
    if (!qm_api::all_usable(filePath, setSecond)) return nullptr;
    return insert_on_track(track, filePath, [&](ReaProject* project) {
        double position = 0.0;
        return SetPlayCursorPosition(project, startEndType, setSecond, &position);
    });
}

MediaItem* InsertMediaTrackIdSecond(ReaProject* projID, int trackID, const char* filePath,
                                    int startEndType, double setSecond) noexcept {
    if (!qm_api::all_usable(filePath, setSecond)) return nullptr;
    return InsertMediaTrackItemSecond(GetTrack(projID, trackID), filePath, startEndType, setSecond);
}

MediaItem* InsertMediaSelectedTrackIdSecond(ReaProject* projID, int selectTrackID,
                                            const char* filePath, int startEndType,
                                            double setSecond) noexcept {
    if (!qm_api::all_usable(filePath, setSecond)) return nullptr;
    return InsertMediaTrackItemSecond(GetSelectedTrack(projID, selectTrackID), filePath,
                                      startEndType, setSecond);
}

MediaItem* InsertMediaTrackItemFrame(MediaTrack* track, const char* filePath, int startEndType,
                                     int setFrame) noexcept {
    if (!qm_api::all_usable(filePath)) return nullptr;
    return insert_on_track(track, filePath, [&](ReaProject* project) {
        return qm_api::move_cursor_to_frame(project, startEndType, setFrame).has_value();
    });
}

MediaItem* InsertMediaTrackIdFrame(ReaProject* projID, int trackID, const char* filePath,
                                   int startEndType, int setFrame) noexcept {
    if (!qm_api::all_usable(filePath)) return nullptr;
    return InsertMediaTrackItemFrame(GetTrack(projID, trackID), filePath, startEndType, setFrame);
}

MediaItem* InsertMediaSelectedTrackIdFrame(ReaProject* projID, int selectTrackID,
                                           const char* filePath, int startEndType,
                                           int setFrame) noexcept {
    if (!qm_api::all_usable(filePath)) return nullptr;
    return InsertMediaTrackItemFrame(GetSelectedTrack(projID, selectTrackID), filePath,
                                     startEndType, setFrame);
}

QM_DEFINE_WRAPPERS(QM_ROWS_INSERTION)
