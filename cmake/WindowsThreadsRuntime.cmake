# Links the executables of the directory that includes this file with GCC's C++ runtime built for
# Windows' own threads, from the same GCC release as the compiler (Debian's g++-mingw-w64-*-win32).
#
# Why: the compiler's own runtime (posix threads, which GoogleTest and the tests' std::thread
# need) takes the whole POSIX-threads library, 33 KB, into any program that throws an exception,
# and with it std::thread's and std::mutex's error classes. The program's code uses no thread,
# lock or clock of the C++ library (platform/Threads.h, platform/SteadyClock.h), so the
# Windows-threads runtime, which has none of them, serves it. The objects are compiled by the
# posix compiler and linked by the other: both must be one GCC release (checked below; the
# link-time optimiser would refuse objects of another anyway). Anything that still asks for a POSIX-threads
# function (a std::mutex creeping back in) fails to link, naming it.
if(NOT DEFINED MINGW_PREFIX)
  return()
endif()
find_program(QT_WINDOWS_THREADS_CXX ${MINGW_PREFIX}-g++-win32)
if(NOT QT_WINDOWS_THREADS_CXX)
  message(FATAL_ERROR "${MINGW_PREFIX}-g++-win32 was not found: install Debian's "
                      "g++-mingw-w64-i686-win32 and g++-mingw-w64-x86-64-win32 (scripts/setup.sh does)")
endif()
# Debian names each release by its thread model too ("12-posix", "12-win32").
foreach(driver CMAKE_CXX_COMPILER QT_WINDOWS_THREADS_CXX)
  execute_process(COMMAND ${${driver}} -dumpfullversion OUTPUT_VARIABLE ${driver}_version
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX REPLACE "-(posix|win32)$" "" ${driver}_version "${${driver}_version}")
endforeach()
if(NOT CMAKE_CXX_COMPILER_version STREQUAL QT_WINDOWS_THREADS_CXX_version)
  message(FATAL_ERROR "${QT_WINDOWS_THREADS_CXX} is GCC ${QT_WINDOWS_THREADS_CXX_version}, the "
                      "compiler GCC ${CMAKE_CXX_COMPILER_version}: the program's link needs the same release")
endif()
string(FIND "${CMAKE_CXX_LINK_EXECUTABLE}" "<CMAKE_CXX_COMPILER>" compiler_at)
string(REPLACE "<CMAKE_CXX_COMPILER>" "${QT_WINDOWS_THREADS_CXX}" CMAKE_CXX_LINK_EXECUTABLE
       "${CMAKE_CXX_LINK_EXECUTABLE}")
if(compiler_at LESS 0)
  message(FATAL_ERROR "the executable link rule names no compiler to replace: ${CMAKE_CXX_LINK_EXECUTABLE}")
endif()

# This runtime's std::chrono::steady_clock reads the wall clock, and nothing would stop a call to
# it from linking: a time limit measured with it stretches or ends at once when the user sets the
# PC's time. So any call is sent to a function that does not exist, and the link fails naming
# "__wrap_...steady_clock3nowEv": use platform::SteadyClock.
set(QT_WALL_CLOCK_GUARD -Wl,--wrap=_ZNSt6chrono3_V212steady_clock3nowEv CACHE INTERNAL
    "Link option that fails a link calling std::chrono::steady_clock::now (tests/pe proves it)")
add_link_options(${QT_WALL_CLOCK_GUARD})
