// Symbols REAPER and other extensions use; everything else stays hidden.
#pragma once

#define QM_EXPORT __attribute__((visibility("default")))
