#pragma once
#include <cstdio>
#include <exception>
#include <utility>

namespace vantora {

// Writes one line on stderr about the exception being handled; call it only
// inside a catch block. Plain fputs: it allocates nothing, and on Windows it
// comes straight from msvcrt.dll, where fprintf would bring in MinGW's own.
inline void reportCurrentException() noexcept {
  const char* what = "an exception of unknown type";
  try {
    throw;
  } catch (const std::exception& error) {
    what = error.what();
  } catch (...) {
  }
  std::fputs("vantora: ", stderr);
  std::fputs(what, stderr);
  std::fputs("\n", stderr);
}

// Runs one of the window's events where a front end hands it to the program.
// Neither Qt's event loop nor a window procedure can carry an exception back to
// its caller. A refresh turns one in its query steps into its failure path
// itself; one that still arrives here (the drive list or the computer name
// could not be read) is reported on stderr, and the window stays as the event
// left it and goes on working.
template <typename Event>
void runGuarded(Event&& event) noexcept {
  try {
    std::forward<Event>(event)();
  } catch (...) {
    reportCurrentException();
  }
}

}  // namespace vantora
