// A file system that hangs like a dead server: every statfs waits until the
// test that started it closes the daemon's standard input, then all of them
// answer at once. Everything else answers at once: an empty root directory.
//
//   vantora_hang_fs MOUNT_POINT
//
// It mounts as fuse.sshfs with the source "vantora@hung:/export", so the
// program takes it for the network drive whose server stopped answering.

#define FUSE_USE_VERSION 31
#include <fuse.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string>

namespace {

// Waits for the end of standard input once; after that, never again.
void waitForRelease() {
  static bool released = false;
  std::array<char, 64> ignored{};
  while (!released) {
    const ssize_t got = ::read(STDIN_FILENO, ignored.data(), ignored.size());
    if (got == 0 || (got < 0 && errno != EINTR)) released = true;
  }
}

int hungStatfs(const char*, struct statvfs* stats) {
  waitForRelease();
  std::memset(stats, 0, sizeof *stats);
  stats->f_bsize = 4096;
  stats->f_frsize = 4096;
  stats->f_blocks = 1000;
  stats->f_bfree = 400;
  stats->f_bavail = 300;
  stats->f_namemax = 255;
  return 0;
}

int rootOnlyGetattr(const char* path, struct stat* stats, fuse_file_info*) {
  if (std::strcmp(path, "/") != 0) return -ENOENT;
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

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) return 2;
  // A test that dies must not leave the daemon (and its mount) behind.
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() == 1) return 1;

  fuse_operations operations{};
  operations.getattr = rootOnlyGetattr;
  operations.readdir = emptyReaddir;
  operations.statfs = hungStatfs;

  std::string program = "vantora_hang_fs";
  std::string foreground = "-f";
  std::string singleThread = "-s";
  std::string option = "-o";
  std::string options = "fsname=vantora@hung:/export,subtype=sshfs";
  std::array<char*, 6> args{program.data(), foreground.data(), singleThread.data(),
                            option.data(),  options.data(),    argv[1]};
  return fuse_main(static_cast<int>(args.size()), args.data(), &operations, nullptr);
}
