# What tarvex.exe needs beside it on Windows: the Qt libraries, the Qt plug-ins it loads (the
# window system, TGA map previews, SVG pictures and icon, the style of the error box) and, for a
# MinGW build, the compiler's runtime libraries that Qt's DLLs link to. The same list serves the
# install (windeployqt doesn't run in a cross build) and the build's bin folder, where the
# tests run, with the offscreen platform added for them.
#   tarvex_windows_runtime()   after find_package(Qt6 ...)

set(_tarvex_qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Svg)
# Plug-in target and the folder Qt looks for it in, in pairs.
set(_tarvex_qt_plugins
  Qt6::QWindowsIntegrationPlugin platforms
  Qt6::QTgaPlugin imageformats
  Qt6::QSvgPlugin imageformats
  Qt6::QICOPlugin imageformats
  Qt6::QSvgIconPlugin iconengines
  Qt6::QWindowsVistaStylePlugin styles)
set(_tarvex_mingw_runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)

# The MinGW runtime DLLs as this compiler links them (empty for MSVC).
function(_tarvex_mingw_runtime_files out)
  set(files)
  if(MINGW)
    get_filename_component(compiler_dir ${CMAKE_CXX_COMPILER} DIRECTORY)
    foreach(dll IN LISTS _tarvex_mingw_runtime)
      execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                      OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
      if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
        # Qt's own MinGW keeps them beside the compiler.
        set(found ${compiler_dir}/${dll})
      endif()
      if(NOT EXISTS "${found}")
        message(FATAL_ERROR "${dll}, which Qt's libraries need, was not found beside ${CMAKE_CXX_COMPILER}")
      endif()
      list(APPEND files ${found})
    endforeach()
  endif()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

function(tarvex_windows_runtime)
  if(NOT WIN32)
    return()
  endif()
  _tarvex_mingw_runtime_files(runtime)
  set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set(copies)
  foreach(library IN LISTS _tarvex_qt_libraries)
    install(FILES $<TARGET_FILE:${library}> DESTINATION ${CMAKE_INSTALL_BINDIR})
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${library}> ${bin})
  endforeach()
  install(FILES ${runtime} DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The compiler's runtime comes with its debugging symbols (libstdc++ is ten times its size
  # with them): a stripping install, as the players' zip is, strips the copies as it does the
  # programs.
  if(CMAKE_STRIP)
    foreach(file IN LISTS runtime)
      get_filename_component(name ${file} NAME)
      install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${name}\" COMMAND_ERROR_IS_FATAL ANY)
endif()")
    endforeach()
  endif()
  foreach(file IN LISTS runtime)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${bin})
  endforeach()
  set(plugins ${_tarvex_qt_plugins})
  if(TARGET Qt6::Test)
    # The tests' own: Qt's test library and the offscreen platform; players never need them.
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Qt6::Test> ${bin})
    list(APPEND plugins Qt6::QOffscreenIntegrationPlugin platforms)
  endif()
  while(plugins)
    list(POP_FRONT plugins plugin folder)
    if(NOT TARGET ${plugin})
      # Qt's installer has the TGA plug-in in its "Qt Image Formats" part.
      message(WARNING "${plugin} is not part of this Qt: the programs will do without it")
      continue()
    endif()
    if(NOT plugin STREQUAL "Qt6::QOffscreenIntegrationPlugin")
      install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
    endif()
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/${folder}
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}> ${bin}/${folder})
  endwhile()
  if(MSVC)
    # The Visual C++ runtime, which not every Windows has.
    set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${CMAKE_INSTALL_BINDIR})
    include(InstallRequiredSystemLibraries)
  endif()
  add_custom_target(tarvex_windows_runtime ALL ${copies}
    COMMENT "Putting the Qt and runtime libraries beside the programs")
  # Qt's licence travels with its libraries.
  if(EXISTS ${QT6_INSTALL_PREFIX}/LICENSES/LGPL-3.0-only.txt)
    install(FILES ${QT6_INSTALL_PREFIX}/LICENSES/LGPL-3.0-only.txt DESTINATION ${CMAKE_INSTALL_BINDIR}
            RENAME Qt-LGPL-3.0.txt)
  endif()
endfunction()
