# Puts beside the installed programs every DLL they need that Windows does not
# bring: the import tables of the programs and plugins are followed with objdump
# ("DLL Name:"), each DLL found in the search folders is copied and followed in
# turn, and the copies are stripped. Run at install time (windows.cmake), with
#   RZM_DEPLOY_BIN       the installed bin folder
#   RZM_DEPLOY_PROGRAMS  the programs in it
#   RZM_DEPLOY_PLUGINS   Qt plugins as "folder=path" (platforms=.../qwindows.dll)
#   RZM_DEPLOY_SEARCH    where the Qt and mingw DLLs are
#   RZM_OBJDUMP, RZM_STRIP  the cross binutils
cmake_policy(PUSH)
cmake_policy(VERSION 3.25) # included by the install script, which sets none

# The DLLs of Windows itself. A DLL neither here nor in the search folders ends
# the install: a folder that lacks one would not start on a user's machine.
set(windows_own
    advapi32 authz bcrypt cfgmgr32 comctl32 comdlg32 crypt32 d2d1 d3d11 d3d12 d3d9 dnsapi dwmapi dwrite
    dxgi gdi32 imm32 iphlpapi kernel32 mpr msvcrt ncrypt netapi32 ntdll ole32 oleaut32 propsys rpcrt4
    secur32 setupapi shcore shell32 shlwapi user32 userenv uxtheme version winmm winspool ws2_32 wtsapi32)

function(deploy_fail text)
    message(FATAL_ERROR "deploy: ${text}")
endfunction()

# Every DLL of the search folders by its name in lower case; the first folder wins.
set(known)
foreach(dir IN LISTS RZM_DEPLOY_SEARCH)
    file(GLOB dlls "${dir}/*.dll")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" key)
        if(NOT key IN_LIST known)
            list(APPEND known "${key}")
            set("path_${key}" "${dll}")
        endif()
    endforeach()
endforeach()

# The plugins go into their folders under bin/.
set(queue)
foreach(program IN LISTS RZM_DEPLOY_PROGRAMS)
    list(APPEND queue "${RZM_DEPLOY_BIN}/${program}")
endforeach()
set(copies)
foreach(plugin IN LISTS RZM_DEPLOY_PLUGINS)
    string(REPLACE "=" ";" parts "${plugin}")
    list(GET parts 0 folder)
    list(GET parts 1 source)
    file(COPY "${source}" DESTINATION "${RZM_DEPLOY_BIN}/${folder}")
    get_filename_component(name "${source}" NAME)
    list(APPEND queue "${RZM_DEPLOY_BIN}/${folder}/${name}")
    list(APPEND copies "${RZM_DEPLOY_BIN}/${folder}/${name}")
endforeach()

# The walk: each file's imports, once each.
set(seen)
set(system)
while(queue)
    list(POP_FRONT queue file)
    execute_process(COMMAND "${RZM_OBJDUMP}" -p "${file}" OUTPUT_VARIABLE dump RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        deploy_fail("${RZM_OBJDUMP} cannot read ${file}")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
    foreach(line IN LISTS imports)
        string(REGEX REPLACE "^DLL Name: *" "" name "${line}")
        string(STRIP "${name}" name)
        string(TOLOWER "${name}" key)
        if(key IN_LIST seen)
            continue()
        endif()
        list(APPEND seen "${key}")
        if(key IN_LIST known)
            get_filename_component(found "${path_${key}}" NAME)
            file(COPY "${path_${key}}" DESTINATION "${RZM_DEPLOY_BIN}")
            list(APPEND queue "${RZM_DEPLOY_BIN}/${found}")
            list(APPEND copies "${RZM_DEPLOY_BIN}/${found}")
            continue()
        endif()
        string(REGEX REPLACE "\\.(dll|drv)$" "" base "${key}")
        if(base IN_LIST windows_own OR base MATCHES "^(api|ext)-ms-win-")
            list(APPEND system "${name}")
        else()
            get_filename_component(from "${file}" NAME)
            deploy_fail("${from} needs ${name}, found neither in ${RZM_DEPLOY_SEARCH} nor among Windows' own DLLs")
        endif()
    endforeach()
endwhile()

foreach(copy IN LISTS copies)
    execute_process(COMMAND "${RZM_STRIP}" --strip-unneeded "${copy}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
list(LENGTH copies count)
list(SORT system)
string(REPLACE ";" " " system "${system}")
message(STATUS "deploy: ${count} DLLs and plugins beside the programs; from Windows: ${system}")
cmake_policy(POP)
