#include <array>
#include <cstdio>
#include <span>
#include <string_view>

#include "driveinfo/refresh_drive_info.h"
#include "driveinfo/refresh_steps.h"

namespace vantora {
namespace {

struct FeatureRow {
  std::uint32_t bit;
  std::string_view line;
};

// The order in which the lines are listed, which is not the order of the bits.
constexpr std::array<FeatureRow, 9> kFeatures{{
    {fsflags::kFileCasePreservedNames, "ファイル名大文字小文字維持"},
    {fsflags::kFileCaseSensitiveSearch, "ファイル名大文字小文字区別"},
    {fsflags::kFileUnicodeOnDisk, "UNICODE"},
    {fsflags::kFilePersistentAcls, "ACL維持"},
    {fsflags::kFileFileCompression, "ファイル圧縮"},
    {fsflags::kFileVolumeIsCompressed, "ボリューム圧縮"},
    {fsflags::kFileNamedStreams, "ストリーム"},
    {fsflags::kFileSupportsEncryption, "暗号化"},
    {fsflags::kFileVolumeQuotas, "クォータ"},
}};

// The text before the buffer's first NUL; a buffer without one cannot be trimmed.
std::string trimmedText(std::span<const char> buffer) {
  const std::string_view text(buffer.data(), buffer.size());
  const std::size_t end = text.find('\0');
  if (end == std::string_view::npos) throw RefreshFailure("name buffer is not terminated");
  return std::string(text.substr(0, end));
}

}  // namespace

std::string serialText(std::uint32_t serialNumber) {
  if (serialNumber == 0) return {};
  char text[9];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(serialNumber));
  return text;
}

std::vector<std::string> featureLines(std::uint32_t fileSystemFlags, std::uint32_t lastError) {
  std::vector<std::string> lines;
  if (fileSystemFlags == 0) {
    lines.push_back("(" + std::to_string(lastError) + ")属性は取得できません。");
    return lines;
  }
  for (const FeatureRow& row : kFeatures) {
    if (fileSystemFlags & row.bit) lines.emplace_back(row.line);
  }
  return lines;
}

void showVolumeDetails(Form1Model& form, const VolumeDetails& volume) {
  form.lbSys(0).setCaption(trimmedText(volume.fileSystemName));
  form.lbSys(1).setCaption(trimmedText(volume.volumeName));
  form.lbSys(2).setCaption(serialText(volume.serialNumber));
  form.List1.items = featureLines(volume.fileSystemFlags, volume.lastError);
}

}  // namespace vantora
