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
#define QM_ROWS_TYPE_COUNTS(ROW) \
    ROW(GetMediaTypeCount, "bool", "ReaProject*,const char*,int*,int*", "projID,mediaType,allCountOut,typeCountOut", "[QM:API]Get type count of media") \
    ROW(GetSelectedMediaTypeCount, "bool", "ReaProject*,const char*,int*,int*", "projID,mediaType,allCountOut,typeCountOut", "[QM:API]Get type count of select media") \
    ROW(GetTrackItemMediaTypeCount, "bool", "MediaTrack*,const char*,int*,int*", "track,mediaType,allCountOut,typeCountOut", "[QM:API]Get type count of track item media") \
    ROW(GetTrackMediaTypeCount, "bool", "ReaProject*,int,const char*,int*,int*", "projID,trackID,mediaType,allCountOut,typeCountOut", "[QM:API]Get type count of track media") \
    ROW(GetSelectedTrackMediaTypeCount, "bool", "ReaProject*,int,const char*,int*,int*", "projID,selectTrackID,mediaType,allCountOut,typeCountOut", "[QM:API]Get type count of select track media")

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
#define QM_ROWS_TIMING(ROW) \
    ROW(GetMediaItemStartTimeSeconds, "bool", "MediaItem*,double*", "item,secondOut", "[QM:API]Get Media Item StartTime") \
    ROW(GetMediaStartTimeSeconds, "bool", "ReaProject*,int,double*", "projID,itemID,secondOut", "[QM:API]Get Media StartTime") \
    ROW(GetSelectedMediaStartTimeSeconds, "bool", "ReaProject*,int,double*", "projID,selectItemID,secondOut", "[QM:API]Get select Media StartTime") \
    ROW(GetTrackMediaStartTimeSeconds, "bool", "ReaProject*,int,int,double*", "projID,trackID,trackItemID,secondOut", "[QM:API]Get track Media StartTime") \
    ROW(GetSelectedTrackMediaStartTimeSeconds, "bool", "ReaProject*,int,int,double*", "projID,selectTrackID,trackItemID,secondOut", "[QM:API]Get select track Media StartTime") \
    ROW(GetMediaItemStartTimeFrame, "bool", "MediaItem*,int*", "item,frameOut", "[QM:API]Get Media Item StartTime Frame") \
    ROW(GetMediaStartTimeFrame, "bool", "ReaProject*,int,int*", "projID,itemID,frameOut", "[QM:API]Get Media StartTime Frame") \
    ROW(GetSelectedMediaStartTimeFrame, "bool", "ReaProject*,int,int*", "projID,selectItemID,frameOut", "[QM:API]Get Select Media StartTime Frame") \
    ROW(GetTrackMediaStartTimeFrame, "bool", "ReaProject*,int,int,int*", "projID,trackID,trackItemID,frameOut", "[QM:API]Get Track Media StartTime Frame") \
    ROW(GetSelectedTrackMediaStartTimeFrame, "bool", "ReaProject*,int,int,int*", "projID,selectTrackID,trackItemID,frameOut", "[QM:API]Get Select Track Media StartTime Frame") \
    ROW(SetMediaItemStartTimeSeconds, "bool", "Mediaitem*,double", "item,setSeconds", "[QM:API]Set Media StartTime Seconds") \
    ROW(SetMediaStartTimeSeconds, "bool", "ReaProject*,int,double", "projID,itemID,setSeconds", "[QM:API]Set Media StartTime Seconds") \
    ROW(SetSelectedMediaStartTimeSeconds, "bool", "ReaProject*,int,double", "projID,selectItemID,setSeconds", "[QM:API]Set Select Media StartTime Seconds") \
    ROW(SetTrackMediaStartTimeSeconds, "bool", "ReaProject*,int,int,double", "projID,trackID,trackItemID,setSeconds", "[QM:API]Set Track Media StartTime Seconds") \
    ROW(SetSelectedTrackMediaStartTimeSeconds, "bool", "ReaProject*,int,int,double", "projID,selectTrackID,trackItemID,setSeconds", "[QM:API]Set Select Track Media StartTime Seconds") \
    ROW(SetMediaItemStartTimeFrame, "bool", "Mediaitem*,double", "item,setFrame", "[QM:API]Set Media StartTime Frame") \
    ROW(SetMediaStartTimeFrame, "bool", "ReaProject*,int,double", "projID,itemID,setFrame", "[QM:API]Set Media StartTime Frame") \
    ROW(SetSelectedMediaStartTimeFrame, "bool", "ReaProject*,int,double", "projID,selectItemID,setFrame", "[QM:API]Set Select Media StartTime Frame") \
    ROW(SetTrackMediaStartTimeFrame, "bool", "ReaProject*,int,int,double", "projID,trackID,trackItemID,setFrame", "[QM:API]Set Track Media StartTime Frame") \
    ROW(SetSelectedTrackMediaStartTimeFrame, "bool", "ReaProject*,int,int,double", "projID,selectTrackID,trackItemID,setFrame", "[QM:API]Set Select Track Media StartTime Frame") \
    ROW(GetMediaItemLength, "bool", "MediaItem*,double*", "item,lengthOut", "[QM:API]Get Media item Length") \
    ROW(GetMediaLength, "bool", "ReaProject*,int,double*", "projID,itemID,lengthOut", "[QM:API]Get Media Length") \
    ROW(GetSelectedMediaLength, "bool", "ReaProject*,int,double*", "projID,selectItemID,lengthOut", "[QM:API]Get Select Media Length") \
    ROW(GetTrackMediaLength, "bool", "ReaProject*,int,int,double*", "projID,trackID,trackItemID,lengthOut", "[QM:API]Get Track Media Length") \
    ROW(GetSelectedTrackMediaLength, "bool", "ReaProject*,int,int,double*", "projID,selectTrackID,trackItemID,lengthOut", "[QM:API]Get Select Track Media Length") \
    ROW(GetMediaItemEndTime, "bool", "MediaItem*,double*", "item,endTimeOut", "[QM:API]Get Media Item EndTime") \
    ROW(GetMediaEndTime, "bool", "ReaProject*,int,double*", "projID,itemID,endTimeOut", "[QM:API]Get Media EndTime") \
    ROW(GetSelectedMediaEndTime, "bool", "ReaProject*,int,double*", "projID,selectItemID,endTimeOut", "[QM:API]Get Select Media EndTime") \
    ROW(GetTrackMediaEndTime, "bool", "ReaProject*,int,int,double*", "projID,trackID,trackItemID,endTimeOut", "[QM:API]Get Track Media EndTime") \
    ROW(GetSelectedTrackMediaEndTime, "bool", "ReaProject*,int,int,double*", "projID,selectTrackID,trackItemID,endTimeOut", "[QM:API]Get Select Track Media EndTime")

// Fades
#define QM_ROWS_FADES(ROW) \
    ROW(GetMediaItemFade, "bool", "MediaItem*,int*,double*,int*,double*", "item,inTypeOut,inLenOut,outTypeOut,outLenOut", "[QM:API]Get Media Item Fade") \
    ROW(GetMediaFade, "bool", "ReaProject*,int,int*,double*,int*,double*", "projID,itemID,inTypeOut,inLenOut,outTypeOut,outLenOut", "[QM:API]Get Media Fade") \
    ROW(GetSelectedMediaFade, "bool", "ReaProject*,int,int*,double*,int*,double*", "projID,selectItemID,inTypeOut,inLenOut,outTypeOut,outLenOut", "[QM:API]Get Select Media Fade") \
    ROW(GetTrackMediaFade, "bool", "ReaProject*,int,int,int*,double*,int*,double*", "projID,trackID,trackItemID,inTypeOut,inLenOut,outTypeOut,outLenOut", "[QM:API]Get Track Media Fade") \
    ROW(GetSelectedTrackMediaFade, "bool", "ReaProject*,int,int,int*,double*,int*,double*", "projID,selectTrackID,trackItemID,inTypeOut,inLenOut,outTypeOut,outLenOut", "[QM:API]Get Select Track Media Fade") \
    ROW(SetMediaItemFade, "bool", "MediaItem*,int,double,int,double", "item,inType,inLen,outType,outLen", "[QM:API]Set Media Item Fade") \
    ROW(SetMediaFade, "bool", "ReaProject*,int,int,double,int,double", "projID,itemID,inType,inLen,outType,outLen", "[QM:API]Set Media Fade") \
    ROW(SetSelectedMediaFade, "bool", "ReaProject*,int,int,double,int,double", "projID,selectItemID,inType,inLen,outType,outLen", "[QM:API]Set Select Media Fade") \
    ROW(SetTrackMediaFade, "bool", "ReaProject*,int,int,int,double,int,double", "projID,trackID,trackItemID,inType,inLen,outType,outLen", "[QM:API]Set Track Media Fade") \
    ROW(SetSelectedTrackMediaFade, "bool", "ReaProject*,int,int,int,double,int,double", "projID,selectTrackID,trackItemID,inType,inLen,outType,outLen", "[QM:API]Set Select Track Media Fade")

// Volume
#define QM_ROWS_VOLUME(ROW) \
    ROW(GetMediaItemVolume, "bool", "MediaItem*,double*", "item,volumeOut", "[QM:API]Get Media Item Volume") \
    ROW(GetMediaVolume, "bool", "ReaProject*,int,double*", "projID,itemID,volumeOut", "[QM:API]Get Media Volume") \
    ROW(GetSelectedMediaVolume, "bool", "ReaProject*,int,double*", "projID,selectItemID,volumeOut", "[QM:API]Get Select Media Volume") \
    ROW(GetTrackMediaVolume, "bool", "ReaProject*,int,int,double*", "projID,trackID,trackItemID,volumeOut", "[QM:API]Get Track Media Volume") \
    ROW(GetSelectedTrackMediaVolume, "bool", "ReaProject*,int,int,double*", "projID,selectTrackID,trackItemID,volumeOut", "[QM:API]Get Select Track Media Volume") \
    ROW(SetMediaItemVolume, "bool", "MediaItem*,double", "item,volume", "[QM:API]Set Media item Volume") \
    ROW(SetMediaVolume, "bool", "ReaProject*,int,double", "projID,itemID,volume", "[QM:API]Set Media Volume") \
    ROW(SetSelectedMediaVolume, "bool", "ReaProject*,int,double", "projID,selectItemID,volume", "[QM:API]Set Select Media Volume") \
    ROW(SetTrackMediaVolume, "bool", "ReaProject*,int,int,double", "projID,trackID,trackItemID,volume", "[QM:API]Set Track Media Volume") \
    ROW(SetSelectedTrackMediaVolume, "bool", "ReaProject*,int,int,double", "projID,selectTrackID,trackItemID,volume", "[QM:API]Set Select Track Media Volume") \
    ROW(SetMediaItemAddVolume, "bool", "MediaItem*,double", "item,addVolume", "[QM:API]Set Media item Add Volume") \
    ROW(SetMediaAddVolume, "bool", "ReaProject*,int,double", "projID,itemID,addVolume", "[QM:API]Set Media Add Volume") \
    ROW(SetSelectedMediaAddVolume, "bool", "ReaProject*,int,double", "projID,selectItemID,addVolume", "[QM:API]Set Select Media Add Volume") \
    ROW(SetTrackMediaAddVolume, "bool", "ReaProject*,int,int,double", "projID,trackID,trackItemID,addVolume", "[QM:API]Set Track Media Add Volume") \
    ROW(SetSelectedTrackMediaAddVolume, "bool", "ReaProject*,int,int,double", "projID,selectTrackID,trackItemID,addVolume", "[QM:API]Set Select Track Media Add Volume")

// Pitch and play rate
#define QM_ROWS_PITCH_RATE(ROW) \
    ROW(GetMediaItemPitch, "bool", "MediaItem*,double*", "item,pitchOut", "[QM:API]Get Media Item Pitch") \
    ROW(GetMediaPitch, "bool", "ReaProject*,int,double*", "projID,itemID,pitchOut", "[QM:API]Get Media Pitch") \
    ROW(GetSelectedMediaPitch, "bool", "ReaProject*,int,double*", "projID,selectItemID,pitchOut", "[QM:API]Get Select Media Pitch") \
    ROW(GetTrackMediaPitch, "bool", "ReaProject*,int,int,double*", "projID,trackID,trackItemID,pitchOut", "[QM:API]Get Track Media Pitch") \
    ROW(GetSelectedTrackMediaPitch, "bool", "ReaProject*,int,int,double*", "projID,selectTrackID,trackItemID,pitchOut", "[QM:API]Get Track Media Pitch") \
    ROW(SetMediaItemPitch, "bool", "MediaItem*,double", "item,setPitch", "[QM:API]Set Media Item Pitch") \
    ROW(SetMediaPitch, "bool", "ReaProject*,int,double", "projID,itemID,setPitch", "[QM:API]Set Media Pitch") \
    ROW(SetSelectedMediaPitch, "bool", "ReaProject*,int,double", "projID,selectItemID,setPitch", "[QM:API]Set Select Media Pitch") \
    ROW(SetTrackMediaPitch, "bool", "ReaProject*,int,int,double", "projID,trackID,trackItemID,setPitch", "[QM:API]Set Track Media Pitch") \
    ROW(SetSelectedTrackMediaPitch, "bool", "ReaProject*,int,int,double", "projID,selectTrackID,trackItemID,setPitch", "[QM:API]Set Select Track Media Pitch") \
    ROW(SetMediaItemAddPitch, "bool", "MediaItem*,double", "item,addPitch", "[QM:API]Set Media Item Add Pitch") \
    ROW(SetMediaAddPitch, "bool", "ReaProject*,int,double", "projID,itemID,addPitch", "[QM:API]Set Media Add Pitch") \
    ROW(SetSelectedMediaAddPitch, "bool", "ReaProject*,int,double", "projID,selectItemID,addPitch", "[QM:API]Set Select Media Add Pitch") \
    ROW(SetTrackMediaAddPitch, "bool", "ReaProject*,int,int,double", "projID,trackID,trackItemID,addPitch", "[QM:API]Set Track Media Add Pitch") \
    ROW(SetSelectedTrackMediaAddPitch, "bool", "ReaProject*,int,int,double", "projID,selectTrackID,trackItemID,addPitch", "[QM:API]Set Select Track Media Add Pitch") \
    ROW(GetMediaItemRate, "bool", "MediaItem*,double*", "item,rateOut", "[QM:API]Get Media Item Rate") \
    ROW(GetMediaRate, "bool", "ReaProject*,int,double*", "projID,itemID,rateOut", "[QM:API]Get Media Rate") \
    ROW(GetSelectedMediaRate, "bool", "ReaProject*,int,double*", "projID,itemID,rateOut", "[QM:API]Get Select Media Rate") \
    ROW(GetTrackMediaRate, "bool", "ReaProject*,int,int,double*", "projID,trackID,trackItemID,rateOut", "[QM:API]Get Track Media Rate") \
    ROW(GetSelectedTrackMediaRate, "bool", "ReaProject*,int,int,double*", "projID,selectTrackID,trackItemID,rateOut", "[QM:API]Get Select Track Media Rate") \
    ROW(SetMediaItemRate, "bool", "MediaItem*,double", "item,setRate", "[QM:API]Set Media Item Rate") \
    ROW(SetMediaRate, "bool", "ReaProject*,int,double", "projID,itemID,setRate", "[QM:API]Set Media Rate") \
    ROW(SetSelectedMediaRate, "bool", "ReaProject*,int,double", "projID,selectItemID,setRate", "[QM:API]Set Select Media Rate") \
    ROW(SetTrackMediaRate, "bool", "ReaProject*,int,int,double", "projID,trackID,trackItemID,setRate", "[QM:API]Set Track Media Rate") \
    ROW(SetSelectedTrackMediaRate, "bool", "ReaProject*,int,int,double", "projID,trackID,trackItemID,setRate", "[QM:API]Set Select Track Media Rate")

// Deletion, selection and moving between tracks
#define QM_ROWS_EDITING(ROW) \
    ROW(DeleteMediaItem, "bool", "MediaItem*", "item", "[QM:API]Delete Media ") \
    ROW(DeleteMedia, "bool", "ReaProject*,int", "projID,itemID", "[QM:API]Delete Media ") \
    ROW(DeleteSelectedMedia, "bool", "ReaProject*,int", "projID,selectItemID", "[QM:API]Delete Select Media ") \
    ROW(DeleteTrackMedia, "bool", "ReaProject*,int,int", "projID,trackID,trackItemID", "[QM:API]Delete Track Media ") \
    ROW(DeleteSelectedTrackMedia, "bool", "ReaProject*,int,int", "projID,selectTrackID,trackItemID", "[QM:API]Delete Select Track Media ") \
    ROW(DeleteAllMedia, "bool", "ReaProject*", "projID", "[QM:API]Delete All Media ") \
    ROW(DeleteAllSelectedMedia, "bool", "ReaProject*", "projID", "[QM:API]Delete Select All Media ") \
    ROW(DeleteAllTrackMedia, "bool", "ReaProject*,int", "projID,trackID", "[QM:API]Delete Track All Media ") \
    ROW(DeleteAllSelectedTrackMedia, "bool", "ReaProject*,int", "projID,selectTrackID", "[QM:API]Delete Select Track All Media ") \
    ROW(SetMediaSelected, "bool", "ReaProject*,int,bool", "projID,itemID,selectType", "[QM:API]Set Media Selected") \
    ROW(SetTrackMediaSelected, "bool", "ReaProject*,int,int,bool", "projID,trackID,trackItemID,selectType", "[QM:API]Set Track Media Selected") \
    ROW(SetAllMediaSelected, "bool", "ReaProject*,bool", "projID,selectType", "[QM:API]Set All Media Selected") \
    ROW(SetMediaItemMoveToTrack, "bool", "MediaItem*,int", "item,moveTrackID", "[QM:API]Set Media Move Track") \
    ROW(SetMediaMoveToTrack, "bool", "ReaProject*,int,int", "projID,itemID,moveTrackID", "[QM:API]Set Media Move Track") \
    ROW(SetSelectedMediaMoveToTrack, "bool", "ReaProject*,int,int", "projID,selectItemID,moveTrackID", "[QM:API]Set Select Media Move Track") \
    ROW(SetTrackMediaMoveToTrack, "bool", "ReaProject*,int,int,int", "projID,trackID,trackItemID,moveTrackID", "[QM:API]Set Track Media Move Track") \
    ROW(SetSelectedTrackMediaMoveToTrack, "bool", "ReaProject*,int,int,int", "projID,selectTrackID,trackItemID,moveTrackID", "[QM:API]Set Track Media Move Track")

// Active-take copy
#define QM_ROWS_TAKE_COPY(ROW) \
    ROW(SetMediaItemActiveTakeCopy, "bool", "MediaItem*,int,double", "item,setTrackID,setPosition", "[QM:API]Set Media Item ActiveTake copy") \
    ROW(SetMediaActiveTakeCopy, "bool", "ReaProject*,int,int,double", "projID,itemID,setTrackID,setPosition", "[QM:API]Set Media ActiveTake copy") \
    ROW(SetSelectedMediaActiveTakeCopy, "bool", "ReaProject*,int,int,double", "projID,selectItemID,setTrackID,setPosition", "[QM:API]Set Select Media ActiveTake copy") \
    ROW(SetTrackMediaActiveTakeCopy, "bool", "ReaProject*,int,int,int,double", "projID,trackID,trackItemID,setTrackID,setPosition", "[QM:API]Set Track Media ActiveTake copy") \
    ROW(SetSelectedTrackMediaActiveTakeCopy, "bool", "ReaProject*,int,int,int,double", "projID,selectTrackID,trackItemID,setTrackID,setPosition", "[QM:API]Set Select Track Media ActiveTake copy")

// Media file insertion
#define QM_ROWS_INSERTION(ROW) \
    ROW(InsertMediaOutItem, "MediaItem*", "ReaProject*,const char*", "projID,filePath", "[QM:API]Insert Media Out Item ") \
    ROW(InsertMediaTrackItemSecond, "MediaItem*", "MediaTrack*,const char*,int,double", "track,filePath,startEndType,setSecond", "[QM:API]Insert Media Second Track Item Out Item ") \
    ROW(InsertMediaTrackIdSecond, "MediaItem*", "ReaProject*,int,const char*,int,double", "projID,trackID,filePath,startEndType,setSecond", "[QM:API]Insert Media Second Track Id Out Item ") \
    ROW(InsertMediaSelectedTrackIdSecond, "MediaItem*", "ReaProject*,int,const char*,int,double", "projID,selectTrackID,filePath,startEndType,setSecond", "[QM:API]Insert Media Second Select Track Id Out Item ") \
    ROW(InsertMediaTrackItemFrame, "MediaItem*", "MediaTrack*,const char*,int,int", "track, filePath, startEndType, setFrame", "[QM:API]Insert Media Frame Track Item Out Item ") \
    ROW(InsertMediaTrackIdFrame, "MediaItem*", "ReaProject*,int,const char*,int,int", "projID,trackID, filePath, startEndType, setFrame", "[QM:API]Insert Media Frame Track Id Out Item ") \
    ROW(InsertMediaSelectedTrackIdFrame, "MediaItem*", "ReaProject*,int,const char*,int,int", "projID,selectTrackID, filePath, startEndType, setFrame", "[QM:API]Insert Media Frame Select Track Id Out Item ")

// Play cursor
#define QM_ROWS_CURSOR(ROW) \
    ROW(GetPlayCursorPosition, "bool", "ReaProject*,double*", "projID,posOut", "[QM:API]Get playcursol position") \
    ROW(SetPlayCursorPosition, "bool", "ReaProject*,int,double,double*", "projID,startEndType,setPos,posOut", "[QM:API]Set playcursol position 0:start 1:end") \
    ROW(SetPlayCursorPositionFrame, "bool", "ReaProject*,int,int,int*", "projID,startEndType,setFrame,posFrameOut", "[QM:API]Set playcursol position Frame 0:start 1:end")

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
