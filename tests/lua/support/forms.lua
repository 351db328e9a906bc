-- The five ways a script designates one item, so that an end-to-end test walks every member of
-- a family: forms.of(item) lists, for an item of the current project, each form's name part
-- ("MediaItem", "Media", "SelectedMedia", "TrackMedia", "SelectedTrackMedia") and the leading
-- arguments that designate the item; forms.call(form, verb, property, ...) calls the member.
local forms = {}

local function index_of(count, get, wanted)
  for i = 0, count - 1 do
    if get(i) == wanted then return i end
  end
end

-- Forms that cannot reach the item (not selected, or on a track that is not) are left out.
function forms.of(item)
  local track = reaper.GetMediaItem_Track(item)
  local on_track = index_of(reaper.CountTrackMediaItems(track),
                            function(i) return reaper.GetTrackMediaItem(track, i) end, item)
  local list = {
    {name = "MediaItem", args = {item}},
    {name = "Media", args = {0, index_of(reaper.CountMediaItems(0),
                                         function(i) return reaper.GetMediaItem(0, i) end, item)}},
    {name = "TrackMedia", args = {0, index_of(reaper.CountTracks(0),
                                              function(i) return reaper.GetTrack(0, i) end, track),
                                  on_track}},
  }
  local selected = index_of(reaper.CountSelectedMediaItems(0),
                            function(i) return reaper.GetSelectedMediaItem(0, i) end, item)
  if selected then table.insert(list, 3, {name = "SelectedMedia", args = {0, selected}}) end
  local selected_track = index_of(reaper.CountSelectedTracks(0),
                                  function(i) return reaper.GetSelectedTrack(0, i) end, track)
  if selected_track then
    list[#list + 1] = {name = "SelectedTrackMedia", args = {0, selected_track, on_track}}
  end
  return list
end

-- Leading arguments that designate no item, for each index form.
forms.nowhere = {
  {name = "Media", args = {0, 999}},
  {name = "SelectedMedia", args = {0, 999}},
  {name = "TrackMedia", args = {0, 999, 0}},
  {name = "SelectedTrackMedia", args = {0, 0, 999}},
}

function forms.call(form, verb, property, ...)
  local f = reaper["QM_" .. verb .. form.name .. property]
  local args = {table.unpack(form.args)}
  table.move({...}, 1, select("#", ...), #args + 1, args)
  return f(table.unpack(args, 1, #form.args + select("#", ...)))
end

return forms
