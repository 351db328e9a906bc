// The generated reference: families found by name, functions no entry knows, the Lua calls and
// language-server annotations written from definition texts.
#include "docs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace reaper_sim {
namespace {

using namespace std::string_view_literals;
using ::testing::HasSubstr;

FunctionDef def_of(std::string_view name, std::string_view text) {
    std::string error;
    auto def = parse_definition(name, text, error);
    EXPECT_TRUE(def.has_value()) << error;
    return def.value_or(FunctionDef{});
}

// How each of the 164 names falls into its family is pinned by the committed reference, which a
// test regenerates and compares.
TEST(Docs, AFamilyNoEntryKnowsIsDescribedByItsShape) {
    struct Case {
        std::string_view text;
        const char* failure;
    };
    for (const Case& c : {Case{"MediaItem*\0int\0index\0h"sv, "`nil`"},
                          Case{"bool\0int,double*\0index,valueOut\0h"sv, "outputs are not written"},
                          Case{"bool\0int,double\0index,value\0h"sv, "refused the change"}}) {
        const Family family = family_of(def_of("QM_Frobnicate", c.text));
        EXPECT_FALSE(family.known);
        EXPECT_EQ(family.group, "Other functions");
        EXPECT_EQ(family.title, "Frobnicate");
        EXPECT_THAT(family.failure, HasSubstr(c.failure));
    }
}

TEST(Docs, LuaCallNamesResultsAsAScriptWould) {
    struct Case {
        std::string_view text;
        const char* call;
    };
    for (const Case& c : {
             Case{"bool\0ReaProject*,int,double*\0projID,itemID,volumeOut\0h"sv,
                  "local ok, volume = reaper.QM_X(projID, itemID)"},
             Case{"MediaItem*\0MediaTrack*,const char*\0track,filePath\0h"sv,
                  "local item = reaper.QM_X(track, filePath)"},
             Case{"bool\0MediaItem*,char*,int\0item,nameOut,nameOut_sz\0h"sv,
                  "local ok, name = reaper.QM_X(item)"},
             Case{"int\0int*,const char*\0countInOut,labelOptional\0h"sv,
                  "local retval, count = reaper.QM_X(countInOut, labelOptional)"},
             // A name already taken keeps its Out; a Lua keyword cannot be a parameter.
             Case{"bool\0int*\0okOut\0h"sv, "local ok, okOut = reaper.QM_X()"},
             Case{"void\0int\0end\0h"sv, "reaper.QM_X(end_)"},
         }) {
        EXPECT_EQ(lua_call(def_of("QM_X", c.text)), c.call);
    }
}

// Members of a family stay together even when registered apart; groups come in the order they
// are first registered.
TEST(Docs, ReferenceAndDefinitionsFollowRegistrationByFamily) {
    DocsSource source{"PRODUCT", "reaper_PRODUCT", "9.8.7", {}};
    source.functions = {
        def_of("QM_GetMediaVolume", "bool\0ReaProject*,int,double*\0projID,itemID,volumeOut\0h1"sv),
        def_of("QM_GetMediaItemSelect", "MediaItem*\0ReaProject*,int,int\0projID,itemID,t\0h2"sv),
        def_of("QM_GetMediaItemVolume", "bool\0MediaItem*,double*\0item,volumeOut\0h3"sv)};

    const std::string md = api_reference(source);
    EXPECT_THAT(md, HasSubstr("# PRODUCT 9.8.7: script API reference"));
    const auto at = [&](std::string_view s) { return md.find(std::string(s)); };
    ASSERT_NE(at("## Item lookup"), std::string::npos);
    EXPECT_LT(at("## Volume"), at("#### QM_GetMediaVolume"));
    EXPECT_LT(at("#### QM_GetMediaVolume"), at("#### QM_GetMediaItemVolume"));
    EXPECT_LT(at("#### QM_GetMediaItemVolume"), at("## Item lookup"));
    EXPECT_THAT(md, HasSubstr("```c\nbool QM_GetMediaItemVolume(MediaItem* item, double* "
                              "volumeOut);\n```\n\nHelp: `h3`\n"));

    const std::string lua = lua_definitions(source);
    EXPECT_EQ(lua.rfind("---@meta\n", 0), 0u);
    EXPECT_THAT(lua,
                HasSubstr("---@class MediaItem : userdata\n---@class ReaProject : userdata\n"));
    EXPECT_THAT(lua, HasSubstr("---@param projID ReaProject|0|nil\n---@param itemID integer\n"
                               "---@return boolean ok\n---@return number volume\n"
                               "function reaper.QM_GetMediaVolume(projID, itemID) end\n"));
    EXPECT_THAT(lua, HasSubstr("---@return MediaItem|nil item\n"));
}

}  // namespace
}  // namespace reaper_sim
