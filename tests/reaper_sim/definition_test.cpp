// The definition-text parser: declared types, name suffixes, size pairing, malformed texts, and
// the signatures `reaper-sim list` shows.
#include "definition.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace reaper_sim {
namespace {

using namespace std::string_view_literals;

FunctionDef parse_ok(std::string_view text) {
    std::string error;
    auto def = parse_definition("QM_X", text, error);
    EXPECT_TRUE(def.has_value()) << error;
    return def.value_or(FunctionDef{});
}

struct TypeCase {
    const char* text;
    ValueType type;
    const char* handle;
    const char* lua;
};

void PrintTo(const TypeCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class Types : public ::testing::TestWithParam<TypeCase> {};

TEST_P(Types, Classify) {
    const TypeCase& c = GetParam();
    const TypeInfo info = classify_type(c.text);
    EXPECT_EQ(info.type, c.type) << c.text;
    EXPECT_EQ(info.handle, c.handle) << c.text;
    EXPECT_EQ(lua_type_name(info), c.lua) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    All, Types,
    ::testing::Values(TypeCase{" int ", ValueType::Int, "", "integer"},
                      TypeCase{"bool", ValueType::Bool, "", "boolean"},
                      TypeCase{"double", ValueType::Double, "", "number"},
                      TypeCase{"const char *", ValueType::String, "", "string"},
                      TypeCase{"char*", ValueType::Buffer, "", "string"},
                      TypeCase{"int*", ValueType::IntPtr, "", "integer"},
                      TypeCase{"double*", ValueType::DoublePtr, "", "number"},
                      TypeCase{"bool*", ValueType::BoolPtr, "", "boolean"},
                      TypeCase{"ReaProject*", ValueType::Handle, "ReaProject*", "ReaProject"},
                      TypeCase{"MediaTrack*", ValueType::Handle, "MediaTrack*", "MediaTrack"},
                      TypeCase{"MediaItem *", ValueType::Handle, "MediaItem*", "MediaItem"},
                      TypeCase{"Mediaitem*", ValueType::Handle, "MediaItem*", "MediaItem"},
                      TypeCase{"MediaItem_Take*", ValueType::Handle, "MediaItem_Take*",
                               "MediaItem_Take"},
                      TypeCase{"PCM_source*", ValueType::Handle, "PCM_source*", "PCM_source"},
                      TypeCase{"", ValueType::Void, "", "nothing"},
                      TypeCase{"void*", ValueType::Unsupported, "", "void*"},
                      TypeCase{"char**", ValueType::Unsupported, "", "char**"}));

struct RoleCase {
    const char* type;
    const char* name;
    Role role;
    bool optional;
    bool need_big;
};

void PrintTo(const RoleCase& c, std::ostream* os) {
    *os << c.type << ' ' << c.name;
}

class Roles : public ::testing::TestWithParam<RoleCase> {};

TEST_P(Roles, FollowTheNameSuffix) {
    const RoleCase& c = GetParam();
    const FunctionDef def =
        parse_ok(std::string("void\0"sv) + c.type + '\0' + c.name + std::string("\0h"sv));
    ASSERT_EQ(def.params.size(), 1u);
    EXPECT_EQ(def.params[0].role, c.role) << c.type << " " << c.name;
    EXPECT_EQ(def.params[0].optional, c.optional) << c.name;
    EXPECT_EQ(def.params[0].need_big, c.need_big) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    All, Roles,
    ::testing::Values(RoleCase{"int", "itemID", Role::In, false, false},
                      RoleCase{"int*", "countOut", Role::Out, false, false},
                      RoleCase{"double*", "volumeOut", Role::Out, false, false},
                      RoleCase{"bool*", "dropFrameOut", Role::Out, false, false},
                      RoleCase{"char*", "nameOut", Role::Out, false, false},
                      RoleCase{"int*", "countInOut", Role::InOut, false, false},
                      RoleCase{"double*", "gainInOptional", Role::In, true, false},
                      RoleCase{"int*", "countOutOptional", Role::Out, true, false},
                      RoleCase{"MediaItem*", "itemOptional", Role::In, true, false},
                      RoleCase{"char*", "stringNeedBig", Role::InOut, false, true},
                      RoleCase{"char*", "bufOutNeedBig", Role::Out, false, true},
                      // Only pointers can carry a value back.
                      RoleCase{"int", "countOut", Role::In, false, false},
                      RoleCase{"const char*", "nameOut", Role::In, false, false},
                      RoleCase{"char*", "plain", Role::In, false, false}));

struct SignatureCase {
    std::string_view text;
    const char* lua;
    const char* c;  // nullptr: not checked
};

void PrintTo(const SignatureCase& c, std::ostream* os) {
    *os << c.lua;
}

class Signatures : public ::testing::TestWithParam<SignatureCase> {};

TEST_P(Signatures, ShowWhatAScriptAuthorSees) {
    const FunctionDef def = parse_ok(GetParam().text);
    EXPECT_EQ(lua_signature(def), GetParam().lua);
    if (GetParam().c != nullptr) {
        EXPECT_EQ(c_signature(def), GetParam().c);
    }
}

// A char* xOut's size is hidden only when the next parameter is exactly `int xOut_sz`.
INSTANTIATE_TEST_SUITE_P(
    Forms, Signatures,
    ::testing::Values(
        SignatureCase{"MediaItem*\0ReaProject*,int,int\0projID,itemID,mediaTypeID\0h"sv,
                      "MediaItem reaper.QM_X(ReaProject projID, integer itemID, integer "
                      "mediaTypeID)",
                      "MediaItem* QM_X(ReaProject* projID, int itemID, int mediaTypeID)"},
        SignatureCase{"bool\0MediaTrack*, const char*,int ,double*\0tr, file,  mode ,gainOut\0h"sv,
                      "boolean retval, number gainOut = reaper.QM_X(MediaTrack tr, string file, "
                      "integer mode)",
                      "bool QM_X(MediaTrack* tr, const char* file, int mode, double* gainOut)"},
        SignatureCase{"void\0PCM_source*,char*,int\0source,typebufOut,typebufOut_sz\0h"sv,
                      "string typebufOut = reaper.QM_X(PCM_source source)",
                      "void QM_X(PCM_source* source, char* typebufOut, int typebufOut_sz)"},
        SignatureCase{"void\0char*,int\0bufOut, bufOut_sz\0h"sv, "string bufOut = reaper.QM_X()",
                      nullptr},
        SignatureCase{"void\0char*,int\0stringNeedBig,stringNeedBig_sz\0h"sv,
                      "string stringNeedBig = reaper.QM_X(string stringNeedBig)", nullptr},
        SignatureCase{"void\0char*,int\0bufOut,buf_sz\0h"sv,
                      "string bufOut = reaper.QM_X(integer buf_sz)", nullptr},
        SignatureCase{"void\0char*,double\0bufOut,bufOut_sz\0h"sv,
                      "string bufOut = reaper.QM_X(number bufOut_sz)", nullptr},
        SignatureCase{"void\0const char*,int\0bufOut,bufOut_sz\0h"sv,
                      "reaper.QM_X(string bufOut, integer bufOut_sz)", nullptr},
        SignatureCase{"int\0int*,const char*\0countInOut,labelOptional\0h"sv,
                      "integer retval, integer countInOut = reaper.QM_X(integer countInOut, "
                      "optional string labelOptional)",
                      "int QM_X(int* countInOut, const char* labelOptional)"},
        SignatureCase{"bool\0Mediaitem*\0item\0h"sv, "boolean reaper.QM_X(MediaItem item)",
                      "bool QM_X(Mediaitem* item)"},
        SignatureCase{"void\0\0\0h"sv, "reaper.QM_X()", "void QM_X()"}));

struct MalformedCase {
    std::string_view text;
    const char* error;
};

void PrintTo(const MalformedCase& c, std::ostream* os) {
    *os << c.error;
}

class Malformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(Malformed, IsRejectedWithAReason) {
    std::string error;
    EXPECT_FALSE(parse_definition("QM_Bad", GetParam().text, error).has_value());
    EXPECT_NE(error.find(GetParam().error), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Malformed,
    ::testing::Values(MalformedCase{"bool"sv, "1 of 4 fields"},
                      MalformedCase{"bool\0int\0x"sv, "3 of 4 fields"},
                      MalformedCase{"bool\0int,int\0x\0h"sv, "2 parameter types but 1"},
                      MalformedCase{"bool\0int\0x,y\0h"sv, "1 parameter types but 2"},
                      MalformedCase{"bool\0int,\0x,y\0h"sv, "parameter 2 has no type"},
                      MalformedCase{"bool\0int,int\0x,\0h"sv, "parameter 2 has no name"}));

TEST(Definition, ExtentCoversFourFieldsAndHelpIsTheLast) {
    static const char text[] = "bool\0int\0x\0help text";
    EXPECT_EQ(definition_extent(text).size(), sizeof text - 1);
    EXPECT_TRUE(definition_extent(nullptr).empty());
    EXPECT_EQ(parse_ok(definition_extent(text)).help, "help text");
}

}  // namespace
}  // namespace reaper_sim
