#pragma once

#include <optional>

namespace formulario {

// The lock keys whose state the status bar shows.
enum class LockKey { kCapsLock, kNumLock, kScrollLock };

// Whether the key's lock is on, or nothing when the platform cannot tell.
std::optional<bool> IsLockOn(LockKey key);

}  // namespace formulario
