#pragma once

namespace platform
{

// The desktop session ending (a log-out) or the process being asked to stop
// (SIGTERM, SIGHUP, SIGINT) becomes one flag instead of the default death, so
// that the program can save and quit. A call blocked at that moment is
// interrupted rather than resumed, so that the request is acted on. Installed
// once; idempotent.
void watchSessionEnd();
// True once after such a request arrived.
bool takeSessionEnd();

} // namespace platform
