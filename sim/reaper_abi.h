// The simulated host's own declaration of REAPER's binary interface: the opaque handle types, the
// plug-in record and the leading part of the media source vtable. Written independently of the
// extension's declarations so that tests exercise real layout agreement, as with REAPER.
#pragma once

class ReaProject;
class MediaTrack;
class MediaItem;
class MediaItem_Take;
class PCM_source;
class TrackEnvelope;
using HWND = struct HWND__*;

namespace sim {

// REAPER's GUID, as the Windows SDK lays it out. In the host's namespace: a Windows build of the
// host also sees the system's own.
struct GUID {
    unsigned int Data1;
    unsigned short Data2;
    unsigned short Data3;
    unsigned char Data4[8];
};

struct reaper_plugin_info_t {
    int caller_version;
    void* hwnd_main;
    int (*Register)(const char* name, void* infostruct);
    void* (*GetFunc)(const char* name);
};

constexpr int kCallerVersion = 0x20E;

// REAPER's PCM_source vtable order; the handle type PCM_source* points at one of these.
class PcmSourceInterface {
public:
    virtual ~PcmSourceInterface() = default;
    virtual PcmSourceInterface* Duplicate() = 0;
    virtual bool IsAvailable() = 0;
    virtual void SetAvailable(bool avail) = 0;
    virtual const char* GetType() = 0;
    virtual const char* GetFileName() = 0;
    virtual bool SetFileName(const char* newfn) = 0;
    virtual PcmSourceInterface* GetSource() = 0;
    virtual void SetSource(PcmSourceInterface* src) = 0;
    virtual int GetNumChannels() = 0;
    virtual double GetSampleRate() = 0;
    virtual double GetLength() = 0;
    virtual double GetLengthBeats() = 0;
    virtual int GetBitsPerSample() = 0;
    virtual double GetPreferredPosition() = 0;
};

using EntryFunction = int (*)(void* hInstance, reaper_plugin_info_t* rec);

}  // namespace sim
