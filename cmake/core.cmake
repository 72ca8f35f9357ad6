# The portable core: host records, the gain table and the frame correction,
# the gain estimation. Built natively and for 32-bit Windows alike.

# Compile options of everything that goes into the plug-in. The host calls
# with the stack aligned to 4 bytes only, so on win32 every function that
# needs more realigns it itself; the DLL stays free of exceptions and RTTI.
add_library(zepho_options INTERFACE)
target_include_directories(zepho_options INTERFACE ${CMAKE_SOURCE_DIR})
target_compile_options(zepho_options INTERFACE -Wall -Wextra -fno-exceptions -fno-rtti)
if(ZEPHO_WIN32)
  target_compile_options(zepho_options INTERFACE -mincoming-stack-boundary=2)
endif()

add_library(zepho_correction STATIC
  correction/column_gain_table.cpp
  correction/cpu_features.cpp
  correction/process_frame.cpp
  correction/blend_line_c.cpp
  correction/blend_line_sse2.cpp
  correction/blend_line_avx2.cpp
  correction/blend_line_select.cpp)
target_link_libraries(zepho_correction PUBLIC zepho_options)
# The reference stays scalar; each fast path gets exactly its own extension,
# the rest of the 32-bit code none, so it runs on a CPU without SSE2.
set_source_files_properties(correction/blend_line_c.cpp PROPERTIES COMPILE_OPTIONS "-fno-tree-vectorize")
set_source_files_properties(correction/blend_line_sse2.cpp PROPERTIES COMPILE_OPTIONS "-msse2")
set_source_files_properties(correction/blend_line_avx2.cpp PROPERTIES COMPILE_OPTIONS "-mavx2")
