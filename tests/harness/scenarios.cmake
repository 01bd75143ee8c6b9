# The CMake side of the harness: the functions that register its tests.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(RALLO2_TRANSCRIPT ${CMAKE_CURRENT_LIST_DIR}/transcript.py)

# rallo2_add_cases(LABEL DRIVER PYTHON ARGS... CASES NAME:TIMEOUT...)
# One test LABEL.NAME a case, each running DRIVER with ARGS and the case's
# name under PYTHON, in seconds TIMEOUT; the drivers keep their own deadlines
# well inside these, so a stuck state fails with a message rather than a kill.
function(rallo2_add_cases label)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DRIVER;PYTHON" "ARGS;CASES")
  if(NOT arg_PYTHON)
    set(arg_PYTHON ${Python3_EXECUTABLE})
  endif()
  foreach(entry IN LISTS arg_CASES)
    string(REPLACE ":" ";" parts ${entry})
    list(GET parts 0 case)
    list(GET parts 1 timeout)
    add_test(NAME ${label}.${case} COMMAND ${arg_PYTHON} ${arg_DRIVER} ${arg_ARGS} ${case})
    set_tests_properties(${label}.${case} PROPERTIES TIMEOUT ${timeout} LABELS ${label})
  endforeach()
endfunction()

# rallo2_add_transcripts(PREFIX [LABEL L] [TIMEOUT S] [VALGRIND V] RUN COMMAND...)
# One test PREFIX.NAME for every tests/scripts/NAME.sim, its transcript
# checked byte for byte through COMMAND (under V's memcheck if given).
function(rallo2_add_transcripts prefix)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "LABEL;TIMEOUT;VALGRIND" "RUN")
  set(memcheck)
  if(arg_VALGRIND)
    set(memcheck --valgrind ${arg_VALGRIND})
  endif()
  file(GLOB scripts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/scripts/*.sim)
  foreach(script IN LISTS scripts)
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME ${prefix}.${name}
      COMMAND ${Python3_EXECUTABLE} ${RALLO2_TRANSCRIPT} ${memcheck}
        ${PROJECT_SOURCE_DIR}/tests/scripts/${name} ${arg_RUN})
    if(arg_LABEL)
      set_tests_properties(${prefix}.${name} PROPERTIES LABELS ${arg_LABEL})
    endif()
    if(arg_TIMEOUT)
      set_tests_properties(${prefix}.${name} PROPERTIES TIMEOUT ${arg_TIMEOUT})
    endif()
  endforeach()
endfunction()
