// The simulated host: handles looked up and validated, and what a test observes.
#include "sim/host_state.h"

namespace sim {

using namespace detail;

// ---- handles ----

Project* Host::project(ReaProject* p) {
    if (p == nullptr) return state_->current;
    return state_->live_projects.count(p) != 0 ? reinterpret_cast<Project*>(p) : nullptr;
}

Track* Host::track(MediaTrack* t) {
    return state_->live_tracks.count(t) != 0 ? reinterpret_cast<Track*>(t) : nullptr;
}

Item* Host::item(MediaItem* i) {
    return state_->live_items.count(i) != 0 ? reinterpret_cast<Item*>(i) : nullptr;
}

Take* Host::take(MediaItem_Take* t) {
    return state_->live_takes.count(t) != 0 ? reinterpret_cast<Take*>(t) : nullptr;
}

Source* Host::source(PCM_source* s) {
    Source* const* found = state_->live_sources.lookup(s);
    return found != nullptr ? *found : nullptr;
}

bool Host::validate(ReaProject* project_handle, const void* pointer, std::string_view type) {
    Project* owner = project(project_handle);
    if (owner == nullptr || pointer == nullptr) return false;
    void* p = const_cast<void*>(pointer);
    if (type == "ReaProject*") return project(static_cast<ReaProject*>(p)) != nullptr;
    if (type == "MediaTrack*") {
        const Track* t = track(static_cast<MediaTrack*>(p));
        return t != nullptr && t->project == owner;
    }
    if (type == "MediaItem*") {
        const Item* i = item(static_cast<MediaItem*>(p));
        return i != nullptr && i->track->project == owner;
    }
    if (type == "MediaItem_Take*") {
        const Take* t = take(static_cast<MediaItem_Take*>(p));
        return t != nullptr && t->item->track->project == owner;
    }
    if (type == "PCM_source*") {
        // A source no take plays belongs to no project yet; any project may hand it over.
        const Source* s = source(static_cast<PCM_source*>(p));
        return s != nullptr && (s->owner == nullptr || s->owner->item->track->project == owner);
    }
    if (type == "TrackEnvelope*") {
        // Only takes hold envelopes here; they live inside their take, so look for it there.
        for (const Track* t : owner->tracks) {
            for (const Item* i : t->items) {
                for (const Take* k : i->takes) {
                    for (const Envelope& e : k->envelopes) {
                        if (&e == p) return true;
                    }
                }
            }
        }
    }
    return false;
}

// ---- observing ----

int Host::redraw_count() const {
    return state_->redraws;
}

const std::vector<CallRecord>& Host::call_log() const {
    return state_->calls;
}

void Host::clear_call_log() {
    state_->calls.clear();
}

int Host::calls_to(std::string_view function) const {
    return static_cast<int>(
        std::count_if(state_->calls.begin(), state_->calls.end(),
                      [&](const CallRecord& call) { return call.function == function; }));
}

const std::vector<MessageBoxRecord>& Host::message_boxes() const {
    return state_->boxes;
}

const std::vector<std::string>& Host::console() const {
    return state_->console;
}

int Host::sources_created() const {
    return state_->created;
}

int Host::sources_destroyed() const {
    return state_->destroyed;
}

int Host::unowned_sources() const {
    int unowned = 0;
    state_->live_sources.each([&](const Source* source) { unowned += source->owner == nullptr; });
    return unowned;
}

const std::vector<std::string>& Host::misuse() const {
    return state_->misuse;
}

void Host::note_source_created() {
    ++state_->created;
}

std::string Host::dump(const Project* project) const {
    if (project == nullptr) project = state_->current;
    if (state_->live_projects.count(project) == 0) return "";
    std::string out;
    out += "project " + quote_text(project->name) + "\n";
    out += "frame_rate " + number(project->frame_rate) + " drop_frame " +
           (project->drop_frame ? "1" : "0") + "\n";
    out += "cursor " + number(project->cursor) + "\n";
    out += "play_state " + std::to_string(project->play_state) + " play_position " +
           number(project->play_position) + "\n";
    int track_number = 0;
    for (const Track* track : project->tracks) {
        out += "track " + std::to_string(++track_number) + " " + quote_text(track->name) +
               " selected " + (track->selected ? "1" : "0") + "\n";
        int item_number = 0;
        for (const Item* item : track->items) {
            out += "  item " + std::to_string(++item_number) + "\n";
            for (std::string_view name : kItemParameters) {
                out += "    " + std::string(name) + " " + number(param(item->params, name)) + "\n";
            }
            for (std::size_t t = 0; t < item->takes.size(); ++t) {
                const Take* take = item->takes[t];
                const bool active = static_cast<int>(t) == item->active_take;
                out += "    take " + std::to_string(t + 1) + " " + quote_text(take->name) +
                       " active " + (active ? "1" : "0") + "\n";
                for (std::string_view name : kTakeParameters) {
                    out += "      " + std::string(name) + " " + number(param(take->params, name)) +
                           "\n";
                }
                Source* source = take->source;
                if (source == nullptr) {
                    out += "      source none\n";
                    continue;
                }
                const SourceSpec& media = source->media;
                out += "      source " + quote_text(media.type) + " file " +
                       quote_text(media.file) + " sample_rate " +
                       std::to_string(media.sample_rate) + " channels " +
                       std::to_string(media.channels) + " bit_depth " +
                       std::to_string(media.bit_depth) + " length " + number(media.length) +
                       " available " + (source->IsAvailable() ? "1" : "0") + " generation " +
                       std::to_string(source->generation) + "\n";
            }
        }
    }
    return out;
}

}  // namespace sim
