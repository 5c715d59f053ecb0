#include "platform/fuse_file_system.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <fstream>
#include <thread>
#include <utility>
#include <vector>

#include "platform/linux/mount_table_linux.h"
#include "support/child_process.h"

namespace vantora::testing {
namespace {

using namespace std::chrono_literals;

bool kernelHasFuse() {
  std::ifstream filesystems("/proc/filesystems");
  for (std::string line; std::getline(filesystems, line);) {
    if (line.ends_with("\tfuse")) return true;
  }
  return false;
}

bool isMounted(const std::string& mountPoint) {
  const auto table = linux_backend::readMountTable("/proc/self/mountinfo");
  const linux_backend::MountEntry* mount = linux_backend::findMountAt(table, mountPoint);
  return mount && mount->fsType == "fuse.sshfs";
}

// Waits for a child to end, killing it when it will not.
void endDaemon(pid_t daemon) {
  ::kill(daemon, SIGTERM);
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (::waitpid(daemon, nullptr, WNOHANG) == daemon) return;
    std::this_thread::sleep_for(10ms);
  }
  ::kill(daemon, SIGKILL);
  ::waitpid(daemon, nullptr, 0);
}

}  // namespace

std::optional<FuseFileSystem> FuseFileSystem::mount(const StatfsAnswer& answer, std::string& skipReason) {
  const std::string daemonProgram = VANTORA_FUSE_FS_DAEMON;
  if (const std::string& problem = privateMountNamespaceProblem(); !problem.empty()) {
    skipReason = problem;
    return std::nullopt;
  }
  if (daemonProgram.empty()) {
    skipReason = "built without libfuse3 (install fuse3 and libfuse3-dev, then configure again)";
    return std::nullopt;
  }
  if (::access("/dev/fuse", R_OK | W_OK) != 0 || !kernelHasFuse()) {
    skipReason = "FUSE is missing here (no /dev/fuse or no fuse in /proc/filesystems)";
    return std::nullopt;
  }

  ScratchDirectory directory;
  const std::filesystem::path mountPoint = directory.path() / "nas";
  std::filesystem::create_directories(mountPoint);
  std::array<int, 2> pipeFds{};
  if (::pipe2(pipeFds.data(), O_CLOEXEC) != 0) {
    skipReason = "cannot make a pipe";
    return std::nullopt;
  }
  std::vector<std::string> argv{daemonProgram,
                                mountPoint.string(),
                                std::to_string(answer.blocks),
                                std::to_string(answer.freeBlocks),
                                std::to_string(answer.availableBlocks),
                                std::to_string(answer.fragmentSize)};
  argv.push_back(answer.hang         ? "hang"
                 : answer.hangLookup ? "hang-lookup"
                                     : "slow=" + std::to_string(answer.delayMs));
  argv.push_back(answer.source);
  const pid_t daemon = startChild(argv, {.descriptors = {{STDIN_FILENO, pipeFds[0]}}});
  ::close(pipeFds[0]);
  if (daemon < 0) {
    ::close(pipeFds[1]);
    skipReason = "cannot start " + daemonProgram;
    return std::nullopt;
  }
  FuseFileSystem mounted(std::move(directory), daemon, pipeFds[1]);
  for (int attempt = 0; attempt < 500; ++attempt) {
    if (isMounted(argv[1])) return mounted;
    if (::waitpid(daemon, nullptr, WNOHANG) == daemon) {
      mounted.daemon_ = -1;
      skipReason = "the FUSE daemon could not mount (is mount(2) of fuse allowed here?)";
      return std::nullopt;
    }
    std::this_thread::sleep_for(10ms);
  }
  skipReason = "the FUSE daemon did not mount within 5 s";
  return std::nullopt;
}

FuseFileSystem::FuseFileSystem(FuseFileSystem&& other) noexcept
    : directory_(std::move(other.directory_)),
      daemon_(std::exchange(other.daemon_, -1)),
      releaseFd_(std::exchange(other.releaseFd_, -1)) {}

FuseFileSystem::~FuseFileSystem() {
  release();
  if (daemon_ > 0) {
    // The daemon unmounts on its way out; detaching covers one that was killed.
    endDaemon(daemon_);
    ::umount2(mountPoint().c_str(), MNT_DETACH);
  }
}

void FuseFileSystem::release() {
  if (releaseFd_ >= 0) ::close(std::exchange(releaseFd_, -1));
}

}  // namespace vantora::testing
