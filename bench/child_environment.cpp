#include "child_environment.h"

#include <algorithm>

extern char** environ;

namespace vantora::bench {
namespace {

std::string nameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

}  // namespace

std::vector<std::string> environmentWith(const std::vector<std::string>& overrides) {
  std::vector<std::string> result;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string current(*entry);
    const bool overridden = std::any_of(overrides.begin(), overrides.end(),
                                        [&](const std::string& override) { return nameOf(override) == nameOf(current); });
    if (!overridden) result.push_back(current);
  }
  for (const std::string& override : overrides) {
    if (override.find('=') != std::string::npos) result.push_back(override);
  }
  return result;
}

std::vector<char*> argvOf(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace vantora::bench
