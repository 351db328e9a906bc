#include <vector>

#include "api/addressing.h"
#include "api/api.h"
#include "script_bridge/wrappers.h"

namespace {

// The item leaves its own track, whichever way it was found.
bool delete_item(MediaItem* item) {
    const bool deleted = DeleteTrackMediaItem(GetMediaItem_Track(item), item);
    UpdateArrange();
    return deleted;
}

struct Doomed {
    MediaTrack* track;
    MediaItem* item;
};

// Every handle is recorded before the first deletion, since deleting renumbers what is left,
// and the last recorded item goes first. False for an empty set and when any deletion was
// refused; the rest are still attempted, and the view is redrawn once.
template <class Count, class Record>
bool delete_all(Count count, Record record) noexcept {
    try {
        const int n = count();
        if (n <= 0) return false;
        std::vector<Doomed> doomed;
        doomed.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) doomed.push_back(record(i));
        bool all_deleted = true;
        for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
            all_deleted = DeleteTrackMediaItem(it->track, it->item) && all_deleted;
        }
        UpdateArrange();
        return all_deleted;
    } catch (...) {
        return false;  // the list could not be made: nothing was deleted
    }
}

bool delete_all_on_track(MediaTrack* track) noexcept {
    return delete_all([&] { return CountTrackMediaItems(track); },
                      [&](int i) {
                          return Doomed{track, GetTrackMediaItem(track, i)};
                      });
}

bool select_item(MediaItem* item, bool selectType) {
    SetMediaItemSelected(item, selectType);
    UpdateArrange();
    return true;
}

// A target index that names no track is refused before REAPER is asked to move anything.
bool move_item(MediaItem* item, ReaProject* project, int moveTrackID) {
    MediaTrack* target = GetTrack(project, moveTrackID);
    if (target == nullptr || !MoveMediaItemToTrack(item, target)) return false;
    UpdateArrange();
    return true;
}

}  // namespace

QM_FIVE_FORMS(Delete, , delete_item, (), ())

bool DeleteAllMedia(ReaProject* projID) noexcept {
    return delete_all([&] { return CountMediaItems(projID); },
                      [&](int i) {
                          MediaItem* item = GetMediaItem(projID, i);
                          return Doomed{GetMediaItem_Track(item), item};
                      });
}

bool DeleteAllSelectedMedia(ReaProject* projID) noexcept {
    return delete_all([&] { return CountSelectedMediaItems(projID); },
                      [&](int i) {
                          MediaItem* item = GetSelectedMediaItem(projID, i);
                          return Doomed{GetMediaItem_Track(item), item};
                      });
}

bool DeleteAllTrackMedia(ReaProject* projID, int trackID) noexcept {
    return delete_all_on_track(GetTrack(projID, trackID));
}

bool DeleteAllSelectedTrackMedia(ReaProject* projID, int selectTrackID) noexcept {
    return delete_all_on_track(GetSelectedTrack(projID, selectTrackID));
}

bool SetMediaSelected(ReaProject* projID, int itemID, bool selectType) noexcept {
    return qm_api::on_item(qm_api::project_item(projID, itemID), select_item, selectType);
}

bool SetTrackMediaSelected(ReaProject* projID, int trackID, int trackItemID,
                           bool selectType) noexcept {
    return qm_api::on_item(qm_api::track_item(projID, trackID, trackItemID), select_item,
                           selectType);
}

// One item at a time, each redrawn as SetMediaSelected does.
bool SetAllMediaSelected(ReaProject* projID, bool selectType) noexcept {
    int allCount = 0;
    int typeCount = 0;
    GetMediaTypeCount(projID, "", &allCount, &typeCount);
    for (int i = 0; i < allCount; ++i) SetMediaSelected(projID, i, selectType);
    return true;
}

QM_FIVE_FORMS_IN_PROJECT(Set, MoveToTrack, move_item, (int moveTrackID), (moveTrackID))

QM_DEFINE_WRAPPERS(QM_ROWS_EDITING)
