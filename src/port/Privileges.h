#pragma once

namespace quilby {

// Clears the effective, permitted, inheritable and ambient capabilities and
// sets no_new_privs: 0, or the errno value. The bounding set stays (changing
// it needs CAP_SETPCAP).
int dropEveryCapability();

// Whether this process still holds any capability (effective, permitted or
// inheritable); the drop checks it afterwards.
bool holdsCapabilities();

// Asks for SIGKILL when the parent dies; false when it has already died.
bool watchParentDeath();

} // namespace quilby
