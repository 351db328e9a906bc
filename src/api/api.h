// The native API functions, exported under their C++ names for other extensions. Each one is also
// registered for scripts through its row in api_table/api_rows.h.
#pragma once

#include "entry/host_api.h"

// Item lookup
QM_EXPORT MediaItem* GetMediaItemSelect(ReaProject* projID, int itemID, int mediaTypeID) noexcept;
QM_EXPORT MediaItem* GetMediaTrackItemSelect(ReaProject* projID, int trackID, int itemID,
                                             int mediaTypeID) noexcept;
