#include "api/addressing.h"
#include "api/api.h"
#include "script_bridge/wrappers.h"

namespace {
constexpr int kAllItems = 0;
constexpr int kSelected = 1;
}  // namespace

MediaItem* GetMediaItemSelect(ReaProject* projID, int itemID, int mediaTypeID) noexcept {
    switch (mediaTypeID) {
        case kAllItems:
            return qm_api::project_item(projID, itemID);
        case kSelected:
            return qm_api::selected_item(projID, itemID);
        default:
            return nullptr;
    }
}

// Here "selected" picks the track; itemID always counts every item on it.
MediaItem* GetMediaTrackItemSelect(ReaProject* projID, int trackID, int itemID,
                                   int mediaTypeID) noexcept {
    switch (mediaTypeID) {
        case kAllItems:
            return qm_api::track_item(projID, trackID, itemID);
        case kSelected:
            return qm_api::selected_track_item(projID, trackID, itemID);
        default:
            return nullptr;
    }
}

QM_DEFINE_WRAPPERS(QM_ROWS_LOOKUP)
