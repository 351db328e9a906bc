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
#define QM_ROWS_SOURCE_FORMAT(ROW)

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
