// Fake functions registered with the simulated host exactly as an extension registers them
// (API_, APIdef_, APIvararg_), called from Lua through the marshaller.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "environment.h"
#include "lua_eval.h"
#include "marshal.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using ::testing::ElementsAre;
using testing::eval;
using ::testing::HasSubstr;
using testing::Outcome;
using testing::set_global;

// What the last fake call received.
struct Received {
    int calls = 0;
    int numparms = -1;
    std::vector<void*> slots;  // numparms + 1: the parameters, then the double result slot
    int count = 0;
    bool flag = false;
    double gain = 0.0;
    std::string text;
    int size = 0;
};
Received g_in;
MediaItem* g_item_result = nullptr;

void receive(void** arglist, int numparms) {
    ++g_in.calls;
    g_in.numparms = numparms;
    g_in.slots.assign(arglist, arglist + numparms + 1);
}

int int_slot(void* s) {
    return static_cast<int>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(s)));
}

void* int_result(int v) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(v));
}

// ---- the fakes ----

constexpr char kInDef[] =
    "int\0ReaProject*,int,bool,double,const char*,MediaItem*,Mediaitem*,MediaTrack*\0"
    "proj,count,flag,gain,label,item,item2,track\0"
    "[test]every by-value parameter type";
void* fake_in(void** a, int n) {
    receive(a, n);
    g_in.count = int_slot(a[1]);
    g_in.flag = a[2] != nullptr;
    g_in.gain = *static_cast<double*>(a[3]);
    g_in.text = static_cast<const char*>(a[4]);
    return int_result(~g_in.count);
}

constexpr char kOutDef[] =
    "bool\0ReaProject*,char*,int,int*,double*,bool*\0"
    "proj,nameOut,nameOut_sz,countOut,volumeOut,flagOut\0"
    "[test]outputs";
void* fake_out(void** a, int n) {
    receive(a, n);
    auto* name = static_cast<char*>(a[1]);
    g_in.size = int_slot(a[2]);
    auto* count = static_cast<int*>(a[3]);
    auto* volume = static_cast<double*>(a[4]);
    auto* flag = static_cast<bool*>(a[5]);
    g_in.text = name;
    g_in.count = *count;
    g_in.gain = *volume;
    g_in.flag = *flag;
    std::snprintf(name, static_cast<std::size_t>(g_in.size), "out:%s", g_in.text.c_str());
    *count += 1;
    *volume *= 2;
    *flag = !*flag;
    return int_result(1);
}

constexpr char kInOutDef[] =
    "void\0int*,double*,bool*,char*,int\0"
    "countInOut,gainInOut,flagInOut,textInOut,textInOut_sz\0"
    "[test]in and out";
void* fake_in_out(void** a, int n) {
    receive(a, n);
    *static_cast<int*>(a[0]) *= 3;
    *static_cast<double*>(a[1]) += 0.5;
    *static_cast<bool*>(a[2]) = !*static_cast<bool*>(a[2]);
    auto* text = static_cast<char*>(a[3]);
    const std::size_t size = static_cast<std::size_t>(int_slot(a[4]));
    const std::size_t length = std::strlen(text);
    if (length + 1 < size) {
        text[length] = '!';
        text[length + 1] = '\0';
    }
    return nullptr;
}

constexpr char kOptionalDef[] =
    "int\0const char*,double,int*,MediaItem*,char*\0"
    "labelOptional,gainOptional,countInOptional,itemOptional,bufOptional\0"
    "[test]optional";
void* fake_optional(void** a, int n) {
    receive(a, n);
    int present = 0;
    for (int i = 0; i < 5; ++i) present |= a[i] != nullptr ? 1 << i : 0;
    if (a[0] != nullptr) g_in.text = static_cast<const char*>(a[0]);
    if (a[1] != nullptr) g_in.gain = *static_cast<double*>(a[1]);
    if (a[2] != nullptr) g_in.count = *static_cast<int*>(a[2]);
    return int_result(present);
}

constexpr char kNeedBigDef[] = "bool\0char*,bool\0stringNeedBig,upper\0[test]need big";
void* fake_need_big(void** a, int n) {
    receive(a, n);
    auto* text = static_cast<char*>(a[0]);
    g_in.text = text;
    if (g_in.text == "fill") {
        // A NeedBig callee writes without knowing the size; the runner's buffer must hold it.
        std::memset(text, 'x', kNeedBigBufferSize - 1);
        text[kNeedBigBufferSize - 1] = '\0';
    } else if (a[1] != nullptr) {
        for (char* c = text; *c != '\0'; ++c) *c = static_cast<char>(std::toupper(*c));
    }
    return int_result(1);
}

constexpr char kVisibleSizeDef[] = "int\0char*,int\0bufOut,bufsize\0[test]size not hidden";
void* fake_visible_size(void** a, int n) {
    receive(a, n);
    const int size = int_slot(a[1]);
    std::snprintf(static_cast<char*>(a[0]), static_cast<std::size_t>(size), "size=%d", size);
    return int_result(size);
}

constexpr char kDoubleDef[] = "double\0double,double\0a,b\0[test]double result";
void* fake_double(void** a, int n) {
    receive(a, n);
    *static_cast<double*>(a[n]) = *static_cast<double*>(a[0]) * *static_cast<double*>(a[1]);
    return nullptr;
}

constexpr char kTextDef[] = "const char*\0int\0which\0[test]text result";
void* fake_text(void** a, int n) {
    receive(a, n);
    static const char text[] = "some text";
    return int_slot(a[0]) == 1 ? const_cast<char*>(text) : nullptr;
}

constexpr char kHandleDef[] = "MediaItem*\0int\0which\0[test]handle result";
void* fake_handle(void** a, int n) {
    receive(a, n);
    return int_slot(a[0]) == 1 ? g_item_result : nullptr;
}

constexpr char kBoolDef[] = "bool\0int\0which\0[test]bool result";
void* fake_bool(void** a, int n) {
    receive(a, n);
    return int_result(int_slot(a[0]));
}

constexpr char kUnsupportedDef[] = "void\0void*\0data\0[test]not for scripts";
void* fake_unsupported(void** a, int n) {
    receive(a, n);
    return nullptr;
}

constexpr char kBrokenDef[] = "bool\0int,int\0x\0[test]two types, one name";

using Vararg = void* (*)(void**, int);

class Marshal : public ::testing::Test {
protected:
    Marshal() {
        g_in = Received{};
        track_ = host_.add_track(nullptr, "T", true);
        item_ = host_.add_item(track_, sim::ItemSpec{});
        other_project_ = host_.add_project("other");
        other_item_ = host_.add_item(host_.add_track(other_project_, "O"), sim::ItemSpec{});
        g_item_result = sim::Host::handle(item_);

        add("Fake_In", kInDef, &fake_in);
        add("Fake_Out", kOutDef, &fake_out);
        add("Fake_InOut", kInOutDef, &fake_in_out);
        add("Fake_Optional", kOptionalDef, &fake_optional);
        add("Fake_NeedBig", kNeedBigDef, &fake_need_big);
        add("Fake_VisibleSize", kVisibleSizeDef, &fake_visible_size);
        add("Fake_Double", kDoubleDef, &fake_double);
        add("Fake_Text", kTextDef, &fake_text);
        add("Fake_Handle", kHandleDef, &fake_handle);
        add("Fake_Bool", kBoolDef, &fake_bool);
        add("Fake_Unsupported", kUnsupportedDef, &fake_unsupported);
        add("Fake_Broken", kBrokenDef, &fake_bool);
        add("Fake_NoWrapper", kBoolDef, nullptr);
        // Callable by other extensions, but without a definition text invisible to scripts.
        host_.plugin_register("API_Fake_NoDefinition", reinterpret_cast<void*>(&fake_bool));
        host_.plugin_register("APIvararg_Fake_NoDefinition", reinterpret_cast<void*>(&fake_bool));

        env_ = std::make_unique<Environment>(host_);
        env_->install_registered_functions();
        L_ = env_->state();
        set_global(L_, "item", sim::Host::handle(item_));
        set_global(L_, "track", sim::Host::handle(track_));
        set_global(L_, "other_project", sim::Host::handle(other_project_));
        set_global(L_, "other_item", sim::Host::handle(other_item_));
    }

    void add(const std::string& name, const char* definition, Vararg vararg) {
        void* address = reinterpret_cast<void*>(vararg != nullptr ? vararg : &fake_bool);
        host_.plugin_register(("API_" + name).c_str(), address);
        host_.plugin_register(("APIdef_" + name).c_str(), const_cast<char*>(definition));
        if (vararg != nullptr) {
            host_.plugin_register(("APIvararg_" + name).c_str(), reinterpret_cast<void*>(vararg));
        }
    }

    Outcome run(const std::string& code) { return eval(L_, code); }

    sim::Host host_;
    sim::Track* track_ = nullptr;
    sim::Item* item_ = nullptr;
    sim::Project* other_project_ = nullptr;
    sim::Item* other_item_ = nullptr;
    std::unique_ptr<Environment> env_;
    lua_State* L_ = nullptr;
};

TEST_F(Marshal, ByValueParametersArriveInReaperSlots) {
    const Outcome o = run("return reaper.Fake_In(0, 21, true, 2.5, 'abc', item, item, track)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("-22"));
    ASSERT_EQ(g_in.numparms, 8);
    ASSERT_EQ(g_in.slots.size(), 9u);
    EXPECT_EQ(g_in.slots[0], nullptr);
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(g_in.slots[1]), 21);
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(g_in.slots[2]), 1);
    EXPECT_EQ(g_in.gain, 2.5);
    EXPECT_EQ(g_in.text, "abc");
    EXPECT_EQ(g_in.slots[5], sim::Host::handle(item_));
    EXPECT_EQ(g_in.slots[6], sim::Host::handle(item_));
    EXPECT_EQ(g_in.slots[7], sim::Host::handle(track_));
}

struct ValueCase {
    const char* args;  // arguments 2..5: count, flag, gain, label
    int count;
    bool flag;
    double gain;
    const char* label;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << testing::label(c.args);
}

class MarshalValues : public Marshal, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(MarshalValues, ConvertsLuaValues) {
    const ValueCase& c = GetParam();
    const Outcome o = run(std::string("return reaper.Fake_In(nil, ") + c.args + ")");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_EQ(g_in.count, c.count) << c.args;
    EXPECT_EQ(g_in.flag, c.flag) << c.args;
    EXPECT_EQ(g_in.gain, c.gain) << c.args;
    EXPECT_EQ(g_in.text, c.label) << c.args;
    // Handles left out arrive as null.
    EXPECT_EQ(g_in.slots[5], nullptr);
    EXPECT_EQ(g_in.slots[6], nullptr);
    EXPECT_EQ(g_in.slots[7], nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, MarshalValues,
    ::testing::Values(ValueCase{"-7, false, -0.25, ''", -7, false, -0.25, ""},
                      ValueCase{"3.0, 1, 4, 'x'", 3, true, 4.0, "x"},
                      ValueCase{"2147483647, 0, 1e300, 12", 2147483647, false, 1e300, "12"},
                      ValueCase{"-2147483648, true, 0, nil", -2147483647 - 1, true, 0.0, ""},
                      ValueCase{"5, false, 1, 'a\\0b'", 5, false, 1.0, "a"}));

struct ErrorCase {
    const char* call;
    const char* error;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << testing::label(c.call);
}

class MarshalErrors : public Marshal, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(MarshalErrors, NameFunctionAndArgumentAndNeverCall) {
    const Outcome o = run(std::string("return ") + GetParam().call);
    ASSERT_FALSE(o.ok) << GetParam().call;
    EXPECT_EQ(o.error, GetParam().error) << GetParam().call;
    EXPECT_EQ(g_in.calls, 0) << GetParam().call;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, MarshalErrors,
    ::testing::Values(
        ErrorCase{"reaper.Fake_In(0, 'x', true, 1, '')", "Fake_In argument 2: expected integer"},
        ErrorCase{"reaper.Fake_In(0)", "Fake_In argument 2: expected integer"},
        ErrorCase{"reaper.Fake_In(0, 1.5e10, true, 1, '')", "Fake_In argument 2: expected integer"},
        ErrorCase{"reaper.Fake_In(0, 2^31, true, 1, '')", "Fake_In argument 2: expected integer"},
        ErrorCase{"reaper.Fake_In(0, 0/0, true, 1, '')", "Fake_In argument 2: expected integer"},
        ErrorCase{"reaper.Fake_In(0, '3', true, 1, '')", "Fake_In argument 2: expected integer"},
        ErrorCase{"reaper.Fake_In(0, 1, nil, 1, '')", "Fake_In argument 3: expected boolean"},
        ErrorCase{"reaper.Fake_In(0, 1, 'yes', 1, '')", "Fake_In argument 3: expected boolean"},
        ErrorCase{"reaper.Fake_In(0, 1, true, nil, '')", "Fake_In argument 4: expected number"},
        ErrorCase{"reaper.Fake_In(0, 1, true, '1', '')", "Fake_In argument 4: expected number"},
        ErrorCase{"reaper.Fake_In(0, 1, true, 1, {})", "Fake_In argument 5: expected string"},
        ErrorCase{"reaper.Fake_In(0, 1, true, 1, true)", "Fake_In argument 5: expected string"},
        ErrorCase{"reaper.Fake_In(item, 1, true, 1, '')",
                  "Fake_In argument 1: expected ReaProject*"},
        ErrorCase{"reaper.Fake_In(7, 1, true, 1, '')", "Fake_In argument 1: expected ReaProject*"},
        ErrorCase{"reaper.Fake_In('p', 1, true, 1, '')",
                  "Fake_In argument 1: expected ReaProject*"},
        ErrorCase{"reaper.Fake_In(0, 1, true, 1, '', track)",
                  "Fake_In argument 6: expected MediaItem*"},
        ErrorCase{"reaper.Fake_In(0, 1, true, 1, '', 1)",
                  "Fake_In argument 6: expected MediaItem*"},
        ErrorCase{"reaper.Fake_In(0, 1, true, 1, '', {})",
                  "Fake_In argument 6: expected MediaItem*"},
        // The quirky spelling checks, and reports, as MediaItem*.
        ErrorCase{"reaper.Fake_In(0, 1, true, 1, '', nil, track)",
                  "Fake_In argument 7: expected MediaItem*"},
        ErrorCase{"reaper.Fake_In(0, 1, true, 1, '', nil, nil, item)",
                  "Fake_In argument 8: expected MediaTrack*"},
        // A handle is checked against the project given before it, else the current one.
        ErrorCase{"reaper.Fake_In(nil, 1, true, 1, '', other_item)",
                  "Fake_In argument 6: expected MediaItem*"},
        ErrorCase{"reaper.Fake_In(other_project, 1, true, 1, '', item)",
                  "Fake_In argument 6: expected MediaItem*"},
        ErrorCase{"reaper.Fake_Out(0, {})", "Fake_Out argument 2: expected string"},
        ErrorCase{"reaper.Fake_Out(0, '', 'x')", "Fake_Out argument 3: expected integer"},
        ErrorCase{"reaper.Fake_Out(0, '', 1, false)", "Fake_Out argument 4: expected number"},
        ErrorCase{"reaper.Fake_InOut()", "Fake_InOut argument 1: expected integer"},
        ErrorCase{"reaper.Fake_InOut(1)", "Fake_InOut argument 2: expected number"},
        ErrorCase{"reaper.Fake_InOut(1, 1)", "Fake_InOut argument 3: expected boolean"},
        ErrorCase{"reaper.Fake_InOut(1, 1, true, {})", "Fake_InOut argument 4: expected string"},
        ErrorCase{"reaper.Fake_Optional({})", "Fake_Optional argument 1: expected string"},
        ErrorCase{"reaper.Fake_Optional(nil, nil, nil, track)",
                  "Fake_Optional argument 4: expected MediaItem*"},
        ErrorCase{"reaper.Fake_VisibleSize()", "Fake_VisibleSize argument 1: expected integer"},
        ErrorCase{"reaper.Fake_Unsupported(item)",
                  "Fake_Unsupported argument 1: type void* cannot be passed from Lua"},
        ErrorCase{"reaper.Fake_Broken(1)",
                  "Fake_Broken has an unreadable definition text: 2 parameter types but 1 "
                  "parameter names"},
        ErrorCase{"reaper.Fake_NoWrapper(1)",
                  "Fake_NoWrapper has no APIvararg_ wrapper; scripts cannot call it"}));

TEST_F(Marshal, HandleFromAnotherProjectPassesWhenThatProjectIsGiven) {
    const Outcome o = run("return reaper.Fake_In(other_project, 1, true, 1, '', other_item)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_EQ(g_in.slots[0], sim::Host::handle(other_project_));
    EXPECT_EQ(g_in.slots[5], sim::Host::handle(other_item_));
}

TEST_F(Marshal, StaleHandleIsAnError) {
    const Outcome deleted = run("return reaper.DeleteTrackMediaItem(track, item)");
    ASSERT_TRUE(deleted.ok) << deleted.error;
    ASSERT_THAT(deleted.values, ElementsAre("true"));
    const Outcome o = run("return reaper.Fake_In(0, 1, true, 1, '', item)");
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.error, "Fake_In argument 6: expected MediaItem*");
    EXPECT_EQ(g_in.calls, 0);
}

TEST_F(Marshal, ZeroIsANullHandle) {
    const Outcome o = run("return reaper.Fake_In(0, 1, true, 1, '', 0, 0.0, 0)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_EQ(g_in.slots[5], nullptr);
    EXPECT_EQ(g_in.slots[6], nullptr);
    EXPECT_EQ(g_in.slots[7], nullptr);
}

TEST_F(Marshal, OutputsComeBackAfterTheResultInParameterOrder) {
    const Outcome o =
        run("local ok, name, count, volume, flag = reaper.Fake_Out(0)\n"
            "return ok, name, count, math.type(count), volume, math.type(volume), flag");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("true", "out:", "1", "integer", "0.0", "float", "true"));
    EXPECT_EQ(g_in.numparms, 6);
    EXPECT_EQ(g_in.size, static_cast<int>(kOutBufferSize));
    EXPECT_EQ(g_in.text, "");
    EXPECT_EQ(g_in.count, 0);
    EXPECT_EQ(g_in.gain, 0.0);
    EXPECT_FALSE(g_in.flag);
}

TEST_F(Marshal, ExtraArgumentsGiveOutputsTheirInitialValues) {
    const Outcome o = run("return reaper.Fake_Out(0, 'abc', 41, 1.25, true)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("true", "out:abc", "42", "2.5", "false"));
    EXPECT_EQ(g_in.text, "abc");
    EXPECT_EQ(g_in.count, 41);
    EXPECT_EQ(g_in.gain, 1.25);
    EXPECT_TRUE(g_in.flag);
}

TEST_F(Marshal, LongInitialValueGrowsTheTextBuffer) {
    const Outcome o =
        run("local ok, name = reaper.Fake_Out(0, string.rep('a', 3000)) return #name");
    ASSERT_TRUE(o.ok) << o.error;
    // The buffer grows to hold a long initial value; the callee writes within the size given.
    EXPECT_EQ(g_in.size, 3001);
    EXPECT_THAT(o.values, ElementsAre("3000"));
}

TEST_F(Marshal, InOutParametersArePassedAndReturned) {
    const Outcome o = run("return reaper.Fake_InOut(2, 1.0, false, 'hi')");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("6", "1.5", "true", "hi!"));
    EXPECT_EQ(g_in.numparms, 5);
    EXPECT_EQ(int_slot(g_in.slots[4]), static_cast<int>(kOutBufferSize));
}

TEST_F(Marshal, OptionalParametersLeftOutArriveAsNull) {
    const Outcome none = run("return reaper.Fake_Optional()");
    ASSERT_TRUE(none.ok) << none.error;
    EXPECT_THAT(none.values, ElementsAre("0"));
    EXPECT_EQ(g_in.numparms, 5);

    const Outcome all = run("return reaper.Fake_Optional('a', 1.5, 3, item, 'b')");
    ASSERT_TRUE(all.ok) << all.error;
    EXPECT_THAT(all.values, ElementsAre("31"));
    EXPECT_EQ(g_in.text, "a");
    EXPECT_EQ(g_in.gain, 1.5);
    EXPECT_EQ(g_in.count, 3);
    EXPECT_EQ(g_in.slots[3], sim::Host::handle(item_));

    const Outcome gain_only = run("return reaper.Fake_Optional(nil, 2)");
    ASSERT_TRUE(gain_only.ok) << gain_only.error;
    EXPECT_THAT(gain_only.values, ElementsAre("2"));
}

TEST_F(Marshal, NeedBigBufferIsPassedInAndReturned) {
    const Outcome o = run("return reaper.Fake_NeedBig('Kick', true)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("true", "KICK"));
    EXPECT_EQ(g_in.text, "Kick");

    const Outcome nil_text = run("return reaper.Fake_NeedBig(nil, true)");
    ASSERT_TRUE(nil_text.ok) << nil_text.error;
    EXPECT_THAT(nil_text.values, ElementsAre("true", ""));
}

TEST_F(Marshal, NeedBigBufferHoldsLargeTexts) {
    const Outcome filled = run("local ok, s = reaper.Fake_NeedBig('fill', false) return #s");
    ASSERT_TRUE(filled.ok) << filled.error;
    EXPECT_THAT(filled.values, ElementsAre(std::to_string(kNeedBigBufferSize - 1)));

    const Outcome longer =
        run("local ok, s = reaper.Fake_NeedBig(string.rep('b', 100000), true)\n"
            "return #s, s == string.rep('B', 100000)");
    ASSERT_TRUE(longer.ok) << longer.error;
    EXPECT_THAT(longer.values, ElementsAre("100000", "true"));
}

TEST_F(Marshal, SizeNotNamedAfterItsBufferIsPassedByTheScript) {
    const Outcome o = run("return reaper.Fake_VisibleSize(8)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("8", "size=8"));
    EXPECT_EQ(g_in.numparms, 2);
}

TEST_F(Marshal, DoubleResultIsReadFromTheExtraSlot) {
    const Outcome o = run("local v = reaper.Fake_Double(1.5, 4) return v, math.type(v)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("6.0", "float"));
    ASSERT_EQ(g_in.slots.size(), 3u);
    EXPECT_NE(g_in.slots[2], nullptr);
}

struct ResultCase {
    const char* call;
    const char* expected;
};

void PrintTo(const ResultCase& c, std::ostream* os) {
    *os << testing::label(c.call);
}

class MarshalResults : public Marshal, public ::testing::WithParamInterface<ResultCase> {};

TEST_P(MarshalResults, BecomeLuaValues) {
    const Outcome o = run(std::string("local r = ") + GetParam().call +
                          " return type(r), tostring(r == item), tostring(r)");
    ASSERT_TRUE(o.ok) << o.error;
    ASSERT_EQ(o.values.size(), 3u);
    const std::string shown =
        o.values[0] + " " + o.values[1] + (o.values[0] == "userdata" ? "" : " " + o.values[2]);
    EXPECT_EQ(shown, GetParam().expected) << GetParam().call;
}

INSTANTIATE_TEST_SUITE_P(
    Types, MarshalResults,
    ::testing::Values(ResultCase{"reaper.Fake_Text(1)", "string false some text"},
                      ResultCase{"reaper.Fake_Text(0)", "nil false nil"},
                      ResultCase{"reaper.Fake_Handle(1)", "userdata true"},
                      ResultCase{"reaper.Fake_Handle(0)", "nil false nil"},
                      ResultCase{"reaper.Fake_Bool(1)", "boolean false true"},
                      ResultCase{"reaper.Fake_Bool(0)", "boolean false false"},
                      ResultCase{"reaper.Fake_Bool(1, 'ignored', {})", "boolean false true"},
                      ResultCase{"reaper.Fake_In(0, 5, true, 1, '')", "number false -6"}));

TEST_F(Marshal, FunctionWithoutDefinitionTextIsNotShownToScripts) {
    ASSERT_TRUE(host_.registered_function("Fake_NoDefinition").has_value());
    const Outcome o = run("return reaper.Fake_NoDefinition");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("nil"));
}

TEST_F(Marshal, EveryRegisteredFunctionIsInTheReaperTable) {
    const Outcome o =
        run("local n = 0 for k, v in pairs(reaper) do\n"
            "  if k:sub(1, 5) == 'Fake_' and type(v) == 'function' then n = n + 1 end\n"
            "end return n");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("13"));
}

}  // namespace
}  // namespace reaper_sim
