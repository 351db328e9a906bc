// The marshaller's conventions the module's own functions do not show (outputs and their initial
// values, InOut, Optional, NeedBig, unusable definitions), through fakes registered as an
// extension registers them; and its refusals, through the host's functions, which share its code.
// Each case is one chunk and what it returns or raises.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "environment.h"
#include "lua_eval.h"
#include "marshal.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using testing::Case;

int g_calls = 0;
std::string g_seen;  // the text a fake returns

int int_of(void* slot) {
    return static_cast<int>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(slot)));
}
std::string text_of(void* slot) {
    return slot == nullptr ? "-" : static_cast<const char*>(slot);
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
    "const char*\0const char*,double,int*,Mediaitem*\0"
    "labelOptional,gainOptional,countInOptional,itemOptional\0[test]optional";
void* fake_optional(void** a, int) {
    ++g_calls;
    g_seen = text_of(a[0]) + "|" + (a[1] ? std::to_string(*static_cast<double*>(a[1])) : "-") +
             "|" + (a[2] ? std::to_string(*static_cast<int*>(a[2])) : "-") + "|" +
             (a[3] ? "item" : "null");
    return g_seen.data();
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
        sim::Track* track = host.add_track(nullptr, "T", true);
        sim::Item* item = host.add_item(track, {});
        sim::Item* other_item = host.add_item(host.add_track(host.add_project("other")), {});
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
            {"other_item", sim::Host::handle(other_item)}};
        for (const auto& [name, handle] : globals) {
            lua_pushlightuserdata(env.state(), handle);
            lua_setglobal(env.state(), name);
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
    // Refused with a message naming the function, the script's argument and what it needed; the
    // module's functions use the same code as the host's.
    const Case refused[] = {
        fails("reaper.GetActiveTake(other_item)", "GetActiveTake argument 1: expected MediaItem*"),
        fails("reaper.DeleteTrackMediaItem(track, item) reaper.GetActiveTake(item)",
              "GetActiveTake argument 1: expected MediaItem*"),
        fails("reaper.GetTrackMediaItem(item, 0)",
              "GetTrackMediaItem argument 1: expected MediaTrack*"),
        fails("reaper.GetMediaItem(item, 0)", "GetMediaItem argument 1: expected ReaProject*"),
        fails("reaper.GetMediaItem(0)", "GetMediaItem argument 2: expected integer"),
        fails("reaper.GetMediaItem(0, 2147483648)", "GetMediaItem argument 2: expected integer"),
        fails("reaper.GetMediaItem(0, 1.5)", "GetMediaItem argument 2: expected integer"),
        fails("reaper.GetMediaItem(0, '3')", "GetMediaItem argument 2: expected integer"),
        fails("reaper.SetMediaItemSelected(item, nil)",
              "SetMediaItemSelected argument 2: expected boolean"),
        fails("reaper.SetEditCurPos2(0, '1', true, true)",
              "SetEditCurPos2 argument 2: expected number"),
        fails("reaper.GetMediaItemInfo_Value(item, {})",
              "GetMediaItemInfo_Value argument 2: expected string"),
        // The quirky spelling is checked, and reported, as MediaItem*.
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
        const std::string function = c.error.substr(0, c.error.find(' '));
        EXPECT_EQ(g_calls + fakes.host.calls_to(function), 0) << "refused, yet called: " << c.code;
    }
}

}  // namespace
}  // namespace reaper_sim
