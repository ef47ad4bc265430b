#pragma once

#include <optional>

namespace formulario {

// The lock keys whose state the status bar shows.
enum class LockKey { CapsLock, NumLock, ScrollLock };

// Whether the key's lock is on, or nothing when the platform cannot tell.
std::optional<bool> IsLockOn(LockKey key);

}  // namespace formulario
