#include "platform/linux/error_numbers_linux.h"

#include <cerrno>

#include "platform/system_queries.h"

namespace vantora::linux_backend {

std::uint32_t windowsErrorFromErrno(int errnoValue) {
  switch (errnoValue) {
    case 0:
      return winerror::kErrorSuccess;
    case ENOMEDIUM:
      return winerror::kErrorNotReady;
    case ENOENT:
    case ENOTDIR:
      return winerror::kErrorPathNotFound;
    case EACCES:
    case EPERM:
      return winerror::kErrorAccessDenied;
    case EIO:
      return winerror::kErrorIoDevice;
    case ETIMEDOUT:
      return winerror::kErrorSemTimeout;
    // A network file system whose server is gone.
    case ESTALE:
    case ENOTCONN:
    case EHOSTDOWN:
    case ENETUNREACH:
      return winerror::kErrorBadNetpath;
    default:
      return winerror::kErrorGenFailure;
  }
}

}  // namespace vantora::linux_backend
