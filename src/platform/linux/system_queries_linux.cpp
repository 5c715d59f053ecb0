#include "platform/make_system_queries.h"

namespace vantora {

std::unique_ptr<SystemQueries> makeSystemQueries() { return nullptr; }

}  // namespace vantora
