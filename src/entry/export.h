// Symbols REAPER and other extensions use; everything else stays hidden. A DLL exports what
// carries dllexport (visibility means nothing there), and REAPER hands the entry its HINSTANCE.
#pragma once

#ifdef _WIN32
#define QM_EXPORT __declspec(dllexport)
using HINSTANCE = struct HINSTANCE__*;
#else
#define QM_EXPORT __attribute__((visibility("default")))
using HINSTANCE = void*;
#endif
