#include "api_table/api_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using qm_app_def::api_define_list;

// The four NUL-separated fields of a definition text.
std::vector<std::string> fields(const char* definition) {
    std::vector<std::string> out;
    for (int i = 0; i < 4; ++i) {
        out.emplace_back(definition);
        definition += out.back().size() + 1;
    }
    return out;
}

std::string function_name(const qm_app_def::ApiDefinition& def) {
    return std::string(def.api_name).substr(std::strlen("API_QM_"));
}

TEST(ApiTable, OpensWithTheLookupsInRegistrationOrder) {
    ASSERT_GE(api_define_list.size(), 2u);
    EXPECT_EQ(function_name(api_define_list[0]), "GetMediaItemSelect");
    EXPECT_EQ(function_name(api_define_list[1]), "GetMediaTrackItemSelect");
}

TEST(ApiTable, DefinitionTextOfGetMediaItemSelectIsExact) {
    const char expected[] =
        "MediaItem*\0ReaProject*,int,int\0projID,itemID,mediaTypeID\0[QM:API]Get Media Item";
    EXPECT_EQ(std::memcmp(api_define_list[0].definition, expected, sizeof expected), 0);
    EXPECT_EQ(
        fields(api_define_list[1].definition),
        (std::vector<std::string>{"MediaItem*", "ReaProject*,int,int,int",
                                  "projID,trackID,itemID,mediaTypeID", "[QM:API]Get Media Item"}));
}

TEST(ApiTable, EveryRecordNamesOneFunctionSixWays) {
    std::set<std::string> names;
    for (const auto& def : api_define_list) {
        const std::string name = function_name(def);
        EXPECT_TRUE(names.insert(name).second) << name << " twice";
        EXPECT_STREQ(def.api_name, ("API_QM_" + name).c_str());
        EXPECT_STREQ(def.def_name, ("APIdef_QM_" + name).c_str());
        EXPECT_STREQ(def.vararg_name, ("APIvararg_QM_" + name).c_str());
        EXPECT_STREQ(def.unreg_api_name, ("-API_QM_" + name).c_str());
        EXPECT_STREQ(def.unreg_def_name, ("-APIdef_QM_" + name).c_str());
        EXPECT_STREQ(def.unreg_vararg_name, ("-APIvararg_QM_" + name).c_str());
        EXPECT_NE(def.func, nullptr) << name;
        EXPECT_NE(def.vararg_func, nullptr) << name;
        const auto parts = fields(def.definition);
        EXPECT_TRUE(parts[0] == "bool" || parts[0] == "MediaItem*") << name;
        EXPECT_EQ(parts[3].rfind("[QM:API]", 0), 0u) << name;
    }
}

}  // namespace
