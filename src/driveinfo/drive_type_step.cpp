#include <array>

#include "driveinfo/drive_types.h"
#include "driveinfo/refresh_steps.h"
#include "i18n/language.h"

namespace vantora {

void showDriveType(Form1Model& form, std::uint32_t driveTypeCode) {
  if (driveTypeCode >= kDriveTypes.size()) return;
  const DriveTypeRow& row = kDriveTypes[driveTypeCode];
  form.lbSyu(0).setCaption(i18n::tr(row.caption));
  // Every picture is written, so none of a previous drive stays visible.
  const std::array<Image*, 5> images{&form.Image1, &form.Image2, &form.Image3, &form.Image4, &form.Image5};
  for (std::size_t i = 0; i < images.size(); ++i) images[i]->visible = row.imageVisible[i];
}

}  // namespace vantora
