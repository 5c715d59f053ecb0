// A file system whose statfs says whatever the test wants, and can hang like
// a dead server: then every statfs ("hang"), or every lookup of a name in its
// root ("hang-lookup"), waits until the test closes the daemon's standard
// input, and all of them answer at once. "slow=MS" answers each statfs after
// MS milliseconds. Everything else answers at once: an empty root directory.
//
//   vantora_fuse_fs MOUNT_POINT BLOCKS FREE_BLOCKS AVAILABLE_BLOCKS FRAGMENT_SIZE [MODE [SOURCE]]
//
// It mounts as fuse.sshfs with the source "vantora@test:/export" unless
// given another, so the program takes it for a network drive.

#define FUSE_USE_VERSION 31
#include <fuse.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

struct Answer {
  std::uint64_t blocks = 0;
  std::uint64_t freeBlocks = 0;
  std::uint64_t availableBlocks = 0;
  std::uint64_t fragmentSize = 0;
  bool hang = false;
  bool hangLookup = false;
  unsigned delayMs = 0;
};

Answer answer;

// Waits for the end of standard input once; after that, never again.
void waitForRelease() {
  static bool released = false;
  std::array<char, 64> ignored{};
  while (!released) {
    const ssize_t got = ::read(STDIN_FILENO, ignored.data(), ignored.size());
    if (got == 0 || (got < 0 && errno != EINTR)) released = true;
  }
}

int answeringStatfs(const char*, struct statvfs* stats) {
  if (answer.hang) waitForRelease();
  if (answer.delayMs > 0) ::usleep(answer.delayMs * 1000);
  std::memset(stats, 0, sizeof *stats);
  stats->f_bsize = answer.fragmentSize;
  stats->f_frsize = answer.fragmentSize;
  stats->f_blocks = answer.blocks;
  stats->f_bfree = answer.freeBlocks;
  stats->f_bavail = answer.availableBlocks;
  stats->f_namemax = 255;
  return 0;
}

int rootOnlyGetattr(const char* path, struct stat* stats, fuse_file_info*) {
  if (std::strcmp(path, "/") != 0) {
    if (answer.hangLookup) waitForRelease();
    return -ENOENT;
  }
  std::memset(stats, 0, sizeof *stats);
  stats->st_mode = S_IFDIR | 0755;
  stats->st_nlink = 2;
  return 0;
}

int emptyReaddir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*, fuse_readdir_flags) {
  if (std::strcmp(path, "/") != 0) return -ENOENT;
  fill(buffer, ".", nullptr, 0, fuse_fill_dir_flags{});
  fill(buffer, "..", nullptr, 0, fuse_fill_dir_flags{});
  return 0;
}

bool parseCount(std::string_view text, std::uint64_t& count) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 6 || argc > 8 || !parseCount(argv[2], answer.blocks) || !parseCount(argv[3], answer.freeBlocks) ||
      !parseCount(argv[4], answer.availableBlocks) || !parseCount(argv[5], answer.fragmentSize)) {
    return 2;
  }
  const std::string_view mode = argc >= 7 ? argv[6] : "";
  answer.hang = mode == "hang";
  answer.hangLookup = mode == "hang-lookup";
  if (mode.starts_with("slow=")) std::from_chars(mode.data() + 5, mode.data() + mode.size(), answer.delayMs);
  // A test that dies must not leave the daemon (and its mount) behind.
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() == 1) return 1;

  fuse_operations operations{};
  operations.getattr = rootOnlyGetattr;
  operations.readdir = emptyReaddir;
  operations.statfs = answeringStatfs;

  std::string program = "vantora_fuse_fs";
  std::string foreground = "-f";
  std::string singleThread = "-s";
  std::string option = "-o";
  std::string options = "fsname=" + std::string(argc == 8 ? argv[7] : "vantora@test:/export") + ",subtype=sshfs";
  std::array<char*, 6> args{program.data(), foreground.data(), singleThread.data(),
                            option.data(),  options.data(),    argv[1]};
  return fuse_main(static_cast<int>(args.size()), args.data(), &operations, nullptr);
}
