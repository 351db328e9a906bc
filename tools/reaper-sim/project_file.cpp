#include "project_file.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace reaper_sim {
namespace {

namespace fs = std::filesystem;

int bit_depth(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_ULAW:
        case SF_FORMAT_ALAW:
        case SF_FORMAT_DPCM_8:
            return 8;
        case SF_FORMAT_PCM_16:
        case SF_FORMAT_DPCM_16:
        case SF_FORMAT_ALAC_16:
            return 16;
        case SF_FORMAT_ALAC_20:
            return 20;
        case SF_FORMAT_PCM_24:
        case SF_FORMAT_ALAC_24:
            return 24;
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT:
        case SF_FORMAT_ALAC_32:
            return 32;
        case SF_FORMAT_DOUBLE:
            return 64;
        default:
            return 0;  // lossy codecs have no bit depth
    }
}

std::string located(const std::string& path, const rpp::Error& error) {
    // Appended piece by piece: "x" + a temporary trips g++ 12's -Wrestrict at -O3.
    std::string text = path;
    if (error.line > 0) {
        text += ':';
        text += std::to_string(error.line);
    }
    return text + ": " + error.message;
}

std::string system_error(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// The permissions a new file gets from the umask.
mode_t new_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool write_all(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool is_project_file(std::string_view path) {
    if (path.size() < 4) return false;
    std::string extension(path.substr(path.size() - 4));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".rpp";
}

rpp::MediaInfo read_media(const std::string& path) {
    using Status = rpp::MediaInfo::Status;
    rpp::MediaInfo info;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || !std::ifstream(path, std::ios::binary)) return info;
    info.status = Status::undecodable;
    SF_INFO format{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &format);
    if (file == nullptr) return info;
    sf_close(file);
    if (format.samplerate <= 0 || format.channels <= 0 || format.frames < 0) return info;
    info.status = Status::decoded;
    info.sample_rate = format.samplerate;
    info.channels = format.channels;
    info.bit_depth = bit_depth(format.format);
    info.length = static_cast<double>(format.frames) / format.samplerate;
    return info;
}

std::unique_ptr<rpp::ProjectFile> open_project_file(sim::Host& host, const std::string& path,
                                                    std::string& error) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        error = "cannot read project " + path;
        return nullptr;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        error = "cannot read project " + path;
        return nullptr;
    }
    rpp::Error problem;
    auto file = rpp::ProjectFile::parse(std::move(text), problem);
    const fs::path where(path);
    const std::string folder =
        where.parent_path().empty() ? std::string(".") : where.parent_path().string();
    if (file == nullptr || !file->load(host, host.current_project(), where.filename().string(),
                                       folder, &read_media, problem)) {
        error = located(path, problem);
        return nullptr;
    }
    std::error_code absolute_error;
    host.current_project()->file = fs::absolute(where, absolute_error).lexically_normal().string();
    return file;
}

bool save_project_file(const rpp::ProjectFile& file, const std::string& path, std::string& error) {
    std::string text;
    rpp::Error problem;
    if (!file.render(text, problem)) {
        error = "cannot save " + path + ": " + problem.message;
        return false;
    }
    const fs::path target(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        error = "cannot save " + path + ": it is a directory";
        return false;
    }
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string hidden(1, '.');
    hidden += target.filename().string();
    std::string temporary = (folder / (hidden + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error =
            system_error("cannot save " + path + ": cannot create a file in " + folder.string());
        return false;
    }
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    ::fchmod(fd, exists ? (old.st_mode & 07777) : new_file_mode());
    const bool written = write_all(fd, text) && ::fsync(fd) == 0;
    const int saved_errno = errno;
    if (::close(fd) != 0 || !written) {
        errno = saved_errno;
        error = system_error("cannot save " + path + ": writing " + temporary);
        ::unlink(temporary.c_str());
        return false;
    }
    if (exists) {
        // The old file stays whole under its -bak name before the new one takes its place.
        const std::string backup = path + "-bak";
        ::unlink(backup.c_str());
        if (::link(path.c_str(), backup.c_str()) != 0) {
            fs::copy_file(target, backup, fs::copy_options::overwrite_existing, ec);
            if (ec) {
                error = "cannot save " + path + ": cannot keep the old file as " + backup + ": " +
                        ec.message();
                ::unlink(temporary.c_str());
                return false;
            }
        }
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = system_error("cannot save " + path);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace reaper_sim
