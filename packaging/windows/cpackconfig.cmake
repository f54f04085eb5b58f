# Read by cpack for each generator: the installer is rzm417-<version>-win64-setup.exe
# beside the ZIP rzm417-<version>-win64.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
