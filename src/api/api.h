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
QM_EXPORT bool GetMediaItemBitRate(MediaItem* item, int* bitRateOut) noexcept;
QM_EXPORT bool GetMediaBitRate(ReaProject* projID, int itemID, int* bitRateOut) noexcept;
QM_EXPORT bool GetSelectedMediaBitRate(ReaProject* projID, int selectItemID,
                                       int* bitRateOut) noexcept;
QM_EXPORT bool GetTrackMediaBitRate(ReaProject* projID, int trackID, int trackItemID,
                                    int* bitRateOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaBitRate(ReaProject* projID, int selectTrackID, int trackItemID,
                                            int* bitRateOut) noexcept;
QM_EXPORT bool GetMediaItemSampleRate(MediaItem* item, int* sampleOut) noexcept;
QM_EXPORT bool GetMediaSampleRate(ReaProject* projID, int itemID, int* sampleOut) noexcept;
QM_EXPORT bool GetSelectedMediaSampleRate(ReaProject* projID, int selectItemID,
                                          int* sampleOut) noexcept;
QM_EXPORT bool GetTrackMediaSampleRate(ReaProject* projID, int trackID, int trackItemID,
                                       int* sampleOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaSampleRate(ReaProject* projID, int selectTrackID,
                                               int trackItemID, int* sampleOut) noexcept;
QM_EXPORT bool GetMediaItemNumChannels(MediaItem* item, int* channelOut) noexcept;
QM_EXPORT bool GetMediaNumChannels(ReaProject* projID, int itemID, int* channelOut) noexcept;
QM_EXPORT bool GetSelectedMediaNumChannels(ReaProject* projID, int selectItemID,
                                           int* channelOut) noexcept;
QM_EXPORT bool GetTrackMediaNumChannels(ReaProject* projID, int trackID, int trackItemID,
                                        int* channelOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaNumChannels(ReaProject* projID, int selectTrackID,
                                                int trackItemID, int* channelOut) noexcept;
QM_EXPORT bool GetMediaItemChannelMode(MediaItem* item, int* chModeOut) noexcept;
QM_EXPORT bool GetMediaChannelMode(ReaProject* projID, int itemID, int* chModeOut) noexcept;
QM_EXPORT bool GetSelectedMediaChannelMode(ReaProject* projID, int selectItemID,
                                           int* chModeOut) noexcept;
QM_EXPORT bool GetTrackMediaChannelMode(ReaProject* projID, int trackID, int trackItemID,
                                        int* chModeOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaChannelMode(ReaProject* projID, int selectTrackID,
                                                int trackItemID, int* chModeOut) noexcept;
QM_EXPORT bool SetMediaItemChannelMode(MediaItem* item, int setChannelMode) noexcept;
QM_EXPORT bool SetMediaChannelMode(ReaProject* projID, int itemID, int setChannelMode) noexcept;
QM_EXPORT bool SetSelectedMediaChannelMode(ReaProject* projID, int selectItemID,
                                           int setChannelMode) noexcept;
QM_EXPORT bool SetTrackMediaChannelMode(ReaProject* projID, int trackID, int trackItemID,
                                        int setChannelMode) noexcept;
QM_EXPORT bool SetSelectedTrackMediaChannelMode(ReaProject* projID, int selectTrackID,
                                                int trackItemID, int setChannelMode) noexcept;

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

// Active-take copy

// Media file insertion

// Play cursor
