#include "platform/linux/libmount_parse_linux.h"

#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdio>
#include <future>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>

#include "platform/linux/library_handles_linux.h"

namespace vantora::linux_backend {
namespace {

// Slices of this many lines go through one libmount table, emptied between
// slices, so libmount never holds more than a slice.
constexpr std::size_t kLinesPerSlice = 1024;

// From this many lines a second thread parses the second half: below it, the
// thread costs more than it saves.
constexpr std::size_t kLinesForTwoThreads = 4 * kLinesPerSlice;

std::string textOf(const char* value) { return value ? value : ""; }

// A malformed line is skipped instead of ending the parse: one odd mount must
// not hide every drive.
int skipMalformedLine(libmnt_table*, const char*, int) { return 0; }

MountEntry entryOf(libmnt_fs* fs) {
  MountEntry entry;
  entry.id = mnt_fs_get_id(fs);
  entry.parentId = mnt_fs_get_parent_id(fs);
  entry.target = textOf(mnt_fs_get_target(fs));
  entry.fsRoot = textOf(mnt_fs_get_root(fs));
  entry.source = textOf(mnt_fs_get_source(fs));
  entry.fsType = textOf(mnt_fs_get_fstype(fs));
  entry.options = textOf(mnt_fs_get_options(fs));
  const dev_t device = mnt_fs_get_devno(fs);
  entry.major = major(device);
  entry.minor = minor(device);
  entry.networkFs = mnt_fs_is_netfs(fs) == 1;
  entry.pseudoFs = mnt_fs_is_pseudofs(fs) == 1;
  return entry;
}

// Where the line holding text[position] ends, past its newline.
std::size_t endOfLine(std::string_view text, std::size_t position) {
  const std::size_t newline = text.find('\n', position);
  return newline == std::string_view::npos ? text.size() : newline + 1;
}

// Where the slice starting at begin ends.
std::size_t endOfSlice(std::string_view text, std::size_t begin, std::size_t end) {
  std::size_t slice = begin;
  for (std::size_t line = 0; line < kLinesPerSlice && slice < end; ++line) slice = endOfLine(text, slice);
  return std::min(slice, end);
}

// One libmount table working through slices of a text. libmount learns the
// format of a table from its first line and keeps it while the table is
// emptied between slices.
class SliceParser {
 public:
  SliceParser() : table_(mnt_new_table()), iter_(mnt_new_iter(MNT_ITER_FORWARD)) {
    if (table_) mnt_table_set_parser_errcb(table_.get(), skipMalformedLine);
  }

  // Appends the entries of text[begin, end) to entries; false when libmount
  // could not parse it.
  bool parse(std::string& text, std::size_t begin, std::size_t end, std::vector<MountEntry>& entries) {
    if (!table_ || !iter_) return false;
    // fmemopen of an empty slice fails, so the loop stops before one.
    for (std::size_t slice = begin; slice < end;) {
      const std::size_t sliceEnd = endOfSlice(text, slice, end);
      if (!parseSlice(text, slice, sliceEnd, entries)) return false;
      slice = sliceEnd;
    }
    return true;
  }

 private:
  bool parseSlice(std::string& text, std::size_t begin, std::size_t end, std::vector<MountEntry>& entries) {
    // fmemopen wants a writable buffer, though libmount only reads it.
    const FilePtr stream{::fmemopen(text.data() + begin, end - begin, "r")};
    if (!stream || mnt_table_parse_stream(table_.get(), stream.get(), "mountinfo") != 0) return false;
    mnt_reset_iter(iter_.get(), MNT_ITER_FORWARD);
    libmnt_fs* fs = nullptr;
    while (mnt_table_next_fs(table_.get(), iter_.get(), &fs) == 0) {
      // libmount keeps an empty entry for a line it could not parse, and a
      // partial one for a line cut short; every whole line names its type.
      MountEntry entry = entryOf(fs);
      if (entry.target.starts_with('/') && !entry.fsType.empty()) entries.push_back(std::move(entry));
    }
    mnt_reset_table(table_.get());
    return true;
  }

  MountTablePtr table_;
  MountIterPtr iter_;
};

std::size_t lineCount(std::string_view text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1; }

// The text parsed as two halves at once; null when no second thread can be
// had. Each half has its own libmount table, made here: libmount sets up its
// debugging state on first use, which must not happen on two threads at once.
std::optional<std::vector<MountEntry>> parsedOnTwoThreads(std::string& text, std::size_t lines) {
  SliceParser first;
  SliceParser second;
  // The second table learns the format from the text's first line, as one
  // table reading the whole text would.
  std::vector<MountEntry> ignored;
  if (!second.parse(text, 0, endOfLine(text, 0), ignored)) return std::vector<MountEntry>{};
  const std::size_t middle = endOfLine(text, text.size() / 2);
  std::future<std::optional<std::vector<MountEntry>>> secondHalf;
  try {
    secondHalf = std::async(std::launch::async, [&]() -> std::optional<std::vector<MountEntry>> {
      std::vector<MountEntry> entries;
      entries.reserve(lines / 2 + 1);
      if (!second.parse(text, middle, text.size(), entries)) return std::nullopt;
      return entries;
    });
  } catch (const std::system_error&) {
    return std::nullopt;
  }
  std::vector<MountEntry> entries;
  entries.reserve(lines);
  const bool firstParsed = first.parse(text, 0, middle, entries);
  std::optional<std::vector<MountEntry>> later = secondHalf.get();
  if (!firstParsed || !later) return std::vector<MountEntry>{};
  entries.insert(entries.end(), std::make_move_iterator(later->begin()), std::make_move_iterator(later->end()));
  return entries;
}

}  // namespace

std::vector<MountEntry> parseWithLibmount(std::string text) {
  const std::size_t lines = lineCount(text);
  if (lines >= kLinesForTwoThreads && std::thread::hardware_concurrency() > 1) {
    if (auto entries = parsedOnTwoThreads(text, lines)) return std::move(*entries);
  }
  std::vector<MountEntry> entries;
  entries.reserve(lines);
  SliceParser parser;
  if (!parser.parse(text, 0, text.size(), entries)) return {};
  return entries;
}

}  // namespace vantora::linux_backend
