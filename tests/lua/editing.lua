-- Selecting, moving and deleting through every form on the built-in project: each change shows
-- in REAPER's own view of the project, and every deleted item's source goes with it.
local check = require("support.check")
local forms = require("support.forms")
local project_items = 10

-- Selection: one redraw per item for all of them, one for a single item.
local redraws = sim.redraw_count()
check.eq(reaper.QM_SetAllMediaSelected(0, false), true, "deselect all")
check.eq(reaper.CountSelectedMediaItems(0), 0, "nothing selected")
check.eq(sim.redraw_count(), redraws + project_items, "a redraw per item")
check.eq(reaper.QM_SetMediaSelected(0, 2, true), true, "select Loop.flac")
check.eq(reaper.QM_SetTrackMediaSelected(0, 3, 0, true), true, "select Intro.mp4")
check.eq(reaper.QM_SetTrackMediaSelected(0, 4, 0, true), false, "FX Returns has no item")
check.eq(check.take_name(reaper.GetSelectedMediaItem(0, 1)), "Intro.mp4", "second selected")

-- Moving Loop.flac back and forth between the two selected tracks, once through each form.
local loop = reaper.GetMediaItem(0, 2)
for i, name in ipairs({"MediaItem", "Media", "SelectedMedia", "TrackMedia", "SelectedTrackMedia"}) do
  local destination = i % 2 == 1 and 2 or 0
  for _, form in ipairs(forms.of(loop)) do
    if form.name == name then
      check.eq(forms.call(form, "Set", "MoveToTrack", destination), true, name .. " moves")
    end
  end
  check.eq(reaper.GetMediaItem_Track(loop), reaper.GetTrack(0, destination), name .. " track")
end

-- Deleting: the first item of all, selected on a selected track, through each form in turn.
reaper.QM_SetAllMediaSelected(0, true)
reaper.SetTrackSelected(reaper.GetTrack(0, 1), true)
for _, name in ipairs({"MediaItem", "Media", "SelectedMedia", "TrackMedia", "SelectedTrackMedia"}) do
  local first = reaper.GetMediaItem(0, 0)
  for _, form in ipairs(forms.of(first)) do
    if form.name == name then check.eq(forms.call(form, "Delete", ""), true, name .. " deletes") end
  end
  check.eq(reaper.CountMediaItems(0), project_items - 1, name .. " left one fewer")
  project_items = project_items - 1
end
check.eq(reaper.QM_DeleteAllTrackMedia(0, 3), true, "the Video track's items")
check.eq(reaper.QM_DeleteAllSelectedTrackMedia(0, 1), false, "Bass holds nothing now")
check.eq(reaper.QM_DeleteAllSelectedMedia(0), true, "the selected rest")
check.eq(reaper.QM_DeleteAllMedia(0), false, "nothing left to delete")
check.eq(reaper.CountMediaItems(0), 0, "an empty project")
check.eq(sim.sources_destroyed(), 10, "every source went with its item")
check.eq(sim.unowned_sources(), 0, "and none is left behind")
check.done()
