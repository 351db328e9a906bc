// Actions that edit items and takes: removing, muting, moving, splitting, grouping, copying and
// pasting, healing, stretch markers, media on- and offline.
#include <algorithm>
#include <cmath>
#include <limits>

#include "actions.h"

namespace reaper_sim::actions {

namespace {

template <bool Toggle, bool Value>
bool set_mute(Context& c) {
    for (sim::Item* item : items_of(c.project, true)) {
        const double mute = Toggle ? (item->params["B_MUTE"] != 0.0 ? 0.0 : 1.0) : (Value ? 1 : 0);
        item->params["B_MUTE"] = mute;
        item->params["B_MUTE_ACTUAL"] = mute;
    }
    return true;
}

// Takes other than the active one (crop), or the active one (delete), of each selected item.
template <bool KeepActive>
bool remove_takes(Context& c) {
    for (sim::Item* item : items_of(c.project, true)) {
        const auto takes = item->takes;
        const int active = item->active_take;
        for (std::size_t i = 0; i < takes.size(); ++i) {
            if ((static_cast<int>(i) == active) != KeepActive) c.host.delete_take(takes[i]);
        }
    }
    return true;
}

// Each selected item moves to the track above (-1) or below (+1), if there is one.
template <int Direction>
bool move_items_one_track(Context& c) {
    for (sim::Item* item : items_of(c.project, true)) {
        const int to = index_of(c.project, item->track) + Direction;
        if (to >= 0 && to < static_cast<int>(c.project.tracks.size())) {
            c.host.move_item(item, c.project.tracks[static_cast<std::size_t>(to)]);
        }
    }
    return true;
}

}  // namespace

bool toggle_mute_items(Context& c) {
    return set_mute<true, false>(c);
}
bool mute_items(Context& c) {
    return set_mute<false, true>(c);
}
bool crop_to_active_take(Context& c) {
    return remove_takes<true>(c);
}
bool delete_active_take(Context& c) {
    return remove_takes<false>(c);
}
bool move_items_down(Context& c) {
    return move_items_one_track<1>(c);
}
bool move_items_up(Context& c) {
    return move_items_one_track<-1>(c);
}

bool remove_items(Context& c) {
    for (sim::Item* item : items_of(c.project, true)) c.host.delete_item(item);
    return true;
}

// Overlapping selected items on a track fade into each other over the overlap.
bool crossfade_overlaps(Context& c) {
    for (sim::Track* track : c.project.tracks) {
        std::vector<sim::Item*> selected;
        for (sim::Item* item : track->items) {
            if (item->selected()) selected.push_back(item);
        }
        std::sort(selected.begin(), selected.end(),
                  [](const sim::Item* a, const sim::Item* b) { return start_of(a) < start_of(b); });
        for (std::size_t i = 0; i + 1 < selected.size(); ++i) {
            sim::Item* first = selected[i];
            sim::Item* second = selected[i + 1];
            const double overlap = std::min(end_of(first), end_of(second)) - start_of(second);
            if (overlap <= 0.0) continue;
            first->params["D_FADEOUTLEN"] = overlap;
            second->params["D_FADEINLEN"] = overlap;
        }
    }
    return true;
}

bool split_at_cursor(Context& c) {
    using Fn = MediaItem*(MediaItem*, double);
    Fn* split = host_fn<Fn>("SplitMediaItem");
    if (split == nullptr) return false;
    for (sim::Item* item : items_of(c.project, true))
        split(sim::Host::handle(item), c.project.cursor);
    return true;
}

bool split_at_time_selection(Context& c) {
    using Fn = MediaItem*(MediaItem*, double);
    Fn* split = host_fn<Fn>("SplitMediaItem");
    if (split == nullptr) return false;
    const sim::TimeRange range = c.project.time_selection;
    if (range.end <= range.start) return true;
    for (sim::Item* item : items_of(c.project, true)) {
        MediaItem* right = split(sim::Host::handle(item), range.start);
        sim::Item* middle = right != nullptr ? c.host.item(right) : item;
        split(sim::Host::handle(middle), range.end);
    }
    return true;
}

bool group_items(Context& c) {
    const auto selected = items_of(c.project, true);
    if (selected.size() < 2) return true;
    int next = 0;
    for (const sim::Item* item : items_of(c.project, false)) next = std::max(next, item->group);
    for (sim::Item* item : selected) item->group = next + 1;
    return true;
}

bool ungroup_items(Context& c) {
    for (sim::Item* item : items_of(c.project, true)) item->group = 0;
    return true;
}

// ---- copy and paste ----

// The clipboard holds copies made at copy time (the originals may be gone by the paste), kept
// live but on no track's list: nothing shows or saves them.
bool copy_items(Context& c) {
    const auto selected = items_of(c.project, true);
    if (selected.empty()) return true;
    const int first_track = index_of(c.project, selected.front()->track);
    c.session.clipboard.clear();
    for (const sim::Item* item : selected) {
        sim::Item* copy = c.host.copy_item(item, item->track);
        if (copy == nullptr) continue;
        auto& items = copy->track->items;
        items.erase(std::remove(items.begin(), items.end(), copy), items.end());
        c.session.clipboard.emplace_back(index_of(c.project, item->track) - first_track, copy);
    }
    return true;
}

// At the edit cursor, the first track the last-touched one; the pasted items are selected.
bool paste_items(Context& c) {
    if (c.session.clipboard.empty() || c.project.tracks.empty()) return true;
    const sim::Track* touched = touched_track(c);
    const int base = touched != nullptr ? index_of(c.project, touched) : 0;
    double origin = std::numeric_limits<double>::infinity();
    for (const auto& [offset, copied] : c.session.clipboard) {
        origin = std::min(origin, start_of(copied));
    }
    unselect_all_items(c);
    for (const auto& [offset, copied] : c.session.clipboard) {
        const int to = base + offset;
        if (to < 0 || to >= static_cast<int>(c.project.tracks.size())) continue;
        sim::Item* pasted =
            c.host.copy_item(copied, c.project.tracks[static_cast<std::size_t>(to)]);
        if (pasted == nullptr) continue;
        pasted->params["D_POSITION"] = c.project.cursor + start_of(copied) - origin;
        c.host.set_item_selected(pasted, true);
    }
    return true;
}

namespace {

// Whether `right` continues `left` where a split left off: touching, and every take playing on in
// the same source at the same rate.
bool continues(const sim::Item* left, const sim::Item* right) {
    constexpr double kTolerance = 1e-9;
    const double length = left->params.at("D_LENGTH");
    if (std::abs(end_of(left) - start_of(right)) > kTolerance ||
        left->takes.size() != right->takes.size() || left->takes.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < left->takes.size(); ++i) {
        const sim::Take* a = left->takes[i];
        const sim::Take* b = right->takes[i];
        if (a->source == nullptr || b->source == nullptr ||
            a->source->media.file != b->source->media.file ||
            a->source->media.type != b->source->media.type) {
            return false;
        }
        const double rate = a->params.at("D_PLAYRATE");
        if (rate != b->params.at("D_PLAYRATE") ||
            std::abs(a->params.at("D_STARTOFFS") + length * rate - b->params.at("D_STARTOFFS")) >
                kTolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace

// Selected neighbours on a track that were split from one item become that item again.
bool heal_splits(Context& c) {
    for (sim::Track* track : c.project.tracks) {
        std::vector<sim::Item*> selected;
        for (sim::Item* item : track->items) {
            if (item->selected()) selected.push_back(item);
        }
        std::stable_sort(
            selected.begin(), selected.end(),
            [](const sim::Item* a, const sim::Item* b) { return start_of(a) < start_of(b); });
        sim::Item* left = nullptr;
        for (sim::Item* right : selected) {
            if (left == nullptr || !continues(left, right)) {
                left = right;
                continue;
            }
            left->params["D_LENGTH"] += right->params.at("D_LENGTH");
            left->params["D_FADEOUTLEN"] = right->params.at("D_FADEOUTLEN");
            left->params["C_FADEOUTSHAPE"] = right->params.at("C_FADEOUTSHAPE");
            c.host.delete_item(right);
        }
    }
    return true;
}

bool remove_stretch_markers(Context& c) {
    for (sim::Item* item : items_of(c.project, true)) {
        const auto active = static_cast<std::size_t>(item->active_take);
        if (active < item->takes.size()) item->takes[active]->stretch_markers.clear();
    }
    return true;
}

// On the active take of each selected item under the edit cursor, where the cursor is.
bool add_stretch_marker_at_cursor(Context& c) {
    using Fn = int(MediaItem_Take*, int, double, const double*);
    Fn* add = host_fn<Fn>("SetTakeStretchMarker");
    if (add == nullptr) return false;
    const double at = c.project.cursor;
    for (sim::Item* item : items_of(c.project, true)) {
        const auto active = static_cast<std::size_t>(item->active_take);
        if (at < start_of(item) || at > end_of(item) || active >= item->takes.size()) continue;
        sim::Take* take = item->takes[active];
        if (take != nullptr && !take->empty)
            add(sim::Host::handle(take), -1, at - start_of(item), nullptr);
    }
    return true;
}

// Every file the project's takes play is closed (offline), and opened again by the online
// action; what was offline before stays so, and sources inside the project (MIDI) are no files.
bool media_offline(Context& c) {
    for (sim::Item* item : items_of(c.project, false)) {
        for (sim::Take* take : item->takes) {
            sim::Source* source = take != nullptr ? take->source : nullptr;
            if (source == nullptr || source->media.file.empty() || !source->IsAvailable()) continue;
            source->SetAvailable(false);
            c.session.closed_media.insert(source);
        }
    }
    return true;
}

bool media_online(Context& c) {
    for (sim::Item* item : items_of(c.project, false)) {
        for (sim::Take* take : item->takes) {
            sim::Source* source = take != nullptr ? take->source : nullptr;
            if (source != nullptr && c.session.closed_media.erase(source) != 0) {
                source->SetAvailable(true);
            }
        }
    }
    return true;
}

}  // namespace reaper_sim::actions
