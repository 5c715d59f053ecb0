#include <array>
#include <cstdio>
#include <span>
#include <string_view>

#include "driveinfo/refresh_drive_info.h"
#include "driveinfo/refresh_steps.h"
#include "i18n/language.h"

namespace vantora {
namespace {

struct FeatureRow {
  std::uint32_t bit;
  std::string_view line;
};

// The order in which the lines are listed, which is not the order of the bits.
constexpr std::array<FeatureRow, 9> kFeatures{{
    {fsflags::kFileCasePreservedNames, i18n::trNoop("ファイル名大文字小文字維持")},
    {fsflags::kFileCaseSensitiveSearch, i18n::trNoop("ファイル名大文字小文字区別")},
    {fsflags::kFileUnicodeOnDisk, i18n::trNoop("UNICODE")},
    {fsflags::kFilePersistentAcls, i18n::trNoop("ACL維持")},
    {fsflags::kFileFileCompression, i18n::trNoop("ファイル圧縮")},
    {fsflags::kFileVolumeIsCompressed, i18n::trNoop("ボリューム圧縮")},
    {fsflags::kFileNamedStreams, i18n::trNoop("ストリーム")},
    {fsflags::kFileSupportsEncryption, i18n::trNoop("暗号化")},
    {fsflags::kFileVolumeQuotas, i18n::trNoop("クォータ")},
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
    lines.push_back(i18n::tr("(%1)属性は取得できません。", {std::to_string(lastError)}));
    return lines;
  }
  for (const FeatureRow& row : kFeatures) {
    if (fileSystemFlags & row.bit) lines.emplace_back(i18n::tr(row.line));
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
