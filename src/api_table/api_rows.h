// One row per API function, in registration order:
// ROW(native name, return type, parameter types, parameter names, help text).
// Everything registered for a function (its names, definition text and script wrapper) is made
// from its row; the texts are what REAPER shows script authors, so they stay exactly as written,
// quirks included. Rows are grouped by family; QM_API_ROWS lists the groups in table order.
#pragma once

// clang-format off

// Item lookup
#define QM_ROWS_LOOKUP(ROW) \
    ROW(GetMediaItemSelect, "MediaItem*", "ReaProject*,int,int", "projID,itemID,mediaTypeID", "[QM:API]Get Media Item") \
    ROW(GetMediaTrackItemSelect, "MediaItem*", "ReaProject*,int,int,int", "projID,trackID,itemID,mediaTypeID", "[QM:API]Get Media Item")

// Media type counts
#define QM_ROWS_TYPE_COUNTS(ROW)

// Source formats: bit depth, sample rate, channels, channel mode
#define QM_ROWS_SOURCE_FORMAT(ROW) \
    ROW(GetMediaItemBitRate, "bool", "MediaItem*,int*", "item,bitRateOut", "[QM:API]Get Bit rate of media Item") \
    ROW(GetMediaBitRate, "bool", "ReaProject*,int,int*", "projID,itemID,bitRateOut", "[QM:API]Get Bit rate of media") \
    ROW(GetSelectedMediaBitRate, "bool", "ReaProject*,int,int*", "projID,selectItemID,bitRateOut", "[QM:API]Get Bit rate of select media") \
    ROW(GetTrackMediaBitRate, "bool", "ReaProject*,int,int,int*", "projID,trackID,trackItemID,bitRateOut", "[QM:API]Get Bit rate of track media") \
    ROW(GetSelectedTrackMediaBitRate, "bool", "ReaProject*,int,int,int*", "projID,selectTrackID,trackItemID,bitRateOut", "[QM:API]Get Bit rate of select track media") \
    ROW(GetMediaItemSampleRate, "bool", "MediaItem*,int*", "item,sampleOut", "[QM:API]Get sample rate of media item") \
    ROW(GetMediaSampleRate, "bool", "ReaProject*,int,int*", "projID,itemID,sampleOut", "[QM:API]Get sample rate of media") \
    ROW(GetSelectedMediaSampleRate, "bool", "ReaProject*,int,int*", "projID,selectItemID,sampleOut", "[QM:API]Get sample rate of selectMedia") \
    ROW(GetTrackMediaSampleRate, "bool", "ReaProject*,int,int,int*", "projID,trackID,trackItemID,sampleOut", "[QM:API]Get sample rate of trackMedia") \
    ROW(GetSelectedTrackMediaSampleRate, "bool", "ReaProject*,int,int,int*", "projID,selectTrackID,trackItemID,sampleOut", "[QM:API]Get sample rate of selectTrackMedia") \
    ROW(GetMediaItemNumChannels, "bool", "MediaItem*,int*", "item,channelOut", "[QM:API]Get the number of media item channels") \
    ROW(GetMediaNumChannels, "bool", "ReaProject*,int,int*", "projID,itemID,channelOut", "[QM:API]Get the number of media channels") \
    ROW(GetSelectedMediaNumChannels, "bool", "ReaProject*,int,int*", "projID,selectItemID,channelOut", "[QM:API]Get the number of selectMedia channels") \
    ROW(GetTrackMediaNumChannels, "bool", "ReaProject*,int,int,int*", "projID,trackID,trackItemID,channelOut", "[QM:API]Get the number of trackMedia channels") \
    ROW(GetSelectedTrackMediaNumChannels, "bool", "ReaProject*,int,int,int*", "projID,selectTrackID,trackItemID,channelOut", "[QM:API]Get the number of selectTrackMedia channels") \
    ROW(GetMediaItemChannelMode, "bool", "MediaItem*,int*", "item,chModeOut", "[QM:API]Get media item channel mode") \
    ROW(GetMediaChannelMode, "bool", "ReaProject*,int,int*", "projID,itemID,chModeOut", "[QM:API]Get media channel mode") \
    ROW(GetSelectedMediaChannelMode, "bool", "ReaProject*,int,int*", "projID,selectItemID,chModeOut", "[QM:API]Get select media channel mode") \
    ROW(GetTrackMediaChannelMode, "bool", "ReaProject*,int,int,int*", "projID,trackID,trackItemID,chModeOut", "[QM:API]Get track media channel mode") \
    ROW(GetSelectedTrackMediaChannelMode, "bool", "ReaProject*,int,int,int*", "projID,sselectTrackID,trackItemID,chModeOut", "[QM:API]Get select track media channel mode") \
    ROW(SetMediaItemChannelMode, "bool", "MediaItem*,int", "item,setChannelMode", "[QM:API]Set media item channel mode") \
    ROW(SetMediaChannelMode, "bool", "ReaProject*,int,int", "projID,itemID,setChannelMode", "[QM:API]Set media channel mode") \
    ROW(SetSelectedMediaChannelMode, "bool", "ReaProject*,int,int", "projID,selectItemID,setChannelMode", "[QM:API]Set select media channel mode") \
    ROW(SetTrackMediaChannelMode, "bool", "ReaProject*,int,int,int", "projID,trackID,trackItemID,setChannelMode", "[QM:API]Set track media channel mode") \
    ROW(SetSelectedTrackMediaChannelMode, "bool", "ReaProject*,int,int,int", "projID,selectTrackID,trackItemID,setChannelMode", "[QM:API]Set select track media channel mode")

// Take name and mute
#define QM_ROWS_NAME_MUTE(ROW) \
    ROW(GetMediaItemName, "bool", "MediaItem*,char*,int", "item,nameOut,nameOut_sz", "[QM:API]Get media item name") \
    ROW(GetMediaName, "bool", "ReaProject*,int,char*,int", "projID,itemID,nameOut,nameOut_sz", "[QM:API]Get media name") \
    ROW(GetSelectedMediaName, "bool", "ReaProject*,int,char*,int", "projID,itemID,nameOut,nameOut_sz", "[QM:API]Get select media name") \
    ROW(GetTrackMediaName, "bool", "ReaProject*,int,int,char*,int", "projID,trackID,trackItemID,nameOut,nameOut_sz", "[QM:API]Get track media name") \
    ROW(GetSelectedTrackMediaName, "bool", "ReaProject*,int,int,char*,int", "projID,selectTrackID,trackItemID,nameOut,nameOut_sz", "[QM:API]Get select track media name") \
    ROW(SetMediaItemName, "bool", "MediaItem*,const char*", "item,setName", "[QM:API]Set media item name") \
    ROW(SetMediaName, "bool", "ReaProject*,int,const char*", "projID,itemID,setName", "[QM:API]Set media name") \
    ROW(SetSelectedMediaName, "bool", "ReaProject*,int,const char*", "projID,itemID,setName", "[QM:API]Set select media name") \
    ROW(SetTrackMediaName, "bool", "ReaProject*,int,int,const char*", "projID,trackId,trackItemID,setName", "[QM:API]Set track media name") \
    ROW(SetSelectedTrackMediaName, "bool", "ReaProject*,int,int,const char*", "projID,selectTrackId,trackItemID,setName", "[QM:API]Set select track media name") \
    ROW(GetMediaItemMute, "bool", "MediaItem*,bool*", "item,muteTypeOut", "[QM:API]Get Media item Mute Type") \
    ROW(GetMediaMute, "bool", "ReaProject*,int,bool*", "projID,itemID,muteTypeOut", "[QM:API]Get Media Mute Type") \
    ROW(GetSelectedMediaMute, "bool", "ReaProject*,int,bool*", "projID,selectItemID,muteTypeOut", "[QM:API]Get Select Media Mute Type") \
    ROW(GetTrackMediaMute, "bool", "ReaProject*,int,int,bool*", "projID,trackID,trackItemID,muteTypeOut", "[QM:API]Get Track Media Mute Type") \
    ROW(GetSelectedTrackMediaMute, "bool", "ReaProject*,int,int,bool*", "projID,selectTrackID,trackItemID,muteTypeOut", "[QM:API]Get Select Track Media Mute Type") \
    ROW(SetMediaItemMute, "bool", "MediaItem*,bool", "item,setType", "[QM:API]Get Media Item Mute Type") \
    ROW(SetMediaMute, "bool", "ReaProject*,int,bool", "projID,itemID,setType", "[QM:API]Get Media Mute Type") \
    ROW(SetSelectedMediaMute, "bool", "ReaProject*,int,bool", "projID,selectItemID,setType", "[QM:API]Get Select Media Mute Type") \
    ROW(SetTrackMediaMute, "bool", "ReaProject*,int,int,bool", "projID,trackID,trackItemID,setType", "[QM:API]Get Track Media Mute Type") \
    ROW(SetSelectedTrackMediaMute, "bool", "ReaProject*,int,int,bool", "projID,selectTrackID,trackItemID,setType", "[QM:API]Get Select Track Media Mute Type")

// Item timing
#define QM_ROWS_TIMING(ROW)

// Fades
#define QM_ROWS_FADES(ROW)

// Volume
#define QM_ROWS_VOLUME(ROW)

// Pitch and play rate
#define QM_ROWS_PITCH_RATE(ROW)

// Deletion, selection and moving between tracks
#define QM_ROWS_EDITING(ROW)

// Active-take copy
#define QM_ROWS_TAKE_COPY(ROW)

// Media file insertion
#define QM_ROWS_INSERTION(ROW)

// Play cursor
#define QM_ROWS_CURSOR(ROW)

#define QM_API_ROWS(ROW) \
    QM_ROWS_LOOKUP(ROW) \
    QM_ROWS_TYPE_COUNTS(ROW) \
    QM_ROWS_SOURCE_FORMAT(ROW) \
    QM_ROWS_NAME_MUTE(ROW) \
    QM_ROWS_TIMING(ROW) \
    QM_ROWS_FADES(ROW) \
    QM_ROWS_VOLUME(ROW) \
    QM_ROWS_PITCH_RATE(ROW) \
    QM_ROWS_EDITING(ROW) \
    QM_ROWS_TAKE_COPY(ROW) \
    QM_ROWS_INSERTION(ROW) \
    QM_ROWS_CURSOR(ROW)

// clang-format on
