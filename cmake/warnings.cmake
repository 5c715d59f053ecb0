# Our own targets build with a strict set of warnings; third-party code is
# never compiled through this function. Warnings become errors only where
# VANTORA_WERROR is on (every preset but the release ones), so a user's or a
# packager's newer compiler can add a warning without breaking their build.
option(VANTORA_WERROR "Treat warnings in Vantora's own code as errors" OFF)

function(vantora_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
    if(VANTORA_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wpedantic)
    if(VANTORA_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      # Once GCC 12 inlines at -O2 and above it reports impossible overlaps
      # inside std::string (GCC bug 105329) and uninitialised reads inside
      # std::optional (GCC bug 80635); both are noise there.
      target_compile_options(${target} PRIVATE -Wno-restrict -Wno-maybe-uninitialized)
    endif()
  endif()
endfunction()
