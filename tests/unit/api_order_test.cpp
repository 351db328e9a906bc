#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "api_table/api_table.h"

namespace {

// Scripts and other extensions find the functions by these names; the order is the order REAPER
// registers them in and the reference lists them in.
// clang-format off
const char* const kRegistrationOrder[] = {
    "GetMediaItemSelect", "GetMediaTrackItemSelect", "GetMediaTypeCount",
    "GetSelectedMediaTypeCount", "GetTrackItemMediaTypeCount", "GetTrackMediaTypeCount",
    "GetSelectedTrackMediaTypeCount", "GetMediaItemBitRate", "GetMediaBitRate",
    "GetSelectedMediaBitRate", "GetTrackMediaBitRate", "GetSelectedTrackMediaBitRate",
    "GetMediaItemSampleRate", "GetMediaSampleRate", "GetSelectedMediaSampleRate",
    "GetTrackMediaSampleRate", "GetSelectedTrackMediaSampleRate", "GetMediaItemNumChannels",
    "GetMediaNumChannels", "GetSelectedMediaNumChannels", "GetTrackMediaNumChannels",
    "GetSelectedTrackMediaNumChannels", "GetMediaItemChannelMode", "GetMediaChannelMode",
    "GetSelectedMediaChannelMode", "GetTrackMediaChannelMode", "GetSelectedTrackMediaChannelMode",
    "SetMediaItemChannelMode", "SetMediaChannelMode", "SetSelectedMediaChannelMode",
    "SetTrackMediaChannelMode", "SetSelectedTrackMediaChannelMode", "GetMediaItemName",
    "GetMediaName", "GetSelectedMediaName", "GetTrackMediaName", "GetSelectedTrackMediaName",
    "SetMediaItemName", "SetMediaName", "SetSelectedMediaName", "SetTrackMediaName",
    "SetSelectedTrackMediaName", "GetMediaItemMute", "GetMediaMute", "GetSelectedMediaMute",
    "GetTrackMediaMute", "GetSelectedTrackMediaMute", "SetMediaItemMute", "SetMediaMute",
    "SetSelectedMediaMute", "SetTrackMediaMute", "SetSelectedTrackMediaMute",
    "GetMediaItemStartTimeSeconds", "GetMediaStartTimeSeconds", "GetSelectedMediaStartTimeSeconds",
    "GetTrackMediaStartTimeSeconds", "GetSelectedTrackMediaStartTimeSeconds",
    "GetMediaItemStartTimeFrame", "GetMediaStartTimeFrame", "GetSelectedMediaStartTimeFrame",
    "GetTrackMediaStartTimeFrame", "GetSelectedTrackMediaStartTimeFrame",
    "SetMediaItemStartTimeSeconds", "SetMediaStartTimeSeconds", "SetSelectedMediaStartTimeSeconds",
    "SetTrackMediaStartTimeSeconds", "SetSelectedTrackMediaStartTimeSeconds",
    "SetMediaItemStartTimeFrame", "SetMediaStartTimeFrame", "SetSelectedMediaStartTimeFrame",
    "SetTrackMediaStartTimeFrame", "SetSelectedTrackMediaStartTimeFrame", "GetMediaItemLength",
    "GetMediaLength", "GetSelectedMediaLength", "GetTrackMediaLength",
    "GetSelectedTrackMediaLength", "GetMediaItemEndTime", "GetMediaEndTime",
    "GetSelectedMediaEndTime", "GetTrackMediaEndTime", "GetSelectedTrackMediaEndTime",
    "GetMediaItemFade", "GetMediaFade", "GetSelectedMediaFade", "GetTrackMediaFade",
    "GetSelectedTrackMediaFade", "SetMediaItemFade", "SetMediaFade", "SetSelectedMediaFade",
    "SetTrackMediaFade", "SetSelectedTrackMediaFade", "GetMediaItemVolume", "GetMediaVolume",
    "GetSelectedMediaVolume", "GetTrackMediaVolume", "GetSelectedTrackMediaVolume",
    "SetMediaItemVolume", "SetMediaVolume", "SetSelectedMediaVolume", "SetTrackMediaVolume",
    "SetSelectedTrackMediaVolume", "SetMediaItemAddVolume", "SetMediaAddVolume",
    "SetSelectedMediaAddVolume", "SetTrackMediaAddVolume", "SetSelectedTrackMediaAddVolume",
    "GetMediaItemPitch", "GetMediaPitch", "GetSelectedMediaPitch", "GetTrackMediaPitch",
    "GetSelectedTrackMediaPitch", "SetMediaItemPitch", "SetMediaPitch", "SetSelectedMediaPitch",
    "SetTrackMediaPitch", "SetSelectedTrackMediaPitch", "SetMediaItemAddPitch", "SetMediaAddPitch",
    "SetSelectedMediaAddPitch", "SetTrackMediaAddPitch", "SetSelectedTrackMediaAddPitch",
    "GetMediaItemRate", "GetMediaRate", "GetSelectedMediaRate", "GetTrackMediaRate",
    "GetSelectedTrackMediaRate", "SetMediaItemRate", "SetMediaRate", "SetSelectedMediaRate",
    "SetTrackMediaRate", "SetSelectedTrackMediaRate", "DeleteMediaItem", "DeleteMedia",
    "DeleteSelectedMedia", "DeleteTrackMedia", "DeleteSelectedTrackMedia", "DeleteAllMedia",
    "DeleteAllSelectedMedia", "DeleteAllTrackMedia", "DeleteAllSelectedTrackMedia",
    "SetMediaSelected", "SetTrackMediaSelected", "SetAllMediaSelected", "SetMediaItemMoveToTrack",
    "SetMediaMoveToTrack", "SetSelectedMediaMoveToTrack", "SetTrackMediaMoveToTrack",
    "SetSelectedTrackMediaMoveToTrack", "SetMediaItemActiveTakeCopy", "SetMediaActiveTakeCopy",
    "SetSelectedMediaActiveTakeCopy", "SetTrackMediaActiveTakeCopy",
    "SetSelectedTrackMediaActiveTakeCopy", "InsertMediaOutItem", "InsertMediaTrackItemSecond",
    "InsertMediaTrackIdSecond", "InsertMediaSelectedTrackIdSecond", "InsertMediaTrackItemFrame",
    "InsertMediaTrackIdFrame", "InsertMediaSelectedTrackIdFrame", "GetPlayCursorPosition",
    "SetPlayCursorPosition", "SetPlayCursorPositionFrame",
};
// clang-format on

TEST(ApiTable, RegistersEveryFunctionOnceInItsPlace) {
    std::vector<std::string> names;
    for (const auto& record : qm_app_def::api_define_list) {
        names.emplace_back(record.api_name + std::string("API_QM_").size());
    }
    EXPECT_EQ(names, std::vector<std::string>(std::begin(kRegistrationOrder),
                                              std::end(kRegistrationOrder)));
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
}

}  // namespace
