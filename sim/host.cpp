#include "sim/host.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <random>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace sim {

namespace {

template <class P>
double param(const P& params, std::string_view name) {
    const double* found = params.find(name);
    return found == nullptr ? 0.0 : *found;
}

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string quote_text(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// The record handed to an extension must reach its own host even when another one is active, so
// each host borrows one of a fixed set of C entry points; past that they answer for the active one.
constexpr std::size_t kRecordSlots = 32;
std::array<Host*, kRecordSlots> g_record_hosts{};

int register_through(Host* host, const char* name, void* value) {
    if (host == nullptr) return 0;
    host->log_call("plugin_register", name != nullptr ? name : "");
    return host->plugin_register(name, value);
}

// Lookups are not host calls: a refused load leaves the call log empty.
void* get_func_through(Host* host, const char* name) {
    return host != nullptr ? host->get_func(name) : nullptr;
}

template <std::size_t N>
int record_register(const char* name, void* value) {
    return register_through(g_record_hosts[N], name, value);
}

template <std::size_t N>
void* record_get_func(const char* name) {
    return get_func_through(g_record_hosts[N], name);
}

int active_register(const char* name, void* value) {
    return register_through(Host::active(), name, value);
}

void* active_get_func(const char* name) {
    return get_func_through(Host::active(), name);
}

using RegisterFunction = int (*)(const char*, void*);
using GetFuncFunction = void* (*)(const char*);

template <std::size_t... N>
constexpr std::array<RegisterFunction, sizeof...(N)> make_registers(std::index_sequence<N...>) {
    return {&record_register<N>...};
}

template <std::size_t... N>
constexpr std::array<GetFuncFunction, sizeof...(N)> make_get_funcs(std::index_sequence<N...>) {
    return {&record_get_func<N>...};
}

constexpr auto kRecordRegisters = make_registers(std::make_index_sequence<kRecordSlots>());
constexpr auto kRecordGetFuncs = make_get_funcs(std::make_index_sequence<kRecordSlots>());

// The live handles of one kind, in one flat table (open addressing, linear probing): asking about
// a handle touches one or two cache lines, however many items the project has. Calls ask about the
// same handle several times in a row (find an item, then read it), so the last one found answers
// without probing.
class LiveSet {
public:
    void insert(const void* p) {
        if ((size_ + 1) * 2 > slots_.size()) grow();
        const void*& slot = slots_[find(p)];
        if (slot == nullptr) ++size_;
        slot = p;
    }
    void erase(const void* p) {
        if (p == last_) last_ = nullptr;
        if (count(p) == 0) return;
        last_ = nullptr;
        // Backward-shift deletion: later entries of the probe run move up, so no lookup stops at
        // the hole.
        std::size_t hole = find(p);
        slots_[hole] = nullptr;
        --size_;
        for (std::size_t next = (hole + 1) & mask(); slots_[next] != nullptr;
             next = (next + 1) & mask()) {
            const std::size_t home = index(slots_[next]);
            const bool stays =
                hole <= next ? hole < home && home <= next : hole < home || home <= next;
            if (stays) continue;
            slots_[hole] = slots_[next];
            slots_[next] = nullptr;
            hole = next;
        }
    }
    std::size_t count(const void* p) const {
        if (p == nullptr || slots_.empty()) return 0;
        if (p == last_) return 1;
        if (slots_[find(p)] != p) return 0;
        last_ = p;
        return 1;
    }

private:
    std::size_t mask() const { return slots_.size() - 1; }
    std::size_t index(const void* p) const {
        return static_cast<std::size_t>(
            (reinterpret_cast<std::uintptr_t>(p) * 0x9e3779b97f4a7c15ull) >> shift_);
    }
    // The slot holding p, or the empty slot where it would go.
    std::size_t find(const void* p) const {
        std::size_t i = index(p);
        while (slots_[i] != nullptr && slots_[i] != p) i = (i + 1) & mask();
        return i;
    }
    void grow() {
        std::vector<const void*> old(slots_.empty() ? 16 : slots_.size() * 2, nullptr);
        old.swap(slots_);
        shift_ = 64 - std::countr_zero(slots_.size());
        for (const void* p : old) {
            if (p != nullptr) slots_[find(p)] = p;
        }
    }

    std::vector<const void*> slots_;  // a power of two in size, at most half full
    std::size_t size_ = 0;
    int shift_ = 64;
    mutable const void* last_ = nullptr;
};

const void* address(const Source* source) {
    return source->handle;
}

}  // namespace

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

struct Host::State {
    // Everything ever made stays allocated until the host goes, so a stale handle never aliases a
    // newer object; the live sets say what still exists.
    std::vector<std::unique_ptr<Project>> project_store;
    std::vector<std::unique_ptr<Track>> track_store;
    std::vector<std::unique_ptr<Item>> item_store;
    std::vector<std::unique_ptr<Take>> take_store;
    std::vector<std::unique_ptr<Source>> source_store;
    std::unordered_set<const void*> live_projects;
    LiveSet live_tracks;
    LiveSet live_items;
    LiveSet live_takes;
    std::unordered_map<const void*, Source*> live_sources;

    std::vector<Project*> projects;
    Project* current = nullptr;
    std::mt19937_64 random{std::random_device{}()};
    std::map<std::string, SourceSpec, std::less<>> media_files;

    std::deque<int> answers;
    bool sws = false;
    std::set<std::string, std::less<>> failing_writes;
    std::set<std::string, std::less<>> hidden;
    std::map<std::string, void*, std::less<>> provided;

    int redraws = 0;
    std::vector<CallRecord> calls;
    std::vector<MessageBoxRecord> boxes;
    std::vector<std::string> console;
    int created = 0;
    int destroyed = 0;
    std::vector<std::string> misuse;

    struct Api {
        std::string name;
        void* func = nullptr;
        const char* definition = nullptr;
        void* vararg = nullptr;
        bool has_func = false;
        bool has_definition = false;
        bool has_vararg = false;
        bool empty() const { return !has_func && !has_definition && !has_vararg; }
    };
    std::vector<Api> apis;
    std::vector<std::pair<std::string, void*>> others;
    std::vector<Registration> registrations;

    reaper_plugin_info_t info{};
    int slot = -1;
    char main_window = 0;  // hwnd_main points here: non-null, never dereferenced by REAPER code

    void kill_source(Source* source) {
        if (live_sources.erase(address(source)) != 0) ++destroyed;
    }

    // The item and what it holds go stale; its track keeps listing it until the caller says.
    // Returns how many sources went with it.
    int forget_item(Item* item) {
        int sources = 0;
        for (Take* take : item->takes) {
            if (take->source != nullptr && live_sources.erase(address(take->source)) != 0) {
                ++sources;
            }
            live_takes.erase(take);
        }
        live_items.erase(item);
        return sources;
    }

    Api* api(std::string_view name) {
        auto found = std::find_if(apis.begin(), apis.end(),
                                  [&](const Api& api) { return api.name == name; });
        return found == apis.end() ? nullptr : &*found;
    }

    int register_now(std::string_view name, void* value);
};

int Host::State::register_now(std::string_view name, void* value) {
    const bool withdraw = starts_with(name, "-");
    if (withdraw) name.remove_prefix(1);

    enum class Kind { function, definition, vararg, other } kind = Kind::other;
    std::string_view function = name;
    for (auto [prefix, prefix_kind] : {std::pair{std::string_view("APIdef_"), Kind::definition},
                                       std::pair{std::string_view("APIvararg_"), Kind::vararg},
                                       std::pair{std::string_view("API_"), Kind::function}}) {
        if (starts_with(name, prefix) && name.size() > prefix.size()) {
            kind = prefix_kind;
            function = name.substr(prefix.size());
            break;
        }
    }

    if (kind == Kind::other) {
        if (!withdraw) {
            others.emplace_back(std::string(name), value);
            return 1;
        }
        // Hooks of one kind are registered many times; withdrawing names the one to go.
        auto found = std::find_if(others.begin(), others.end(), [&](const auto& other) {
            return other.first == name && other.second == value;
        });
        if (found == others.end()) return 0;
        others.erase(found);
        return 1;
    }

    Api* entry = api(function);
    if (withdraw) {
        if (entry == nullptr) return 0;
        bool* has = kind == Kind::function     ? &entry->has_func
                    : kind == Kind::definition ? &entry->has_definition
                                               : &entry->has_vararg;
        if (!*has) return 0;
        *has = false;
        if (kind == Kind::function) entry->func = nullptr;
        if (kind == Kind::definition) entry->definition = nullptr;
        if (kind == Kind::vararg) entry->vararg = nullptr;
        if (entry->empty()) {
            apis.erase(apis.begin() + (entry - apis.data()));
        }
        return 1;
    }
    if (entry == nullptr) {
        apis.push_back(Api{});
        entry = &apis.back();
        entry->name = std::string(function);
    }
    switch (kind) {
        case Kind::function:
            entry->func = value;
            entry->has_func = true;
            break;
        case Kind::definition:
            entry->definition = static_cast<const char*>(value);
            entry->has_definition = true;
            break;
        case Kind::vararg:
            entry->vararg = value;
            entry->has_vararg = true;
            break;
        case Kind::other:
            break;
    }
    return 1;
}

Host::Host() : state_(std::make_unique<State>()) {
    state_->current = add_project();
    activate();
}

Host::~Host() {
    if (state_->slot >= 0) g_record_hosts[static_cast<std::size_t>(state_->slot)] = nullptr;
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

Item* Host::add_item(Track* track, const ItemSpec& wanted) {
    if (state_->live_tracks.count(track) == 0) return nullptr;
    auto& item = state_->item_store.emplace_back(std::make_unique<Item>());
    item->track = track;
    state_->live_items.insert(item.get());
    track->items.push_back(item.get());
    fill_item(item.get(), wanted);
    return item.get();
}

void Host::fill_item(Item* item, const ItemSpec& wanted) {
    Parameters<kItemParameters>& p = item->params;
    p["D_POSITION"] = wanted.position;
    p["D_LENGTH"] = wanted.length;
    p["D_FADEINLEN"] = wanted.fade_in;
    p["D_FADEOUTLEN"] = wanted.fade_out;
    p["C_FADEINSHAPE"] = wanted.fade_in_shape;
    p["C_FADEOUTSHAPE"] = wanted.fade_out_shape;
    p["B_MUTE"] = wanted.mute ? 1.0 : 0.0;
    p["B_MUTE_ACTUAL"] = wanted.mute ? 1.0 : 0.0;
    p["B_LOOPSRC"] = wanted.loop ? 1.0 : 0.0;
    p["C_LOCK"] = wanted.lock;
    p["D_VOL"] = wanted.vol;
    p["B_UISEL"] = wanted.selected ? 1.0 : 0.0;
    item->snap_offset = wanted.snap_offset;
    item->group = wanted.group;
    item->color = wanted.color;
    item->notes = wanted.notes;
    item->guid = wanted.guid.empty() ? fresh_guid() : wanted.guid;
    for (const TakeSpec& take : wanted.takes) add_take(item, take);
    item->active_take = wanted.active_take;
}

Take* Host::add_take(Item* item, const TakeSpec& wanted) {
    if (state_->live_items.count(item) == 0) return nullptr;
    auto& take = state_->take_store.emplace_back(std::make_unique<Take>());
    take->item = item;
    take->name = wanted.name;
    Parameters<kTakeParameters>& p = take->params;
    p["D_STARTOFFS"] = wanted.start_offset;
    p["D_VOL"] = wanted.vol;
    p["D_PAN"] = wanted.pan;
    p["D_PLAYRATE"] = wanted.rate;
    p["D_PITCH"] = wanted.pitch;
    p["B_PPITCH"] = wanted.preserve_pitch ? 1.0 : 0.0;
    p["I_CHANMODE"] = wanted.chan_mode;
    p["I_PITCHMODE"] = wanted.pitch_mode;
    take->empty = wanted.empty;
    take->color = wanted.color;
    take->guid = wanted.guid.empty() && !wanted.empty ? fresh_guid() : wanted.guid;
    take->markers = wanted.markers;
    take->stretch_markers = wanted.stretch_markers;
    take->fx = wanted.fx;
    take->envelopes = wanted.envelopes;
    if (wanted.source) {
        take->source = add_source(*wanted.source);
        take->source->owner = take.get();
    }
    state_->live_takes.insert(take.get());
    item->takes.push_back(take.get());
    return take.get();
}

Source* Host::add_source(const SourceSpec& media) {
    auto& source = state_->source_store.emplace_back(std::make_unique<Source>(*this, media));
    state_->live_sources.emplace(address(source.get()), source.get());
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
    return static_cast<int>(
        std::count_if(state_->live_sources.begin(), state_->live_sources.end(),
                      [](const auto& live) { return live.second->owner == nullptr; }));
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
    auto found = state_->live_sources.find(s);
    return found == state_->live_sources.end() ? nullptr : found->second;
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

// ---- registration ----

int Host::plugin_register(const char* name, void* value) {
    const int result = name != nullptr ? state_->register_now(name, value) : 0;
    state_->registrations.push_back(Registration{name != nullptr ? name : "", value, result});
    return result;
}

void* Host::get_func(const char* name) {
    if (name == nullptr || state_->hidden.count(std::string_view(name)) != 0) return nullptr;
    const std::string_view wanted = name;
    // SWS's functions exist only with SWS installed.
    for (std::string_view prefix : {"CF_", "BR_", "SNM_", "NF_"}) {
        if (wanted.starts_with(prefix) && !state_->sws) return nullptr;
    }
    if (void* function = host_function(wanted)) return function;
    if (auto found = state_->provided.find(wanted); found != state_->provided.end()) {
        return found->second;
    }
    const State::Api* api = state_->api(wanted);
    return api != nullptr && api->has_func ? api->func : nullptr;
}

reaper_plugin_info_t* Host::plugin_info() {
    if (state_->slot < 0) {
        auto free_slot = std::find(g_record_hosts.begin(), g_record_hosts.end(), nullptr);
        if (free_slot != g_record_hosts.end()) {
            *free_slot = this;
            state_->slot = static_cast<int>(free_slot - g_record_hosts.begin());
        }
    }
    reaper_plugin_info_t& info = state_->info;
    info.caller_version = kCallerVersion;
    info.hwnd_main = &state_->main_window;
    if (state_->slot >= 0) {
        info.Register = kRecordRegisters[static_cast<std::size_t>(state_->slot)];
        info.GetFunc = kRecordGetFuncs[static_cast<std::size_t>(state_->slot)];
    } else {
        info.Register = &active_register;
        info.GetFunc = &active_get_func;
    }
    return &info;
}

const std::vector<Registration>& Host::registration_log() const {
    return state_->registrations;
}

std::vector<RegisteredFunction> Host::registered_functions() const {
    std::vector<RegisteredFunction> out;
    out.reserve(state_->apis.size());
    for (const State::Api& api : state_->apis) {
        out.push_back(RegisteredFunction{api.name, api.func, api.definition, api.vararg});
    }
    return out;
}

std::optional<RegisteredFunction> Host::registered_function(std::string_view name) const {
    for (const State::Api& api : state_->apis) {
        if (api.name == name) {
            return RegisteredFunction{api.name, api.func, api.definition, api.vararg};
        }
    }
    return std::nullopt;
}

bool Host::anything_registered() const {
    return !state_->apis.empty() || !state_->others.empty();
}

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
