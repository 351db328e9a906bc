// The native API functions, exported under their C++ names for other extensions. Each one is also
// registered for scripts through its row in api_table/api_rows.h. Grouped as the rows are.
#pragma once

#include "entry/host_api.h"

// Item lookup
QM_EXPORT MediaItem* GetMediaItemSelect(ReaProject* projID, int itemID, int mediaTypeID) noexcept;
QM_EXPORT MediaItem* GetMediaTrackItemSelect(ReaProject* projID, int trackID, int itemID,
                                             int mediaTypeID) noexcept;

// Media type counts

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
QM_EXPORT bool GetMediaItemStartTimeSeconds(MediaItem* item, double* secondOut) noexcept;
QM_EXPORT bool GetMediaStartTimeSeconds(ReaProject* projID, int itemID, double* secondOut) noexcept;
QM_EXPORT bool GetSelectedMediaStartTimeSeconds(ReaProject* projID, int selectItemID,
                                                double* secondOut) noexcept;
QM_EXPORT bool GetTrackMediaStartTimeSeconds(ReaProject* projID, int trackID, int trackItemID,
                                             double* secondOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaStartTimeSeconds(ReaProject* projID, int selectTrackID,
                                                     int trackItemID, double* secondOut) noexcept;
QM_EXPORT bool GetMediaItemStartTimeFrame(MediaItem* item, int* frameOut) noexcept;
QM_EXPORT bool GetMediaStartTimeFrame(ReaProject* projID, int itemID, int* frameOut) noexcept;
QM_EXPORT bool GetSelectedMediaStartTimeFrame(ReaProject* projID, int selectItemID,
                                              int* frameOut) noexcept;
QM_EXPORT bool GetTrackMediaStartTimeFrame(ReaProject* projID, int trackID, int trackItemID,
                                           int* frameOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaStartTimeFrame(ReaProject* projID, int selectTrackID,
                                                   int trackItemID, int* frameOut) noexcept;
QM_EXPORT bool SetMediaItemStartTimeSeconds(MediaItem* item, double setSeconds) noexcept;
QM_EXPORT bool SetMediaStartTimeSeconds(ReaProject* projID, int itemID, double setSeconds) noexcept;
QM_EXPORT bool SetSelectedMediaStartTimeSeconds(ReaProject* projID, int selectItemID,
                                                double setSeconds) noexcept;
QM_EXPORT bool SetTrackMediaStartTimeSeconds(ReaProject* projID, int trackID, int trackItemID,
                                             double setSeconds) noexcept;
QM_EXPORT bool SetSelectedTrackMediaStartTimeSeconds(ReaProject* projID, int selectTrackID,
                                                     int trackItemID, double setSeconds) noexcept;
QM_EXPORT bool SetMediaItemStartTimeFrame(MediaItem* item, double setFrame) noexcept;
QM_EXPORT bool SetMediaStartTimeFrame(ReaProject* projID, int itemID, double setFrame) noexcept;
QM_EXPORT bool SetSelectedMediaStartTimeFrame(ReaProject* projID, int selectItemID,
                                              double setFrame) noexcept;
QM_EXPORT bool SetTrackMediaStartTimeFrame(ReaProject* projID, int trackID, int trackItemID,
                                           double setFrame) noexcept;
QM_EXPORT bool SetSelectedTrackMediaStartTimeFrame(ReaProject* projID, int selectTrackID,
                                                   int trackItemID, double setFrame) noexcept;
QM_EXPORT bool GetMediaItemLength(MediaItem* item, double* lengthOut) noexcept;
QM_EXPORT bool GetMediaLength(ReaProject* projID, int itemID, double* lengthOut) noexcept;
QM_EXPORT bool GetSelectedMediaLength(ReaProject* projID, int selectItemID,
                                      double* lengthOut) noexcept;
QM_EXPORT bool GetTrackMediaLength(ReaProject* projID, int trackID, int trackItemID,
                                   double* lengthOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaLength(ReaProject* projID, int selectTrackID, int trackItemID,
                                           double* lengthOut) noexcept;
QM_EXPORT bool GetMediaItemEndTime(MediaItem* item, double* endTimeOut) noexcept;
QM_EXPORT bool GetMediaEndTime(ReaProject* projID, int itemID, double* endTimeOut) noexcept;
QM_EXPORT bool GetSelectedMediaEndTime(ReaProject* projID, int selectItemID,
                                       double* endTimeOut) noexcept;
QM_EXPORT bool GetTrackMediaEndTime(ReaProject* projID, int trackID, int trackItemID,
                                    double* endTimeOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaEndTime(ReaProject* projID, int selectTrackID, int trackItemID,
                                            double* endTimeOut) noexcept;

// Fades

// Volume

// Pitch and play rate

// Deletion, selection and moving between tracks

// Active-take copy

// Media file insertion

// Play cursor
