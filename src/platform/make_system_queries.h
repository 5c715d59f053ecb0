#pragma once
#include <memory>

#include "platform/system_queries.h"

namespace vantora {

// The queries of the system this build is for (the build picks the platform folder).
std::unique_ptr<SystemQueries> makeSystemQueries();

}  // namespace vantora
