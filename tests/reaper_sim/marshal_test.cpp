// Fake functions registered with the simulated host as an extension registers them (API_,
// APIdef_, APIvararg_) and called from Lua through the marshaller, for what the module's own
// functions do not show: every argument convention and every refusal. Most fakes describe what
// they received in their result, so each case is one chunk and what it returns or raises.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>

#include "environment.h"
#include "lua_eval.h"
#include "marshal.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using testing::Case;

int g_calls = 0;
std::string g_seen;                    // the text a fake returns
std::map<void*, std::string> g_names;  // handle -> the Lua global holding it

int int_of(void* slot) {
    return static_cast<int>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(slot)));
}
std::string name_of(void* handle) {
    return handle == nullptr ? "null" : g_names.count(handle) ? g_names[handle] : "?";
}
template <class... T>
void* describe(const T&... parts) {
    std::ostringstream os;
    const char* separator = "";
    ((os << separator << parts, separator = "|"), ...);
    g_seen = os.str();
    return g_seen.data();
}
std::string text_of(void* slot) {
    return slot == nullptr ? "-" : static_cast<const char*>(slot);
}

constexpr char kInDef[] =
    "const char*\0ReaProject*,int,bool,double,const char*,Mediaitem*,MediaTrack*\0"
    "proj,count,flag,gain,label,item,track\0[test]every by-value parameter type";
void* fake_in(void** a, int) {
    ++g_calls;
    return describe(name_of(a[0]), int_of(a[1]), reinterpret_cast<std::intptr_t>(a[2]),
                    *static_cast<double*>(a[3]), text_of(a[4]), name_of(a[5]), name_of(a[6]));
}

// The buffer's size goes in nameOut_sz; extra arguments give the outputs' initial values.
constexpr char kOutDef[] =
    "bool\0ReaProject*,char*,int,int*,double*,bool*\0"
    "proj,nameOut,nameOut_sz,countOut,volumeOut,flagOut\0[test]outputs";
void* fake_out(void** a, int) {
    ++g_calls;
    const std::string initial = static_cast<char*>(a[1]);
    std::snprintf(static_cast<char*>(a[1]), static_cast<std::size_t>(int_of(a[2])), "%d:%s",
                  int_of(a[2]), initial.c_str());
    *static_cast<int*>(a[3]) += 1;
    *static_cast<double*>(a[4]) *= 2;
    *static_cast<bool*>(a[5]) = !*static_cast<bool*>(a[5]);
    return reinterpret_cast<void*>(1);
}

constexpr char kInOutDef[] =
    "void\0int*,double*,bool*\0countInOut,gainInOut,flagInOut\0[test]in and out";
void* fake_in_out(void** a, int) {
    ++g_calls;
    *static_cast<int*>(a[0]) *= 3;
    *static_cast<double*>(a[1]) += 0.5;
    *static_cast<bool*>(a[2]) = !*static_cast<bool*>(a[2]);
    return nullptr;
}

constexpr char kOptionalDef[] =
    "const char*\0const char*,double,int*,MediaItem*\0"
    "labelOptional,gainOptional,countInOptional,itemOptional\0[test]optional";
void* fake_optional(void** a, int) {
    ++g_calls;
    return describe(text_of(a[0]), a[1] ? std::to_string(*static_cast<double*>(a[1])) : "-",
                    a[2] ? std::to_string(*static_cast<int*>(a[2])) : "-", name_of(a[3]));
}

// A NeedBig callee writes without knowing the size: the runner's buffer must hold it.
constexpr char kNeedBigDef[] = "bool\0char*,bool\0stringNeedBig,upper\0[test]need big";
void* fake_need_big(void** a, int) {
    ++g_calls;
    auto* text = static_cast<char*>(a[0]);
    if (std::strcmp(text, "fill") == 0) {
        std::memset(text, 'x', kNeedBigBufferSize - 1);
        text[kNeedBigBufferSize - 1] = '\0';
    }
    for (char* c = text; a[1] != nullptr && *c != '\0'; ++c) *c = std::toupper(*c);
    return reinterpret_cast<void*>(1);
}

void* fake_any(void**, int) {
    ++g_calls;
    return nullptr;
}

using Vararg = void* (*)(void**, int);
struct Fake {
    const char* name;
    const char* definition;  // none: invisible to scripts, callable by other extensions
    Vararg wrapper;
};
const Fake kFakes[] = {
    {"In", kInDef, &fake_in},
    {"Out", kOutDef, &fake_out},
    {"InOut", kInOutDef, &fake_in_out},
    {"Optional", kOptionalDef, &fake_optional},
    {"NeedBig", kNeedBigDef, &fake_need_big},
    {"Unsupported", "void\0void*\0data\0[test]not for scripts", &fake_any},
    {"Broken", "bool\0int,int\0x\0[test]two types, one name", &fake_any},
    {"NoWrapper", "bool\0int\0x\0[test]no wrapper", nullptr},
    {"NoDefinition", nullptr, &fake_any},
};

struct Fakes {
    Fakes() {
        g_calls = 0;
        g_names.clear();
        sim::Track* track = host.add_track(nullptr, "T", true);
        sim::Item* item = host.add_item(track, {});
        sim::Project* other = host.add_project("other");
        sim::Item* other_item = host.add_item(host.add_track(other, "O"), {});
        for (const Fake& f : kFakes) {
            const std::string name = std::string("Fake_") + f.name;
            host.plugin_register(("API_" + name).c_str(), reinterpret_cast<void*>(&fake_any));
            if (f.definition) {
                host.plugin_register(("APIdef_" + name).c_str(), const_cast<char*>(f.definition));
            }
            if (f.wrapper) {
                host.plugin_register(("APIvararg_" + name).c_str(),
                                     reinterpret_cast<void*>(f.wrapper));
            }
        }
        env.install_registered_functions();
        const std::pair<const char*, void*> globals[] = {
            {"item", sim::Host::handle(item)},
            {"track", sim::Host::handle(track)},
            {"other_project", sim::Host::handle(other)},
            {"other_item", sim::Host::handle(other_item)}};
        for (const auto& [name, handle] : globals) {
            lua_pushlightuserdata(env.state(), handle);
            lua_setglobal(env.state(), name);
            g_names[handle] = name;
        }
    }

    sim::Host host;
    Environment env{host};
};

const std::string kNeedBigFull = std::to_string(kNeedBigBufferSize - 1);
Case fails(const char* code, const char* error) {
    return Case{code, {}, error};
}

TEST(Marshal, PassesArgumentsAndOutputsByTheirConventions) {
    const Case cases[] = {
        // By value: project|count|flag slot|*gain|label|item|track.
        {"return reaper.Fake_In(0, 21, true, 2.5, 'abc', item, track)",
         {"null|21|1|2.5|abc|item|track"}},
        {"return reaper.Fake_In(nil, -2147483648.0, 0, 1e300, 12, 0, nil)",
         {"null|-2147483648|0|1e+300|12|null|null"}},
        // A handle is checked against the project given before it, else the current one.
        {"return reaper.Fake_In(other_project, 1, true, 1, '', other_item)",
         {"other_project|1|1|1||other_item|null"}},
        // Outputs follow the result in parameter order, from 0 or the extra arguments.
        {"return reaper.Fake_Out(0)", {"true", "1024:", "1", "0.0", "true"}},
        {"return reaper.Fake_Out(0, 'abc', 41, 1.25, true)",
         {"true", "1024:abc", "42", "2.5", "false"}},
        // A longer initial value grows the buffer; the callee writes within the size given.
        {"local ok, s = reaper.Fake_Out(0, string.rep('a', 3000)) return #s, s:sub(1, 5)",
         {"3000", "3001:"}},
        {"return reaper.Fake_InOut(2, 1.0, false)", {"6", "1.5", "true"}},
        // Optional parameters left out or nil arrive as null.
        {"return reaper.Fake_Optional()", {"-|-|-|null"}},
        {"return reaper.Fake_Optional('a', 1.5, 3, item, 'extra')", {"a|1.500000|3|item"}},
        {"return reaper.Fake_NeedBig('Kick', true)", {"true", "KICK"}},
        {"local ok, s = reaper.Fake_NeedBig('fill', false) return #s", {kNeedBigFull}},
        {"local ok, s = reaper.Fake_NeedBig(string.rep('b', 100000), true)\n"
         "return #s, s == string.rep('B', 100000)",
         {"100000", "true"}},
        {"return reaper.Fake_NoDefinition, type(reaper.Fake_NoWrapper)", {"nil", "function"}},
    };
    const Case refused[] = {
        // Another project's item; the quirky spelling reports as MediaItem*.
        fails("reaper.Fake_In(nil, 1, true, 1, '', other_item)",
              "Fake_In argument 6: expected MediaItem*"),
        fails("reaper.DeleteTrackMediaItem(track, item) reaper.Fake_In(0, 1, true, 1, '', item)",
              "Fake_In argument 6: expected MediaItem*"),
        fails("reaper.Fake_In(0, 1, true, 1, '', nil, item)",
              "Fake_In argument 7: expected MediaTrack*"),
        fails("reaper.Fake_In(item, 1, true, 1, '')", "Fake_In argument 1: expected ReaProject*"),
        fails("reaper.Fake_In(0)", "Fake_In argument 2: expected integer"),
        fails("reaper.Fake_In(0, 2147483648, true, 1, '')", "Fake_In argument 2: expected integer"),
        fails("reaper.Fake_In(0, 1.5, true, 1, '')", "Fake_In argument 2: expected integer"),
        fails("reaper.Fake_In(0, '3', true, 1, '')", "Fake_In argument 2: expected integer"),
        fails("reaper.Fake_In(0, 1, nil, 1, '')", "Fake_In argument 3: expected boolean"),
        fails("reaper.Fake_In(0, 1, true, '1', '')", "Fake_In argument 4: expected number"),
        fails("reaper.Fake_In(0, 1, true, 1, {})", "Fake_In argument 5: expected string"),
        fails("reaper.Fake_Optional(nil, nil, nil, track)",
              "Fake_Optional argument 4: expected MediaItem*"),
        fails("reaper.Fake_Unsupported(item)",
              "Fake_Unsupported argument 1: type void* cannot be passed from Lua"),
        fails("reaper.Fake_Broken(1)",
              "Fake_Broken has an unreadable definition text: 2 parameter types but 1 parameter "
              "names"),
        fails("reaper.Fake_NoWrapper(1)",
              "Fake_NoWrapper has no APIvararg_ wrapper; scripts cannot call it"),
    };
    for (const Case& c : cases) testing::expect_case(Fakes().env.state(), c);
    for (const Case& c : refused) {
        Fakes fakes;
        testing::expect_case(fakes.env.state(), c);
        EXPECT_EQ(g_calls, 0) << "a refused call never reaches the function: " << c.code;
    }
}

}  // namespace
}  // namespace reaper_sim
