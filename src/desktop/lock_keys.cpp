#include "lock_keys.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace formulario {

std::optional<bool> IsLockOn(LockKey key)
{
#ifdef Q_OS_WIN
    const int virtualKey = key == LockKey::kCapsLock ? VK_CAPITAL : key == LockKey::kNumLock ? VK_NUMLOCK : VK_SCROLL;
    return (GetKeyState(virtualKey) & 1) != 0;
#else
    Q_UNUSED(key);
    return std::nullopt;
#endif
}

}  // namespace formulario
