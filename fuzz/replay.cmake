# The fuzz targets' kept inputs, replayed by the suite's own build as tests
# (fuzz/replay.cpp): under the sanitizers in the sanitizer build, so that CI
# needs no build of its own for them. fuzz/run.sh still builds the targets
# with the fuzzing engine to find new inputs.
set(fuzz_folder ${CMAKE_SOURCE_DIR}/fuzz)

function(fuzz_replay name)
  add_executable(replay_${name} ${fuzz_folder}/${name}.cpp ${fuzz_folder}/harness.cpp ${fuzz_folder}/replay.cpp)
  target_include_directories(replay_${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(replay_${name} PRIVATE ${ARGN})
  add_test(NAME fuzz-corpus/${name} COMMAND replay_${name} ${fuzz_folder}/corpus/${name})
endfunction()

fuzz_replay(format records)
fuzz_replay(field_editing records)
foreach(program IN LISTS SUITE_PROGRAMS)
  if(EXISTS ${fuzz_folder}/${program}.cpp)
    fuzz_replay(${program} ${program}_lib plots)
  endif()
endforeach()
