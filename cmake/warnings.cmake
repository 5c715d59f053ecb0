# Our own targets build with every warning as an error; third-party code is
# never compiled through this function.
function(vantora_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      # Once GCC 12 inlines at -O2 and above it reports impossible overlaps
      # inside std::string (GCC bug 105329) and uninitialised reads inside
      # std::optional (GCC bug 80635); both are noise there.
      target_compile_options(${target} PRIVATE -Wno-restrict -Wno-maybe-uninitialized)
    endif()
  endif()
endfunction()
