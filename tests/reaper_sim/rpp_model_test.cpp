// What a script reaches beyond the QM_ functions, through a project file: one small project per
// feature, written here as REAPER writes it, saved back byte for byte, edited in the host, saved
// with just that field changed, and read back as edited. State chunks of every item go round
// unchanged; malformed timelines, notes and nesting are refused naming the line.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "rpp/project_file.h"
#include "sim/host.h"

// Designated initializers name only what a case sets; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using sim::Host;
using sim::Project;

constexpr const char* kHead = "<REAPER_PROJECT 0.1 \"7.14/linux-x86_64\" 1721405411\n  CURSOR 0\n";
constexpr const char* kItemHead =
    "  <TRACK {1A000000-0000-0000-0000-000000000001}\n    NAME t\n    SEL 0\n    <ITEM\n"
    "      POSITION 1\n      LENGTH 2\n";
constexpr const char* kTake =
    "      NAME a.wav\n      VOLPAN 1 0 1 -1\n      SOFFS 0\n      PLAYRATE 1 1 0 -1 0 0.0025\n"
    "      CHANMODE 0\n      GUID {0B000000-0000-0000-0000-000000000001}\n";

std::string project(const std::string& lines, const std::string& item, const std::string& take) {
    return kHead + lines + kItemHead + item + kTake + take + "    >\n  >\n>\n";
}

// Fresh GUIDs differ run to run; everything else must not.
std::string without_guids(const std::string& text) {
    return std::regex_replace(text, std::regex("\\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\}"),
                              "{G}");
}

std::unique_ptr<rpp::ProjectFile> load(Host& host, const std::string& text) {
    rpp::Error error;
    auto file = rpp::ProjectFile::parse(text, error);
    EXPECT_NE(file, nullptr) << error.line << ": " << error.message;
    if (file == nullptr) return nullptr;
    EXPECT_TRUE(file->load(host, host.current_project(), "f.RPP", "/nonexistent", {}, error))
        << error.message;
    return file;
}

std::string save(const rpp::ProjectFile& file) {
    std::string out;
    rpp::Error error;
    EXPECT_TRUE(file.render(out, error)) << error.message;
    return out;
}

sim::Item& item(Project& p) {
    return *p.tracks.front()->items.front();
}
sim::Take& take(Project& p) {
    return *item(p).takes.front();
}
std::string n(double v) {
    return rpp::format_number(v);
}

std::string ext_state(Project& p) {
    std::string all;
    for (const auto& [name, keys] : p.ext_state) {
        for (const auto& [key, value] : keys) all += name + "/" + key + "=" + value + ";";
    }
    return all;
}

struct Feature {
    const char* what;
    std::string lines, item, take;  // the feature's own lines, project-, item- or take-level
    std::function<std::string(Project&)> read;
    std::string loaded;
    std::function<void(Project&)> edit;
    std::string from, to;  // the saved file differs by this replacement
    std::string edited;    // what `read` gives after a reload
};

// clang-format off
const Feature kFeatures[] = {
    {"marker", "  MARKER 1 2 Verse 0 0 1 B {5A000000-0000-0000-0000-000000000001} 0\n", "", "",
     [](Project& p) { return p.markers[0].name + "@" + n(p.markers[0].position); }, "Verse@2",
     [](Project& p) { p.markers[0].position = 2.5; p.markers[0].name = "Intro A"; },
     "MARKER 1 2 Verse 0", "MARKER 1 2.5 \"Intro A\" 0", "Intro A@2.5"},
    {"region", "  MARKER 2 4 Chorus 1 16777471 1 B {5A000000-0000-0000-0000-000000000002} 0\n"
               "  MARKER 2 8 \"\" 1\n", "", "",
     [](Project& p) { return n(p.markers[0].end) + " " + std::to_string(p.markers[0].color); },
     "8 16777471", [](Project& p) { p.markers[0].end = 10; },
     "  MARKER 2 8 \"\" 1", "  MARKER 2 10 \"\" 1", "10 16777471"},
    {"marker added", "", "", "",
     [](Project& p) { return std::to_string(p.markers.size()); }, "0",
     [](Project& p) { p.markers.push_back({.number = 3, .region = true, .position = 6, .end = 7,
                                           .name = "Out"}); },
     "  <TRACK", "  MARKER 3 6 Out 1 0 1 B {G} 0\n  MARKER 3 7 \"\" 1\n  <TRACK", "1"},
    {"tempo", "  TEMPO 120 4 4\n", "", "",
     [](Project& p) { return n(p.tempo.bpm) + " " + std::to_string(p.tempo.num); }, "120 4",
     [](Project& p) { p.tempo.bpm = 90; p.tempo.num = 3; }, "TEMPO 120 4 4", "TEMPO 90 3 4",
     "90 3"},
    {"tempo changes", "  <TEMPOENVEX\n    ACT 1 -1\n    PT 0 120 1\n    PT 4 60 0 262147 1\n  >\n",
     "", "", [](Project& p) { return n(p.tempo.time_to_qn(6)) + " " +
                                     std::to_string(p.tempo.signature_at(5).first); }, "10 3",
     [](Project& p) { p.tempo.points[1].bpm = 90; }, "    PT 4 60 0 262147 1",
     "    PT 4 90 0 262147 1", "11 3"},
    {"time selection", "  SELECTION 1 2\n  SELECTION2 3 4\n", "", "",
     [](Project& p) { return n(p.time_selection.end) + " " + n(p.loop_range.start); }, "2 3",
     [](Project& p) { p.time_selection.end = 2.5; }, "SELECTION 1 2\n", "SELECTION 1 2.5\n",
     "2.5 3"},
    {"group", "", "      GROUP 3\n", "", [](Project& p) { return std::to_string(item(p).group); },
     "3", [](Project& p) { item(p).group = 12; }, "GROUP 3", "GROUP 12", "12"},
    {"notes", "", "      <NOTES\n        |one\n        |two | three\n      >\n", "",
     [](Project& p) { return item(p).notes; }, "one\ntwo | three",
     [](Project& p) { item(p).notes = "|x\n"; }, "        |one\n        |two | three\n",
     "        ||x\n        |\n", "|x\n"},
    {"colours", "", "      COLOR 16777471 B\n", "      TAKECOLOR 33488896 B\n",
     [](Project& p) { return std::to_string(item(p).color) + " " + std::to_string(take(p).color); },
     "16777471 33488896", [](Project& p) { item(p).color = 16711935; },
     "COLOR 16777471 B", "COLOR 16711935 B", "16711935 33488896"},
    {"lock", "", "      LOCK 1\n", "", [](Project& p) { return n(item(p).params["C_LOCK"]); }, "1",
     [](Project& p) { item(p).params["C_LOCK"] = 0; }, "LOCK 1", "LOCK 0", "0"},
    {"snap offset", "", "      SNAPOFFS 0.25\n", "",
     [](Project& p) { return n(item(p).snap_offset); }, "0.25",
     [](Project& p) { item(p).snap_offset = 0.5; }, "SNAPOFFS 0.25", "SNAPOFFS 0.5", "0.5"},
    {"item GUID", "", "      IGUID {0A000000-0000-0000-0000-000000000001}\n", "",
     [](Project& p) { return item(p).guid; }, "{0A000000-0000-0000-0000-000000000001}",
     [](Project& p) { item(p).guid = "{0A000000-0000-0000-0000-00000000000F}"; },
     "00000001}\n      NAME", "0000000F}\n      NAME", "{0A000000-0000-0000-0000-00000000000F}"},
    {"take markers", "", "", "      TKM 1.5 \"hit\" 0\n",
     [](Project& p) { return take(p).markers[0].name + "@" + n(take(p).markers[0].source_position); },
     "hit@1.5", [](Project& p) { take(p).markers.push_back({.source_position = 3, .name = "b"}); },
     "      TKM 1.5 \"hit\" 0\n", "      TKM 1.5 \"hit\" 0\n      TKM 3 \"b\" 0\n", "hit@1.5"},
    {"stretch markers", "", "", "      SM 0 0 + 1 1.25 0.1\n",
     [](Project& p) { return n(take(p).stretch_markers[1].source_position) + " " +
                             n(take(p).stretch_markers[1].slope); }, "1.25 0.1",
     [](Project& p) { take(p).stretch_markers[1].slope = 0; }, "SM 0 0 + 1 1.25 0.1",
     "SM 0 0 + 1 1.25", "1.25 0"},
    {"take FX", "", "", "      <TAKEFX\n        SHOW 0\n        BYPASS 0 0 0\n"
                        "        <VST \"VST: ReaEQ (Cockos)\" reaeq.so 0 \"\" 1<56> \"\"\n"
                        "          ZXE=\n        >\n        FXID {0F000000-0000-0000-0000-000000000001}\n"
                        "      >\n      TAKEFX_NCH 2\n",
     [](Project& p) { return take(p).fx[0].name + " " + std::to_string(take(p).fx[0].enabled); },
     "VST: ReaEQ (Cockos) 1", [](Project& p) { take(p).fx[0].enabled = false; },
     "BYPASS 0 0 0", "BYPASS 1 0 0", "VST: ReaEQ (Cockos) 0"},
    {"take envelope", "", "", "      <VOLENV\n        ACT 1 -1\n        PT 0 1 0\n        PT 1 0.5 0\n      >\n",
     [](Project& p) { return n(take(p).envelopes[0].points[1].value); }, "0.5",
     [](Project& p) { take(p).envelopes[0].points[1].value = 0.25; }, "PT 1 0.5 0", "PT 1 0.25 0",
     "0.25"},
    {"MIDI events", "", "", "      <SOURCE MIDI\n        HASDATA 1 960 QN\n        E 0 90 3c 60\n"
                            "        e 480 80 3c 00\n        GUID {0D000000-0000-0000-0000-000000000001}\n      >\n",
     [](Project& p) { const auto& e = take(p).source->media.midi.at(1);
                      return std::to_string(e.tick) + " " + std::to_string(e.flags); }, "480 1",
     [](Project& p) { take(p).source->media.midi[1].tick = 960; }, "e 480 80", "e 960 80", "960 1"},
    {"MIDI events among other lines", "", "", "      <SOURCE MIDI\n        HASDATA 1 960 QN\n"
                  "        E 0 90 3c 60\n        CCINTERP 32\n        <SOURCE MIDI\n          <X 0 0\n"
                  "            8H9/AAA=\n          >\n        >\n        e 480 80 3c 00\n        <X 0 0\n"
                  "          8H9/AAA=\n        >\n      >\n",
     [](Project& p) { const auto& midi = take(p).source->media.midi;  // the inner source's are not its
                      return std::to_string(midi.size()) + " " + std::to_string(midi[0].flags); },
     "3 0", [](Project& p) { take(p).source->media.midi[0].flags = 1; },
     "        E 0 90 3c 60\n        CCINTERP 32\n        <SOURCE MIDI\n          <X 0 0\n"
     "            8H9/AAA=\n          >\n        >\n        e 480 80 3c 00\n        <X 0 0\n"
     "          8H9/AAA=\n        >\n",
     "        e 0 90 3c 60\n        e 480 80 3c 00\n        <X 0 0\n          8H9/AAA=\n        >\n"
     "        CCINTERP 32\n        <SOURCE MIDI\n          <X 0 0\n            8H9/AAA=\n          >\n"
     "        >\n", "3 1"},
    {"ext state", "  <EXTSTATE\n    <tool\n      count 3\n      \"a key\" 'say \"hi\"'\n      ODD 1 2\n"
                  "    >\n    FLAG x\n  >\n", "", "", ext_state, "tool/a key=say \"hi\";tool/count=3;",
     [](Project& p) { p.ext_state["tool"]["count"] = "4"; p.ext_state["tool"].erase("a key");
                      p.ext_state["new"]["k"] = "v w"; },
     "      count 3\n      \"a key\" 'say \"hi\"'\n      ODD 1 2\n    >\n    FLAG x\n",
     "      count 4\n      ODD 1 2\n    >\n    FLAG x\n    <new\n      k \"v w\"\n    >\n",
     "new/k=v w;tool/count=4;"},
    {"ext state added", "", "", "", ext_state, "",
     [](Project& p) { p.ext_state["s"]["k"] = "it's \"x\""; },
     "  <TRACK", "  <EXTSTATE\n    <s\n      k `it's \"x\"`\n    >\n  >\n  <TRACK", "s/k=it's \"x\";"},
};
// clang-format on

TEST(RppModel, EachFeatureRoundTripsAndAnEditLandsInItsFieldAndReadsBack) {
    for (const Feature& f : kFeatures) {
        const std::string text = project(f.lines, f.item, f.take);
        for (const bool crlf : {false, true}) {
            const std::string original =
                crlf ? std::regex_replace(text, std::regex("\n"), "\r\n") : text;
            Host host;
            const auto file = load(host, original);
            ASSERT_NE(file, nullptr) << f.what;
            EXPECT_EQ(save(*file), original) << f.what;
            EXPECT_EQ(f.read(*host.current_project()), f.loaded) << f.what;
            f.edit(*host.current_project());
            std::string expected = text;
            const auto at = expected.find(f.from);
            ASSERT_NE(at, std::string::npos) << f.what;
            expected.replace(at, f.from.size(), f.to);
            std::string saved = save(*file);
            if (crlf) saved = std::regex_replace(saved, std::regex("\r\n"), "\n");
            EXPECT_EQ(without_guids(saved), without_guids(expected)) << f.what;
            Host again;
            ASSERT_NE(load(again, saved), nullptr) << f.what;
            EXPECT_EQ(f.read(*again.current_project()), f.edited) << f.what;
        }
    }
}

TEST(RppModel, EveryItemsStateChunkGoesThroughTheItemUnchanged) {
    std::vector<std::string> texts;
    for (const Feature& f : kFeatures) texts.push_back(project(f.lines, f.item, f.take));
    std::ifstream features(QM_RPP_FEATURES, std::ios::binary);
    texts.emplace_back(std::istreambuf_iterator<char>(features), std::istreambuf_iterator<char>());
    for (const std::string& text : texts) {
        Host host;
        const auto file = load(host, text);
        ASSERT_NE(file, nullptr);
        const std::string flat = std::regex_replace(text, std::regex("(^|\n) +"), "$1");
        for (sim::Track* track : host.current_project()->tracks) {
            for (sim::Item* it : track->items) {
                std::string chunk, again;
                ASSERT_TRUE(rpp::item_chunk(host, it, chunk));
                // The chunk is the item's block as the file has it, unindented.
                EXPECT_NE(flat.find(chunk), std::string::npos) << chunk;
                rpp::Error error;
                ASSERT_TRUE(rpp::set_item_chunk(host, it, chunk, error)) << error.message;
                ASSERT_TRUE(rpp::item_chunk(host, it, again));
                EXPECT_EQ(again, chunk);
            }
        }
        EXPECT_EQ(save(*file), text);
    }
}

TEST(RppModel, AChunkSetChangesTheItemAndANewItemsChunkReadsBack) {
    Host host;
    const auto file = load(host, project("", "      GROUP 3\n", ""));
    sim::Item& it = item(*host.current_project());
    std::string chunk;
    ASSERT_TRUE(rpp::item_chunk(host, &it, chunk));
    chunk = std::regex_replace(chunk, std::regex("GROUP 3"), "GROUP 4\nUNKNOWN 1");
    rpp::Error error;
    ASSERT_TRUE(rpp::set_item_chunk(host, &it, "  " + chunk, error)) << error.message;
    EXPECT_EQ(it.group, 4);
    EXPECT_NE(save(*file).find("      GROUP 4\n      UNKNOWN 1\n"), std::string::npos);
    for (const char* bad :
         {"", "<TRACK\n>\n", "<ITEM\nPOSITION x\n>\n", "<ITEM\n", "<ITEM\n>\n>\n"}) {
        EXPECT_FALSE(rpp::set_item_chunk(host, &it, bad, error)) << bad;
        EXPECT_EQ(it.group, 4) << bad;
    }
    sim::Item* made = host.add_item(host.current_project()->tracks.front(), {.group = 7});
    host.add_take(made, {.name = "n", .markers = {{.source_position = 1, .name = "m"}}});
    ASSERT_TRUE(rpp::item_chunk(host, made, chunk));
    sim::Item* other = host.add_item(host.current_project()->tracks.front(), {});
    ASSERT_TRUE(rpp::set_item_chunk(host, other, chunk, error)) << error.message;
    EXPECT_EQ(other->group, 7);
    EXPECT_EQ(other->takes.at(0)->markers, made->takes[0]->markers);
}

TEST(RppModel, MalformedTimelinesNotesAndNestingAreRefusedNamingTheLine) {
    std::string deep = kHead;
    for (int i = 0; i < 100; ++i) deep += "  <X\n";
    const struct {
        std::string text;
        std::size_t line;
        const char* says;
    } cases[] = {
        {project("  MARKER 1 two x 0\n", "", ""), 3, "MARKER field 2"},
        {project("  MARKER 1 2\n", "", ""), 3, "MARKER needs 3 fields"},
        {project("  MARKER 1 2 a 1\n  MARKER 2 3 b 0\n", "", ""), 4, "region 1 has no end"},
        {project("  MARKER 1 2 a 0\n  MARKER 1 3 b 1\n", "", ""), 4, "region 1 has no end"},
        {project("  TEMPO 0 4 4\n", "", ""), 3, "positive tempo"},
        {project("  <TEMPOENVEX\n    PT 0 fast 1\n  >\n", "", ""), 4, "PT field 2"},
        {project("", "      <NOTES\n        no bar\n      >\n", ""), 10, "must start with |"},
        {project("", "", "      SM 0 0 + 1\n"), 15, "stretch marker"},
        {deep, 67, "nested deeper than 64"},
        {std::string(kHead) + "  <TRACK\n    SEL yes\n  >\n>\n", 4, "SEL field 1"},
    };
    for (const auto& c : cases) {
        rpp::Error error;
        EXPECT_EQ(rpp::ProjectFile::parse(c.text, error), nullptr) << c.says;
        EXPECT_EQ(error.line, c.line) << c.says;
        EXPECT_NE(error.message.find(c.says), std::string::npos) << error.message;
    }
}

}  // namespace
