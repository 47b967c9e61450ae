cmake_minimum_required(VERSION 3.25)
# The layering check itself: on a small tree it reports exactly the includes against the
# arrows and fails. Run as: cmake -DCHECKER=<check_layering.cmake> -DFIXTURE=<tree> -P ...
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${FIXTURE} -P ${CHECKER}
                RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "the check passed a tree with forbidden includes")
endif()
string(REGEX REPLACE "[ \t\r\n]+" " " output "${output}")
foreach(expected
    "core/support/upward.h: core/support may not include model/records.h (core/model)"
    "cli/framework/upward.cpp: cli/framework may not include commands/add_command.h (cli/commands)"
    "cli/commands/qt.cpp: Qt header <QString>"
    "gui/views/upward.cpp: gui/views may not include app/main_window.h (gui/app)")
  string(FIND "${output}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "not reported: ${expected}\nthe check said: ${output}")
  endif()
endforeach()
foreach(allowed "support/sibling.h" "table/downward.cpp" "version.h" "framework/listing.h"
        "<QWidget>" "views/sibling.h" "gui/views may not include model")
  string(FIND "${output}" "${allowed}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "reported although allowed: ${allowed}\nthe check said: ${output}")
  endif()
endforeach()
