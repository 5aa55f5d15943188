#pragma once

// Resource ids of the executable; the resource script and the code share them.
#define KVITOK_ICON 128
#define KVITOK_EMBLEM 138
