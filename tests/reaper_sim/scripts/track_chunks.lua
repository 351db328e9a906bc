-- Reads track state chunks: a loaded track's is its block of the file with the changed name; a
-- new track's is REAPER's new-track block with its item.
local r = reaper
local _, path = r.EnumProjects(-1)
local file = assert(io.open(path))
local text = file:read("a")
file:close()
local snare = r.GetTrack(0, 1)
r.GetSetMediaTrackInfo_String(snare, "P_NAME", "Snare 2", true)
local block = text:match("\n  (<TRACK {11111111%-0000%-4000%-8000%-000000000002}.-\n  >\n)")
local ok, chunk = r.GetTrackStateChunk(snare, "", false)
assert(ok and chunk == block:gsub("\n%s+", "\n"):gsub("\nNAME Snare\n", '\nNAME "Snare 2"\n'), chunk)

r.InsertTrackAtIndex(4, false)
local track = r.GetTrack(0, 4)
local item = r.AddMediaItemToTrack(track)
r.SetMediaItemInfo_Value(item, "D_POSITION", 3)
local _, new = r.GetTrackStateChunk(track, "", false)
local guid, rest = new:match("^<TRACK ({[^}\n]+})\nNAME \"\"\nSEL 0\n(.*)$")
assert(guid == r.GetTrackGUID(track), new)
assert(rest:match("^<ITEM\nPOSITION 3\n.-\n>\n>\n$"), new)

-- A GUID given to a loaded track is saved in its header.
r.GetSetMediaTrackInfo_String(r.GetTrack(0, 0), "GUID", "{11111111-0000-4000-8000-0000000000AA}", true)
