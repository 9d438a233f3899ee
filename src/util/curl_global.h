#pragma once

namespace tamsel {

// Initialises libcurl once for the process, before the first transfer on
// any thread (its global set-up is not safe to run concurrently).
void ensureCurlInitialised();

} // namespace tamsel
