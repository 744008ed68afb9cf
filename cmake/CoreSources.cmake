# The game's sources for one system: every .cpp of the game's folders but the programs' mains and
# the other system's files (skip_regex).
function(tavo2_core_sources out skip_regex)
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
  list(FILTER sources EXCLUDE REGEX "${skip_regex}")
  set(${out} ${sources} PARENT_SCOPE)
endfunction()
