# The Windows packages, included by windows.cmake: rzm417-<version>-win64.zip and
# the installer rzm417-<version>-win64-setup.exe, made by cpack from the
# installed folder. Expects PROJECT_VERSION, CPACK_PACKAGE_VENDOR, windows_dir,
# windows_generated, and the icon (ico) when RZM_CONVERT found ImageMagick.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME rzm417-${PROJECT_VERSION}-win64)
# The installer is named ...-setup.exe (cpack reads this per generator).
set(CPACK_PROJECT_CONFIG_FILE ${windows_dir}/cpackconfig.cmake)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# One entry in the list of installed programs, whichever version is installed.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY rzm417)
# The installer's title and the Start-menu folder; the list of installed programs
# shows the display name with the version.
set(CPACK_NSIS_PACKAGE_NAME "RZM-417")
set(CPACK_NSIS_DISPLAY_NAME "RZM-417 letöltő szoftver ${PROJECT_VERSION}")
set(CPACK_PACKAGE_EXECUTABLES rzm417 "RZM-417 letöltő szoftver")
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\rzm417.exe")
if(RZM_CONVERT)
    set(CPACK_NSIS_MUI_ICON ${ico})
    set(CPACK_NSIS_MUI_UNIICON ${ico})
endif()
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_URL_INFO_ABOUT "https://www.rzm417.example/")
# A .k83 file opens in the program. The type is ours only while it names our
# class, so uninstalling leaves a type that another program took over alone.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  WriteRegStr HKCR ".k83" "" "rzm417.k83"
  WriteRegStr HKCR "rzm417.k83" "" "RZM-417 configuration"
  WriteRegStr HKCR "rzm417.k83\DefaultIcon" "" "$INSTDIR\bin\rzm417.exe,0"
  WriteRegStr HKCR "rzm417.k83\shell\open\command" "" '"$INSTDIR\bin\rzm417.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  ReadRegStr $0 HKCR ".k83" ""
  StrCmp $0 "rzm417.k83" 0 +2
    DeleteRegKey HKCR ".k83"
  DeleteRegKey HKCR "rzm417.k83"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
# The last of the uninstaller's steps: the maker's key, once nothing is left in it.
set(CPACK_NSIS_DELETE_ICONS_EXTRA "  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")

# The values above go into the installer script as they are written here.
set(CPACK_VERBATIM_VARIABLES ON)
# CMake's installer script, made a 64-bit installer (a 64-bit program in the
# 64-bit Program Files and registry), and a Unicode one, so the Hungarian names
# survive; it is UTF-8 and starts with the byte order mark, which stays first.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in nsis_template)
string(ASCII 239 187 191 bom)
string(SUBSTRING "${nsis_template}" 0 3 head)
if(head STREQUAL bom)
    string(SUBSTRING "${nsis_template}" 3 -1 nsis_template)
endif()
file(WRITE ${windows_generated}/nsis/NSIS.template.in "${bom}Target amd64-unicode\n${nsis_template}")
list(APPEND CMAKE_MODULE_PATH ${windows_generated}/nsis)
