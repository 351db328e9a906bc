// The definition-text parser, through the signatures `reaper-sim list` shows: declared types, the
// roles that name suffixes give, size pairing, and why a malformed text is refused.
#include "definition.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace reaper_sim {
namespace {

using namespace std::string_view_literals;

std::string signature(std::string_view text, std::string (*show)(const FunctionDef&)) {
    std::string error;
    const auto def = parse_definition("QM_X", text, error);
    return def ? show(*def) : "refused: " + error;
}

TEST(Definition, SignaturesShowWhatAScriptAuthorSees) {
    const std::pair<std::string_view, const char*> cases[] = {
        // Every type by value; "MediaItem *" and REAPER's "Mediaitem*" are MediaItem*.
        {"const char*\0ReaProject*,int,bool,double,const char*,MediaItem *,Mediaitem*,MediaTrack*,"
         "MediaItem_Take*,PCM_source*\0p,i,b,d,s,m,n,t,k,src\0h"sv,
         "string reaper.QM_X(ReaProject p, integer i, boolean b, number d, string s, MediaItem m, "
         "MediaItem n, MediaTrack t, MediaItem_Take k, PCM_source src)"},
        // Outputs follow the result in parameter order; a buffer's size is the runner's.
        {"bool\0char*,int,int*,double*,bool*\0nameOut,nameOut_sz,countOut,volumeOut,flagOut\0h"sv,
         "boolean retval, string nameOut, integer countOut, number volumeOut, boolean flagOut = "
         "reaper.QM_X()"},
        {"int\0int*,const char*,double*,int*,MediaItem*\0countInOut,labelOptional,gainInOptional,"
         "countOutOptional,itemOptional\0h"sv,
         "integer retval, integer countInOut, integer countOutOptional = reaper.QM_X(integer "
         "countInOut, optional string labelOptional, optional number gainInOptional, optional "
         "integer countOutOptional, optional MediaItem itemOptional)"},
        {"void\0char*,int,char*\0stringNeedBig,stringNeedBig_sz,bufOutNeedBig\0h"sv,
         "string stringNeedBig, string bufOutNeedBig = reaper.QM_X(string stringNeedBig)"},
        // Only `int xOut_sz` right after `char* xOut` is a size; only pointers carry values back.
        // An output before inputs keeps its place.
        {"void\0char*,int\0bufOut,buf_sz\0h"sv,
         "string bufOut = reaper.QM_X(string bufOut, integer buf_sz)"},
        {"void\0char*,double\0bufOut,bufOut_sz\0h"sv,
         "string bufOut = reaper.QM_X(string bufOut, number bufOut_sz)"},
        {"void\0const char*,int,char*\0nameOut,countOut,plain\0h"sv,
         "reaper.QM_X(string nameOut, integer countOut, string plain)"},
        {"void\0void*,char**\0data,list\0h"sv, "reaper.QM_X(void* data, char** list)"},
        {"void\0\0\0h"sv, "reaper.QM_X()"},
        {"bool"sv, "refused: definition text has 1 of 4 fields"},
        {"bool\0int\0x"sv, "refused: definition text has 3 of 4 fields"},
        {"bool\0int,int\0x\0h"sv, "refused: 2 parameter types but 1 parameter names"},
        {"bool\0int,\0x,y\0h"sv, "refused: parameter 2 has no type"},
        {"bool\0int,int\0x,\0h"sv, "refused: parameter 2 has no name"},
    };
    for (const auto& [text, lua] : cases) EXPECT_EQ(signature(text, lua_signature), lua);
    EXPECT_EQ(signature("bool\0Mediaitem*,char *\0item,buf\0h"sv, c_signature),
              "bool QM_X(Mediaitem* item, char* buf)");
    static const char text[] = "bool\0int\0x\0help text";
    EXPECT_EQ(definition_extent(text), std::string_view(text, sizeof text - 1));
    EXPECT_TRUE(definition_extent(nullptr).empty());
}

}  // namespace
}  // namespace reaper_sim
