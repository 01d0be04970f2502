# One interface target carries the project's compiler flags; every target links it.
add_library(moxilo_flags INTERFACE)
add_library(moxilo::flags ALIAS moxilo_flags)
target_compile_options(moxilo_flags INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                              -Wno-sign-conversion)
if(MOXILO_WARNINGS_AS_ERRORS)
  target_compile_options(moxilo_flags INTERFACE -Werror)
endif()
if(MOXILO_SANITIZE)
  target_compile_options(moxilo_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                -fno-sanitize-recover=undefined)
  target_link_options(moxilo_flags INTERFACE -fsanitize=address,undefined)
endif()
