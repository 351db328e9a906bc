// How the index forms of every family find their item. The item form is the handle itself; the
// four index forms below ask the host, and an index that names nothing yields null.
#pragma once

#include "entry/host_api.h"

namespace qm_api {

inline MediaItem* project_item(ReaProject* projID, int itemID) {
    return GetMediaItem(projID, itemID);
}

inline MediaItem* selected_item(ReaProject* projID, int selectItemID) {
    return GetSelectedMediaItem(projID, selectItemID);
}

// A missing track is not checked here: the host answers no item for it.
inline MediaItem* track_item(ReaProject* projID, int trackID, int trackItemID) {
    return GetTrackMediaItem(GetTrack(projID, trackID), trackItemID);
}

inline MediaItem* selected_track_item(ReaProject* projID, int selectTrackID, int trackItemID) {
    return GetTrackMediaItem(GetSelectedTrack(projID, selectTrackID), trackItemID);
}

// The result convention of the index forms: no item, no work, false.
template <class Work, class... Rest>
bool on_item(MediaItem* item, Work work, Rest... rest) {
    return item != nullptr && work(item, rest...);
}

}  // namespace qm_api

#define QM_TAIL(...) __VA_OPT__(, ) __VA_ARGS__

// Defines the four index forms of a family from its shared work `bool WORK(MediaItem*, ...)`:
// VERB Media PROPERTY, VERB SelectedMedia PROPERTY, VERB TrackMedia PROPERTY and
// VERB SelectedTrackMedia PROPERTY. PARAMS is the family's own parameter list in parentheses and
// ARGS the names in it, in the same order; both may be empty.
#define QM_INDEX_FORMS(VERB, PROPERTY, WORK, PARAMS, ARGS)                                      \
    bool VERB##Media##PROPERTY(ReaProject* projID, int itemID QM_TAIL PARAMS) noexcept {        \
        return qm_api::on_item(qm_api::project_item(projID, itemID), WORK QM_TAIL ARGS);        \
    }                                                                                           \
    bool VERB##SelectedMedia##PROPERTY(ReaProject* projID,                                      \
                                       int selectItemID QM_TAIL PARAMS) noexcept {              \
        return qm_api::on_item(qm_api::selected_item(projID, selectItemID), WORK QM_TAIL ARGS); \
    }                                                                                           \
    bool VERB##TrackMedia##PROPERTY(ReaProject* projID, int trackID,                            \
                                    int trackItemID QM_TAIL PARAMS) noexcept {                  \
        return qm_api::on_item(qm_api::track_item(projID, trackID, trackItemID),                \
                               WORK QM_TAIL ARGS);                                              \
    }                                                                                           \
    bool VERB##SelectedTrackMedia##PROPERTY(ReaProject* projID, int selectTrackID,              \
                                            int trackItemID QM_TAIL PARAMS) noexcept {          \
        return qm_api::on_item(qm_api::selected_track_item(projID, selectTrackID, trackItemID), \
                               WORK QM_TAIL ARGS);                                              \
    }
