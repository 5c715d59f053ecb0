#include "platform/make_system_queries.h"
#include "platform/conformance.h"

namespace vantora::testing {
namespace {

struct LinuxBackend {
  static std::unique_ptr<SystemQueries> make() { return makeSystemQueries(); }
  static std::string existingRoot() { return "/"; }
  static std::string missingRoot() { return "/nonexistent-vantora-drive"; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Linux, SystemQueriesConformance, LinuxBackend);

}  // namespace
}  // namespace vantora::testing
