# The web build (make web, make web-test), compiled by Debian's em++ from the copy of the sources
# whose texts are already CP932 (tests/fuzz/cp932_literals.cpp), as clang cannot compile them so.
# Two programs: the runner for node, real files through node's file system (the tests), and the
# game in a page (web/page/). The pictures and the CP932 table come from a Linux build.
set(TAVO2_PACKED_ART "" CACHE FILEPATH "art/ArtPictures.cpp of a Linux build of these sources")
set(TAVO2_CP932_TABLE "" CACHE FILEPATH "the CP932 table tavo2-cp932-table of a Linux build wrote")
set(TAVO2_HOST_BUILD "" CACHE PATH "a Linux build of these sources, whose tavo2-savegen the tests use")
foreach(input TAVO2_PACKED_ART TAVO2_CP932_TABLE)
  if(NOT EXISTS "${${input}}")
    message(FATAL_ERROR "${input} must name a file of a Linux build (make web does)")
  endif()
endforeach()
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_EXECUTABLE_SUFFIX .js)
set(web_dir ${CMAKE_CURRENT_LIST_DIR})

include(${CMAKE_SOURCE_DIR}/cmake/CoreSources.cmake)
# Both programs share the CP932 table; Emscripten's own zlib is a port it would download, so
# Debian's stb stands in for it (web/zlib).
set(web_shared ${TAVO2_PACKED_ART} ${TAVO2_CP932_TABLE} ${web_dir}/zlib/zlib_stb.cpp)
set_source_files_properties(${TAVO2_PACKED_ART} PROPERTIES COMPILE_OPTIONS -Wno-overlength-strings)
set_source_files_properties(${web_dir}/zlib/zlib_stb.cpp PROPERTIES COMPILE_OPTIONS -w)
add_compile_options(-isystem /usr/include/stb)
include_directories(BEFORE ${web_dir}/zlib)

# The runner under node: the save file and its lock as on Linux, through node's own file system;
# the glyphs from the IPA font files with stb_truetype. It throws to end a script, so it is built
# with exceptions, which the page does without.
tavo2_core_sources(NODE_SOURCES "(/(Process|SaveFile|SaveLock)_posix|/Encoding_web|_node)\\.cpp$")
add_library(tavo2core-node STATIC ${NODE_SOURCES} ${web_shared})
target_include_directories(tavo2core-node PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(tavo2core-node PUBLIC -fexceptions)
target_link_options(tavo2core-node PUBLIC -fexceptions -sENVIRONMENT=node -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1
                    -sEXIT_RUNTIME=1)

file(GLOB RUNNER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
list(FILTER RUNNER_SOURCES EXCLUDE REGEX ".*/main_[a-z]+\\.cpp$")
add_library(tavo2runner STATIC ${RUNNER_SOURCES})
target_link_libraries(tavo2runner PUBLIC tavo2core-node)
add_executable(tavo2-script tools/main_script.cpp)
target_link_libraries(tavo2-script PRIVATE tavo2runner)
# Run as a program: node's fetch stays off (node 20 would take the page's loader for it).
set(TAVO2_NODE ${web_dir}/node.sh)
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/tavo2-script
     CONTENT "#!/bin/sh\nexec bash '${TAVO2_NODE}' '$<TARGET_FILE:tavo2-script>' \"$@\"\n"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The game in a page: the page's own twins (WebPlatform, *_web) over web/page/library_tavo2.js.
# The waits for the next event, a timer, the save or the lock yield to the browser (ASYNCIFY).
set(TAVO2_SITE "${CMAKE_BINARY_DIR}/site" CACHE PATH "where make web writes the page's static files")
tavo2_core_sources(PAGE_SOURCES "(/Web[A-Za-z]*|_web|/Process_posix)\\.cpp$")
add_library(tavo2core-page STATIC ${PAGE_SOURCES} ${web_shared})
target_include_directories(tavo2core-page PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(tavo2core-page PUBLIC -fno-exceptions)
set(page_library ${web_dir}/page/library_tavo2.js)
set(page_imports tavo2_page_wait tavo2_page_save_read tavo2_page_save_keep_aside tavo2_page_save_write tavo2_page_lock)
string(REPLACE ";" "," page_imports "${page_imports}")
target_link_options(tavo2core-page PUBLIC -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 -sDYNAMIC_EXECUTION=0
                    -sASYNCIFY -sASYNCIFY_IMPORTS=[${page_imports}] --js-library ${page_library})
add_executable(tavo2-page app/main_game.cpp ${web_dir}/page/leaving.cpp)
target_link_libraries(tavo2-page PRIVATE tavo2core-page)
target_link_options(tavo2-page PRIVATE -sEXPORTED_FUNCTIONS=[_main,_tavo2_page_unsaved])
set_target_properties(tavo2-page PROPERTIES OUTPUT_NAME tavo2 LINK_DEPENDS ${page_library})

file(GLOB page_files CONFIGURE_DEPENDS ${web_dir}/page/*)
add_custom_target(tavo2-site ALL
  COMMAND bash ${web_dir}/page/site.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${TAVO2_SITE}
  DEPENDS tavo2-page ${page_files} ${CMAKE_SOURCE_DIR}/resources/desktop/pomuru.svg
  COMMENT "Writing the page to ${TAVO2_SITE}" VERBATIM)

# The README's figures (make web-figures, tests/web/figures.py): the desktop's timer program in a page.
add_executable(tavo2-timer-lateness EXCLUDE_FROM_ALL tests/bench/timer_lateness/main.cpp)
target_link_libraries(tavo2-timer-lateness PRIVATE tavo2core-page)
target_link_options(tavo2-timer-lateness PRIVATE -sEXIT_RUNTIME=1)
target_compile_options(tavo2-timer-lateness PRIVATE -Wno-unused-private-field)  # clang sees what GCC lets be
set_target_properties(tavo2-timer-lateness PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/timer)
configure_file(tests/web/timer/timer.html ${CMAKE_BINARY_DIR}/timer/index.html COPYONLY)

enable_testing()
add_subdirectory(tests/web)
