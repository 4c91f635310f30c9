# Fails when a source file of the core, the composition root, the command line
# or the desktop program includes a header of one operating system (POSIX,
# Linux, macOS or Windows) outside the few files that keep a branch for each
# system, one file per concern. Everything else uses the standard library,
# Qt, or those files.
cmake_minimum_required(VERSION 3.22)
set(allowed
  src/core/SystemFiles.cpp        # reading and safely replacing files, file dates, local time
  src/spacing/LargeBuffer.cpp     # memory in large pages
  cli/NativeModule.cpp            # the executable's folder and the picture module's loading
  cli/picture/PictureModule.cpp   # the picture module's off-screen start and quiet standard error
  src/ui/KeyboardState.cpp        # the lock keys' lights, where Qt does not tell them
)
# Headers of the C library that the standard library does not offer, by name.
set(system_headers
  "unistd|fcntl|dlfcn|dirent|glob|libgen|strings|pwd|grp|termios|pthread|poll|spawn|syslog|sched|semaphore"
  "|wordexp|fnmatch|ftw|netdb|ifaddrs|io|direct|process|windows|winbase|shlobj|shellapi|tchar")
string(JOIN "" system_headers ${system_headers})
set(pattern "^[ \t]*#[ \t]*include[ \t]*<((${system_headers})\\.h|(sys|arpa|netinet|linux|mach|mach-o|asm|X11)/[^>]*)>")
set(offenders "")
file(GLOB_RECURSE files ${ROOT}/src/*.h ${ROOT}/src/*.cpp ${ROOT}/cli/*.h ${ROOT}/cli/*.cpp
     ${ROOT}/app/*.h ${ROOT}/app/*.cpp)
foreach(f ${files})
  file(RELATIVE_PATH relative ${ROOT} ${f})
  if(relative IN_LIST allowed)
    continue()
  endif()
  file(STRINGS ${f} lines REGEX "${pattern}")
  foreach(line ${lines})
    string(STRIP "${line}" line)
    list(APPEND offenders "${relative}: ${line}")
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " listed)
  message(FATAL_ERROR "System headers outside the files that keep a branch for each system:\n  ${listed}")
endif()
