# What a Windows build takes from the machine it is built on, for the installed
# folder (packaging/windows) and for the tests under Wine (tests/windows).

set(RZM_SHEET_FONTS /usr/share/fonts/truetype/dejavu CACHE PATH "Where the DejaVu fonts are (Debian: fonts-dejavu-core)")
set(RZM_SHEET_FONTS_LICENSE /usr/share/doc/fonts-dejavu-core/copyright CACHE FILEPATH "The DejaVu fonts' licence")

# The folders of the mingw runtime DLLs (libstdc++, libgcc_s_seh, libwinpthread)
# that a cross-built program needs beside it or on its path, as the compiler
# finds them.
function(rzm_mingw_runtime_dirs out)
    set(dirs)
    foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not find ${runtime}")
        endif()
        cmake_path(GET found PARENT_PATH dir)
        cmake_path(NORMAL_PATH dir)
        string(REGEX REPLACE "/$" "" dir "${dir}")
        list(APPEND dirs ${dir})
    endforeach()
    list(REMOVE_DUPLICATES dirs)
    set(${out} ${dirs} PARENT_SCOPE)
endfunction()
