# The Windows build (make windows), cross-compiled with MinGW-w64 (windows/Toolchain.cmake): the same
# sources as on Linux but for the OS seams, *_win32.cpp and Win32Platform in place of *_posix.cpp and
# SdlPlatform. The pictures come packed from the Linux build, which renders them (TAVO2_PACKED_ART).
set(TAVO2_VERSION "2.11")
set(TAVO2_PACKED_ART "" CACHE FILEPATH "art/ArtPictures.cpp of a Linux build of these sources")
set(TAVO2_HOST_BUILD "" CACHE PATH "a Linux build of these sources, whose tavo2-savegen the tests use")
if(NOT EXISTS "${TAVO2_PACKED_ART}")
  message(FATAL_ERROR "TAVO2_PACKED_ART must name the packed pictures of a Linux build (make windows does)")
endif()
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# Nothing but Windows' own DLLs: no MinGW runtime travels with the game.
add_link_options(-static -static-libgcc -static-libstdc++)
set(windows_dir ${CMAKE_CURRENT_LIST_DIR})

include(${CMAKE_SOURCE_DIR}/cmake/CoreSources.cmake)
tavo2_core_sources(CORE_SOURCES "(/Win32[A-Za-z]*|_win32)\\.cpp$")
add_library(tavo2core STATIC ${CORE_SOURCES} ${TAVO2_PACKED_ART})
set_source_files_properties(${TAVO2_PACKED_ART} PROPERTIES COMPILE_OPTIONS -Wno-overlength-strings)
target_include_directories(tavo2core PUBLIC ${CMAKE_SOURCE_DIR})
# Unicode Win32 calls; winmm for the 1 ms timer resolution.
target_compile_definitions(tavo2core PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)  # the packed pictures and the runner's PNGs
target_link_libraries(tavo2core PUBLIC ZLIB::ZLIB gdi32 user32 winmm)

file(GLOB RUNNER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
list(FILTER RUNNER_SOURCES EXCLUDE REGEX ".*/main_[a-z]+\\.cpp$")
add_library(tavo2runner STATIC ${RUNNER_SOURCES})
target_link_libraries(tavo2runner PUBLIC tavo2core)

# The program's icon for Explorer and the taskbar, from the desktop icon's SVG.
find_program(TAVO2_RSVG rsvg-convert REQUIRED)
find_program(TAVO2_CONVERT NAMES convert-im6.q16 convert-im6 REQUIRED)
set(icon_pngs)
foreach(size 16 24 32 48 64 256)
  set(png ${CMAKE_BINARY_DIR}/icon/${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icon
    COMMAND ${TAVO2_RSVG} -w ${size} -h ${size} ${CMAKE_SOURCE_DIR}/resources/desktop/pomuru.svg -o ${png}
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/desktop/pomuru.svg VERBATIM)
  list(APPEND icon_pngs ${png})
endforeach()
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/icon/tavo2.ico
  COMMAND ${TAVO2_CONVERT} ${icon_pngs} ${CMAKE_BINARY_DIR}/icon/tavo2.ico
  DEPENDS ${icon_pngs} VERBATIM)
# windres is run by hand: the project's compile options are for C++ only.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/icon/tavo2-res.o
  COMMAND ${CMAKE_RC_COMPILER} -I ${CMAKE_BINARY_DIR}/icon -i ${windows_dir}/tavo2.rc -o ${CMAKE_BINARY_DIR}/icon/tavo2-res.o
  DEPENDS ${windows_dir}/tavo2.rc ${CMAKE_BINARY_DIR}/icon/tavo2.ico VERBATIM)

add_executable(tavo2 WIN32 app/main_game.cpp ${CMAKE_BINARY_DIR}/icon/tavo2-res.o)
target_link_libraries(tavo2 PRIVATE tavo2core)
target_compile_definitions(tavo2 PRIVATE TAVO2_VERSION="${TAVO2_VERSION}")

add_executable(tavo2-script tools/main_script.cpp)
target_link_libraries(tavo2-script PRIVATE tavo2runner)

# The fonts travel with the programs: fonts/ beside them, registered privately at start.
find_file(TAVO2_IPAG ipag.ttf PATHS /usr/share/fonts/opentype/ipafont-gothic NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_file(TAVO2_IPAGP ipagp.ttf PATHS /usr/share/fonts/opentype/ipafont-gothic NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT TAVO2_IPAG OR NOT TAVO2_IPAGP)
  message(FATAL_ERROR "the IPA fonts are missing (Debian package fonts-ipafont-gothic)")
endif()
file(COPY ${TAVO2_IPAG} ${TAVO2_IPAGP} DESTINATION ${CMAKE_BINARY_DIR}/fonts)

# Programs of this build run under Wine here, in a prefix of the build's own.
set(TAVO2_WINE ${windows_dir}/wine.sh)
foreach(program tavo2 tavo2-script)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/${program}
       CONTENT "#!/bin/sh\nexec bash '${TAVO2_WINE}' '$<TARGET_FILE:${program}>' \"$@\"\n"
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()

# The .zip a player copies to a Windows machine: the game, its fonts and their licence, a read-me.
set(TAVO2_ZIP ${CMAKE_BINARY_DIR}/pomuru-${TAVO2_VERSION}-windows.zip)
add_custom_command(OUTPUT ${TAVO2_ZIP}
  COMMAND bash ${windows_dir}/package.sh $<TARGET_FILE:tavo2> ${CMAKE_BINARY_DIR}/fonts ${windows_dir}/readme-ja.txt
          ${TAVO2_ZIP} ${CMAKE_STRIP}
  DEPENDS tavo2 ${windows_dir}/package.sh ${windows_dir}/readme-ja.txt
  COMMENT "Packing ${TAVO2_ZIP}" VERBATIM)
add_custom_target(tavo2-zip ALL DEPENDS ${TAVO2_ZIP})
enable_testing()
add_subdirectory(tests/windows)
