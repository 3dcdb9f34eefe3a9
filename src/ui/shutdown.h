// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace zenthra {

// The one way out: unloads every top-level window, then ends the event loop so
// that main() returns and the process ends. Every exit path calls it.
void shutdownProgram();

// Tests replace the final step (ending the event loop) to observe it without
// losing their own loop; an empty function restores the default.
void setProcessEnder(std::function<void()> ender);

} // namespace zenthra
