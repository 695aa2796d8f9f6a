# qt_leave_out_unused_unwind_info(TARGET) links the 32-bit program TARGET so that the unwind tables
# of functions it never calls do not keep those functions in it: see
# LinkWithoutUnusedUnwindInfo.cmake, which runs as the target's link launcher. A 64-bit program
# unwinds with Windows' own tables (.pdata, .xdata), which that step leaves alone: it is linked
# as usual.
function(qt_leave_out_unused_unwind_info target)
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    return()
  endif()
  set(launcher "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/LinkWithoutUnusedUnwindInfo.cmake")
  get_target_property(binary_dir ${target} BINARY_DIR)
  # The compiler the target's link rule names (WindowsThreadsRuntime.cmake may have changed it).
  get_target_property(source_dir ${target} SOURCE_DIR)
  get_directory_property(link_rule DIRECTORY "${source_dir}" DEFINITION CMAKE_CXX_LINK_EXECUTABLE)
  set(link_driver "${CMAKE_CXX_COMPILER}")
  if(DEFINED QT_WINDOWS_THREADS_CXX)
    string(FIND "${link_rule}" "${QT_WINDOWS_THREADS_CXX}" driver_at)
    if(driver_at GREATER_EQUAL 0)
      set(link_driver "${QT_WINDOWS_THREADS_CXX}")
    endif()
  endif()
  set_property(TARGET ${target} PROPERTY RULE_LAUNCH_LINK
    "\"${CMAKE_COMMAND}\" \"-DQT_LINK_DRIVER=${link_driver}\" \"-DQT_WORK_DIR=${binary_dir}/${target}.link\" -P \"${launcher}\" --")
  # A change to the step links the program again.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${launcher}")
endfunction()
