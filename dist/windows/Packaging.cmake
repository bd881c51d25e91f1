# The Windows installer (CPack's NSIS generator, Debian's makensis) and the
# portable zip: cpack in build-windows/ (scripts/package-windows.sh). The
# programs sit in bin/ with the Qt libraries, Qt's plugins in the folders Qt
# looks for beside them, and MinGW's runtime libraries; the licences in
# licenses/.
set(qt_prefix ${QT6_INSTALL_PREFIX})
foreach(lib Core Gui Widgets)
  install(FILES ${qt_prefix}/bin/Qt6${lib}.dll DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
foreach(plugins platforms imageformats styles)
  if(EXISTS ${qt_prefix}/plugins/${plugins})
    install(DIRECTORY ${qt_prefix}/plugins/${plugins} DESTINATION ${CMAKE_INSTALL_BINDIR} FILES_MATCHING PATTERN "*.dll")
  endif()
endforeach()
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE found
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}")
    set(found /usr/x86_64-w64-mingw32/lib/${dll})
  endif()
  install(FILES ${found} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# The licences go with what they cover: ours and the fonts' inside the
# programs, Qt's (LGPL 3, which builds on the GPL 3), and those of MinGW's
# runtime libraries (GCC's runtime library exception, winpthreads).
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION licenses RENAME LICENSE.txt)
install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright DESTINATION licenses RENAME copyright.txt)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licenses RENAME Qt-LGPL-3.0.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licenses RENAME GPL-3.0.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licenses RENAME MinGW-GCC-runtime.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licenses RENAME MinGW-w64.txt)

set(CPACK_PACKAGE_NAME "ZAV Quellix Touch")
set(CPACK_PACKAGE_VENDOR "ZAV")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the touch panels of a lighting-control network")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "ZAV Quellix Touch")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_FILE_NAME "quellix-touch-${PROJECT_VERSION}-windows-x64")
# A Start-menu entry for the editor.
set(CPACK_PACKAGE_EXECUTABLES "quellix-touch" "ZAV Quellix Touch")
set(CPACK_NSIS_DISPLAY_NAME "ZAV Quellix Touch")
set(CPACK_NSIS_PACKAGE_NAME "ZAV Quellix Touch")
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\quellix-touch.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# Projects (*.QXC) and screens (*.QXS) open in the editor.
set(open_command "'\\\"$INSTDIR\\\\bin\\\\quellix-touch.exe\\\" \\\"%1\\\"'")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  WriteRegStr HKCR '.QXC' '' 'ZAV.QuellixTouch.Project'
  WriteRegStr HKCR 'ZAV.QuellixTouch.Project' '' 'ZAV Quellix Touch project'
  WriteRegStr HKCR 'ZAV.QuellixTouch.Project\\\\shell\\\\open\\\\command' '' ${open_command}
  WriteRegStr HKCR '.QXS' '' 'ZAV.QuellixTouch.Screen'
  WriteRegStr HKCR 'ZAV.QuellixTouch.Screen' '' 'ZAV Quellix Touch screen'
  WriteRegStr HKCR 'ZAV.QuellixTouch.Screen\\\\shell\\\\open\\\\command' '' ${open_command}
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DeleteRegKey HKCR '.QXC'
  DeleteRegKey HKCR 'ZAV.QuellixTouch.Project'
  DeleteRegKey HKCR '.QXS'
  DeleteRegKey HKCR 'ZAV.QuellixTouch.Screen'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
")
set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_STRIP_FILES ON)
include(CPack)
