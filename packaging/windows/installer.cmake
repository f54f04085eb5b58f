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
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\rzm417.exe")
# There is no licence to accept: no licence page (CPack would show its English
# placeholder text).
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
if(RZM_CONVERT)
    set(CPACK_NSIS_MUI_ICON ${ico})
    set(CPACK_NSIS_MUI_UNIICON ${ico})
endif()
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_URL_INFO_ABOUT "https://www.rzm417.example/")

# The program's file dialogs start in its working folder, and a person must never
# save into the install folder (not writable without administrator rights, and
# removed with the program). So the Start-menu entry starts the program in the
# person's own Documents folder: a shortcut's working folder is the output path
# at CreateShortCut, here with the variable that Windows expands for whoever
# starts it (the entry is shared by all users). The program still finds its help
# text and default file beside itself. A double-clicked .k83 file starts it in
# that file's folder (Explorer's choice, and that of Wine's start).
set(RZM_START_MENU_ENTRY "RZM-417 letöltő szoftver.lnk")
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
  StrCpy $OUTDIR \"%USERPROFILE%\\Documents\"
  CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\${RZM_START_MENU_ENTRY}\" \"$INSTDIR\\bin\\rzm417.exe\"
  SetOutPath \"$INSTDIR\"")
# The finish page offers to start the program, in the Documents folder of the
# one who installed it, as the Start menu would. Exec starts a program in the
# installer's own current folder, which only SetOutPath moves.
set(CPACK_NSIS_MUI_FINISHPAGE_RUN rzm417.exe)
set(CPACK_NSIS_DEFINES [=[
  !define MUI_FINISHPAGE_RUN_FUNCTION rzm417StartInDocuments
  Function rzm417StartInDocuments
    SetShellVarContext current
    SetOutPath $DOCUMENTS
    Exec '"$INSTDIR\bin\rzm417.exe"'
  FunctionEnd
]=])
# A .k83 file opens in the program. The type is ours only while it names our
# class, so uninstalling leaves a type that another program took over alone.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  WriteRegStr HKCR ".k83" "" "rzm417.k83"
  WriteRegStr HKCR "rzm417.k83" "" "RZM-417 konfigurációs fájl"
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
# The uninstaller's last steps: the program's Start-menu entry, and the maker's
# key once nothing is left in it.
set(CPACK_NSIS_DELETE_ICONS_EXTRA "
  Delete \"$SMPROGRAMS\\$MUI_TEMP\\${RZM_START_MENU_ENTRY}\"
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")

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
# Replaces a text of that script that must be there `count` times, so that a
# changed script stops the configuration instead of slipping through.
function(rzm_nsis_replace old new count)
    string(REPLACE "${old}" "" without "${nsis_template}")
    string(LENGTH "${nsis_template}" all)
    string(LENGTH "${without}" rest)
    string(LENGTH "${old}" one)
    math(EXPR found "(${all} - ${rest}) / ${one}")
    if(NOT found EQUAL count)
        message(FATAL_ERROR "CMake's NSIS template holds \"${old}\" ${found} times, not ${count}")
    endif()
    string(REPLACE "${old}" "${new}" nsis_template "${nsis_template}")
    set(nsis_template "${nsis_template}" PARENT_SCOPE)
endfunction()
# The uninstaller's Start-menu entry is named in Hungarian, as the program's is
# (created once, deleted at two places), and so are the question before an
# installation over an older one and its failure.
rzm_nsis_replace([=[\Uninstall.lnk"]=] [=[\RZM-417 eltávolítása.lnk"]=] 3)
rzm_nsis_replace([=["@CPACK_NSIS_PACKAGE_NAME@ is already installed. $\n$\nDo you want to uninstall the old version before installing the new one?"]=]
                 [=["A(z) @CPACK_NSIS_PACKAGE_NAME@ már telepítve van.$\n$\nEltávolítja a régi változatot az új telepítése előtt?"]=] 1)
rzm_nsis_replace([=["Uninstall failed."]=] [=["Az eltávolítás nem sikerült."]=] 1)
file(WRITE ${windows_generated}/nsis/NSIS.template.in "${bom}Target amd64-unicode\n${nsis_template}")
list(APPEND CMAKE_MODULE_PATH ${windows_generated}/nsis)
