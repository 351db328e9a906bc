// The simulated host: building a session and the answers a test scripts.
#include "sim/host_state.h"

#include <filesystem>

namespace sim {

using namespace detail;

bool Item::selected() const {
    return param(params, "B_UISEL") != 0.0;
}

double Project::end() const {
    double end = 0.0;
    for (const Track* track : tracks) {
        for (const Item* item : track->items) {
            end =
                std::max(end, param(item->params, "D_POSITION") + param(item->params, "D_LENGTH"));
        }
    }
    return end;
}

Host::Host() : state_(std::make_unique<State>()) {
    state_->current = add_project();
    activate();
}

Host::~Host() {
    detail::release_record_slot(state_->slot);
    if (active_ == this) active_ = nullptr;
}

void Host::activate() {
    active_ = this;
}

// ---- building a session ----

Project* Host::current_project() {
    return state_->current;
}

Project* Host::add_project(std::string name) {
    auto& project = state_->project_store.emplace_back(std::make_unique<Project>());
    project->name = std::move(name);
    state_->live_projects.insert(project.get());
    state_->projects.push_back(project.get());
    return project.get();
}

void Host::set_current_project(Project* project) {
    if (state_->live_projects.count(project) != 0) state_->current = project;
}

const std::vector<Project*>& Host::projects() const {
    return state_->projects;
}

Track* Host::add_track(Project* project, std::string name, bool selected) {
    if (project == nullptr) project = state_->current;
    if (state_->live_projects.count(project) == 0) return nullptr;
    auto& track = state_->track_store.emplace_back(std::make_unique<Track>());
    track->project = project;
    track->name = std::move(name);
    track->selected = selected;
    state_->live_tracks.insert(track.get());
    project->tracks.push_back(track.get());
    return track.get();
}

void Host::reserve(std::size_t items, std::size_t takes, std::size_t sources) {
    State& s = *state_;
    s.item_store.reserve(s.item_store.size() + items);
    s.take_store.reserve(s.take_store.size() + takes);
    s.source_store.reserve(s.source_store.size() + sources);
    // The stores never shrink: what they hold is how many each table may have to answer for.
    s.live_items.reserve(s.item_store.capacity());
    s.live_takes.reserve(s.take_store.capacity());
    s.live_sources.reserve(s.source_store.capacity());
}

Item* Host::add_item(Track* track, ItemSpec wanted) {
    if (state_->live_tracks.count(track) == 0) return nullptr;
    auto& item = state_->item_store.emplace_back(std::make_unique<Item>());
    item->track = track;
    state_->live_items.insert(item.get());
    track->items.push_back(item.get());
    fill_item(item.get(), std::move(wanted));
    return item.get();
}

void Host::fill_item(Item* item, ItemSpec wanted) {
    using P = Parameters<kItemParameters>;
    P& p = item->params;
    p.value(P::slot("D_POSITION")) = wanted.position;
    p.value(P::slot("D_LENGTH")) = wanted.length;
    p.value(P::slot("D_FADEINLEN")) = wanted.fade_in;
    p.value(P::slot("D_FADEOUTLEN")) = wanted.fade_out;
    p.value(P::slot("C_FADEINSHAPE")) = wanted.fade_in_shape;
    p.value(P::slot("C_FADEOUTSHAPE")) = wanted.fade_out_shape;
    p.value(P::slot("B_MUTE")) = wanted.mute ? 1.0 : 0.0;
    p.value(P::slot("B_MUTE_ACTUAL")) = wanted.mute ? 1.0 : 0.0;
    p.value(P::slot("B_LOOPSRC")) = wanted.loop ? 1.0 : 0.0;
    p.value(P::slot("C_LOCK")) = wanted.lock;
    p.value(P::slot("D_VOL")) = wanted.vol;
    p.value(P::slot("B_UISEL")) = wanted.selected ? 1.0 : 0.0;
    item->snap_offset = wanted.snap_offset;
    item->group = wanted.group;
    item->color = wanted.color;
    item->notes = std::move(wanted.notes);
    item->guid = wanted.guid.empty() ? fresh_guid() : std::move(wanted.guid);
    for (TakeSpec& take : wanted.takes) attach_take(item, std::move(take));
    item->active_take = wanted.active_take;
}

Take* Host::add_take(Item* item, TakeSpec wanted) {
    if (state_->live_items.count(item) == 0) return nullptr;
    return attach_take(item, std::move(wanted));
}

Take* Host::attach_take(Item* item, TakeSpec wanted) {
    auto& take = state_->take_store.emplace_back(std::make_unique<Take>());
    take->item = item;
    take->name = std::move(wanted.name);
    using P = Parameters<kTakeParameters>;
    P& p = take->params;
    p.value(P::slot("D_STARTOFFS")) = wanted.start_offset;
    p.value(P::slot("D_VOL")) = wanted.vol;
    p.value(P::slot("D_PAN")) = wanted.pan;
    p.value(P::slot("D_PLAYRATE")) = wanted.rate;
    p.value(P::slot("D_PITCH")) = wanted.pitch;
    p.value(P::slot("B_PPITCH")) = wanted.preserve_pitch ? 1.0 : 0.0;
    p.value(P::slot("I_CHANMODE")) = wanted.chan_mode;
    p.value(P::slot("I_PITCHMODE")) = wanted.pitch_mode;
    take->empty = wanted.empty;
    take->color = wanted.color;
    take->guid = wanted.guid.empty() && !wanted.empty ? fresh_guid() : std::move(wanted.guid);
    take->markers = std::move(wanted.markers);
    take->stretch_markers = std::move(wanted.stretch_markers);
    take->fx = std::move(wanted.fx);
    take->envelopes = std::move(wanted.envelopes);
    if (wanted.source) {
        take->source = add_source(std::move(*wanted.source));
        take->source->owner = take.get();
    }
    state_->live_takes.insert(take.get());
    item->takes.push_back(take.get());
    return take.get();
}

Source* Host::add_source(SourceSpec media) {
    auto& source =
        state_->source_store.emplace_back(std::make_unique<Source>(*this, std::move(media)));
    state_->live_sources.insert(address(source.get()), source.get());
    return source.get();
}

Item* Host::copy_item(const Item* from, Track* track) {
    if (state_->live_items.count(from) == 0 || state_->live_tracks.count(track) == 0) {
        return nullptr;
    }
    ItemSpec wanted;
    wanted.snap_offset = from->snap_offset;
    wanted.group = from->group;
    wanted.color = from->color;
    wanted.notes = from->notes;
    wanted.active_take = from->active_take;
    Item* copy = add_item(track, wanted);
    copy->params = from->params;
    for (const Take* take : from->takes) {
        TakeSpec t;
        t.name = take->name;
        t.empty = take->empty;
        t.color = take->color;
        t.markers = take->markers;
        t.stretch_markers = take->stretch_markers;
        t.fx = take->fx;
        t.envelopes = take->envelopes;
        Take* made = add_take(copy, t);
        made->params = take->params;
        if (take->source != nullptr) {
            made->source = add_source(take->source->media);
            made->source->owner = made;
            made->source->origin = take->source->origin;
            made->source->generation = take->source->generation;
            made->source->SetAvailable(take->source->IsAvailable());
        }
    }
    return copy;
}

bool Host::set_item(Item* item, const ItemSpec& wanted) {
    if (state_->live_items.count(item) == 0) return false;
    for (Take* take : item->takes) {
        if (take->source != nullptr && state_->live_sources.erase(address(take->source)) != 0) {
            ++state_->destroyed;
        }
        state_->live_takes.erase(take);
    }
    item->takes.clear();
    fill_item(item, wanted);
    return true;
}

std::string Host::fresh_guid() {
    const std::uint64_t a = state_->random();
    const std::uint64_t b = state_->random();
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%04X%08X}",
                  static_cast<unsigned>(a >> 32), static_cast<unsigned>((a >> 16) & 0xffff),
                  static_cast<unsigned>(a & 0xffff), static_cast<unsigned>(b >> 48),
                  static_cast<unsigned>((b >> 32) & 0xffff), static_cast<unsigned>(b));
    return text;
}

void Host::add_media_file(std::string path, SourceSpec media) {
    media.file = path;
    state_->media_files.insert_or_assign(std::move(path), std::move(media));
}

void Host::set_item_selected(Item* item, bool selected) {
    if (state_->live_items.count(item) != 0) item->params["B_UISEL"] = selected ? 1.0 : 0.0;
}

void Host::set_track_selected(Track* track, bool selected) {
    if (state_->live_tracks.count(track) != 0) track->selected = selected;
}

void Host::delete_track(Track* track) {
    if (state_->live_tracks.count(track) == 0) return;
    for (Item* item : track->items) state_->forget_item(item);
    track->items.clear();
    auto& siblings = track->project->tracks;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), track), siblings.end());
    state_->live_tracks.erase(track);
}

void Host::close_project(Project* project) {
    if (state_->live_projects.count(project) == 0) return;
    while (!project->tracks.empty()) delete_track(project->tracks.back());
    auto& projects = state_->projects;
    projects.erase(std::remove(projects.begin(), projects.end(), project), projects.end());
    state_->live_projects.erase(project);
    if (projects.empty()) add_project();
    if (state_->current == project) state_->current = projects.front();
}

// ---- scripted answers and failures ----

void Host::push_message_box_answer(int answer) {
    state_->answers.push_back(answer);
}

void Host::set_sws_installed(bool installed) {
    state_->sws = installed;
}

bool Host::sws_installed() const {
    return state_->sws;
}

void Host::fail_parameter_writes(std::string parmname) {
    state_->failing_writes.insert(std::move(parmname));
}

void Host::hide_function(std::string name) {
    state_->hidden.insert(std::move(name));
}

bool Host::function_hidden(std::string_view name) const {
    return state_->hidden.count(name) != 0;
}

void Host::provide_function(std::string name, void* address) {
    state_->provided[std::move(name)] = address;
}

}  // namespace sim
