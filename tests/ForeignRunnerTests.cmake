# Every runner script and the playthrough through another build's runner (the Windows build's under
# Wine, the web build's under node), with the same expected output as on Linux. Scripts that set up
# POSIX file states (permissions as another user, symbolic links, FIFOs, a lock held with flock)
# stay Linux's: neither has such states to offer, and the Windows save file has its own tests.
function(tavo2_foreign_runner_tests runner savegen)
  file(GLOB scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/scripts/*.script)
  foreach(script ${scripts})
    get_filename_component(name ${script} NAME_WE)
    file(STRINGS ${script} posix_setup REGEX "^#! (as-user|hold-lock|sh .*(ln -s|mkfifo|chmod))")
    if(posix_setup)
      continue()
    endif()
    add_test(NAME script.${name}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/run-script-test.sh ${runner} ${savegen} ${script})
    set_tests_properties(script.${name} PROPERTIES TIMEOUT 120)
  endforeach()
  add_test(NAME playthrough
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/playthrough/run-playthrough.sh ${runner} ${savegen}
                   ${CMAKE_SOURCE_DIR}/tests/playthrough)
  set_tests_properties(playthrough PROPERTIES TIMEOUT 300)
endfunction()
