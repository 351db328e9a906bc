#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "sim/host.h"

namespace sim {

namespace {

std::uint32_t le32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint16_t le16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

bool read_exactly(std::ifstream& in, unsigned char* bytes, std::streamsize count) {
    in.read(reinterpret_cast<char*>(bytes), count);
    return in.gcount() == count;
}

// Fills rate, channels, bits and length from a RIFF/WAVE file; leaves `media` alone unless both the
// fmt and data chunks parse.
void read_wave_header(const std::string& path, SourceSpec& media) {
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    const auto file_size = std::filesystem::file_size(path, error);
    if (!in || error) return;

    unsigned char riff[12];
    if (!read_exactly(in, riff, sizeof riff)) return;
    if (std::string_view(reinterpret_cast<char*>(riff), 4) != "RIFF" ||
        std::string_view(reinterpret_cast<char*>(riff) + 8, 4) != "WAVE") {
        return;
    }

    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t block_align = 0;
    std::uint16_t bits = 0;
    bool have_format = false;
    std::uintmax_t offset = sizeof riff;
    unsigned char chunk[8];
    while (offset + sizeof chunk <= file_size && read_exactly(in, chunk, sizeof chunk)) {
        const std::string_view id(reinterpret_cast<char*>(chunk), 4);
        const std::uint32_t size = le32(chunk + 4);
        offset += sizeof chunk;
        if (id == "fmt ") {
            if (size < 16) return;
            unsigned char format[16];
            if (!read_exactly(in, format, sizeof format)) return;
            channels = le16(format + 2);
            rate = le32(format + 4);
            block_align = le16(format + 12);
            bits = le16(format + 14);
            have_format = channels > 0 && rate > 0 && block_align > 0;
            if (!have_format) return;
        } else if (id == "data") {
            if (!have_format) return;
            // A streamed or truncated file declares more than it holds: count what is there.
            const std::uintmax_t held = std::min<std::uintmax_t>(size, file_size - offset);
            media.channels = channels;
            media.sample_rate = static_cast<int>(rate);
            media.bit_depth = bits;
            media.length = static_cast<double>(held / block_align) / rate;
            return;
        }
        // Chunks are word aligned.
        offset += size + (size & 1u);
        in.seekg(static_cast<std::streamoff>(offset));
        if (!in) return;
    }
}

}  // namespace

std::optional<SourceSpec> read_media_file(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || error) return std::nullopt;
    if (!std::ifstream(path, std::ios::binary)) return std::nullopt;

    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kTypes = {{
        {".wav", "WAVE"},
        {".mp3", "MP3"},
        {".mid", "MIDI"},
        {".midi", "MIDI"},
        {".ogg", "VORBIS"},
        {".flac", "FLAC"},
        {".mp4", "VIDEO"},
        {".mov", "VIDEO"},
    }};
    auto known = std::find_if(kTypes.begin(), kTypes.end(),
                              [&](const auto& type) { return type.first == extension; });
    if (known == kTypes.end()) return std::nullopt;

    SourceSpec media;
    media.type = std::string(known->second);
    media.file = path;
    if (media.type == "WAVE") read_wave_header(path, media);
    return media;
}

}  // namespace sim
