// Puts a test's own function in one of the extension's host slots for the life of a scope, to
// see the order of calls or make one of them fail; the slot gets REAPER's function back after.
#pragma once

#include "entry/host_api.h"

namespace qm_test {

template <class Function>
class SlotSwap {
public:
    SlotSwap(Function& slot, Function replacement) : slot_(slot), saved_(slot) {
        slot = replacement;
    }
    ~SlotSwap() { slot_ = saved_; }
    SlotSwap(const SlotSwap&) = delete;
    SlotSwap& operator=(const SlotSwap&) = delete;

private:
    Function& slot_;
    Function saved_;
};

}  // namespace qm_test
