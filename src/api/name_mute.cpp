#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "api/addressing.h"
#include "api/api.h"
#include "api/name_strip.h"
#include "script_bridge/wrappers.h"
#include "utility/utility.h"

namespace qm_api {

namespace {

// Calls visit(i) for every i in [0, length) where text holds '.', '\n' or '\r', in order: the
// only bytes the strip decides on. 64 or 16 bytes at a time where SSE2 is there, with no read
// outside the text.
template <class Visit>
void for_each_mark(const char* text, std::size_t length, Visit& visit) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const auto hits_at = [text](std::size_t at) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        return _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('.')),
                            _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')),
                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))));
    };
    const auto marks_at = [&](std::size_t at) {
        return static_cast<unsigned>(_mm_movemask_epi8(hits_at(at)));
    };
    // Long names go by 64 bytes: one test per block, as names rarely hold a mark.
    for (; i + 64 <= length; i += 64) {
        const __m128i a = hits_at(i), b = hits_at(i + 16), c = hits_at(i + 32), d = hits_at(i + 48);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))) == 0) continue;
        std::uint64_t m = static_cast<unsigned>(_mm_movemask_epi8(a)) |
                          std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(b))} << 16 |
                          std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(c))} << 32 |
                          std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(d))} << 48;
        for (; m != 0; m &= m - 1) visit(i + std::countr_zero(m));
    }
    for (; i + 16 <= length; i += 16) {
        for (unsigned m = marks_at(i); m != 0; m &= m - 1) visit(i + std::countr_zero(m));
    }
    if (i < length && length >= 16) {
        // The last sixteen bytes again, without those already visited.
        const std::size_t last = length - 16;
        for (unsigned m = marks_at(last) & (0xFFFFu << (i - last)); m != 0; m &= m - 1) {
            visit(last + std::countr_zero(m));
        }
        return;
    }
#endif
    for (; i < length; ++i) {
        if (text[i] == '.' || text[i] == '\n' || text[i] == '\r') visit(i);
    }
}

// The strip as the marks pass by: a line ends at \n or \r, as ECMAScript's "." crosses neither,
// and is cut at its first full stop unless nothing follows that on the line.
class LineCut {
public:
    LineCut(const char* text, qm_utility::BoundedCopy& copy) : text_(text), copy_(copy) {}
    void operator()(std::size_t at) {
        if (text_[at] == '.') {
            if (dot_ == kNone) dot_ = at;
            return;
        }
        end_line(at);
        copy_.append_bytes(std::string_view(text_ + at, 1));
        line_ = at + 1;
        dot_ = kNone;
    }
    void end_line(std::size_t at) {
        const std::size_t cut = dot_ != kNone && at - dot_ > 1 ? dot_ : at;
        copy_.append_bytes(std::string_view(text_ + line_, cut - line_));
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    const char* text_;
    qm_utility::BoundedCopy& copy_;
    std::size_t line_ = 0;
    std::size_t dot_ = kNone;  // the line's first full stop
};

}  // namespace

void copy_stripped_name(const char* name, char* destination, int size) {
    qm_utility::BoundedCopy copy(destination, size);
    const std::size_t length = std::strlen(name);
    LineCut cut(name, copy);
    for_each_mark(name, length, cut);
    cut.end_line(length);
    copy.finish();
}

}  // namespace qm_api

namespace {

// The active take is not checked: the host answers no name for a missing one.
bool read_name(MediaItem* item, char* nameOut, int nameOut_sz) {
    const char* name = GetTakeName(GetActiveTake(item));
    if (name == nullptr) return false;
    qm_api::copy_stripped_name(name, nameOut, nameOut_sz);
    return true;
}

bool read_mute(MediaItem* item, bool* muteTypeOut) {
    // NaN is not 0.0 either, so it reads as muted.
    *muteTypeOut = GetMediaItemInfo_Value(item, "B_MUTE") != 0.0;
    return true;
}

bool write_mute(MediaItem* item, bool setType) {
    const bool ok = SetMediaItemInfo_Value(item, "B_MUTE", setType ? 1.0 : 0.0);
    UpdateArrange();
    return ok;
}

}  // namespace

QM_FIVE_FORMS(Get, Name, read_name, (char* nameOut, int nameOut_sz), (nameOut, nameOut_sz))

bool SetMediaItemName(MediaItem* item, const char* setName) noexcept {
    if (setName == nullptr) return false;
    char name[1024];
    qm_utility::strcpy(name, sizeof name, setName);
    return GetSetMediaItemTakeInfo_String(GetActiveTake(item), "P_NAME", name, true);
}
QM_INDEX_FORMS(Set, Name, SetMediaItemName, (const char* setName), (setName))

QM_FIVE_FORMS(Get, Mute, read_mute, (bool* muteTypeOut), (muteTypeOut))
QM_FIVE_FORMS(Set, Mute, write_mute, (bool setType), (setType))

QM_DEFINE_WRAPPERS(QM_ROWS_NAME_MUTE)
