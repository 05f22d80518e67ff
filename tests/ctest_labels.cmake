# Gives the discovered GoogleTest tests of a program whose names match a pattern a ctest
# label, so that `ctest -L spice` runs (or `-LE spice` leaves out) the simulator runs. The
# names are known only once the program has listed them, so the labelling is a test-time
# script that ctest reads after the program's discovered tests.
function(tavrel_label_tests target label pattern)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_${label}_label.cmake)
  file(WRITE ${script}
"foreach(test IN LISTS ${target}_TESTS)
  if(test MATCHES \"${pattern}\")
    set_tests_properties(\"\${test}\" PROPERTIES LABELS ${label})
  endif()
endforeach()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()
