// How many handles and references the program's owners hold right now. Owners count what
// they take and give back, so a leak test can read the figure (Wine reports no GDI or
// handle counts of its own).
#pragma once

#include <atomic>

inline std::atomic<long> g_liveHandles{0};
