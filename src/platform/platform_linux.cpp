#include "platform/platform_posix.h"

namespace qm_platform::posix {

const System& this_system = linux_system;

}  // namespace qm_platform::posix
