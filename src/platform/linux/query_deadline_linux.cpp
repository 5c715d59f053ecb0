// How long a mounted file system may take to answer.

#include <charconv>
#include <cstdlib>
#include <string_view>

#include "platform/linux/bounded_call_linux.h"

namespace vantora::linux_backend {
namespace {

// Longer than anyone waits for a window; a typo must not freeze it for hours.
constexpr long long kLongestDeadlineMs = 600'000;

}  // namespace

std::chrono::milliseconds mountQueryDeadlineFrom(const char* text) {
  if (!text) return kMountQueryDeadline;
  const std::string_view digits(text);
  long long milliseconds = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), milliseconds);
  if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) return kMountQueryDeadline;
  if (milliseconds < 1 || milliseconds > kLongestDeadlineMs) return kMountQueryDeadline;
  return std::chrono::milliseconds(milliseconds);
}

std::chrono::milliseconds mountQueryDeadline() {
  static const std::chrono::milliseconds deadline = mountQueryDeadlineFrom(std::getenv("VANTORA_QUERY_TIMEOUT_MS"));
  return deadline;
}

}  // namespace vantora::linux_backend
