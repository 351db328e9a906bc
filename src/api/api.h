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
QM_EXPORT bool GetMediaItemFade(MediaItem* item, int* inTypeOut, double* inLenOut, int* outTypeOut,
                                double* outLenOut) noexcept;
QM_EXPORT bool GetMediaFade(ReaProject* projID, int itemID, int* inTypeOut, double* inLenOut,
                            int* outTypeOut, double* outLenOut) noexcept;
QM_EXPORT bool GetSelectedMediaFade(ReaProject* projID, int selectItemID, int* inTypeOut,
                                    double* inLenOut, int* outTypeOut, double* outLenOut) noexcept;
QM_EXPORT bool GetTrackMediaFade(ReaProject* projID, int trackID, int trackItemID, int* inTypeOut,
                                 double* inLenOut, int* outTypeOut, double* outLenOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaFade(ReaProject* projID, int selectTrackID, int trackItemID,
                                         int* inTypeOut, double* inLenOut, int* outTypeOut,
                                         double* outLenOut) noexcept;
QM_EXPORT bool SetMediaItemFade(MediaItem* item, int inType, double inLen, int outType,
                                double outLen) noexcept;
QM_EXPORT bool SetMediaFade(ReaProject* projID, int itemID, int inType, double inLen, int outType,
                            double outLen) noexcept;
QM_EXPORT bool SetSelectedMediaFade(ReaProject* projID, int selectItemID, int inType, double inLen,
                                    int outType, double outLen) noexcept;
QM_EXPORT bool SetTrackMediaFade(ReaProject* projID, int trackID, int trackItemID, int inType,
                                 double inLen, int outType, double outLen) noexcept;
QM_EXPORT bool SetSelectedTrackMediaFade(ReaProject* projID, int selectTrackID, int trackItemID,
                                         int inType, double inLen, int outType,
                                         double outLen) noexcept;

// Volume
QM_EXPORT bool GetMediaItemVolume(MediaItem* item, double* volumeOut) noexcept;
QM_EXPORT bool GetMediaVolume(ReaProject* projID, int itemID, double* volumeOut) noexcept;
QM_EXPORT bool GetSelectedMediaVolume(ReaProject* projID, int selectItemID,
                                      double* volumeOut) noexcept;
QM_EXPORT bool GetTrackMediaVolume(ReaProject* projID, int trackID, int trackItemID,
                                   double* volumeOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaVolume(ReaProject* projID, int selectTrackID, int trackItemID,
                                           double* volumeOut) noexcept;
QM_EXPORT bool SetMediaItemVolume(MediaItem* item, double volume) noexcept;
QM_EXPORT bool SetMediaVolume(ReaProject* projID, int itemID, double volume) noexcept;
QM_EXPORT bool SetSelectedMediaVolume(ReaProject* projID, int selectItemID, double volume) noexcept;
QM_EXPORT bool SetTrackMediaVolume(ReaProject* projID, int trackID, int trackItemID,
                                   double volume) noexcept;
QM_EXPORT bool SetSelectedTrackMediaVolume(ReaProject* projID, int selectTrackID, int trackItemID,
                                           double volume) noexcept;
QM_EXPORT bool SetMediaItemAddVolume(MediaItem* item, double addVolume) noexcept;
QM_EXPORT bool SetMediaAddVolume(ReaProject* projID, int itemID, double addVolume) noexcept;
QM_EXPORT bool SetSelectedMediaAddVolume(ReaProject* projID, int selectItemID,
                                         double addVolume) noexcept;
QM_EXPORT bool SetTrackMediaAddVolume(ReaProject* projID, int trackID, int trackItemID,
                                      double addVolume) noexcept;
QM_EXPORT bool SetSelectedTrackMediaAddVolume(ReaProject* projID, int selectTrackID,
                                              int trackItemID, double addVolume) noexcept;

// Pitch and play rate
QM_EXPORT bool GetMediaItemPitch(MediaItem* item, double* pitchOut) noexcept;
QM_EXPORT bool GetMediaPitch(ReaProject* projID, int itemID, double* pitchOut) noexcept;
QM_EXPORT bool GetSelectedMediaPitch(ReaProject* projID, int selectItemID,
                                     double* pitchOut) noexcept;
QM_EXPORT bool GetTrackMediaPitch(ReaProject* projID, int trackID, int trackItemID,
                                  double* pitchOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaPitch(ReaProject* projID, int selectTrackID, int trackItemID,
                                          double* pitchOut) noexcept;
QM_EXPORT bool SetMediaItemPitch(MediaItem* item, double setPitch) noexcept;
QM_EXPORT bool SetMediaPitch(ReaProject* projID, int itemID, double setPitch) noexcept;
QM_EXPORT bool SetSelectedMediaPitch(ReaProject* projID, int selectItemID,
                                     double setPitch) noexcept;
QM_EXPORT bool SetTrackMediaPitch(ReaProject* projID, int trackID, int trackItemID,
                                  double setPitch) noexcept;
QM_EXPORT bool SetSelectedTrackMediaPitch(ReaProject* projID, int selectTrackID, int trackItemID,
                                          double setPitch) noexcept;
QM_EXPORT bool SetMediaItemAddPitch(MediaItem* item, double addPitch) noexcept;
QM_EXPORT bool SetMediaAddPitch(ReaProject* projID, int itemID, double addPitch) noexcept;
QM_EXPORT bool SetSelectedMediaAddPitch(ReaProject* projID, int selectItemID,
                                        double addPitch) noexcept;
QM_EXPORT bool SetTrackMediaAddPitch(ReaProject* projID, int trackID, int trackItemID,
                                     double addPitch) noexcept;
QM_EXPORT bool SetSelectedTrackMediaAddPitch(ReaProject* projID, int selectTrackID, int trackItemID,
                                             double addPitch) noexcept;
QM_EXPORT bool GetMediaItemRate(MediaItem* item, double* rateOut) noexcept;
QM_EXPORT bool GetMediaRate(ReaProject* projID, int itemID, double* rateOut) noexcept;
QM_EXPORT bool GetSelectedMediaRate(ReaProject* projID, int selectItemID, double* rateOut) noexcept;
QM_EXPORT bool GetTrackMediaRate(ReaProject* projID, int trackID, int trackItemID,
                                 double* rateOut) noexcept;
QM_EXPORT bool GetSelectedTrackMediaRate(ReaProject* projID, int selectTrackID, int trackItemID,
                                         double* rateOut) noexcept;
QM_EXPORT bool SetMediaItemRate(MediaItem* item, double setRate) noexcept;
QM_EXPORT bool SetMediaRate(ReaProject* projID, int itemID, double setRate) noexcept;
QM_EXPORT bool SetSelectedMediaRate(ReaProject* projID, int selectItemID, double setRate) noexcept;
QM_EXPORT bool SetTrackMediaRate(ReaProject* projID, int trackID, int trackItemID,
                                 double setRate) noexcept;
QM_EXPORT bool SetSelectedTrackMediaRate(ReaProject* projID, int selectTrackID, int trackItemID,
                                         double setRate) noexcept;

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
