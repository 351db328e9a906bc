// The simulated host: the calls that edit a project (items, takes, sources, media) and record
// what the extension did.
#include "sim/host_state.h"

#include <filesystem>

namespace sim {

using namespace detail;

// ---- host functions ----

void Host::record_call(std::string_view function, std::string_view detail) {
    state_->calls.push_back(CallRecord{std::string(function), std::string(detail)});
}

void Host::redraw() {
    ++state_->redraws;
}

bool Host::message_box_answer_queued() const {
    return !state_->answers.empty();
}

void Host::record_message_box(const char* msg, const char* title, int type) {
    state_->boxes.push_back(
        MessageBoxRecord{msg != nullptr ? msg : "", title != nullptr ? title : "", type});
}

int Host::show_message_box(const char* msg, const char* title, int type) {
    record_message_box(msg, title, type);
    if (state_->answers.empty()) return 7;
    const int answer = state_->answers.front();
    state_->answers.pop_front();
    return answer;
}

void Host::console_message(const char* msg) {
    if (msg == nullptr) return;
    state_->console.emplace_back(msg);
    std::fputs(msg, stdout);
    std::fflush(stdout);
}

void Host::destroy_source(PCM_source* src) {
    if (src == nullptr) return;
    Source* victim = source(src);
    if (victim == nullptr) {
        // REAPER would free it a second time, or free something that is not a source.
        state_->misuse.push_back("PCM_Source_Destroy: not a live source (destroyed twice?)");
        return;
    }
    if (victim->owner != nullptr) {
        state_->misuse.push_back("PCM_Source_Destroy: the source is still played by take " +
                                 quote_text(victim->owner->name));
        victim->owner->source = nullptr;
        victim->owner = nullptr;
    }
    state_->kill_source(victim);
}

int Host::insert_media(const char* file, int mode) {
    if (file == nullptr) return 0;
    if (mode != 0 && mode != 1) {
        state_->misuse.push_back("InsertMedia: mode " + std::to_string(mode) + " is not simulated");
        return 0;
    }
    std::optional<SourceSpec> media;
    if (auto registered = state_->media_files.find(std::string_view(file));
        registered != state_->media_files.end()) {
        media = registered->second;
    } else {
        media = read_media_file(file);
    }
    if (!media) return 0;

    Project* project = state_->current;
    Track* destination = nullptr;
    if (mode == 1) {
        destination = add_track(project);
    } else {
        auto selected = std::find_if(project->tracks.begin(), project->tracks.end(),
                                     [](const Track* track) { return track->selected; });
        if (selected != project->tracks.end()) {
            destination = *selected;
        } else if (!project->tracks.empty()) {
            destination = project->tracks.front();
        } else {
            destination = add_track(project);
        }
    }

    ItemSpec placed;
    placed.position = project->cursor;
    placed.length = media->length;
    placed.selected = true;
    Item* item = add_item(destination, placed);
    TakeSpec playing;
    playing.name = std::filesystem::path(file).filename().string();
    playing.source = std::move(media);
    add_take(item, playing);
    ++state_->created;
    return 1;
}

void Host::delete_item(Item* item) {
    if (state_->live_items.count(item) == 0) return;
    auto& siblings = item->track->items;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), item), siblings.end());
    state_->destroyed += state_->forget_item(item);
}

void Host::delete_take(Take* take) {
    if (state_->live_takes.count(take) == 0) return;
    Item* item = take->item;
    auto& takes = item->takes;
    const auto at = std::find(takes.begin(), takes.end(), take);
    if (at == takes.end()) return;
    const auto index = static_cast<int>(at - takes.begin());
    takes.erase(at);
    if (item->active_take > index) {
        --item->active_take;
    } else if (item->active_take == index) {
        item->active_take = 0;
    }
    if (take->source != nullptr && state_->live_sources.erase(address(take->source)) != 0) {
        ++state_->destroyed;
    }
    state_->live_takes.erase(take);
}

void Host::move_item(Item* item, Track* destination) {
    if (state_->live_items.count(item) == 0 || state_->live_tracks.count(destination) == 0) return;
    auto& siblings = item->track->items;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), item), siblings.end());
    destination->items.push_back(item);
    item->track = destination;
}

void Host::record_misuse(std::string text) {
    state_->misuse.push_back(std::move(text));
}

bool Host::parameter_write_fails(std::string_view parmname) const {
    return state_->failing_writes.count(parmname) != 0;
}

}  // namespace sim
