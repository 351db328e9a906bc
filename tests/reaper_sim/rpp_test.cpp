// REAPER project files: every feature of the format survives a load and save byte for byte; what
// loads is what the file says; edits land in their own field of their own line and read back
// after a reload; malformed files are refused naming the line; media is read for real; saving
// goes through a temporary file and keeps the old file.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "commands.h"
#include "project_file.h"
#include "rpp/project_file.h"
#include "rpp/text.h"
#include "rpp_canonical.h"
#include "sim/host.h"

namespace {

namespace r = sim::reaper;
namespace fs = std::filesystem;
using sim::Host;

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The feature project, shared with the fuzz seeds: its first track holds one item per feature of
// the format in REAPER's line order (quoting forms; TAKE, TAKE SEL, TAKE NULL; an empty first
// slot; an empty item; 6-field fades and 1-field MUTE; 7-field fades and 2-field MUTE; SECTION;
// MIDI; notes and payloads after the source).
struct Features {
    std::string head, tail;
    std::vector<std::string> items;
};
const Features& features() {
    static const Features f = [] {
        const std::string text = read(QM_RPP_FEATURES);
        Features f;
        std::size_t at = text.find("    <ITEM\n"), end = text.find("\n  >\n", at) + 1;
        f.head = text.substr(0, at);
        f.tail = text.substr(end);
        for (std::size_t next = at; at < end; at = next) {
            next = text.find("\n    >\n", at) + 7;
            f.items.push_back(text.substr(at, next - at));
        }
        return f;
    }();
    return f;
}
std::string project(const std::string& items) {
    return features().head + items + features().tail;
}
std::string all_features() {
    std::string items;
    for (const std::string& item : features().items) items += item;
    return project(items);
}

std::string crlf(const std::string& text) {
    return std::regex_replace(text, std::regex("\n"), "\r\n");
}

std::unique_ptr<rpp::ProjectFile> load(Host& host, const std::string& text,
                                       const std::string& folder = "/nonexistent") {
    rpp::Error error;
    auto file = rpp::ProjectFile::parse(text, error);
    EXPECT_NE(file, nullptr) << "line " << error.line << ": " << error.message;
    if (file != nullptr) {
        EXPECT_TRUE(file->load(host, host.current_project(), "song.RPP", folder,
                               &reaper_sim::read_media, error))
            << error.message;
    }
    return file;
}

std::string save(const rpp::ProjectFile& file) {
    std::string out;
    rpp::Error error;
    EXPECT_TRUE(file.render(out, error)) << error.message;
    return out;
}

TEST(RppFile, EveryFeatureSavesBackByteForByteWithEitherLineEnding) {
    std::vector<std::pair<std::string, std::string>> cases{{"all features", all_features()},
                                                           {"blank end", all_features() + "\n \n"}};
    for (const std::string& item : features().items) cases.emplace_back(item, project(item));
    for (const auto& [name, lf] : cases) {
        for (const std::string& text : {lf, crlf(lf)}) {
            Host host;
            const auto file = load(host, text);
            ASSERT_NE(file, nullptr) << name;
            EXPECT_EQ(save(*file), text) << name;
        }
    }
}

// What the host reads of lines no edit below rewrites (edited ones are read back there): lines of
// its dump, each after the one before.
#define QM_NO_MEDIA " sample_rate 0 channels 0 bit_depth 0 length 0 available "
// clang-format off
const char* const kReads[] = {
    "frame_rate 24 drop_frame 0\ncursor 1.5", R"(track 1 "Drums" selected 1)",
    R"(    take 4 "it's \"x\"" active 0)", R"(    take 5 "hel\"lo" active 0)",
    R"(    take 6 "Ünï" active 0)", R"(    take 7 "" active 1)", "      source none\n  item 2",
    R"(    take 1 "one" active 0)", "      D_STARTOFFS 0.5\n      D_VOL 1\n      D_PAN 0\n"
    "      D_PLAYRATE 1.5\n      D_PITCH -3\n      B_PPITCH 1\n      I_CHANMODE 2\n"
    "      I_PITCHMODE 2", R"(      source "WAVE" file "a.wav")" QM_NO_MEDIA "0",
    R"(    take 2 "two" active 1)", "      D_PAN -0.5", "      source none\n  item 3",
    "    D_VOL 0.5", R"(    take 1 "" active 0)", "      source none",
    R"(    take 2 "second" active 1)", "  item 4", "    B_UISEL 1\n  item 5",
    "    D_FADEOUTLEN 0.5\n    C_FADEINSHAPE 2\n    C_FADEOUTSHAPE 1", "    C_LOCK 1", "  item 6",
    "    D_FADEINLEN 0.125", "    B_LOOPSRC 0",
    R"(      source "SECTION" file "media/tone.wav")" QM_NO_MEDIA "0",
    R"(      source "MIDI" file "")" QM_NO_MEDIA "1",
    R"(      source "MP3" file "c.mp3")" QM_NO_MEDIA "0", R"(track 2 "Bass Gtr" selected 0)",
    R"(    take 1 "bass" active 1)", R"(track 3 "" selected 0)"};
// clang-format on

// Each line must be a whole line of the host's dump, after the one before it.
void expect_in_order(const Host& host, const std::vector<std::string>& lines) {
    const std::string dump = std::regex_replace(host.dump(), std::regex(" generation \\d+"), "");
    std::size_t at = 0;
    for (const std::string& line : lines) {
        at = dump.find("\n" + line + "\n", at);
        ASSERT_NE(at, std::string::npos) << line << "\nafter the lines before it in\n" << dump;
        ++at;
    }
}

TEST(RppFile, ReadsWhatTheFileSays) {
    Host host;
    ASSERT_NE(load(host, all_features()), nullptr);
    expect_in_order(host, {std::begin(kReads), std::end(kReads)});
}

MediaItem* nth(int i) {
    return r::GetMediaItem(nullptr, i);
}
MediaItem_Take* take(int item, int k) {
    return Host::handle(Host::active()->item(nth(item))->takes.at(static_cast<std::size_t>(k)));
}
void rename(MediaItem_Take* t, std::string name) {
    r::GetSetMediaItemTakeInfo_String(t, "P_NAME", name.data(), true);
}

// An edit through host functions; `lines` pairs an original line with what it becomes (the rest
// of the file must stay as it was), or `shows` are patterns the saved file must match.
struct EditCase {
    const char* what;
    std::function<void(Host&)> edit;
    std::vector<std::pair<std::string, std::string>> lines;
    std::vector<std::string> shows = {};
};
const EditCase kEdits[] = {
    {"values land in their own field, missing lines where REAPER puts them",
     [](Host& host) {
         const std::tuple<int, int, const char*, double> values[] = {  // item, take or -1
             {1, -1, "D_VOL", 0.25},        {1, 0, "D_PAN", 0.5},      // VOLPAN shared by both
             {1, 1, "D_VOL", 0.125},        {1, 1, "D_PITCH", 1.5},      {1, 1, "I_CHANMODE", 4},
             {4, -1, "D_FADEINLEN", 0.375}, {4, -1, "C_FADEINSHAPE", 5}, {4, -1, "B_MUTE", 0},
             {5, -1, "D_FADEOUTLEN", 2},    {5, -1, "B_MUTE", 1},        {1, -1, "C_LOCK", 1},
             {3, -1, "D_VOL", 2},           {0, -1, "B_LOOPSRC", 0}};
         for (const auto& [i, k, what, value] : values) {
             k < 0 ? r::SetMediaItemInfo_Value(nth(i), what, value)
                   : r::SetMediaItemTakeInfo_Value(take(i, k), what, value);
         }
         rename(take(0, 2), "it's \"both\"");
         rename(take(0, 1), "plain");
         rename(take(0, 0), "say \"hi\"");
         Host::active()->item(nth(1))->active_take = 2;
         r::SetOnlyTrackSelected(Host::handle(host.current_project()->tracks[1]));
         r::SetEditCurPos2(nullptr, 12.75, false, false);
         host.current_project()->frame_rate = 29.97;
     },
     {{"      NAME one\n      VOLPAN 1 0 1 -1", "      NAME one\n      VOLPAN 0.25 0.5 1 -1"},
      {"TAKEVOLPAN -0.5 0.25 -1\n      SOFFS 0\n      PLAYRATE 1 1 0 -1 0 0.0025\n      CHANMODE 0",
       "TAKEVOLPAN -0.5 0.125 -1\n      SOFFS 0\n      PLAYRATE 1 1 1.5 -1 0 0.0025\n      "
       "CHANMODE 4"},
      {"FADEIN 2 0.25 0 2 0 0\n      FADEOUT 1.1 0.5 0.1 1 0 0\n      MUTE 1\n",
       "FADEIN 5 0.375 0 2 0 0\n      FADEOUT 1.1 0.5 0.1 1 0 0\n      MUTE 0\n"},
      {"FADEOUT 0 0 0 0 0 0 0\n      MUTE 0 1", "FADEOUT 0 2 0 0 0 0 0\n      MUTE 1 1"},
      {"NAME 'say \"hi\"'\n      TAKE\n", "NAME `it's \"both\"`\n      TAKE\n"},
      {"NAME \"two words\"", "NAME plain"},
      {"      POSITION 0\n      LENGTH 1\n      NAME Kick.wav",
       "      POSITION 0\n      LENGTH 1\n      LOOP 0\n      NAME 'say \"hi\"'"},
      {"      MUTE 0 0\n      SEL 0\n", "      MUTE 0 0\n      LOCK 1\n      SEL 0\n"},
      {"000000000004}\n      IID 3\n", "000000000004}\n      IID 3\n      VOLPAN 2\n"},
      {"      TAKE SEL\n      NAME two", "      TAKE\n      NAME two"},
      {"      TAKE NULL\n", "      TAKE NULL SEL\n"},
      {"    SEL 1\n    <FXCHAIN", "    SEL 0\n    <FXCHAIN"},
      {"NAME \"Bass Gtr\"\n    SEL 0", "NAME \"Bass Gtr\"\n    SEL 1"},
      {"CURSOR 1.5", "CURSOR 12.75"},
      {"TIMEMODE 1 5 -1 24 0 0 -1", "TIMEMODE 1 5 -1 29.97 0 0 -1"}}},
    {"a take changed beside unchanged ones, and the item's own values: only their lines move",
     [](Host&) {
         r::SetMediaItemInfo_Value(nth(1), "D_LENGTH", 3);
         r::SetMediaItemTakeInfo_Value(take(1, 1), "D_PLAYRATE", 2);
         Host::active()->item(nth(1))->active_take = 0;
         r::SetMediaItemInfo_Value(nth(2), "D_VOL", 2);  // an empty first slot, an active take
     },
     {{"POSITION 2\n      SNAPOFFS 0\n      LENGTH 1\n",
       "POSITION 2\n      SNAPOFFS 0\n      LENGTH 3\n"},
      {"      TAKE SEL\n      NAME two\n      TAKEVOLPAN -0.5 0.25 -1\n      SOFFS 0\n"
       "      PLAYRATE 1 1 0 -1 0 0.0025\n",
       "      TAKE\n      NAME two\n      TAKEVOLPAN -0.5 0.25 -1\n      SOFFS 0\n"
       "      PLAYRATE 2 1 0 -1 0 0.0025\n"},
      {"IID 3\n      VOLPAN 0.5\n", "IID 3\n      VOLPAN 2\n"}}},
    {"a deleted item goes with its block, moved ones go in position order",
     [](Host& host) {
         MediaItem* moved[] = {nth(0), nth(2)};
         const auto& tracks = host.current_project()->tracks;
         r::DeleteTrackMediaItem(Host::handle(tracks[0]), nth(8));
         r::MoveMediaItemToTrack(moved[0], Host::handle(tracks[1]));
         r::MoveMediaItemToTrack(moved[1], Host::handle(tracks[2]));
     },
     {{features().items[8], ""},
      {features().items[0], ""},
      {"    SEL 0\n    <ITEM\n      POSITION 3\n",
       "    SEL 0\n" + features().items[0] + "    <ITEM\n      POSITION 3\n"},
      {features().items[2], ""},
      {"000000000003}\n  >\n", "000000000003}\n" + features().items[2] + "  >\n"}}},
    {"a copy as the library makes one, an empty slot given a source, a take added, InsertMedia",
     [](Host& host) {
         MediaItem* copy = r::AddMediaItemToTrack(Host::handle(host.current_project()->tracks[1]));
         r::SetMediaItemInfo_Value(copy, "D_POSITION", 1);
         r::SetMediaItemInfo_Value(copy, "D_LENGTH", 2);
         MediaItem_Take* t = r::AddTakeToMediaItem(copy);
         rename(t, "notes copy");
         auto* midi = reinterpret_cast<sim::PcmSourceInterface*>(
             r::GetMediaItemTake_Source(r::GetActiveTake(nth(7))));
         r::GetSetMediaItemTakeInfo(t, "P_SOURCE",
                                    reinterpret_cast<PCM_source*>(midi->Duplicate()));
         sim::SourceSpec click{.type = "CLICK", .file = ""};
         click.sample_rate = click.channels = click.bit_depth = 0;
         click.length = 0.0;
         sim::Source* source = host.add_source(click);
         r::GetSetMediaItemTakeInfo(take(1, 2), "P_SOURCE", Host::handle(source));
         rename(r::AddTakeToMediaItem(nth(3)), "added");
         r::InsertMedia(host.current_project()->name.c_str(), 0);
     },
     {},
     {"    SEL 0\n    <ITEM\n      POSITION 1\n      SNAPOFFS 0\n      LENGTH 2\n"
      "      LOOP 1\n.*\n      FADEIN 0 0 0 0 0 0 0\n(.*\n){3}"
      "      IGUID \\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\}\n      IID 5\n"
      "      NAME \"notes copy\"\n      VOLPAN 1 0 1 -1\n(.*\n){3}      GUID \\{.{36}\\}\n"
      "      <SOURCE MIDI\n        HASDATA 1 960 QN\n(.*\n){2}        GUID \\{(?!0D0)",
      "000000000002\\}\n      TAKE\n      NAME \"\"\n      TAKEVOLPAN 0 1 -1\n(.*\n){4}"
      "      <SOURCE CLICK\n      >\n    >\n",
      "IID 3\n      NAME added\n      VOLPAN 1 0 1 -1\n",
      "    <ITEM\n      POSITION 1.5\n(.*\n){7}      SEL 1\n(.*\n){2}      NAME new.wav\n(.*\n){5}"
      "      <SOURCE WAVE\n        FILE \".*/media/new.wav\"\n      >\n    >\n    <ITEM\n"
      "      POSITION 2\n"}},
};

// A track's own line may stand after one of its items (REAPER writes them first, other tools
// may not): moving that item away must not change whose line it is.
TEST(RppFile, ATracksOwnLinesStayItsOwnWhenItsItemsMove) {
    const std::string text =
        "<REAPER_PROJECT 0.1\n  <TRACK {1A000000-0000-0000-0000-000000000001}\n    SEL 0\n"
        "    <ITEM\n      POSITION 1\n    >\n    NAME late\n    <ITEM\n      POSITION 2\n    >\n"
        "  >\n  <TRACK {1A000000-0000-0000-0000-000000000002}\n    NAME other\n  >\n>\n";
    Host host;
    const auto file = load(host, text);
    ASSERT_NE(file, nullptr);
    const auto& tracks = host.current_project()->tracks;
    EXPECT_EQ(tracks[0]->name, "late");
    r::MoveMediaItemToTrack(nth(0), Host::handle(tracks[1]));
    Host again;
    ASSERT_NE(load(again, save(*file)), nullptr);
    EXPECT_EQ(canonical_dump(again), canonical_dump(host));
}

TEST(RppFile, MalformedFilesAreRefusedNamingTheLine) {
    const std::string p = "<REAPER_PROJECT 0.1\n";
    // clang-format off
    const struct {
        std::string text;
        std::size_t line;
        const char* says;
    } cases[] = {
        {"", 0, "empty"}, {"hello\n", 1, "not a REAPER project"},
        {"\xef\xbb\xbf" + p + ">\n", 1, "not a REAPER project"},
        {p + "  <TRACK\n  >\n", 3, "ends inside the block opened on line 1"},
        {p + "  <TRACK\n    <ITEM\n      POSITION 1", 4, "opened on line 3"},
        {p + ">\n>\n", 3, "after the end"},
        {p + "  <TRACK\n  >\n  >\n  NAME x\n>\n", 5, "after the end"},
        {p + "  NAME a\x01" + "b\n>\n", 2, "binary data (byte 0x01)"},
        {p + "\n  <TRACK" + '\0' + "\n", 3, "binary data (byte 0x00)"},
        {"<REAPER_PROJECT 0.1\r  CURSOR 1\n>\n", 1, "binary data (byte 0x0d)"},
        {p + "  <ITEM\n  >\n>\n", 2, "an item outside a track"},
        {p + "  <TRACK\n    <FXCHAIN\n      <ITEM\n", 4, "outside a track"},
        {p + "  <EXTENSIONS\n    <TRACK\n", 3, "a track outside the project"},
        {p + "  <TRACK\n    <ITEM\n      POSITION 1,5\n", 4,
         "POSITION field 1 (\"1,5\") is not a number"},
        {p + "  <TRACK\n    <ITEM\n      LOCK 1e12\n", 4, "out of range"},
        {p + "  TIMEMODE 1 5 -1 nan\n>\n", 2, "is not a number"}};
    // clang-format on
    for (const auto& c : cases) {
        rpp::Error error;
        EXPECT_EQ(rpp::ProjectFile::parse(c.text, error), nullptr) << c.says;
        EXPECT_EQ(error.line, c.line) << c.says;
        EXPECT_NE(error.message.find(c.says), std::string::npos) << error.message;
    }
}

TEST(RppFile, NumbersAndNamesAreWrittenAsReaperWritesThem) {
    // clang-format off
    const std::pair<double, const char*> numbers[] = {
        {0, "0"}, {-0.0, "0"}, {-3.5, "-3.5"}, {0.1 + 0.2, "0.3"}, {1e-15, "0"},
        {1e20, "100000000000000000000"}, {1.0 / 3.0, "0.33333333333333"},
        {2336.3850483259798, "2336.3850483259798"}, {-2336.3850483259798, "-2336.3850483259798"}};
    const std::pair<const char*, const char*> names[] = {
        {"", "\"\""}, {"hel\"lo", "hel\"lo"}, {"\"x", "'\"x'"}, {"'x", "\"'x\""}, {"`x", "\"`x\""},
        {"it's \"x\" `y`", "`it's \"x\" 'y'`"}, {"two\r\nlines", "\"two  lines\""}};
    // clang-format on
    for (const auto& [value, text] : numbers) EXPECT_EQ(rpp::format_number(value), text);
    for (const auto& [name, text] : names) EXPECT_EQ(rpp::quote(name), text);
}

// The reader's number fields against from_chars (a '+' allowed first, the whole field a finite
// number): hand-picked edges, then random signs, digits and points around the fast path's limits.
TEST(RppFile, NumbersAreReadAsFromCharsReadsThem) {
    std::vector<std::string> fields{
        "0",     "7",    "-0", "+2.5", "1.",    ".5",     "-.5",
        "1e3",   "0x10", "",   "-",    "+",     "+-1",    "1.2.3",
        "inf",   "nan",  " 1", "1 ",   "00012", "0.0025", "2336.3850483259798",
        "1e400", "--1"};
    std::uint32_t state = 7;
    const auto next = [&](std::uint32_t n) {
        return ((state = state * 1103515245U + 12345U) >> 8) % n;
    };
    for (int i = 0; i < 20000; ++i) {
        std::string f = next(4) == 0 ? "-" : next(8) == 0 ? "+" : "";
        for (std::uint32_t d = next(19); d > 0; --d) f += static_cast<char>('0' + next(10));
        if (next(3) != 0) f += '.';
        for (std::uint32_t d = next(19); d > 0; --d) f += static_cast<char>('0' + next(10));
        fields.push_back(f);
    }
    for (const std::string& f : fields) {
        const std::string_view plain =
            !f.empty() && f[0] == '+' ? std::string_view(f).substr(1) : f;
        double want = 0.0;
        const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), want);
        const bool good =
            ec == std::errc() && end == plain.data() + plain.size() && std::isfinite(want);
        double got = 0.0;
        ASSERT_EQ(rpp::parse_double(f, got), good) << f;
        if (good) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(want)) << f;
        }
    }
}

class RppDisk : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() /
                   ("rpp_test_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::create_directories(dir / "media"); }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const char* name) { return (dir / name).string(); }
    void write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
};

// Silence of the given length in the given format, written by libsndfile.
void media(const std::string& path, int format, int rate, int channels, double seconds) {
    SF_INFO info{0, rate, channels, format, 0, 0};
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
    std::vector<float> silence(static_cast<std::size_t>(rate * seconds) * channels, 0.0f);
    sf_writef_float(file, silence.data(), static_cast<sf_count_t>(rate * seconds));
    sf_close(file);
}

TEST_F(RppDisk, EditsLandInTheirOwnFieldAndReadBack) {
    const std::string original = all_features();
    const std::string inserted = at("media/new.wav");
    media(inserted, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, 0.5);
    for (const EditCase& c : kEdits) {
        Host host;
        const auto file = load(host, original, dir.string());
        ASSERT_NE(file, nullptr);
        host.current_project()->name = inserted;  // where InsertMedia finds its file
        c.edit(host);
        host.current_project()->name = "song.RPP";
        const std::string saved = save(*file);
        std::string expected = original;
        for (const auto& [from, to] : c.lines) {
            const auto found = expected.find(from);
            ASSERT_NE(found, std::string::npos) << c.what << ": " << from;
            expected.replace(found, from.size(), to);
        }
        if (c.shows.empty()) {
            EXPECT_EQ(saved, expected) << c.what;
        }
        for (const std::string& pattern : c.shows)
            EXPECT_TRUE(std::regex_search(saved, std::regex(pattern))) << c.what << "\n" << saved;
        Host again;
        ASSERT_NE(load(again, saved, dir.string()), nullptr) << c.what;
        EXPECT_EQ(canonical_dump(again), canonical_dump(host)) << c.what;
    }
}

TEST_F(RppDisk, MediaIsReadForRealAndMissingOrUnreadableFilesAreOffline) {
    media(at("media/tone.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 1, 1.5);
    media(at("media/loop.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2, 2);
    media(at("pad.ogg"), SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2, 1);
    media(at("lead.mp3"), SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100, 1, 1);
    write(at("media/broken.wav"), "RIFF, but not really");
    write(at("clip.mp4"), "video bytes");
    const struct {
        std::string type, file, reads;  // file as the dump quotes it; rate channels bits length on
    } sources[] = {
        {"WAVE", R"("media/tone.wav")", "48000 1 24 1.5 1"},
        {"FLAC", R"("media/loop.flac")", "44100 2 16 2 1"},
        {"VORBIS", "\"" + at("pad.ogg") + "\"", "44100 2 0 1 1"},
        {"MP3", R"("lead.mp3")", "44100 1 0 1 1"},
        {"WAVE", R"("media\\tone.wav")", "48000 1 24 1.5 1"},
        {"WAVE", R"("media/broken.wav")", "0 0 0 0 0"},
        {"WAVE", R"("media/missing.wav")", "0 0 0 0 0"},
        {"VIDEO", R"("clip.mp4")", "0 0 0 0 1"},
        {"SECTION", R"("media/tone.wav")", "48000 1 24 0.5 1"},
    };
    std::string items;
    std::vector<std::string> reads;
    for (const auto& [type, file, values] : sources) {
        const std::string line =
            "FILE " + std::regex_replace(file, std::regex(R"(\\\\)"), "\\") + "\n";
        items += "    <ITEM\n      <SOURCE " + type + "\n" +
                 (type == "SECTION" ? "LENGTH 0.5\n<SOURCE WAVE\n" + line + ">\n" : line) +
                 "      >\n    >\n";
        reads.push_back("      source \"" + type + "\" file " + file +
                        std::regex_replace(values, std::regex("(\\S+) (\\S+) (\\S+) (\\S+) "),
                                           " sample_rate $1 channels $2 bit_depth $3 length $4 "
                                           "available "));
    }
    write(at("song.RPP"), project(items));
    Host host;
    std::string error;
    ASSERT_NE(reaper_sim::open_project_file(host, at("song.RPP"), error), nullptr) << error;
    expect_in_order(host, reads);
}

// The command line end to end: edits saved and read back, the old file kept, nothing saved after
// a Lua error, from a malformed file or from a project that cannot be written, no temporary left.
TEST_F(RppDisk, RunEditsAndSavesThroughTheCommandLine) {
    const auto run = [&](const std::string& script, const std::string& project,
                         const std::string& save) {
        std::vector<std::string> args{"run", script, "--ext", QM_MODULE_PATH};
        if (!project.empty()) args.insert(args.end(), {"--project", project});
        args.insert(args.end(), {"--save", save});
        return reaper_sim::run_command_line(args);
    };
    const std::string song = at("song.rpp"), fresh = at("new.RPP");
    write(song, all_features());
    write(at("bad.RPP"), "<REAPER_PROJECT 0.1\n  <TRACK\n    >\n  >\n  >\n");
    write(at("marker.RPP"), "<REAPER_PROJECT 0.1\n  MARKER 1 x a 0\n>\n");
    write(at("edit.lua"), R"(reaper.QM_SetMediaName(0, 0, 'Lead "take".wav')
reaper.QM_SetMediaMute(0, 1, true))");
    write(at("fail.lua"), "reaper.QM_SetMediaMute(0, 1, true) error('stop')");

    EXPECT_EQ(run(at("edit.lua"), song, song), 0);
    EXPECT_EQ(read(song + "-bak"), all_features());
    EXPECT_EQ(run(at("fail.lua"), song, fresh), 1);
    EXPECT_EQ(run(at("edit.lua"), at("bad.RPP"), fresh), 2);
    EXPECT_EQ(run(at("edit.lua"), at("marker.RPP"), fresh), 2);
    EXPECT_EQ(run(at("edit.lua"), "", fresh), 2);
    EXPECT_EQ(reaper_sim::run_command_line({"dump", at("bad.RPP")}), 2);
    write(at("two.RPP"), crlf(read(song)));
    ASSERT_EQ(run(QM_EXAMPLES_DIR "/rpp_batch.lua", at("two.RPP"), at("two.RPP")), 0);
    const std::string text = read(at("two.RPP"));  // the batch example on the edits, in CRLF
    EXPECT_EQ(text.find("      VOLPAN 1 "), std::string::npos);
    EXPECT_FALSE(std::regex_search(text, std::regex("[^\r]\n"))) << "an added line without CR";
    for (const char* line : {"      NAME 'Lead \"take\"'\r\n", "      MUTE 1 0\r\n",
                             "      NAME Kick.wav\r\n      VOLPAN 0.50118723362727 0 1 -1\r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 9u) << "no temporary file left behind";

    Host host;
    std::string error;
    const auto file = reaper_sim::open_project_file(host, song, error);
    ASSERT_NE(file, nullptr) << error;
    r::SetMediaItemInfo_Value(nth(0), "D_VOL", std::nan(""));
    EXPECT_FALSE(reaper_sim::save_project_file(*file, fresh, error));
    EXPECT_NE(error.find("item 1 D_VOL is not a finite number"), std::string::npos) << error;
    r::SetMediaItemInfo_Value(nth(0), "D_VOL", 1);
    EXPECT_FALSE(reaper_sim::save_project_file(*file, at("media"), error)) << "a directory";
    EXPECT_FALSE(reaper_sim::save_project_file(*file, at("no/such/dir.RPP"), error));
    host.close_project(host.current_project());
    EXPECT_FALSE(reaper_sim::save_project_file(*file, fresh, error)) << "closed";
    EXPECT_FALSE(fs::exists(fresh)) << "nothing saved";
}

}  // namespace
