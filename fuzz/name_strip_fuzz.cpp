// The name getters' one-pass strip against the pattern it replaces: for any NUL-free name of up
// to 2,000 bytes, the same text as std::regex_replace(name, "\\..+", ""), cut to any buffer size
// exactly as the bounded copy cuts that text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "api/name_strip.h"
#include "utility/utility.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 2001) return -1;
    // The first byte picks the buffer size; the rest is the name.
    const int buffer_size = data[0] == 0xff ? static_cast<int>(size) : data[0] % 32;
    const std::string name(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (name.find('\0') != std::string::npos) return -1;

    static const std::regex pattern("\\..+");
    const std::string expected = std::regex_replace(name, pattern, "");
    std::vector<char> wanted(static_cast<std::size_t>(buffer_size) + 1, 'x');
    std::vector<char> got(wanted);
    qm_utility::strcpy(wanted.data(), buffer_size, expected);
    qm_api::copy_stripped_name(name.c_str(), got.data(), buffer_size);
    if (got != wanted) {
        std::fprintf(stderr, "strip of %zu bytes into %d differs from the pattern's\n", name.size(),
                     buffer_size);
        std::abort();
    }
    return 0;
}
