// Dialogs and the console.
#include "families.h"

namespace reaper_sim {

using namespace std::string_view_literals;

std::span<const HostFunctionRow> family_dialogs_console() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("ShowMessageBox", &sim::reaper::ShowMessageBox,
            "int\0const char*,const char*,int\0msg,title,type\0Show a modal message box; type 4 is Yes/No and answers 6 (Yes) or 7 (No)."sv),
        c_function("ShowConsoleMsg", &sim::reaper::ShowConsoleMsg,
            "void\0const char*\0msg\0Print text to the console."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
