# zepho.auf: the 32-bit plug-in DLL. Its only export, GetFilterTable, comes
# from the .def file (a dllexport as well would add a decorated second name).
add_library(zepho MODULE
  plugin/dll_main.cpp
  plugin/filter_table.cpp
  search/filter_window_proc.cpp
  plugin/zepho.def)
set_target_properties(zepho PROPERTIES PREFIX "" OUTPUT_NAME zepho SUFFIX ".auf")
target_link_libraries(zepho PRIVATE zepho_correction)
target_link_options(zepho PRIVATE -Wl,--no-insert-timestamp)
