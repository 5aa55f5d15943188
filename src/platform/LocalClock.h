#pragma once

#include "base/CalendarDate.h"

namespace kvitok {

// The date and time on the person's clock, in their time zone.
CalendarDate LocalNow();

} // namespace kvitok
