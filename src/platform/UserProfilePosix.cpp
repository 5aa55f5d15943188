#include "UserProfile.h"

namespace kvitok {

// No earlier program kept the form on these systems.
UserProfile::Reader UserProfile::FindOlderForm() {
    return {};
}

} // namespace kvitok
