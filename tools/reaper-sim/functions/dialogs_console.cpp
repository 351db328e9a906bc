// Dialogs and the console, headless: a dialog takes the next --answer (or, with none left, what a
// user pressing Enter gets) and prints itself and its answer to standard error; the console is
// standard output.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "families.h"
#include "session.h"

namespace reaper_sim {
namespace {

using namespace std::string_view_literals;

struct Button {
    int value;
    const char* name;
};
constexpr Button kButtons[] = {{1, "OK"},     {2, "Cancel"}, {3, "Abort"}, {4, "Retry"},
                               {5, "Ignore"}, {6, "Yes"},    {7, "No"}};
// The buttons of each message box type, first one first.
constexpr const char* kTypeButtons[] = {
    "OK", "OK/Cancel", "Abort/Retry/Ignore", "Yes/No/Cancel", "Yes/No", "Retry/Cancel"};
constexpr int kFirstButton[] = {1, 1, 3, 6, 6, 4};

const char* button_name(int value) {
    for (const Button& b : kButtons) {
        if (b.value == value) return b.name;
    }
    return "?";
}

// "6" or "yes" (any case); nullopt for neither.
std::optional<int> parse_button(const std::string& text) {
    for (const Button& b : kButtons) {
        if (text.size() == std::strlen(b.name) &&
            std::equal(text.begin(), text.end(), b.name, [](char x, char y) {
                return std::tolower(static_cast<unsigned char>(x)) ==
                       std::tolower(static_cast<unsigned char>(y));
            })) {
            return b.value;
        }
    }
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 1 || value > 7) return std::nullopt;
    return static_cast<int>(value);
}

int message_box(const char* function, const char* msg, const char* title, int type) {
    sim::Host* host = enter(function, msg);
    if (host == nullptr) return 0;
    Session* session = Session::active();
    const bool known_type = type >= 0 && type < static_cast<int>(std::size(kFirstButton));
    const int first = known_type ? kFirstButton[type] : 1;
    int answer = first;
    std::string source = "Enter";
    if (auto given = session != nullptr ? session->next_answer() : std::nullopt) {
        host->record_message_box(msg, title, type);
        if (auto button = parse_button(*given)) {
            answer = *button;
            source = "--answer";
        } else {
            source = "Enter; --answer \"" + *given + "\" names no button";
        }
    } else if (host->message_box_answer_queued()) {
        answer = host->show_message_box(msg, title, type);
        source = "sim.push_message_box_answer";
    } else {
        host->record_message_box(msg, title, type);
    }
    std::fprintf(stderr, "reaper-sim: %s \"%s\" [%s]: \"%s\" -> %d (%s; %s)\n", function,
                 title != nullptr ? title : "", known_type ? kTypeButtons[type] : "OK",
                 msg != nullptr ? msg : "", answer, button_name(answer), source.c_str());
    return answer;
}

int MB(const char* msg, const char* title, int type) {
    return message_box("MB", msg, title, type);
}

int ShowMessageBox(const char* msg, const char* title, int type) {
    return message_box("ShowMessageBox", msg, title, type);
}

std::vector<std::string> split(std::string_view text, std::string_view separators) {
    std::vector<std::string> out(1);
    for (char c : text) {
        if (separators.find(c) != std::string_view::npos) {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

std::string join(const std::vector<std::string>& values, char separator) {
    std::string out;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += separator;
        out += values[i];
    }
    return out;
}

bool GetUserInputs(const char* title, int num_inputs, const char* captions_csv, char* retvals_csv,
                   int retvals_csv_sz) {
    sim::Host* host = enter("GetUserInputs", title);
    if (host == nullptr || retvals_csv == nullptr || retvals_csv_sz <= 0) return false;
    if (num_inputs < 1 || num_inputs > 16) return false;
    const std::string_view captions_text = captions_csv != nullptr ? captions_csv : "";
    // `separator=X` among the captions sets the separator; `extrawidth=N` only widens the boxes.
    char separator = ',';
    if (const auto at = captions_text.find("separator=");
        at != std::string_view::npos && at + 10 < captions_text.size()) {
        separator = captions_text[at + 10];
    }
    std::vector<std::string> captions;
    for (std::string& caption : split(captions_text, std::string{',', separator})) {
        if (caption.rfind("separator=", 0) == 0 || caption.rfind("extrawidth=", 0) == 0) continue;
        if (!caption.empty() && caption[0] == '*') caption.erase(0, 1);  // a password field
        captions.push_back(std::move(caption));
    }
    captions.resize(static_cast<std::size_t>(num_inputs));
    std::vector<std::string> values = split(retvals_csv, std::string(1, separator));
    values.resize(static_cast<std::size_t>(num_inputs));

    bool ok = true;
    std::string source = "Enter";
    if (auto given =
            Session::active() != nullptr ? Session::active()->next_answer() : std::nullopt) {
        source = "--answer";
        if (*given == "cancel") {
            ok = false;
        } else {
            // Split by the dialog's own separator when the answer uses it, else by commas.
            const char by = given->find(separator) != std::string::npos ? separator : ',';
            values = split(*given, std::string(1, by));
            values.resize(static_cast<std::size_t>(num_inputs));
        }
    }
    const std::string result = join(values, separator);
    std::string fields;
    for (const std::string& caption : captions) fields += (fields.empty() ? "" : ", ") + caption;
    std::fprintf(stderr, "reaper-sim: GetUserInputs \"%s\" [%s]: %s (%s)\n",
                 title != nullptr ? title : "", fields.c_str(),
                 ok ? ("OK \"" + result + "\"").c_str() : "Cancel", source.c_str());
    if (!ok) return false;
    const std::size_t copied =
        std::min(result.size(), static_cast<std::size_t>(retvals_csv_sz) - 1);
    std::memcpy(retvals_csv, result.data(), copied);
    retvals_csv[copied] = '\0';
    return true;
}

void ShowConsoleMsg(const char* msg) {
    sim::Host* host = enter("ShowConsoleMsg", msg);
    if (host == nullptr || msg == nullptr) return;
    // "!SHOW:" only decides whether the console window opens; "" clears the console.
    if (std::strncmp(msg, "!SHOW:", 6) == 0) msg += 6;
    if (*msg != '\0') host->console_message(msg);
}

void ClearConsole() {
    enter("ClearConsole");
}

}  // namespace

std::span<const HostFunctionRow> family_dialogs_console() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("ShowMessageBox", &ShowMessageBox,
            "int\0const char*,const char*,int\0msg,title,type\0Show a modal message box; type 4 is Yes/No and answers 6 (Yes) or 7 (No)."sv),
        c_function("MB", &MB,
            "int\0const char*,const char*,int\0msg,title,type\0Show a modal message box. type: 0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel. Answers 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No."sv),
        c_function("GetUserInputs", &GetUserInputs,
            "bool\0const char*,int,const char*,char*,int\0title,num_inputs,captions_csv,retvals_csv,retvals_csv_sz\0Ask for num_inputs values (at most 16); false when cancelled."sv),
        c_function("ShowConsoleMsg", &ShowConsoleMsg,
            "void\0const char*\0msg\0Print text to the console."sv),
        c_function("ClearConsole", &ClearConsole,
            "void\0\0\0Clear the console."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
