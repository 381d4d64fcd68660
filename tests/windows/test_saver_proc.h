// A stand-in for the saver's ScreenSaverProc, so the host's message procedures can be tested on a
// real window without GL: it records what reaches it and hands the rest to DefScreenSaverProc.
#pragma once

#include "host.h"

#include <vector>

namespace vorpane::testing {

struct saver_proc_record {
    std::vector<UINT> messages; // every message that reached ScreenSaverProc
};

extern saver_proc_record saver_proc_calls;

} // namespace vorpane::testing
