// REAPER's functions for what a take holds beyond its source: take markers, stretch markers, its FX
// list, its envelopes (functions_take_extras.cpp) and its in-project MIDI (functions_midi.cpp).
// Null/0/false/-1 for a null or stale handle or an index that names nothing; nothing changes then.
#pragma once

#include "sim/reaper_abi.h"

namespace sim::reaper {
int GetNumTakeMarkers(MediaItem_Take* take);
double GetTakeMarker(MediaItem_Take* take, int idx, char* nameOut, int nameOut_sz,
                     int* colorOutOptional);
int SetTakeMarker(MediaItem_Take* take, int idx, const char* nameIn, double* srcposInOptional,
                  int* colorInOptional);

int GetTakeNumStretchMarkers(MediaItem_Take* take);
int GetTakeStretchMarker(MediaItem_Take* take, int idx, double* posOut, double* srcposOutOptional);
int SetTakeStretchMarker(MediaItem_Take* take, int idx, double pos, const double* srcposInOptional);
int DeleteTakeStretchMarkers(MediaItem_Take* take, int idx, const int* countInOptional);
double GetTakeStretchMarkerSlope(MediaItem_Take* take, int idx);
bool SetTakeStretchMarkerSlope(MediaItem_Take* take, int idx, double slope);

int TakeFX_GetCount(MediaItem_Take* take);
bool TakeFX_GetFXName(MediaItem_Take* take, int fx, char* bufOut, int bufOut_sz);
bool TakeFX_Delete(MediaItem_Take* take, int fx);
bool TakeFX_GetEnabled(MediaItem_Take* take, int fx);
void TakeFX_SetEnabled(MediaItem_Take* take, int fx, bool enabled);
bool TakeFX_GetOffline(MediaItem_Take* take, int fx);
void TakeFX_SetOffline(MediaItem_Take* take, int fx, bool offline);

int CountTakeEnvelopes(MediaItem_Take* take);
TrackEnvelope* GetTakeEnvelope(MediaItem_Take* take, int envidx);
bool InsertEnvelopePoint(TrackEnvelope* envelope, double time, double value, int shape,
                         double tension, bool selected, bool* noSortInOptional);
bool Envelope_SortPoints(TrackEnvelope* envelope);

int MIDI_CountEvts(MediaItem_Take* take, int* notecntOut, int* ccevtcntOut, int* textsyxevtcntOut);
bool MIDI_GetNote(MediaItem_Take* take, int noteidx, bool* selectedOut, bool* mutedOut,
                  double* startppqposOut, double* endppqposOut, int* chanOut, int* pitchOut,
                  int* velOut);
bool MIDI_InsertNote(MediaItem_Take* take, bool selected, bool muted, double startppqpos,
                     double endppqpos, int chan, int pitch, int vel, const bool* noSortInOptional);
bool MIDI_SetNote(MediaItem_Take* take, int noteidx, const bool* selectedInOptional,
                  const bool* mutedInOptional, const double* startppqposInOptional,
                  const double* endppqposInOptional, const int* chanInOptional,
                  const int* pitchInOptional, const int* velInOptional,
                  const bool* noSortInOptional);
bool MIDI_DeleteNote(MediaItem_Take* take, int noteidx);
void MIDI_Sort(MediaItem_Take* take);
void MIDI_DisableSort(MediaItem_Take* take);
void MIDI_SelectAll(MediaItem_Take* take, bool select);
bool MIDI_GetAllEvts(MediaItem_Take* take, char* bufOutNeedBig, int* bufOutNeedBig_sz);
bool MIDI_SetAllEvts(MediaItem_Take* take, const char* buf, int buf_sz);
double MIDI_GetPPQPosFromProjTime(MediaItem_Take* take, double projtime);
double MIDI_GetProjTimeFromPPQPos(MediaItem_Take* take, double ppqpos);
double MIDI_GetProjQNFromPPQPos(MediaItem_Take* take, double ppqpos);

HWND MIDIEditor_GetActive();
MediaItem_Take* MIDIEditor_GetTake(HWND midieditor);
bool MIDIEditor_OnCommand(HWND midieditor, int command_id);
bool MIDIEditor_LastFocused_OnCommand(int command_id, bool islistviewcommand);
}  // namespace sim::reaper
