// What one reaper-sim run keeps beside the simulated project: the answers its dialogs give, the
// undo history, the refresh count, the options actions toggle, the ext state, and what it
// reports when the run ends.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/host.h"

namespace reaper_sim {

// The section and command ID a script gets from get_action_context, as if it had been added to
// the Main section of the action list.
inline constexpr int kScriptSection = 0;
inline constexpr int kScriptCommandId = 55000;

struct UndoState {
    std::vector<std::string> history;  // descriptions, oldest first
    int open_blocks = 0;
};

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The session of the run in progress, for the host functions; null outside a run.
    static Session* active() { return active_; }

    // ---- dialogs ----
    std::deque<std::string> answers;  // --answer values, taken in order
    std::optional<std::string> next_answer();

    // ---- undo and refresh ----
    UndoState& undo(const sim::Project* project) { return undo_[project]; }
    // A point named `description`, unless a block is open on that project (it merges into it).
    void add_undo_point(const sim::Project* project, const std::string& description);
    int prevent_refresh = 0;

    // ---- actions ----
    std::map<int, int> toggles;  // command ID -> 0/1, the options actions toggle
    std::map<std::pair<int, int>, int> script_toggles;  // (section, command) -> state
    std::set<int> reported_actions;
    sim::Track* last_touched = nullptr;  // may have gone stale: check before use
    // Copied items: the track offset from the first one's track, and a copy on no track.
    std::vector<std::pair<int, sim::Item*>> clipboard;
    // Media the offline action closed, which the online one opens again (compared, never followed:
    // some may be gone).
    std::set<const sim::Source*> closed_media;

    // ---- ext state ----
    using Sections = std::map<std::string, std::map<std::string, std::string>>;
    Sections ext_state;
    Sections persisted;  // what SetExtState asked to keep; written to the --ext-state file
    std::optional<std::string> ext_state_file;
    // Reads `path` ([section] / key=value lines); a missing file is an empty state.
    bool load_ext_state(const std::string& path, std::string& error);
    bool save_ext_state(std::string& error) const;

    // ---- the script ----
    std::string script_path;  // absolute

    // What was left unbalanced at the end of a run, one line each; empty when all is well.
    std::vector<std::string> end_of_run_report() const;

private:
    std::map<const sim::Project*, UndoState> undo_;
    Session* previous_ = nullptr;
    static inline Session* active_ = nullptr;
};

}  // namespace reaper_sim
