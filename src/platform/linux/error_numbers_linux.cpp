#include "platform/linux/error_numbers_linux.h"

#include <cerrno>

#include "platform/system_queries.h"

namespace vantora::linux_backend {

std::uint32_t windowsErrorFromErrno(int errnoValue) {
  switch (errnoValue) {
    case 0:
      return winerror::ERROR_SUCCESS;
    case ENOMEDIUM:
      return winerror::ERROR_NOT_READY;
    case ENOENT:
    case ENOTDIR:
      return winerror::ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
      return winerror::ERROR_ACCESS_DENIED;
    case EIO:
      return winerror::ERROR_IO_DEVICE;
    case ETIMEDOUT:
      return winerror::ERROR_SEM_TIMEOUT;
    // A network file system whose server is gone.
    case ESTALE:
    case ENOTCONN:
    case EHOSTDOWN:
    case ENETUNREACH:
      return winerror::ERROR_BAD_NETPATH;
    default:
      return winerror::ERROR_GEN_FAILURE;
  }
}

}  // namespace vantora::linux_backend
