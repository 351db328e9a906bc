#include "definition.h"

#include "lua_eval.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace reaper_sim {
namespace {

using namespace std::string_view_literals;

FunctionDef parse_ok(std::string_view text, std::string_view name = "QM_Test") {
    std::string error;
    auto def = parse_definition(name, text, error);
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

class TypeClassification : public ::testing::TestWithParam<TypeCase> {};

TEST_P(TypeClassification, ReadsDeclaredType) {
    const TypeCase& c = GetParam();
    const TypeInfo info = classify_type(c.text);
    EXPECT_EQ(info.type, c.type) << c.text;
    EXPECT_EQ(info.handle, c.handle) << c.text;
    EXPECT_EQ(lua_type_name(info), c.lua) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, TypeClassification,
    ::testing::Values(TypeCase{"int", ValueType::Int, "", "integer"},
                      TypeCase{" int ", ValueType::Int, "", "integer"},
                      TypeCase{"bool", ValueType::Bool, "", "boolean"},
                      TypeCase{"double", ValueType::Double, "", "number"},
                      TypeCase{"const char*", ValueType::String, "", "string"},
                      TypeCase{"const char *", ValueType::String, "", "string"},
                      TypeCase{"char*", ValueType::Buffer, "", "string"},
                      TypeCase{"int*", ValueType::IntPtr, "", "integer"},
                      TypeCase{"double*", ValueType::DoublePtr, "", "number"},
                      TypeCase{"bool*", ValueType::BoolPtr, "", "boolean"},
                      TypeCase{"ReaProject*", ValueType::Handle, "ReaProject*", "ReaProject"},
                      TypeCase{"MediaTrack*", ValueType::Handle, "MediaTrack*", "MediaTrack"},
                      TypeCase{"MediaItem*", ValueType::Handle, "MediaItem*", "MediaItem"},
                      TypeCase{"MediaItem *", ValueType::Handle, "MediaItem*", "MediaItem"},
                      TypeCase{"Mediaitem*", ValueType::Handle, "MediaItem*", "MediaItem"},
                      TypeCase{"MediaItem_Take*", ValueType::Handle, "MediaItem_Take*",
                               "MediaItem_Take"},
                      TypeCase{"PCM_source*", ValueType::Handle, "PCM_source*", "PCM_source"},
                      TypeCase{"void", ValueType::Void, "", "nothing"},
                      TypeCase{"", ValueType::Void, "", "nothing"},
                      TypeCase{"void*", ValueType::Unsupported, "", "void*"},
                      TypeCase{"char**", ValueType::Unsupported, "", "char**"},
                      TypeCase{"unsigned int", ValueType::Unsupported, "", "unsigned int"}));

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

class SuffixRoles : public ::testing::TestWithParam<RoleCase> {};

TEST_P(SuffixRoles, NameSuffixDecidesWhoSuppliesTheValue) {
    const RoleCase& c = GetParam();
    const std::string text = std::string("void\0"sv) + c.type + '\0' + c.name + '\0' + "help";
    const FunctionDef def = parse_ok(text);
    ASSERT_EQ(def.params.size(), 1u);
    EXPECT_EQ(def.params[0].role, c.role) << c.type << " " << c.name;
    EXPECT_EQ(def.params[0].optional, c.optional) << c.name;
    EXPECT_EQ(def.params[0].need_big, c.need_big) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    AllSuffixes, SuffixRoles,
    ::testing::Values(RoleCase{"int", "itemID", Role::In, false, false},
                      RoleCase{"int*", "countOut", Role::Out, false, false},
                      RoleCase{"double*", "volumeOut", Role::Out, false, false},
                      RoleCase{"bool*", "dropFrameOut", Role::Out, false, false},
                      RoleCase{"char*", "nameOut", Role::Out, false, false},
                      RoleCase{"int*", "countInOut", Role::InOut, false, false},
                      RoleCase{"char*", "textInOut", Role::InOut, false, false},
                      RoleCase{"double*", "gainIn", Role::In, false, false},
                      RoleCase{"double*", "gainInOptional", Role::In, true, false},
                      RoleCase{"int*", "countOutOptional", Role::Out, true, false},
                      RoleCase{"const char*", "labelOptional", Role::In, true, false},
                      RoleCase{"MediaItem*", "itemOptional", Role::In, true, false},
                      RoleCase{"char*", "stringNeedBig", Role::InOut, false, true},
                      RoleCase{"char*", "bufOutNeedBig", Role::Out, false, true},
                      // Only pointers can carry a value back.
                      RoleCase{"int", "countOut", Role::In, false, false},
                      RoleCase{"const char*", "nameOut", Role::In, false, false},
                      RoleCase{"char*", "plain", Role::In, false, false}));

TEST(ParseDefinition, ReadsFieldsAndTrimsNames) {
    const FunctionDef def = parse_ok(
        "bool\0MediaTrack*, const char*,int ,double\0track, filePath,  startEndType ,setFrame\0"
        "[QM:API]Insert"sv,
        "QM_Insert");
    EXPECT_EQ(def.name, "QM_Insert");
    EXPECT_EQ(def.result.type, ValueType::Bool);
    EXPECT_EQ(def.help, "[QM:API]Insert");
    ASSERT_EQ(def.params.size(), 4u);
    EXPECT_EQ(def.params[0].name, "track");
    EXPECT_EQ(def.params[1].name, "filePath");
    EXPECT_EQ(def.params[1].type.declared, "const char*");
    EXPECT_EQ(def.params[2].name, "startEndType");
    EXPECT_EQ(def.params[2].type.type, ValueType::Int);
    EXPECT_EQ(def.params[3].name, "setFrame");
    EXPECT_EQ(def.params[3].type.type, ValueType::Double);
}

TEST(ParseDefinition, NoParameters) {
    const FunctionDef def = parse_ok("int\0\0\0Play state"sv);
    EXPECT_TRUE(def.params.empty());
    EXPECT_EQ(def.help, "Play state");
}

TEST(ParseDefinition, BufferFollowedByExactSizeNameHidesTheSize) {
    const FunctionDef def =
        parse_ok("void\0PCM_source*,char*,int\0source,typebufOut,typebufOut_sz\0h"sv);
    ASSERT_EQ(def.params.size(), 3u);
    EXPECT_TRUE(def.params[1].sized);
    EXPECT_EQ(def.params[1].role, Role::Out);
    EXPECT_EQ(def.params[2].role, Role::Size);
    EXPECT_FALSE(def.visible(def.params[2]));
}

struct SizeCase {
    const char* types;
    const char* names;
    bool paired;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << c.types << ' ' << c.names;
}

class SizePairing : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizePairing, OnlyTheExactPatternPairs) {
    const SizeCase& c = GetParam();
    const std::string text = std::string("void\0"sv) + c.types + '\0' + c.names + '\0' + "h";
    const FunctionDef def = parse_ok(text);
    ASSERT_EQ(def.params.size(), 2u);
    EXPECT_EQ(def.params[0].sized, c.paired) << c.names;
    EXPECT_EQ(def.params[1].role == Role::Size, c.paired) << c.names;
    EXPECT_EQ(def.visible(def.params[1]), !c.paired) << c.names;
}

INSTANTIATE_TEST_SUITE_P(Names, SizePairing,
                         ::testing::Values(SizeCase{"char*,int", "bufOut,bufOut_sz", true},
                                           SizeCase{"char*,int", "bufOut, bufOut_sz", true},
                                           SizeCase{"char*,int", "stringNeedBig,stringNeedBig_sz",
                                                    true},
                                           SizeCase{"char*,int", "bufOut,buf_sz", false},
                                           SizeCase{"char*,int", "bufOut,bufOut_size", false},
                                           SizeCase{"char*,int", "bufOut,bufsize", false},
                                           SizeCase{"char*,double", "bufOut,bufOut_sz", false},
                                           SizeCase{"const char*,int", "bufOut,bufOut_sz", false}));

struct MalformedCase {
    std::string_view text;
    const char* error;
};

void PrintTo(const MalformedCase& c, std::ostream* os) {
    *os << c.error;
}

class MalformedDefinition : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedDefinition, IsRejectedWithAReason) {
    std::string error;
    EXPECT_FALSE(parse_definition("QM_Bad", GetParam().text, error).has_value());
    EXPECT_NE(error.find(GetParam().error), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedDefinition,
    ::testing::Values(MalformedCase{"bool"sv, "1 of 4 fields"},
                      MalformedCase{"bool\0int"sv, "2 of 4 fields"},
                      MalformedCase{"bool\0int\0x"sv, "3 of 4 fields"},
                      MalformedCase{"bool\0int,int\0x\0h"sv, "2 parameter types but 1"},
                      MalformedCase{"bool\0int\0x,y\0h"sv, "1 parameter types but 2"},
                      MalformedCase{"bool\0int,\0x,y\0h"sv, "parameter 2 has no type"},
                      MalformedCase{"bool\0int,int\0x,\0h"sv, "parameter 2 has no name"}));

TEST(DefinitionExtent, CoversFourFields) {
    static const char text[] = "bool\0int\0x\0help text";
    const std::string_view extent = definition_extent(text);
    EXPECT_EQ(extent.size(), sizeof text - 1);
    EXPECT_EQ(extent.substr(extent.size() - 9), "help text");
    EXPECT_TRUE(definition_extent(nullptr).empty());
}

struct SignatureCase {
    std::string_view text;
    const char* lua;
    const char* c;
};

void PrintTo(const SignatureCase& c, std::ostream* os) {
    *os << testing::label(c.c);
}

class Signatures : public ::testing::TestWithParam<SignatureCase> {};

TEST_P(Signatures, ShowWhatAScriptAuthorSees) {
    const FunctionDef def = parse_ok(GetParam().text, "QM_X");
    EXPECT_EQ(lua_signature(def), GetParam().lua);
    EXPECT_EQ(c_signature(def), GetParam().c);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, Signatures,
    ::testing::Values(
        SignatureCase{"MediaItem*\0ReaProject*,int,int\0projID,itemID,mediaTypeID\0h"sv,
                      "MediaItem reaper.QM_X(ReaProject projID, integer itemID, integer "
                      "mediaTypeID)",
                      "MediaItem* QM_X(ReaProject* projID, int itemID, int mediaTypeID)"},
        SignatureCase{"bool\0ReaProject*,int,double*\0projID,itemID,volumeOut\0h"sv,
                      "boolean retval, number volumeOut = reaper.QM_X(ReaProject projID, "
                      "integer itemID)",
                      "bool QM_X(ReaProject* projID, int itemID, double* volumeOut)"},
        SignatureCase{"void\0PCM_source*,char*,int\0source,typebufOut,typebufOut_sz\0h"sv,
                      "string typebufOut = reaper.QM_X(PCM_source source)",
                      "void QM_X(PCM_source* source, char* typebufOut, int typebufOut_sz)"},
        SignatureCase{"void\0char*,int\0bufOut,bufsize\0h"sv,
                      "string bufOut = reaper.QM_X(integer bufsize)",
                      "void QM_X(char* bufOut, int bufsize)"},
        SignatureCase{"int\0int*,const char*\0countInOut,labelOptional\0h"sv,
                      "integer retval, integer countInOut = reaper.QM_X(integer countInOut, "
                      "optional string labelOptional)",
                      "int QM_X(int* countInOut, const char* labelOptional)"},
        SignatureCase{"bool\0Mediaitem*\0item\0h"sv, "boolean reaper.QM_X(MediaItem item)",
                      "bool QM_X(Mediaitem* item)"},
        SignatureCase{"void\0\0\0h"sv, "reaper.QM_X()", "void QM_X()"}));

}  // namespace
}  // namespace reaper_sim
