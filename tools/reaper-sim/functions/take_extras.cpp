// What a take holds beyond its source: take markers, stretch markers, the FX list, envelopes and
// in-project MIDI; the MIDI editor, which headless is never open.
#include "families.h"
#include "sim/functions_take_extras.h"

namespace reaper_sim {

using namespace std::string_view_literals;

std::span<const HostFunctionRow> family_take_extras() {
    using namespace sim::reaper;
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("GetNumTakeMarkers", &GetNumTakeMarkers,
            "int\0MediaItem_Take*\0take\0Count the take's markers."sv),
        c_function("GetTakeMarker", &GetTakeMarker,
            "double\0MediaItem_Take*,int,char*,int,int*\0take,idx,nameOut,nameOut_sz,colorOutOptional\0Take marker idx: its source position in seconds, name and color; -1 when idx is not a marker."sv),
        c_function("SetTakeMarker", &SetTakeMarker,
            "int\0MediaItem_Take*,int,const char*,double*,int*\0take,idx,nameIn,srcposInOptional,colorInOptional\0Add (idx < 0) or update take marker idx; nil position or color leave them. Returns its index once sorted, -1 on failure."sv),
        c_function("GetTakeNumStretchMarkers", &GetTakeNumStretchMarkers,
            "int\0MediaItem_Take*\0take\0Count the take's stretch markers."sv),
        c_function("GetTakeStretchMarker", &GetTakeStretchMarker,
            "int\0MediaItem_Take*,int,double*,double*\0take,idx,posOut,srcposOutOptional\0Stretch marker idx: its item and source positions; idx -1 finds the first marker at or after the position passed. -1 when invalid."sv),
        c_function("SetTakeStretchMarker", &SetTakeStretchMarker,
            "int\0MediaItem_Take*,int,double,const double*\0take,idx,pos,srcposInOptional\0Add (idx < 0) a stretch marker at item position pos or move marker idx; returns its index, -1 when nothing was done."sv),
        c_function("DeleteTakeStretchMarkers", &DeleteTakeStretchMarkers,
            "int\0MediaItem_Take*,int,const int*\0take,idx,countInOptional\0Delete count (default 1) stretch markers from idx; returns how many went."sv),
        c_function("GetTakeStretchMarkerSlope", &GetTakeStretchMarkerSlope,
            "double\0MediaItem_Take*,int\0take,idx\0The rate slope of the segment starting at stretch marker idx."sv),
        c_function("SetTakeStretchMarkerSlope", &SetTakeStretchMarkerSlope,
            "bool\0MediaItem_Take*,int,double\0take,idx,slope\0Set the rate slope of the segment starting at stretch marker idx."sv),
        c_function("TakeFX_GetCount", &TakeFX_GetCount,
            "int\0MediaItem_Take*\0take\0Count the FX of the take's chain."sv),
        c_function("TakeFX_GetFXName", &TakeFX_GetFXName,
            "bool\0MediaItem_Take*,int,char*,int\0take,fx,bufOut,bufOut_sz\0The name of take FX fx; false and an empty name out of range."sv),
        c_function("TakeFX_Delete", &TakeFX_Delete,
            "bool\0MediaItem_Take*,int\0take,fx\0Remove take FX fx; later ones move down."sv),
        c_function("TakeFX_GetEnabled", &TakeFX_GetEnabled,
            "bool\0MediaItem_Take*,int\0take,fx\0Whether take FX fx is enabled (not bypassed)."sv),
        c_function("TakeFX_SetEnabled", &TakeFX_SetEnabled,
            "void\0MediaItem_Take*,int,bool\0take,fx,enabled\0Enable or bypass take FX fx."sv),
        c_function("TakeFX_GetOffline", &TakeFX_GetOffline,
            "bool\0MediaItem_Take*,int\0take,fx\0Whether take FX fx is offline."sv),
        c_function("TakeFX_SetOffline", &TakeFX_SetOffline,
            "void\0MediaItem_Take*,int,bool\0take,fx,offline\0Set take FX fx offline or online."sv),
        c_function("CountTakeEnvelopes", &CountTakeEnvelopes,
            "int\0MediaItem_Take*\0take\0Count the take's envelopes."sv),
        c_function("GetTakeEnvelope", &GetTakeEnvelope,
            "TrackEnvelope*\0MediaItem_Take*,int\0take,envidx\0Take envelope envidx; nil out of range."sv),
        c_function("InsertEnvelopePoint", &InsertEnvelopePoint,
            "bool\0TrackEnvelope*,double,double,int,double,bool,bool*\0envelope,time,value,shape,tension,selected,noSortInOptional\0Add a point; on a take envelope time counts from the item start. With noSort, call Envelope_SortPoints after."sv),
        c_function("Envelope_SortPoints", &Envelope_SortPoints,
            "bool\0TrackEnvelope*\0envelope\0Sort an envelope's points by time after unsorted inserts."sv),
        c_function("MIDI_CountEvts", &MIDI_CountEvts,
            "int\0MediaItem_Take*,int*,int*,int*\0take,notecntOut,ccevtcntOut,textsyxevtcntOut\0Count the take's notes, CC-type events and text/sysex events; returns their total."sv),
        c_function("MIDI_GetNote", &MIDI_GetNote,
            "bool\0MediaItem_Take*,int,bool*,bool*,double*,double*,int*,int*,int*\0take,noteidx,selectedOut,mutedOut,startppqposOut,endppqposOut,chanOut,pitchOut,velOut\0Note noteidx; false when there is none."sv),
        c_function("MIDI_InsertNote", &MIDI_InsertNote,
            "bool\0MediaItem_Take*,bool,bool,double,double,int,int,int,const bool*\0take,selected,muted,startppqpos,endppqpos,chan,pitch,vel,noSortInOptional\0Add a note; with noSort, call MIDI_Sort after."sv),
        c_function("MIDI_SetNote", &MIDI_SetNote,
            "bool\0MediaItem_Take*,int,const bool*,const bool*,const double*,const double*,const int*,const int*,const int*,const bool*\0take,noteidx,selectedInOptional,mutedInOptional,startppqposInOptional,endppqposInOptional,chanInOptional,pitchInOptional,velInOptional,noSortInOptional\0Change the values given of note noteidx; nil or a negative number leaves one."sv),
        c_function("MIDI_DeleteNote", &MIDI_DeleteNote,
            "bool\0MediaItem_Take*,int\0take,noteidx\0Delete note noteidx; later notes move down."sv),
        c_function("MIDI_Sort", &MIDI_Sort,
            "void\0MediaItem_Take*\0take\0Sort the take's events after unsorted edits, and sort after every edit again."sv),
        c_function("MIDI_DisableSort", &MIDI_DisableSort,
            "void\0MediaItem_Take*\0take\0Leave the take's events unsorted after edits until MIDI_Sort."sv),
        c_function("MIDI_SelectAll", &MIDI_SelectAll,
            "void\0MediaItem_Take*,bool\0take,select\0Select or unselect every event of the take."sv),
        c_function("MIDI_GetAllEvts", &MIDI_GetAllEvts,
            "bool\0MediaItem_Take*,char*,int*\0take,bufOutNeedBig,bufOutNeedBig_sz\0Every event as one binary string of records: int32 offset in ticks, uint8 flags, int32 length, the message."sv),
        c_function("MIDI_SetAllEvts", &MIDI_SetAllEvts,
            "bool\0MediaItem_Take*,const char*,int\0take,buf,buf_sz\0Replace every event with the records of buf, as MIDI_GetAllEvts gives them."sv),
        c_function("MIDI_GetPPQPosFromProjTime", &MIDI_GetPPQPosFromProjTime,
            "double\0MediaItem_Take*,double\0take,projtime\0Convert project seconds to the take's MIDI ticks."sv),
        c_function("MIDI_GetProjTimeFromPPQPos", &MIDI_GetProjTimeFromPPQPos,
            "double\0MediaItem_Take*,double\0take,ppqpos\0Convert the take's MIDI ticks to project seconds."sv),
        c_function("MIDI_GetProjQNFromPPQPos", &MIDI_GetProjQNFromPPQPos,
            "double\0MediaItem_Take*,double\0take,ppqpos\0Convert the take's MIDI ticks to project quarter notes."sv),
        c_function("MIDIEditor_GetActive", &MIDIEditor_GetActive,
            "HWND\0\0\0The focused MIDI editor; nil, as none is open."sv),
        c_function("MIDIEditor_GetTake", &MIDIEditor_GetTake,
            "MediaItem_Take*\0HWND\0midieditor\0The take a MIDI editor edits; nil, as none is open."sv),
        c_function("MIDIEditor_OnCommand", &MIDIEditor_OnCommand,
            "bool\0HWND,int\0midieditor,command_id\0Run a MIDI editor action; false, as no editor is open."sv),
        c_function("MIDIEditor_LastFocused_OnCommand", &MIDIEditor_LastFocused_OnCommand,
            "bool\0int,bool\0command_id,islistviewcommand\0Run a MIDI editor action in the last focused editor; false, as none is open."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
