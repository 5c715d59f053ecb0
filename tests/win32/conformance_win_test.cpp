// The shared backend conformance suite on the drives of the test prefix
// (wine_prefix.sh): c: is wine's own fixed disk, z: the host's root, q: has
// nothing behind it.

#include "platform/conformance.h"
#include "platform/make_system_queries.h"

namespace vantora::testing {
namespace {

struct WineDriveC {
  static std::unique_ptr<SystemQueries> make() { return makeSystemQueries(); }
  static std::string existingRoot() { return "c:\\"; }
  static std::string missingRoot() { return "q:\\"; }
};

struct WineDriveZ {
  static std::unique_ptr<SystemQueries> make() { return makeSystemQueries(); }
  static std::string existingRoot() { return "z:\\"; }
  static std::string missingRoot() { return "Q:\\"; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(WineC, SystemQueriesConformance, WineDriveC);
INSTANTIATE_TYPED_TEST_SUITE_P(WineZ, SystemQueriesConformance, WineDriveZ);

}  // namespace
}  // namespace vantora::testing
