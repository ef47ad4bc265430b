#pragma once

#include <string_view>

// Exit status and reason for a file that cannot be read at all.
inline constexpr int kUnreadable = 5;

// What an unsealing code (or kUnreadable) means, in words.
std::string_view UnsealReason(int code);
