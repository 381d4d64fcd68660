// Counts the program's allocations through operator new, so a test can show that a code path
// allocates nothing. Linking this file replaces the global operator new and delete.
#pragma once

namespace vorpane::testing {

long allocation_count();

} // namespace vorpane::testing
