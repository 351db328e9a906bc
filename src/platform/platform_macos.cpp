#include "platform/platform_posix.h"

namespace qm_platform::posix {

const System& this_system = macos_system;

}  // namespace qm_platform::posix
