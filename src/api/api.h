// The native API functions, exported under their C++ names for other extensions. Each one is also
// registered for scripts through its row in api_table/api_rows.h. Grouped as the rows are.
#pragma once

#include "entry/host_api.h"

// Item lookup
QM_EXPORT MediaItem* GetMediaItemSelect(ReaProject* projID, int itemID, int mediaTypeID) noexcept;
QM_EXPORT MediaItem* GetMediaTrackItemSelect(ReaProject* projID, int trackID, int itemID,
                                             int mediaTypeID) noexcept;

// Media type counts
QM_EXPORT bool GetMediaTypeCount(ReaProject* projID, const char* mediaType, int* allCountOut,
                                 int* typeCountOut) noexcept;
QM_EXPORT bool GetSelectedMediaTypeCount(ReaProject* projID, const char* mediaType,
                                         int* allCountOut, int* typeCountOut) noexcept;
QM_EXPORT bool GetTrackItemMediaTypeCount(MediaTrack* track, const char* mediaType,
                                          int* allCountOut, int* typeCountOut) noexcept;
QM_EXPORT bool GetTrackMediaTypeCount(ReaProject* projID, int trackID, const char* mediaType,
                                      int* allCountOut, int* typeCountOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaTypeCount(ReaProject* projID, int selectTrackID,
                                              const char* mediaType, int* allCountOut,
                                              int* typeCountOut) noexcept;

// Source formats: bit depth, sample rate, channels, channel mode

// Take name and mute
QM_EXPORT bool GetMediaItemName(MediaItem* item, char* nameOut, int nameOut_sz) noexcept;
QM_EXPORT bool GetMediaName(ReaProject* projID, int itemID, char* nameOut, int nameOut_sz) noexcept;
QM_EXPORT bool GetSelectedMediaName(ReaProject* projID, int selectItemID, char* nameOut,
                                    int nameOut_sz) noexcept;
QM_EXPORT bool GetTrackMediaName(ReaProject* projID, int trackID, int trackItemID, char* nameOut,
                                 int nameOut_sz) noexcept;
QM_EXPORT bool GetSelectedTrackMediaName(ReaProject* projID, int selectTrackID, int trackItemID,
                                         char* nameOut, int nameOut_sz) noexcept;
QM_EXPORT bool SetMediaItemName(MediaItem* item, const char* setName) noexcept;
QM_EXPORT bool SetMediaName(ReaProject* projID, int itemID, const char* setName) noexcept;
QM_EXPORT bool SetSelectedMediaName(ReaProject* projID, int selectItemID,
                                    const char* setName) noexcept;
QM_EXPORT bool SetTrackMediaName(ReaProject* projID, int trackID, int trackItemID,
                                 const char* setName) noexcept;
QM_EXPORT bool SetSelectedTrackMediaName(ReaProject* projID, int selectTrackID, int trackItemID,
                                         const char* setName) noexcept;
QM_EXPORT bool GetMediaItemMute(MediaItem* item, bool* muteTypeOut) noexcept;
QM_EXPORT bool GetMediaMute(ReaProject* projID, int itemID, bool* muteTypeOut) noexcept;
QM_EXPORT bool GetSelectedMediaMute(ReaProject* projID, int selectItemID,
                                    bool* muteTypeOut) noexcept;
QM_EXPORT bool GetTrackMediaMute(ReaProject* projID, int trackID, int trackItemID,
                                 bool* muteTypeOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaMute(ReaProject* projID, int selectTrackID, int trackItemID,
                                         bool* muteTypeOut) noexcept;
QM_EXPORT bool SetMediaItemMute(MediaItem* item, bool setType) noexcept;
QM_EXPORT bool SetMediaMute(ReaProject* projID, int itemID, bool setType) noexcept;
QM_EXPORT bool SetSelectedMediaMute(ReaProject* projID, int selectItemID, bool setType) noexcept;
QM_EXPORT bool SetTrackMediaMute(ReaProject* projID, int trackID, int trackItemID,
                                 bool setType) noexcept;
QM_EXPORT bool SetSelectedTrackMediaMute(ReaProject* projID, int selectTrackID, int trackItemID,
                                         bool setType) noexcept;

// Item timing

// Fades

// Volume

// Pitch and play rate

// Deletion, selection and moving between tracks
QM_EXPORT bool DeleteMediaItem(MediaItem* item) noexcept;
QM_EXPORT bool DeleteMedia(ReaProject* projID, int itemID) noexcept;
QM_EXPORT bool DeleteSelectedMedia(ReaProject* projID, int selectItemID) noexcept;
QM_EXPORT bool DeleteTrackMedia(ReaProject* projID, int trackID, int trackItemID) noexcept;
QM_EXPORT bool DeleteSelectedTrackMedia(ReaProject* projID, int selectTrackID,
                                        int trackItemID) noexcept;
QM_EXPORT bool DeleteAllMedia(ReaProject* projID) noexcept;
QM_EXPORT bool DeleteAllSelectedMedia(ReaProject* projID) noexcept;
QM_EXPORT bool DeleteAllTrackMedia(ReaProject* projID, int trackID) noexcept;
QM_EXPORT bool DeleteAllSelectedTrackMedia(ReaProject* projID, int selectTrackID) noexcept;
QM_EXPORT bool SetMediaSelected(ReaProject* projID, int itemID, bool selectType) noexcept;
QM_EXPORT bool SetTrackMediaSelected(ReaProject* projID, int trackID, int trackItemID,
                                     bool selectType) noexcept;
QM_EXPORT bool SetAllMediaSelected(ReaProject* projID, bool selectType) noexcept;
QM_EXPORT bool SetMediaItemMoveToTrack(MediaItem* item, int moveTrackID) noexcept;
QM_EXPORT bool SetMediaMoveToTrack(ReaProject* projID, int itemID, int moveTrackID) noexcept;
QM_EXPORT bool SetSelectedMediaMoveToTrack(ReaProject* projID, int selectItemID,
                                           int moveTrackID) noexcept;
QM_EXPORT bool SetTrackMediaMoveToTrack(ReaProject* projID, int trackID, int trackItemID,
                                        int moveTrackID) noexcept;
QM_EXPORT bool SetSelectedTrackMediaMoveToTrack(ReaProject* projID, int selectTrackID,
                                                int trackItemID, int moveTrackID) noexcept;

// Active-take copy
QM_EXPORT bool SetMediaItemActiveTakeCopy(MediaItem* item, int setTrackID,
                                          double setPosition) noexcept;
QM_EXPORT bool SetMediaActiveTakeCopy(ReaProject* projID, int itemID, int setTrackID,
                                      double setPosition) noexcept;
QM_EXPORT bool SetSelectedMediaActiveTakeCopy(ReaProject* projID, int selectItemID, int setTrackID,
                                              double setPosition) noexcept;
QM_EXPORT bool SetTrackMediaActiveTakeCopy(ReaProject* projID, int trackID, int trackItemID,
                                           int setTrackID, double setPosition) noexcept;
QM_EXPORT bool SetSelectedTrackMediaActiveTakeCopy(ReaProject* projID, int selectTrackID,
                                                   int trackItemID, int setTrackID,
                                                   double setPosition) noexcept;

// Media file insertion
QM_EXPORT MediaItem* InsertMediaOutItem(ReaProject* projID, const char* filePath) noexcept;
QM_EXPORT MediaItem* InsertMediaTrackItemSecond(MediaTrack* track, const char* filePath,
                                                int startEndType, double setSecond) noexcept;
QM_EXPORT MediaItem* InsertMediaTrackIdSecond(ReaProject* projID, int trackID, const char* filePath,
                                              int startEndType, double setSecond) noexcept;
QM_EXPORT MediaItem* InsertMediaSelectedTrackIdSecond(ReaProject* projID, int selectTrackID,
                                                      const char* filePath, int startEndType,
                                                      double setSecond) noexcept;
QM_EXPORT MediaItem* InsertMediaTrackItemFrame(MediaTrack* track, const char* filePath,
                                               int startEndType, int setFrame) noexcept;
QM_EXPORT MediaItem* InsertMediaTrackIdFrame(ReaProject* projID, int trackID, const char* filePath,
                                             int startEndType, int setFrame) noexcept;
QM_EXPORT MediaItem* InsertMediaSelectedTrackIdFrame(ReaProject* projID, int selectTrackID,
                                                     const char* filePath, int startEndType,
                                                     int setFrame) noexcept;

// Play cursor
QM_EXPORT bool GetPlayCursorPosition(ReaProject* projID, double* posOut) noexcept;
QM_EXPORT bool SetPlayCursorPosition(ReaProject* projID, int startEndType, double setPos,
                                     double* posOut) noexcept;
QM_EXPORT bool SetPlayCursorPositionFrame(ReaProject* projID, int startEndType, int setFrame,
                                          int* posFrameOut) noexcept;
