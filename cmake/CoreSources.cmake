# The game's sources for one system: every .cpp of the game's folders but the programs' mains; of
# the OS seams' twins (*_posix, *_win32, *_web, *_node, Sdl*, Win32*, Web*) only those whose path
# matches system_regex.
function(tavo2_core_sources out system_regex)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/framework/*.cpp
    ${CMAKE_SOURCE_DIR}/state/*.cpp
    ${CMAKE_SOURCE_DIR}/resources/*.cpp
    ${CMAKE_SOURCE_DIR}/app/*.cpp
    ${CMAKE_SOURCE_DIR}/fishing/*.cpp
    ${CMAKE_SOURCE_DIR}/results/*.cpp
    ${CMAKE_SOURCE_DIR}/shops/*.cpp
    ${CMAKE_SOURCE_DIR}/quests/*.cpp
    ${CMAKE_SOURCE_DIR}/platform/*.cpp)
  list(FILTER sources EXCLUDE REGEX ".*/main_[a-z]+\\.cpp$")
  set(picked)
  foreach(source ${sources})
    if(NOT source MATCHES "(/Sdl[A-Za-z]*|/Win32[A-Za-z]*|/Web[A-Za-z]*|_posix|_win32|_web|_node)\\.cpp$"
       OR source MATCHES "${system_regex}")
      list(APPEND picked ${source})
    endif()
  endforeach()
  set(${out} ${picked} PARENT_SCOPE)
endfunction()
