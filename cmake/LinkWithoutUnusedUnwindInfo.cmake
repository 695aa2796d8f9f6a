# Links a 32-bit program so that the unwind tables of functions it never calls do not keep those
# functions in it. Run as a link launcher (see UnusedUnwindInfo.cmake):
#
#   cmake -DQT_LINK_DRIVER=<compiler> -DQT_WORK_DIR=<dir> -P LinkWithoutUnusedUnwindInfo.cmake -- <command>
#
# Why: a 32-bit Windows program made by GCC unwinds C++ exceptions with DWARF tables in .eh_frame,
# and GNU ld's default script keeps every one of them: KEEP(*(.eh_frame*)). A function compiled
# into a section of its own, as every template instance from the C++ library is, has its table
# in a section of its own too (.eh_frame$name beside .text$name), and that table refers to the
# function. So --gc-sections can drop no such function: whatever an object file brings along
# stays, with its table, used or not.
#
# How: the command runs with the default script changed so that a per-function table is kept only
# when its function is in the program for another reason. First no such table is kept; the map
# file then says which functions the program's code needs. The link is repeated keeping the
# tables of those, and repeated again while a function whose table was left out is in the program
# all the same. Every function in the final program has the table the compiler gave it, in the
# order of the input files, ahead of crtend.o's end marker. Commands other than a link by
# QT_LINK_DRIVER (the link rule also empties and fills an archive of the objects) run unchanged.
cmake_minimum_required(VERSION 3.25)

set(command)
set(after_separator FALSE)
math(EXPR last_arg "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last_arg})
  if(after_separator)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "--")
    set(after_separator TRUE)
  endif()
endforeach()
if(NOT command OR NOT DEFINED QT_LINK_DRIVER OR NOT DEFINED QT_WORK_DIR)
  message(FATAL_ERROR "usage: cmake -DQT_LINK_DRIVER=... -DQT_WORK_DIR=... -P ${CMAKE_CURRENT_LIST_FILE} -- COMMAND...")
endif()

function(run_or_fail)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}")
  endif()
endfunction()

list(GET command 0 program)
get_filename_component(program "${program}" NAME)
get_filename_component(driver "${QT_LINK_DRIVER}" NAME)
list(FIND command "-o" output_at)
if(NOT program STREQUAL driver OR output_at LESS 0)
  run_or_fail(${command})
  return()
endif()

# Every trial links to a file of its own; only the final one is copied to the output, so that an
# interrupted build never leaves a program without its tables behind.
math(EXPR output_at "${output_at} + 1")
list(GET command ${output_at} output)
get_filename_component(output "${output}" ABSOLUTE)
file(MAKE_DIRECTORY "${QT_WORK_DIR}")
set(trial "${QT_WORK_DIR}/program.exe")
set(trial_script "${QT_WORK_DIR}/program.ld")
set(trial_map "${QT_WORK_DIR}/program.map")
set(trial_command ${command})
list(REMOVE_AT trial_command ${output_at})
list(INSERT trial_command ${output_at} "${trial}")

# A plain link, where this step does not apply.
macro(link_plainly why)
  message(STATUS "Linking with every unwind table: ${why}")
  run_or_fail(${command})
  return()
endmacro()

# The script ld uses for exactly this command: it shows it, then stops at an input that does not
# exist.
file(REMOVE "${trial}")
execute_process(COMMAND ${trial_command} -Wl,--verbose "-Wl,${QT_WORK_DIR}/no-such-input.obj"
                OUTPUT_VARIABLE verbose ERROR_VARIABLE ignored RESULT_VARIABLE ignored)
if(NOT verbose MATCHES "using internal linker script:\n=+\n(.*)\n=+\n")
  link_plainly("the linker did not show its default script (not GNU ld?)")
endif()
set(default_script "${CMAKE_MATCH_1}")
if(NOT command MATCHES "--gc-sections")
  link_plainly("the command does not ask the linker to drop unused sections (--gc-sections)")
endif()
set(keep_all "KEEP *\\(\\*\\(\\.eh_frame\\*\\)\\)")
if(NOT default_script MATCHES "${keep_all}")
  link_plainly("the default linker script does not keep .eh_frame* as this step expects")
endif()

# The default script with the per-function tables kept only for the functions in `used` (the
# "name" of .text$name); the others go unless something refers to them. One list, so that the
# tables keep the order of the input files.
function(write_script used)
  set(patterns "KEEP(*(.eh_frame")
  foreach(name IN LISTS used)
    string(APPEND patterns " .eh_frame$${name}")
  endforeach()
  string(APPEND patterns ")) *(.eh_frame$*)")
  string(REGEX REPLACE "${keep_all}" "${patterns}" script "${default_script}")
  file(WRITE "${trial_script}" "${script}")
endfunction()

# Links the trial with the script; sets `laid_out` to the map's memory map, `placed` to the names
# of the sections in the program ("name" of ".text$name"), `kept_tables` to those of the
# per-function tables in it and `dropped_tables` to those of the tables left out (also where
# another object's copy of the same function and table was kept).
macro(link_trial)
  file(REMOVE "${trial}" "${trial_map}")
  run_or_fail(${trial_command} "-Wl,-T,${trial_script}" "-Wl,-Map,${trial_map}")
  file(READ "${trial_map}" map)
  string(FIND "${map}" "\nMemory Configuration" memory_at)
  if(memory_at LESS 0)
    message(FATAL_ERROR "the map file ${trial_map} has no memory map")
  endif()
  string(SUBSTRING "${map}" 0 ${memory_at} left_out)
  string(SUBSTRING "${map}" ${memory_at} -1 laid_out)
  string(REGEX MATCHALL "\n \\.[A-Za-z0-9_.]*\\$[^ \n]+" placed "${laid_out}")
  list(TRANSFORM placed REPLACE "^\n [^$]*\\$" "")
  list(REMOVE_DUPLICATES placed)
  string(REGEX MATCHALL "\n \\.eh_frame\\$[^ \n]+" kept_tables "${laid_out}")
  list(TRANSFORM kept_tables REPLACE "^\n [^$]*\\$" "")
  string(REGEX MATCHALL "\n \\.eh_frame\\$[^ \n]+" dropped_tables "${left_out}")
  list(TRANSFORM dropped_tables REPLACE "^\n [^$]*\\$" "")
  list(REMOVE_DUPLICATES dropped_tables)
endmacro()

# The items of list `a` that are also in list `b`, into `out`.
function(common out a b)
  set(only_a ${${a}})
  list(REMOVE_ITEM only_a ${${b}} "")
  set(both ${${a}})
  list(REMOVE_ITEM both ${only_a} "")
  set(${out} ${both} PARENT_SCOPE)
endfunction()

write_script("")
link_trial()
set(tables ${dropped_tables})
common(used tables placed)
foreach(attempt RANGE 1 8)
  set(unspellable ${used})
  list(FILTER unspellable EXCLUDE REGEX "^[A-Za-z0-9_.]+$")
  if(unspellable)
    link_plainly("a section name a linker script cannot spell plainly: ${unspellable}")
  endif()
  write_script("${used}")
  link_trial()
  # A table placed by the last pattern would lie beyond the end marker, out of the unwinder's
  # sight.
  if(laid_out MATCHES "\n \\*\\(\\.eh_frame\\$\\*\\)\n \\.")
    message(FATAL_ERROR "an unwind table not kept by name is in the program")
  endif()
  # Done when every function in the program has its table.
  common(missing tables placed)
  list(REMOVE_ITEM missing ${kept_tables} "")
  if(NOT missing)
    file(COPY_FILE "${trial}" "${output}")
    list(LENGTH tables table_count)
    list(LENGTH used used_count)
    math(EXPR unused_count "${table_count} - ${used_count}")
    math(EXPR links "${attempt} + 1")
    message(STATUS "Unwind tables of ${unused_count} unused functions left out (${links} links)")
    return()
  endif()
  # In the program after all, kept by what another kept table refers to: their tables stay too.
  list(APPEND used ${missing})
endforeach()
message(FATAL_ERROR "the functions in the program did not settle")
