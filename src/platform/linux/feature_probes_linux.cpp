// The kernel questions behind the feature bits, each asked of the volume's root.

#include <fcntl.h>
#include <linux/dqblk_xfs.h>
#include <linux/fscrypt.h>
#include <sys/ioctl.h>
#include <sys/quota.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/file_system_terms_linux.h"
#include "platform/linux/unique_fd_linux.h"

namespace vantora::linux_backend {
namespace {

bool notSupported(int error) { return error == ENOTSUP || error == EOPNOTSUPP || error == ENOTTY; }

// ENODATA: the root has no ACL of its own, but the file system could hold one.
std::optional<bool> probePosixAcl(int directory) {
  if (::fgetxattr(directory, "system.posix_acl_access", nullptr, 0) >= 0 || errno == ENODATA) return true;
  if (notSupported(errno)) return false;
  return std::nullopt;
}

// ENODATA: the root is not encrypted, but the file system has fscrypt enabled.
// EOVERFLOW: an encrypted root with a policy newer than this header.
std::optional<bool> probeEncryption(int directory) {
  fscrypt_get_policy_ex_arg policy{};
  policy.policy_size = sizeof(policy.policy);
  if (::ioctl(directory, FS_IOC_GET_ENCRYPTION_POLICY_EX, &policy) == 0) return true;
  if (errno == ENODATA || errno == EOVERFLOW) return true;
  if (notSupported(errno)) return false;
  return std::nullopt;
}

// Q_XGETQSTAT answers for xfs natively and for every dquot file system through
// the generic state; it needs no privilege. quotactl_fd needs no device node
// (Linux 5.14); older kernels are asked through the node.
std::optional<bool> probeQuotas(int directory, const std::string& deviceNode) {
  fs_quota_stat state{};
  const int command = QCMD(Q_XGETQSTAT, USRQUOTA);
  long result = ::syscall(SYS_quotactl_fd, directory, command, 0, &state);
  if (result != 0 && errno == ENOSYS && !deviceNode.empty()) {
    result = ::quotactl(command, deviceNode.c_str(), 0, reinterpret_cast<caddr_t>(&state));
  }
  if (result == 0) {
    constexpr unsigned kAccounting = FS_QUOTA_UDQ_ACCT | FS_QUOTA_GDQ_ACCT | FS_QUOTA_PDQ_ACCT;
    return (state.qs_flags & kAccounting) != 0;
  }
  if (notSupported(errno) || errno == ENOSYS || errno == ESRCH) return false;
  return std::nullopt;
}

}  // namespace

FeatureProbes probeFeatures(const std::string& mountPoint, const std::string& deviceNode) {
  const UniqueFd directory{::open(mountPoint.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (!directory) return {};
  return FeatureProbes{
      .posixAcl = probePosixAcl(directory.get()),
      .encryption = probeEncryption(directory.get()),
      .quotas = probeQuotas(directory.get(), deviceNode),
  };
}

}  // namespace vantora::linux_backend
