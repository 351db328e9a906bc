// The five addressing forms of a family, called through the script wrappers the module registers,
// on a project where each form designates the same target item (or, asked to, nothing).
#pragma once

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "loaded_library.h"

namespace qm_test {

enum class Form { item, project, selected, track, selected_track };
inline constexpr Form kForms[] = {Form::item, Form::project, Form::selected, Form::track,
                                  Form::selected_track};
inline constexpr Form kIndexForms[] = {Form::project, Form::selected, Form::track,
                                       Form::selected_track};

// GetMediaItemMute, GetMediaMute, GetSelectedMediaMute, GetTrackMediaMute, ...
inline std::string form_name(Form form, const std::string& verb, const std::string& property) {
    static const char* const infix[] = {"MediaItem", "Media", "SelectedMedia", "TrackMedia",
                                        "SelectedTrackMedia"};
    return verb + infix[static_cast<int>(form)] + property;
}

inline void* int_slot(int value) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(value));
}

inline bool truth(void* result) {
    EXPECT_TRUE(result == nullptr || result == int_slot(1)) << "a bool result is 0 or 1";
    return result != nullptr;
}

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

//   track 0:   a0  a1*
//   track 1*:  b0  b1*   <- target: project index 3, selected index 1, track 1 item 1,
//                           selected track 0 item 1
class FamilyTest : public LoadedLibrary {
protected:
    void SetUp() override {
        LoadedLibrary::SetUp();
        sim::Track* t0 = host.add_track(nullptr, "T0");
        sim::Track* t1 = host.add_track(nullptr, "T1", true);
        a0 = add(t0, false, "a0.wav");
        a1 = add(t0, true, "a1.wav");
        b0 = add(t1, false, "b0.wav");
        target = add(t1, true, "target.wav");
        host.clear_call_log();
    }

    sim::Item* add(sim::Track* track, bool selected, const std::string& name) {
        sim::ItemSpec wanted;
        wanted.selected = selected;
        wanted.position = 2.0 * static_cast<double>(track->items.size());
        wanted.length = 2.0;
        sim::TakeSpec take;
        take.name = name;
        take.source = sim::SourceSpec{};
        wanted.takes = {take};
        return host.add_item(track, wanted);
    }

    sim::Take* target_take() const { return target->takes[0]; }

    // The leading argument slots with which `form` designates the target, or nothing at all.
    std::vector<void*> leading(Form form, bool found = true) const {
        switch (form) {
            case Form::item:
                return {found ? sim::Host::handle(target) : nullptr};
            case Form::project:
                return {nullptr, int_slot(found ? 3 : 4)};
            case Form::selected:
                return {nullptr, int_slot(found ? 1 : 2)};
            case Form::track:
                return {nullptr, int_slot(found ? 1 : 2), int_slot(1)};
            case Form::selected_track:
                return {nullptr, int_slot(found ? 0 : 1), int_slot(1)};
        }
        return {};
    }

    // QM_<name> through its registered wrapper, with the full argument count.
    void* call(const std::string& name, std::vector<void*> args) {
        const auto function = host.registered_function("QM_" + name);
        EXPECT_TRUE(function.has_value()) << "QM_" << name << " is not registered";
        if (!function) return nullptr;
        auto wrapper = reinterpret_cast<void* (*)(void**, int)>(function->vararg);
        return wrapper(args.data(), static_cast<int>(args.size()));
    }

    // The family member of `form`, on the target (or on nothing), with the family's own slots.
    void* call(Form form, const std::string& verb, const std::string& property,
               std::initializer_list<void*> rest, bool found = true) {
        std::vector<void*> args = leading(form, found);
        args.insert(args.end(), rest);
        return call(form_name(form, verb, property), args);
    }

    sim::Item *a0 = nullptr, *a1 = nullptr, *b0 = nullptr, *target = nullptr;
};

}  // namespace qm_test
