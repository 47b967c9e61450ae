# One place for the settings every target shares.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_library(mervanta_settings INTERFACE)
# Option structs are filled by designated initializers that name only what differs from the
# members' defaults, which this warning of -Wextra takes for a forgotten field.
target_compile_options(mervanta_settings INTERFACE
  -Wall -Wextra -Wno-missing-field-initializers -Wold-style-cast -Wnon-virtual-dtor
  $<$<CONFIG:Debug>:-Werror>)

if(MERVANTA_SANITIZE)
  target_compile_options(mervanta_settings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(mervanta_settings INTERFACE -fsanitize=address,undefined)
endif()

if(MERVANTA_FUZZ)
  target_compile_options(mervanta_settings INTERFACE -fsanitize=fuzzer-no-link,address,undefined -g)
  target_link_options(mervanta_settings INTERFACE -fsanitize=address,undefined)
endif()
