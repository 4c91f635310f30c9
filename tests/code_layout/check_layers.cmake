# Fails when an include goes against the layers (cmake -DROOT=<tree> -P this file):
#  - a file in src/core includes another folder of src: the core sees no subsystem;
#  - a file in a core folder includes src/ui or src/app: the core sees neither the
#    widgets nor the composition root (src/app must not see the widgets either);
#  - a file-format unit (src/*/*Format.h, *Format.cpp) includes, directly or through
#    the project headers it includes, window code: a Form header (*Form.h, *Forms.h),
#    the session, the platform, or anything of src/ui or src/app. A format reads and
#    writes bytes and nothing else.
cmake_minimum_required(VERSION 3.22)  # IN_LIST and list(POP_FRONT) in script mode
set(core_dirs core documents acquisition spacing models tools projection)
set(src ${ROOT}/src)

# The project headers a file includes ("folder/Name.h"), as paths under src.
function(project_includes file out)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][A-Za-z_]+/")
  set(found "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" included "${line}")
    list(APPEND found ${included})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(first_folder path out)
  string(REGEX REPLACE "/.*" "" folder "${path}")
  set(${out} ${folder} PARENT_SCOPE)
endfunction()

set(offenders "")

foreach(dir ${core_dirs} app)
  file(GLOB_RECURSE files ${src}/${dir}/*.h ${src}/${dir}/*.cpp)
  foreach(f ${files})
    project_includes(${f} includes)
    foreach(included IN LISTS includes)
      first_folder(${included} folder)
      if(NOT IS_DIRECTORY ${src}/${folder})
        continue()
      endif()
      if(dir STREQUAL "core" AND NOT folder STREQUAL "core")
        list(APPEND offenders "${f}: the core includes ${included}")
      elseif(folder STREQUAL "ui" OR (folder STREQUAL "app" AND NOT dir STREQUAL "app"))
        list(APPEND offenders "${f}: ${dir} includes ${included}")
      endif()
    endforeach()
  endforeach()
endforeach()

# Window code a format unit must not reach.
function(is_window_code path out)
  set(result FALSE)
  first_folder(${path} folder)
  if(path MATCHES "Forms?\\.h$" OR path STREQUAL "core/Session.h" OR path STREQUAL "core/Platform.h"
     OR folder STREQUAL "ui" OR folder STREQUAL "app")
    set(result TRUE)
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE format_units ${src}/*Format.h ${src}/*Format.cpp)
foreach(unit ${format_units})
  # Every project header the unit reaches, each followed once.
  project_includes(${unit} pending)
  set(seen "")
  while(pending)
    list(POP_FRONT pending included)
    if(included IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${included})
    is_window_code(${included} window)
    if(window)
      list(APPEND offenders "${unit}: a file format reaches window code ${included}")
    elseif(EXISTS ${src}/${included})
      project_includes(${src}/${included} more)
      list(APPEND pending ${more})
    endif()
  endwhile()
endforeach()

if(offenders)
  list(JOIN offenders "\n  " lines)
  message(FATAL_ERROR "Includes against the layers:\n  ${lines}")
endif()
