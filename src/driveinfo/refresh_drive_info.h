#pragma once
#include <stdexcept>
#include <string_view>

#include "driveinfo/form_model.h"
#include "i18n/language.h"
#include "platform/system_queries.h"

namespace vantora {

enum class RefreshEnd {
  Normal,   // every field written
  Failure,  // the failure path ran: the caller shows kNoDiskMessage in a message box
};

// In Japanese; shown through i18n::tr.
inline constexpr std::string_view kHeaderSuffix = i18n::trNoop("　ディスク情報");  // starts with U+3000
inline constexpr std::string_view kNoDiskMessage = i18n::trNoop("ディスクが挿入されていません。");
inline constexpr std::string_view kAppTitle = "Vantora";
inline constexpr std::string_view kFailedPercent = "----";

// A failure inside the refresh after the header line; it ends in the failure path.
class RefreshFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Asks the system about the drive selected in form.Drive1 and writes every
// display field, in the window's fixed order: header, drive type, capacity,
// volume details, usage. An empty drive list, or any exception after the
// header (a query that failed leaves nothing to divide by; a backend that ran
// out of memory answered nothing), abandons the rest and resets the usage
// display (Label4 "----", chart 0 and 1000). An exception while writing the
// header goes to the caller with the usage display untouched.
RefreshEnd RefreshDriveInfo(Form1Model& form, SystemQueries& system);

}  // namespace vantora
