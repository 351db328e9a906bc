// The numeric parameters Get/Set...Info_Value know, and how an object keeps their values.
#pragma once

#include <array>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace sim {

// The numeric parameters Get/Set...Info_Value know, in the order the dump prints them.
inline constexpr std::string_view kItemParameters[] = {
    "D_POSITION", "D_LENGTH",      "D_FADEINLEN", "D_FADEOUTLEN", "C_FADEINSHAPE", "C_FADEOUTSHAPE",
    "B_MUTE",     "B_MUTE_ACTUAL", "B_LOOPSRC",   "C_LOCK",       "D_VOL",         "B_UISEL"};
inline constexpr std::string_view kTakeParameters[] = {"D_STARTOFFS", "D_VOL",      "D_PAN",
                                                       "D_PLAYRATE",  "D_PITCH",    "B_PPITCH",
                                                       "I_CHANMODE",  "I_PITCHMODE"};

// Parameters scripts read and write that the project files do not carry: held for the run only.
inline constexpr std::string_view kItemScriptParameters[] = {
    "C_MUTE_SOLO", "B_ALLTAKESPLAY", "C_BEATATTACHMODE", "C_AUTOSTRETCH",
    "D_FADEINDIR", "D_FADEOUTDIR",   "D_FADEINLEN_AUTO", "D_FADEOUTLEN_AUTO",
    "I_FADELPF",   "F_FREEMODE_Y",   "F_FREEMODE_H",     "I_FIXEDLANE"};
inline constexpr std::string_view kTakeScriptParameters[] = {
    "D_PANLAW", "I_STRETCHFLAGS", "F_STRETCHFADESIZE", "I_RECPASSID", "I_TAKEFX_NCH"};
inline constexpr std::string_view kTrackParameters[] = {"B_MUTE",
                                                        "B_PHASE",
                                                        "I_SOLO",
                                                        "B_SOLO_DEFEAT",
                                                        "I_FXEN",
                                                        "I_RECARM",
                                                        "I_RECINPUT",
                                                        "I_RECMODE",
                                                        "I_RECMODE_FLAGS",
                                                        "I_RECMON",
                                                        "I_RECMONITEMS",
                                                        "B_AUTO_RECARM",
                                                        "I_VUMODE",
                                                        "I_AUTOMODE",
                                                        "I_NCHAN",
                                                        "I_FOLDERDEPTH",
                                                        "I_FOLDERCOMPACT",
                                                        "I_MIDIHWOUT",
                                                        "I_MIDIHWOUT_SLOT",
                                                        "I_MIDI_INPUT_CHANMAP",
                                                        "I_MIDI_CTL_CHAN",
                                                        "I_MIDI_TRACKSEL_FLAG",
                                                        "I_PERFFLAGS",
                                                        "I_CUSTOMCOLOR",
                                                        "I_HEIGHTOVERRIDE",
                                                        "I_SPACER",
                                                        "B_HEIGHTLOCK",
                                                        "D_VOL",
                                                        "D_PAN",
                                                        "D_WIDTH",
                                                        "D_DUALPANL",
                                                        "D_DUALPANR",
                                                        "I_PANMODE",
                                                        "D_PANLAW",
                                                        "I_PANLAW_FLAGS",
                                                        "B_SHOWINMIXER",
                                                        "B_SHOWINTCP",
                                                        "B_TCPPIN",
                                                        "B_MAINSEND",
                                                        "C_MAINSEND_OFFS",
                                                        "C_MAINSEND_NCH",
                                                        "I_FREEMODE",
                                                        "I_NUMFIXEDLANES",
                                                        "C_LANESCOLLAPSED",
                                                        "C_LANESETTINGS",
                                                        "C_ALLLANESPLAY",
                                                        "C_BEATATTACHMODE",
                                                        "F_MCP_FXSEND_SCALE",
                                                        "F_MCP_FXPARM_SCALE",
                                                        "F_MCP_SENDRGN_SCALE",
                                                        "F_TCP_FXPARM_SCALE",
                                                        "I_PLAY_OFFSET_FLAG",
                                                        "D_PLAY_OFFSET"};
// GetSetProjectInfo's numeric settings.
inline constexpr std::string_view kProjectSettings[] = {
    "PROJECT_SRATE",   "PROJECT_SRATE_USE", "PROJECT_TIMEBASE", "READONLY",
    "RENDER_SETTINGS", "RENDER_BOUNDSFLAG", "RENDER_CHANNELS",  "RENDER_SRATE",
    "RENDER_STARTPOS", "RENDER_ENDPOS",     "RENDER_TAILFLAG",  "RENDER_TAILMS",
    "RENDER_DITHER",   "RENDER_NORMALIZE"};

// Values of one object's known parameters, kept beside it: a read is a short scan of constant
// names, never a tree walk through memory scattered over the heap. Iterates as (name, value).
template <const auto& Names>
class Parameters {
public:
    Parameters() { values_.fill(0.0); }
    // The named values set, every other 0.
    Parameters(std::initializer_list<std::pair<std::string_view, double>> values) : Parameters() {
        for (const auto& [name, value] : values) (*this)[name] = value;
    }

    // A name known when compiling, as its place: setting by place skips the scan of names.
    static consteval std::size_t slot(std::string_view name) {
        for (std::size_t i = 0; i < std::size(Names); ++i) {
            if (Names[i] == name) return i;
        }
        throw std::out_of_range("unknown parameter");
    }
    double& value(std::size_t slot) { return values_[slot]; }
    double value(std::size_t slot) const { return values_[slot]; }

    double* find(std::string_view name) {
        for (std::size_t i = 0; i < std::size(Names); ++i) {
            if (Names[i] == name) return &values_[i];
        }
        return nullptr;
    }
    const double* find(std::string_view name) const {
        return const_cast<Parameters*>(this)->find(name);
    }
    // A known name only: anything else throws std::out_of_range.
    double& operator[](std::string_view name) {
        if (double* value = find(name)) return *value;
        throw std::out_of_range("unknown parameter " + std::string(name));
    }
    double at(std::string_view name) const { return const_cast<Parameters&>(*this)[name]; }

    // (name, value) pairs, the value by reference: `for (auto&& [name, value] : params)`.
    template <class Value>
    class Iterator {
    public:
        Iterator(Value* values, std::size_t i) : values_(values), i_(i) {}
        std::pair<std::string_view, Value&> operator*() const { return {Names[i_], values_[i_]}; }
        Iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return i_ == other.i_; }

    private:
        Value* values_;
        std::size_t i_;
    };
    auto begin() { return Iterator<double>(values_.data(), 0); }
    auto end() { return Iterator<double>(values_.data(), std::size(Names)); }
    auto begin() const { return Iterator<const double>(values_.data(), 0); }
    auto end() const { return Iterator<const double>(values_.data(), std::size(Names)); }

    // Every value by name, and comparisons with such a snapshot: a test keeps one to show that
    // nothing changed.
    using Snapshot = std::map<std::string, double, std::less<>>;
    operator Snapshot() const {
        Snapshot out;
        for (std::size_t i = 0; i < std::size(Names); ++i) out.emplace(Names[i], values_[i]);
        return out;
    }
    friend bool operator==(const Parameters& a, const Snapshot& b) { return Snapshot(a) == b; }
    bool operator==(const Parameters&) const = default;

private:
    // The names are the constant list's: only the values are kept per object.
    std::array<double, std::size(Names)> values_;
};

}  // namespace sim
