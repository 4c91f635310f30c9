# Fails when a C++ source of the tree differs from the .clang-format layout,
# naming each such file. Layout fixtures of the other checks are left as they are.
cmake_minimum_required(VERSION 3.22)
file(GLOB_RECURSE files ${ROOT}/src/*.h ${ROOT}/src/*.cpp ${ROOT}/cli/*.h ${ROOT}/cli/*.cpp ${ROOT}/app/*.h
     ${ROOT}/app/*.cpp ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp ${ROOT}/bench/*.h ${ROOT}/bench/*.cpp
     ${ROOT}/fuzz/*.h ${ROOT}/fuzz/*.cpp)
list(FILTER files EXCLUDE REGEX "/tests/code_layout/fixtures/")
set(offenders "")
foreach(f ${files})
  execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${f} RESULT_VARIABLE code OUTPUT_QUIET ERROR_QUIET)
  if(NOT code EQUAL 0)
    file(RELATIVE_PATH relative ${ROOT} ${f})
    string(APPEND offenders "  ${relative}\n")
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "Not in the .clang-format layout (run clang-format -i on them):\n${offenders}")
endif()
