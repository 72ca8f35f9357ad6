# Compile options of everything that goes into the plug-in. The host calls
# with the stack aligned to 4 bytes only, so on win32 every function that
# needs more realigns it itself; the DLL stays free of exceptions and RTTI.
add_library(zepho_options INTERFACE)
target_include_directories(zepho_options INTERFACE ${CMAKE_SOURCE_DIR})
target_compile_options(zepho_options INTERFACE -Wall -Wextra -Wno-missing-field-initializers -fno-exceptions -fno-rtti)
if(ZEPHO_WIN32)
  target_compile_options(zepho_options INTERFACE -mincoming-stack-boundary=2)
endif()
