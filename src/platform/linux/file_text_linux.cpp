#include "platform/linux/file_text_linux.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/unique_fd_linux.h"

namespace vantora::linux_backend {
namespace {

constexpr std::size_t kFirstBuffer = 4096;

// Never blocks in open(): a FIFO where a file belongs (a damaged captured
// tree) then fails at lseek instead of waiting for a writer.
constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;

}  // namespace

std::optional<std::string> readFromStart(int fd) {
  if (::lseek(fd, 0, SEEK_SET) != 0) return std::nullopt;
  struct stat info {};
  const bool sized = ::fstat(fd, &info) == 0 && info.st_size > 0;
  // One byte past a known size, so the read that finds the end needs no growth.
  std::string text(sized ? static_cast<std::size_t>(info.st_size) + 1 : kFirstBuffer, '\0');
  std::size_t used = 0;
  for (;;) {
    if (used == text.size()) text.resize(text.size() * 2);
    const ssize_t got = ::read(fd, text.data() + used, text.size() - used);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    used += static_cast<std::size_t>(got);
  }
  text.resize(used);
  return text;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& file) {
  const UniqueFd fd{::open(file.c_str(), kOpenFlags)};
  if (!fd) return std::nullopt;
  return readFromStart(fd.get());
}

std::string readFirstLine(const std::filesystem::path& file) {
  const std::optional<std::string> text = readWholeFile(file);
  return text ? text->substr(0, text->find('\n')) : std::string();
}

}  // namespace vantora::linux_backend
