// Fake functions registered with the simulated host as an extension registers them (API_,
// APIdef_, APIvararg_) and called from Lua through the marshaller. Most fakes describe what they
// received in their results, so each case is one Lua chunk and what it returns or raises.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "environment.h"
#include "lua_eval.h"
#include "marshal.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using testing::Case;
using testing::fails;

int g_calls = 0;
std::string g_seen;                    // the text a fake returns
std::map<void*, std::string> g_names;  // handle -> the Lua global holding it
MediaItem* g_item = nullptr;

int int_of(void* slot) {
    return static_cast<int>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(slot)));
}
void* int_result(int v) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(v));
}
std::string name_of(void* handle) {
    if (handle == nullptr) return "null";
    const auto it = g_names.find(handle);
    return it == g_names.end() ? "?" : it->second;
}
template <class... T>
void* describe(const T&... parts) {
    std::ostringstream os;
    const char* separator = "";
    ((os << separator << parts, separator = "|"), ...);
    g_seen = os.str();
    return g_seen.data();
}

constexpr char kInDef[] =
    "const char*\0ReaProject*,int,bool,double,const char*,MediaItem*,Mediaitem*,MediaTrack*\0"
    "proj,count,flag,gain,label,item,item2,track\0[test]every by-value parameter type";
void* fake_in(void** a, int) {
    ++g_calls;
    return describe(name_of(a[0]), int_of(a[1]), reinterpret_cast<std::intptr_t>(a[2]),
                    *static_cast<double*>(a[3]), static_cast<const char*>(a[4]), name_of(a[5]),
                    name_of(a[6]), name_of(a[7]));
}

constexpr char kOutDef[] =
    "bool\0ReaProject*,char*,int,int*,double*,bool*\0"
    "proj,nameOut,nameOut_sz,countOut,volumeOut,flagOut\0[test]outputs";
void* fake_out(void** a, int n) {
    ++g_calls;
    auto* name = static_cast<char*>(a[1]);
    const int size = int_of(a[2]);
    const std::string initial = name;
    std::snprintf(name, static_cast<std::size_t>(size), "%d:%s", size, initial.c_str());
    *static_cast<int*>(a[3]) += 1;
    *static_cast<double*>(a[4]) *= 2;
    *static_cast<bool*>(a[5]) = !*static_cast<bool*>(a[5]);
    return int_result(n == 6 ? 1 : 0);
}

constexpr char kInOutDef[] =
    "void\0int*,double*,bool*,char*,int\0"
    "countInOut,gainInOut,flagInOut,textInOut,textInOut_sz\0[test]in and out";
void* fake_in_out(void** a, int) {
    ++g_calls;
    *static_cast<int*>(a[0]) *= 3;
    *static_cast<double*>(a[1]) += 0.5;
    *static_cast<bool*>(a[2]) = !*static_cast<bool*>(a[2]);
    auto* text = static_cast<char*>(a[3]);
    const std::string initial = text;
    std::snprintf(text, static_cast<std::size_t>(int_of(a[4])), "%s:%d", initial.c_str(),
                  int_of(a[4]));
    return nullptr;
}

constexpr char kOptionalDef[] =
    "const char*\0const char*,double,int*,MediaItem*,char*\0"
    "labelOptional,gainOptional,countInOptional,itemOptional,bufOptional\0[test]optional";
void* fake_optional(void** a, int) {
    ++g_calls;
    auto shown = [](void* slot, auto read) { return slot == nullptr ? std::string("-") : read(); };
    return describe(shown(a[0], [&] { return std::string(static_cast<const char*>(a[0])); }),
                    shown(a[1], [&] { return std::to_string(*static_cast<double*>(a[1])); }),
                    shown(a[2], [&] { return std::to_string(*static_cast<int*>(a[2])); }),
                    name_of(a[3]),
                    shown(a[4], [&] { return std::string(static_cast<const char*>(a[4])); }));
}

constexpr char kNeedBigDef[] = "bool\0char*,bool\0stringNeedBig,upper\0[test]need big";
void* fake_need_big(void** a, int) {
    ++g_calls;
    auto* text = static_cast<char*>(a[0]);
    if (std::strcmp(text, "fill") == 0) {
        // A NeedBig callee writes without knowing the size; the runner's buffer must hold it.
        std::memset(text, 'x', kNeedBigBufferSize - 1);
        text[kNeedBigBufferSize - 1] = '\0';
    } else if (a[1] != nullptr) {
        for (char* c = text; *c != '\0'; ++c) *c = static_cast<char>(std::toupper(*c));
    }
    return int_result(1);
}

constexpr char kHandleDef[] = "MediaItem*\0int\0which\0[test]handle result";
void* fake_handle(void** a, int) {
    return int_of(a[0]) == 1 ? g_item : nullptr;
}

// Echoes its int argument: as a bool or an int result, depending on the definition.
constexpr char kBoolDef[] = "bool\0int\0which\0[test]bool result";
constexpr char kIntDef[] = "int\0int\0which\0[test]int result";
void* fake_echo(void** a, int) {
    ++g_calls;
    return a[0];
}

constexpr char kUnsupportedDef[] = "void\0void*\0data\0[test]not for scripts";
constexpr char kBrokenDef[] = "bool\0int,int\0x\0[test]two types, one name";

using Vararg = void* (*)(void**, int);

class Marshal : public ::testing::TestWithParam<Case> {
protected:
    Marshal() {
        g_calls = 0;
        sim::Track* track = host_.add_track(nullptr, "T", true);
        sim::Item* item = host_.add_item(track, sim::ItemSpec{});
        sim::Project* other_project = host_.add_project("other");
        sim::Item* other_item = host_.add_item(host_.add_track(other_project, "O"), {});
        g_item = sim::Host::handle(item);

        add("Fake_In", kInDef, &fake_in);
        add("Fake_Out", kOutDef, &fake_out);
        add("Fake_InOut", kInOutDef, &fake_in_out);
        add("Fake_Optional", kOptionalDef, &fake_optional);
        add("Fake_NeedBig", kNeedBigDef, &fake_need_big);
        add("Fake_Handle", kHandleDef, &fake_handle);
        add("Fake_Bool", kBoolDef, &fake_echo);
        add("Fake_Int", kIntDef, &fake_echo);
        add("Fake_Unsupported", kUnsupportedDef, &fake_echo);
        add("Fake_Broken", kBrokenDef, &fake_echo);
        add("Fake_NoWrapper", kBoolDef, nullptr);
        // Callable by other extensions, but without a definition text invisible to scripts.
        host_.plugin_register("API_Fake_NoDefinition", reinterpret_cast<void*>(&fake_echo));
        host_.plugin_register("APIvararg_Fake_NoDefinition", reinterpret_cast<void*>(&fake_echo));

        env_ = std::make_unique<Environment>(host_);
        env_->install_registered_functions();
        g_names.clear();
        global("item", sim::Host::handle(item));
        global("track", sim::Host::handle(track));
        global("other_project", sim::Host::handle(other_project));
        global("other_item", sim::Host::handle(other_item));
    }

    void add(const std::string& name, const char* definition, Vararg vararg) {
        host_.plugin_register(("API_" + name).c_str(), reinterpret_cast<void*>(&fake_echo));
        host_.plugin_register(("APIdef_" + name).c_str(), const_cast<char*>(definition));
        if (vararg != nullptr) {
            host_.plugin_register(("APIvararg_" + name).c_str(), reinterpret_cast<void*>(vararg));
        }
    }

    void global(const char* name, void* handle) {
        testing::set_global(env_->state(), name, handle);
        g_names[handle] = name;
    }

    sim::Host host_;
    std::unique_ptr<Environment> env_;
};

TEST_P(Marshal, Call) {
    testing::expect_case(env_->state(), GetParam());
    // A refused call never reaches the function.
    if (!GetParam().error.empty()) {
        EXPECT_EQ(g_calls, 0);
    }
}

const std::string kNeedBigFull = std::to_string(kNeedBigBufferSize - 1);

INSTANTIATE_TEST_SUITE_P(
    Arguments, Marshal,
    ::testing::Values(
        // By value: project|count|flag slot|*gain|label|item|item2|track.
        Case{"return reaper.Fake_In(0, 21, true, 2.5, 'abc', item, item, track)",
             {"null|21|1|2.5|abc|item|item|track"}},
        Case{"return reaper.Fake_In(nil, -7, false, -0.25, '')",
             {"null|-7|0|-0.25||null|null|null"}},
        Case{"return reaper.Fake_In(nil, 3.0, 1, 4, 'x')", {"null|3|1|4|x|null|null|null"}},
        Case{"return reaper.Fake_In(nil, 2147483647, 0, 1e300, 12)",
             {"null|2147483647|0|1e+300|12|null|null|null"}},
        Case{"return reaper.Fake_In(nil, -2147483648, true, 0, nil)",
             {"null|-2147483648|1|0||null|null|null"}},
        Case{"return reaper.Fake_In(nil, 5, false, 1, 'a\\0b', 0, 0.0, 0)",
             {"null|5|0|1|a|null|null|null"}},
        // A handle is checked against the project given before it, else the current one.
        Case{"return reaper.Fake_In(other_project, 1, true, 1, '', other_item)",
             {"other_project|1|1|1||other_item|null|null"}},
        fails("reaper.Fake_In(nil, 1, true, 1, '', other_item)",
              "Fake_In argument 6: expected MediaItem*"),
        fails("reaper.Fake_In(other_project, 1, true, 1, '', item)",
              "Fake_In argument 6: expected MediaItem*"),
        fails("reaper.DeleteTrackMediaItem(track, item) reaper.Fake_In(0, 1, true, 1, '', item)",
              "Fake_In argument 6: expected MediaItem*"),
        fails("reaper.Fake_In(0)", "Fake_In argument 2: expected integer"),
        fails("reaper.Fake_In(0, 2147483648, true, 1, '')", "Fake_In argument 2: expected integer"),
        fails("reaper.Fake_In(0, 0/0, true, 1, '')", "Fake_In argument 2: expected integer"),
        fails("reaper.Fake_In(0, 1.5, true, 1, '')", "Fake_In argument 2: expected integer"),
        fails("reaper.Fake_In(0, '3', true, 1, '')", "Fake_In argument 2: expected integer"),
        fails("reaper.Fake_In(0, 1, nil, 1, '')", "Fake_In argument 3: expected boolean"),
        fails("reaper.Fake_In(0, 1, true, '1', '')", "Fake_In argument 4: expected number"),
        fails("reaper.Fake_In(0, 1, true, 1, {})", "Fake_In argument 5: expected string"),
        fails("reaper.Fake_In(item, 1, true, 1, '')", "Fake_In argument 1: expected ReaProject*"),
        fails("reaper.Fake_In(7, 1, true, 1, '')", "Fake_In argument 1: expected ReaProject*"),
        fails("reaper.Fake_In(0, 1, true, 1, '', track)",
              "Fake_In argument 6: expected MediaItem*"),
        // The quirky spelling checks, and reports, as MediaItem*.
        fails("reaper.Fake_In(0, 1, true, 1, '', nil, track)",
              "Fake_In argument 7: expected MediaItem*"),
        fails("reaper.Fake_In(0, 1, true, 1, '', nil, nil, item)",
              "Fake_In argument 8: expected MediaTrack*"),
        fails("reaper.Fake_Unsupported(item)",
              "Fake_Unsupported argument 1: type void* cannot be passed from Lua"),
        fails("reaper.Fake_Broken(1)",
              "Fake_Broken has an unreadable definition text: 2 parameter types but 1 parameter "
              "names"),
        fails("reaper.Fake_NoWrapper(1)",
              "Fake_NoWrapper has no APIvararg_ wrapper; scripts cannot call it")));

INSTANTIATE_TEST_SUITE_P(
    Outputs, Marshal,
    ::testing::Values(
        // Outputs follow the result in parameter order; the buffer's size goes in nameOut_sz.
        Case{"return reaper.Fake_Out(0)", {"true", "1024:", "1", "0.0", "true"}},
        // Extra arguments give the outputs' initial values.
        Case{"return reaper.Fake_Out(0, 'abc', 41, 1.25, true)",
             {"true", "1024:abc", "42", "2.5", "false"}},
        // A long initial value grows the buffer; the callee writes within the size given.
        Case{"local ok, s = reaper.Fake_Out(0, string.rep('a', 3000)) return #s, s:sub(1, 5)",
             {"3000", "3001:"}},
        fails("reaper.Fake_Out(0, '', 'x')", "Fake_Out argument 3: expected integer"),
        fails("reaper.Fake_Out(0, '', 1, false)", "Fake_Out argument 4: expected number"),
        Case{"return reaper.Fake_InOut(2, 1.0, false, 'hi')", {"6", "1.5", "true", "hi:1024"}},
        fails("reaper.Fake_InOut(1, 1)", "Fake_InOut argument 3: expected boolean"),
        // Optional parameters left out or nil arrive as null.
        Case{"return reaper.Fake_Optional()", {"-|-|-|null|-"}},
        Case{"return reaper.Fake_Optional(nil, 2)", {"-|2.000000|-|null|-"}},
        Case{"return reaper.Fake_Optional('a', 1.5, 3, item, 'b')", {"a|1.500000|3|item|b"}},
        fails("reaper.Fake_Optional(nil, nil, nil, track)",
              "Fake_Optional argument 4: expected MediaItem*"),
        Case{"return reaper.Fake_NeedBig('Kick', true)", {"true", "KICK"}},
        Case{"return reaper.Fake_NeedBig(nil, true)", {"true", ""}},
        Case{"local ok, s = reaper.Fake_NeedBig('fill', false) return #s", {kNeedBigFull}},
        Case{"local ok, s = reaper.Fake_NeedBig(string.rep('b', 100000), true)\n"
             "return #s, s == string.rep('B', 100000)",
             {"100000", "true"}}));

INSTANTIATE_TEST_SUITE_P(
    Results, Marshal,
    ::testing::Values(
        Case{"return type(reaper.Fake_Handle(1)), reaper.Fake_Handle(1) == item, "
             "reaper.Fake_Handle(0)",
             {"userdata", "true", "nil"}},
        Case{"return reaper.Fake_Bool(1), reaper.Fake_Bool(0), reaper.Fake_Bool(1, 'x', {})",
             {"true", "false", "true"}},
        Case{"local v = reaper.Fake_Int(-5) return v, math.type(v), reaper.Fake_Int(2147483647)",
             {"-5", "integer", "2147483647"}},
        Case{"local n = 0 for k, v in pairs(reaper) do\n"
             "  if k:sub(1, 5) == 'Fake_' and type(v) == 'function' then n = n + 1 end\n"
             "end return n, reaper.Fake_NoDefinition",
             {"11", "nil"}}));

}  // namespace
}  // namespace reaper_sim
