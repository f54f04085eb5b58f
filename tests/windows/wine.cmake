# Included by tests/CMakeLists.txt when cross-building for Windows: ctest runs
# each test program through wine-run, in this build's own Wine prefix, which the
# test windows_prefix makes before the first of them (fixture "wine").
include(${PROJECT_SOURCE_DIR}/cmake/windowsparts.cmake)
set(RZM_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine)
# The offscreen platform of the window tests reads the font files of one folder.
string(REPLACE "/" "\\" RZM_WINE_FONTS "Z:${RZM_SHEET_FONTS}")
get_target_property(qt_core Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT qt_core)
    get_target_property(qt_core Qt6::Core IMPORTED_LOCATION)
endif()
cmake_path(GET qt_core PARENT_PATH qt_bin)
rzm_mingw_runtime_dirs(runtime_dirs)
set(wine_path)
foreach(dir IN ITEMS ${qt_bin} ${runtime_dirs})
    string(REPLACE "/" "\\" dir "Z:${dir}")
    list(APPEND wine_path "${dir}")
endforeach()
list(JOIN wine_path ";" RZM_WINE_PATH)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_BINARY_DIR}/wine-run)
# Under Wine a path of this machine is on drive Z:, and a test that moved into a
# temporary folder (on C:) must say so.
set(RZM_TEST_PATH_DRIVE Z:)

# Every test program: label "windows", run in the prefix.
function(rzm_under_wine)
    set_property(TEST ${ARGN} APPEND PROPERTY LABELS windows)
    set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED wine)
endfunction()
