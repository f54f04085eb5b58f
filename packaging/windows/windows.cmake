# The Windows side of the install rules and packages, included by
# packaging/CMakeLists.txt. An installed folder runs on a machine without Qt:
#   bin/                  the programs, the Qt and mingw DLLs they import, and the
#                         plugins platforms/qwindows, platforms/qoffscreen (the
#                         sheet of rzm417-cli) and styles/qwindowsvistastyle
#   share/rzm417/         the help text (code page 1250), the default configuration,
#                         and fonts/ with the DejaVu fonts the sheet is set in
# cpack builds rzm417-<version>-win64.zip and rzm417-<version>-win64-setup.exe from it.

set(windows_dir ${CMAKE_CURRENT_SOURCE_DIR}/windows)
set(windows_generated ${CMAKE_CURRENT_BINARY_DIR}/generated/windows)
file(MAKE_DIRECTORY ${windows_generated})

# --- The version resource and the icon of both programs ------------------------
# The icon is put together from the desktop's icons (tools/drawimages drew them).
find_program(RZM_CONVERT NAMES convert-im6.q16 convert magick)
set(RZM_ICON_LINE "")
if(RZM_CONVERT)
    set(ico ${windows_generated}/rzm417.ico)
    set(pngs)
    foreach(size 16 24 32 48 64 256)
        list(APPEND pngs ${CMAKE_CURRENT_SOURCE_DIR}/data/icons/hicolor/${size}x${size}/apps/rzm417.png)
    endforeach()
    execute_process(COMMAND ${RZM_CONVERT} ${pngs} ${ico} COMMAND_ERROR_IS_FATAL ANY)
    set(RZM_ICON_LINE "1 ICON \"${ico}\"")
else()
    message(WARNING "ImageMagick's convert is missing: the Windows programs get no icon")
endif()
foreach(program rzm417 rzm417-cli)
    set(RZM_RC_PROGRAM ${program})
    configure_file(${windows_dir}/version.rc.in ${windows_generated}/${program}.rc @ONLY)
    target_sources(${program} PRIVATE ${windows_generated}/${program}.rc)
endforeach()

# --- The sheet's fonts ----------------------------------------------------------
include(${PROJECT_SOURCE_DIR}/cmake/windowsparts.cmake)
install(FILES ${RZM_SHEET_FONTS}/DejaVuSans.ttf ${RZM_SHEET_FONTS}/DejaVuSans-Bold.ttf
              ${RZM_SHEET_FONTS}/DejaVuSansMono.ttf ${RZM_SHEET_FONTS}/DejaVuSansMono-Bold.ttf
        DESTINATION ${RZM_DATA_DIR}/fonts)
install(FILES ${RZM_SHEET_FONTS_LICENSE} DESTINATION ${RZM_DATA_DIR}/fonts RENAME LICENSE.txt)

# --- The libraries and plugins beside the programs ------------------------------
if(NOT CMAKE_CROSSCOMPILING)
    # A native build with Qt's installer: Qt's deployment script (windeployqt).
    foreach(program rzm417 rzm417-cli)
        if(Qt6_VERSION VERSION_LESS 6.5)
            qt_generate_deploy_app_script(TARGET ${program} FILENAME_VARIABLE deploy_script)
        else()
            qt_generate_deploy_app_script(TARGET ${program} OUTPUT_SCRIPT deploy_script)
        endif()
        install(SCRIPT ${deploy_script})
    endforeach()
else()
    # Cross-built, there is no windeployqt: deploy.cmake follows the import tables.
    find_program(RZM_MINGW_OBJDUMP NAMES x86_64-w64-mingw32-objdump REQUIRED)
    find_program(RZM_MINGW_STRIP NAMES x86_64-w64-mingw32-strip REQUIRED)
    rzm_mingw_runtime_dirs(runtime_dirs)
    set(search_dirs "$<TARGET_FILE_DIR:Qt6::Core>" ${runtime_dirs})
    set(plugins
        "platforms=$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>"
        "platforms=$<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>"
        "styles=$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>")
    install(CODE "
        set(RZM_DEPLOY_BIN \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        set(RZM_DEPLOY_PROGRAMS \"rzm417.exe;rzm417-cli.exe\")
        set(RZM_DEPLOY_PLUGINS \"${plugins}\")
        set(RZM_DEPLOY_SEARCH \"${search_dirs}\")
        set(RZM_OBJDUMP \"${RZM_MINGW_OBJDUMP}\")
        set(RZM_STRIP \"${RZM_MINGW_STRIP}\")
        include(\"${windows_dir}/deploy.cmake\")
    ")
endif()

# --- The packages: the ZIP and the installer -----------------------------------
include(${windows_dir}/installer.cmake)
