# Test programs of the win32 build run under 32-bit Wine, in a prefix of this
# build's own; ctest creates it before the first test and stops its
# wineserver after the last.
set(ZEPHO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

# zepho_add_wine_test(NAME target [args...]): a test that needs the prefix.
# The tests share one wineserver and so one desktop, on which several open
# modal dialogs and drive them: they run one at a time, so that none meets
# another's windows, activation or focus.
function(zepho_add_wine_test name target)
  add_test(NAME ${name} COMMAND ${target} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
                                          RESOURCE_LOCK wine_desktop)
endfunction()

function(zepho_add_wine_fixture)
  add_test(NAME wine.prefix.setup COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/wine-prefix.sh setup ${ZEPHO_WINEPREFIX})
  add_test(NAME wine.prefix.stop COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/wine-prefix.sh stop ${ZEPHO_WINEPREFIX})
  set_tests_properties(wine.prefix.setup PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine.prefix.stop PROPERTIES FIXTURES_CLEANUP wine)
endfunction()
