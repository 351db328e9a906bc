// Media sources as scripts reach them: swapping a take's source, its file and its length.
#include <filesystem>

#include "sim/script_functions.h"

namespace sim {

using script::enter;

namespace reaper {

bool SetMediaItemTake_Source(MediaItem_Take* take, PCM_source* source) {
    Host* host = enter("SetMediaItemTake_Source");
    Take* live = host != nullptr ? host->take(take) : nullptr;
    Source* wanted = host != nullptr ? host->source(source) : nullptr;
    if (live == nullptr || wanted == nullptr) return false;
    if (wanted == live->source) return true;
    // A source another take plays is copied first, so one source can be handed to many takes.
    if (wanted->owner != nullptr) {
        wanted = static_cast<Source*>(wanted->Duplicate());
        if (wanted == nullptr) return false;
    }
    // The old source stays alive: it is the caller's to destroy.
    if (live->source != nullptr) live->source->owner = nullptr;
    live->source = wanted;
    wanted->owner = live;
    return true;
}

void GetMediaSourceFileName(PCM_source* source, char* filenamebufOut, int filenamebufOut_sz) {
    Host* host = enter("GetMediaSourceFileName");
    if (filenamebufOut == nullptr || filenamebufOut_sz <= 0) return;
    Source* live = host != nullptr ? host->source(source) : nullptr;
    std::filesystem::path file = live != nullptr ? live->media.file : std::string();
    // A file kept relative to the project's folder comes back whole.
    if (!file.empty() && file.is_relative() && live->owner != nullptr) {
        const std::string& project_file = live->owner->item->track->project->file;
        if (!project_file.empty()) {
            file = std::filesystem::path(project_file).parent_path() / file;
        }
    }
    script::copy_out(file.string(), filenamebufOut, static_cast<std::size_t>(filenamebufOut_sz));
}

double GetMediaSourceLength(PCM_source* source, bool* lengthIsQNOut) {
    Host* host = enter("GetMediaSourceLength");
    Source* live = host != nullptr ? host->source(source) : nullptr;
    if (lengthIsQNOut != nullptr) *lengthIsQNOut = false;
    if (live == nullptr) return 0.0;
    // MIDI held in the project is measured in beats; a MIDI file in seconds.
    const bool beats =
        (live->media.type == "MIDI" || live->media.type == "MIDIPOOL") && live->media.file.empty();
    if (lengthIsQNOut != nullptr) *lengthIsQNOut = beats;
    // Beats at the default 120 bpm, as GetLengthBeats answers.
    return beats ? live->media.length * 2.0 : live->media.length;
}

}  // namespace reaper

std::span<const HostFunction> source_functions() {
    static const HostFunction functions[] = {
        QM_SIM_HOST_FUNCTION(SetMediaItemTake_Source),
        QM_SIM_HOST_FUNCTION(GetMediaSourceFileName),
        QM_SIM_HOST_FUNCTION(GetMediaSourceLength),
    };
    return functions;
}

}  // namespace sim
