#include "session.h"

#include <filesystem>
#include <fstream>

namespace reaper_sim {

Session::Session() : previous_(active_) {
    active_ = this;
    // The options as a fresh REAPER has them: grouping, auto-crossfade on edits and on splits
    // and the default fades on; snapping, trimming behind items, grid lines and repeat off.
    toggles = {{1156, 1}, {40041, 1}, {40912, 1}, {41194, 1},
               {1157, 0}, {41117, 0}, {40145, 0}, {1068, 0}};
}

Session::~Session() {
    if (active_ == this) active_ = previous_;
}

std::optional<std::string> Session::next_answer() {
    if (answers.empty()) return std::nullopt;
    std::string answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

void Session::add_undo_point(const sim::Project* project, const std::string& description) {
    UndoState& state = undo(project);
    if (state.open_blocks == 0) state.history.push_back(description);
}

std::vector<std::string> Session::end_of_run_report() const {
    std::vector<std::string> lines;
    for (const auto& [project, state] : undo_) {
        if (state.open_blocks > 0) {
            lines.push_back(std::to_string(state.open_blocks) +
                            " undo block(s) still open at the end of the run (Undo_BeginBlock "
                            "without Undo_EndBlock)");
        } else if (state.open_blocks < 0) {
            lines.push_back(std::to_string(-state.open_blocks) +
                            " Undo_EndBlock call(s) without an open undo block");
        }
    }
    if (prevent_refresh != 0) {
        lines.push_back("PreventUIRefresh left at " + std::to_string(prevent_refresh) +
                        " at the end of the run (its calls should add up to 0)");
    }
    return lines;
}

bool Session::load_ext_state(const std::string& path, std::string& error) {
    ext_state_file = path;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        if (!std::filesystem::exists(path)) return true;
        error = "cannot read ext state file " + path;
        return false;
    }
    std::string line;
    std::string section;
    int number = 0;
    while (std::getline(file, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        if (section.empty() || equals == std::string::npos) {
            error = path + ":" + std::to_string(number) + ": expected [section] or key=value";
            return false;
        }
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        ext_state[section][key] = value;
        persisted[section][key] = value;
    }
    return true;
}

bool Session::save_ext_state(std::string& error) const {
    if (!ext_state_file) return true;
    const std::string temporary = *ext_state_file + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        for (const auto& [section, keys] : persisted) {
            if (keys.empty()) continue;
            file << '[' << section << "]\n";
            for (const auto& [key, value] : keys) file << key << '=' << value << '\n';
        }
        if (!file) {
            error = "cannot write ext state file " + *ext_state_file;
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, *ext_state_file, ec);
    if (ec) {
        error = "cannot write ext state file " + *ext_state_file + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace reaper_sim
