// How the index forms of every family find their item. The item form is the handle itself; the
// four index forms below ask the host, and an index that names nothing yields null.
#pragma once

#include <cmath>
#include <type_traits>

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

// A family's own argument is usable when the work can run with it: a pointer (output, buffer,
// text) must point somewhere, and a double must be finite, because REAPER would store a NaN or
// an infinity as the item's value.
template <class T>
constexpr bool usable(T value) {
    if constexpr (std::is_pointer_v<T>) {
        return value != nullptr;
    } else if constexpr (std::is_floating_point_v<T>) {
        return std::isfinite(value);
    } else {
        return true;
    }
}

template <class... A>
constexpr bool all_usable(A... values) {
    return (usable(values) && ...);
}

// The result convention of the index forms: no item, no work, false.
template <class Work, class... Rest>
bool on_item(MediaItem* item, Work work, Rest... rest) {
    return item != nullptr && work(item, rest...);
}

}  // namespace qm_api

#define QM_TAIL(...) __VA_OPT__(, ) __VA_ARGS__

// The four index forms of a family around its shared work: VERB Media PROPERTY,
// VERB SelectedMedia PROPERTY, VERB TrackMedia PROPERTY and VERB SelectedTrackMedia PROPERTY.
// PARAMS is the family's own parameter list in parentheses and ARGS the names in it, in the same
// order; both may be empty. CONTEXT is () or (projID): what the work gets between the item and
// ARGS. Unusable arguments are refused before the host is asked for anything.
#define QM_INDEX_FORMS_IMPL(VERB, PROPERTY, WORK, CONTEXT, PARAMS, ARGS)                        \
    bool VERB##Media##PROPERTY(ReaProject* projID, int itemID QM_TAIL PARAMS) noexcept {        \
        return qm_api::all_usable ARGS && qm_api::on_item(qm_api::project_item(projID, itemID), \
                                                          WORK QM_TAIL CONTEXT QM_TAIL ARGS);   \
    }                                                                                           \
    bool VERB##SelectedMedia##PROPERTY(ReaProject* projID,                                      \
                                       int selectItemID QM_TAIL PARAMS) noexcept {              \
        return qm_api::all_usable ARGS &&                                                       \
               qm_api::on_item(qm_api::selected_item(projID, selectItemID),                     \
                               WORK QM_TAIL CONTEXT QM_TAIL ARGS);                              \
    }                                                                                           \
    bool VERB##TrackMedia##PROPERTY(ReaProject* projID, int trackID,                            \
                                    int trackItemID QM_TAIL PARAMS) noexcept {                  \
        return qm_api::all_usable ARGS &&                                                       \
               qm_api::on_item(qm_api::track_item(projID, trackID, trackItemID),                \
                               WORK QM_TAIL CONTEXT QM_TAIL ARGS);                              \
    }                                                                                           \
    bool VERB##SelectedTrackMedia##PROPERTY(ReaProject* projID, int selectTrackID,              \
                                            int trackItemID QM_TAIL PARAMS) noexcept {          \
        return qm_api::all_usable ARGS &&                                                       \
               qm_api::on_item(qm_api::selected_track_item(projID, selectTrackID, trackItemID), \
                               WORK QM_TAIL CONTEXT QM_TAIL ARGS);                              \
    }

// The four index forms; the work is `bool WORK(MediaItem*, ARGS...)`.
#define QM_INDEX_FORMS(VERB, PROPERTY, WORK, PARAMS, ARGS) \
    QM_INDEX_FORMS_IMPL(VERB, PROPERTY, WORK, (), PARAMS, ARGS)

// The four index forms of a family that needs the project the caller named (a frame rate, a
// target track); the work is `bool WORK(MediaItem*, ReaProject*, ARGS...)`.
#define QM_INDEX_FORMS_IN_PROJECT(VERB, PROPERTY, WORK, PARAMS, ARGS) \
    QM_INDEX_FORMS_IMPL(VERB, PROPERTY, WORK, (projID), PARAMS, ARGS)

// All five forms of a family whose item form is the work on the handle as given, unchecked:
// VERB MediaItem PROPERTY and the four index forms.
#define QM_FIVE_FORMS(VERB, PROPERTY, WORK, PARAMS, ARGS)                     \
    bool VERB##MediaItem##PROPERTY(MediaItem* item QM_TAIL PARAMS) noexcept { \
        return qm_api::all_usable ARGS && WORK(item QM_TAIL ARGS);            \
    }                                                                         \
    QM_INDEX_FORMS(VERB, PROPERTY, WORK, PARAMS, ARGS)

// The same for a family that needs a project: the item form uses the item's own project.
#define QM_FIVE_FORMS_IN_PROJECT(VERB, PROPERTY, WORK, PARAMS, ARGS)                            \
    bool VERB##MediaItem##PROPERTY(MediaItem* item QM_TAIL PARAMS) noexcept {                   \
        return qm_api::all_usable ARGS && WORK(item, GetItemProjectContext(item) QM_TAIL ARGS); \
    }                                                                                           \
    QM_INDEX_FORMS_IN_PROJECT(VERB, PROPERTY, WORK, PARAMS, ARGS)
