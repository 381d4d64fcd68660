// Names the calling thread for debuggers and process viewers, where the platform allows.
#pragma once

namespace vorpane {

void set_current_thread_name(const char* name);

} // namespace vorpane
