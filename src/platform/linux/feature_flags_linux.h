#pragma once
// GetVolumeInformation's feature bits for a mounted Linux file system: probed
// where the kernel can be asked, by file-system family where it cannot.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantora::linux_backend {

// What the kernel answered for the volume's root; unknown where a probe had
// no clear answer.
struct FeatureProbes {
  std::optional<bool> posixAcl;    // getxattr of the root's access ACL
  std::optional<bool> encryption;  // the fscrypt policy ioctl
  std::optional<bool> quotas;      // quotactl's accounting state
};

// Asks the mounted file system; touches it, so callers run it through BoundedCalls.
// deviceNode may be empty (no block device).
FeatureProbes probeFeatures(const std::string& mountPoint, const std::string& deviceNode);

// The feature bits of a file system of this family (see fileSystemFamily),
// its probed version, its mount options and the probe answers. Every mounted
// file system keeps the case of names, so the result is never 0.
std::uint32_t featureFlags(std::string_view family, std::string_view version, std::string_view options,
                           const FeatureProbes& probes);

}  // namespace vantora::linux_backend
