#include "default_project.h"

namespace reaper_sim {

std::string_view default_project_script() {
    return R"lua(
-- Five tracks (Drums and Vocals selected), ten items of every common source type, four of
-- them selected; 30 fps, edit cursor at 4 s.
local function item(track, desc)
  local take = {name = desc.name, rate = desc.rate, pitch = desc.pitch, vol = desc.take_vol,
                source = desc.source}
  desc.take, desc.name, desc.rate, desc.pitch, desc.take_vol, desc.source =
    take, nil, nil, nil, nil, nil
  return sim.add_item(track, desc)
end

local drums = sim.add_track{name = "Drums", selected = true}
item(drums, {name = "Kick.wav", position = 0, length = 2, fade_in = 0.01, fade_out = 0.1,
             selected = true,
             source = {type = "WAVE", file = "Kick.wav", sample_rate = 48000, channels = 1,
                       bit_depth = 24, length = 2}})
item(drums, {name = "Snare.wav", position = 2, length = 2, vol = 0.8,
             source = {type = "WAVE", file = "Snare.wav", sample_rate = 48000, channels = 1,
                       bit_depth = 24, length = 2}})
item(drums, {name = "Loop.flac", position = 4, length = 8, vol = 0.5, rate = 1.25,
             selected = true,
             source = {type = "FLAC", file = "Loop.flac", sample_rate = 44100, channels = 2,
                       bit_depth = 24, length = 10}})

local bass = sim.add_track{name = "Bass"}
item(bass, {name = "Bass DI.mp3", position = 0, length = 16, vol = 1.2, fade_in = 0.5,
            fade_in_shape = 1, selected = true,
            source = {type = "MP3", file = "Bass DI.mp3", sample_rate = 44100, channels = 2,
                      bit_depth = 16, length = 16}})
item(bass, {name = "Bassline.mid", position = 16, length = 8,
            source = {type = "MIDI", file = "Bassline.mid", channels = 1, length = 8}})

local vocals = sim.add_track{name = "Vocals", selected = true}
item(vocals, {name = "Lead Vox.wav", position = 8, length = 12, fade_in = 0.25, fade_out = 1,
              fade_out_shape = 2, pitch = -2,
              source = {type = "WAVE", file = "Lead Vox.wav", sample_rate = 44100,
                        channels = 1, bit_depth = 32, length = 12}})
item(vocals, {name = "Harmony.ogg", position = 20, length = 6, mute = true, take_vol = 0.7,
              source = {type = "VORBIS", file = "Harmony.ogg", sample_rate = 44100,
                        channels = 2, bit_depth = 16, length = 6}})
item(vocals, {name = "Breath.wav", position = 26, length = 0.5, rate = 0.5,
              source = {type = "WAVE", file = "Breath.wav", sample_rate = 96000, channels = 2,
                        bit_depth = 24, length = 1}})

local video = sim.add_track{name = "Video"}
item(video, {name = "Intro.mp4", position = 0, length = 10, lock = 1, selected = true,
             source = {type = "VIDEO", file = "Intro.mp4", sample_rate = 48000, channels = 2,
                       bit_depth = 16, length = 10}})
item(video, {name = "Credits.mov", position = 30, length = 5,
             source = {type = "VIDEO", file = "Credits.mov", sample_rate = 48000, channels = 2,
                       bit_depth = 16, length = 5}})

sim.add_track{name = "FX Returns"}

sim.set_frame_rate(30, false)
sim.set_cursor(4)
sim.add_media_file("Shaker.wav", {type = "WAVE", sample_rate = 44100, channels = 2,
                                  bit_depth = 24, length = 3})
)lua";
}

}  // namespace reaper_sim
