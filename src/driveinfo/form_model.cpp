#include "driveinfo/form_model.h"

#include <algorithm>

namespace vantora {

void DriveListBox::replaceEntries(std::vector<DriveEntry> fresh, std::size_t fallback) {
  std::size_t index = fallback;
  if (listIndex < entries.size()) {
    const std::string& kept = entries[listIndex].rootPath;
    auto same = std::find_if(fresh.begin(), fresh.end(),
                             [&](const DriveEntry& entry) { return entry.rootPath == kept; });
    if (same != fresh.end()) index = static_cast<std::size_t>(same - fresh.begin());
  }
  entries = std::move(fresh);
  listIndex = index < entries.size() ? index : 0;
}

}  // namespace vantora
