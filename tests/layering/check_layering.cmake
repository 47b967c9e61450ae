cmake_minimum_required(VERSION 3.25)
# Every include of the core, the command-line tool and the desktop program's property view, views
# and dialogs follows the allowed arrows between folders; the core and the tool include no Qt.
# Run as:
# cmake -DSOURCE_DIR=<root> -P check_layering.cmake
# A folder may include itself and the folders listed for it, nothing else.
set(core_folders support settings formula model search operations exchange report table)
set(cli_folders framework commands application)
# The desktop program's folders, which the views and dialogs reach only as allowed.
set(gui_folders app dialogs views styles wizards)

set(allowed_core/support "")
set(allowed_core/settings core/support)
set(allowed_core/formula core/support core/settings)
set(allowed_core/model core/support core/settings core/formula)
set(allowed_core/search core/support core/settings core/formula core/model)
set(allowed_core/operations core/support core/settings core/formula core/model)
set(allowed_core/exchange core/support core/settings core/formula core/model)
set(allowed_core/report core/support core/settings core/formula core/model)
set(allowed_core/table core/support core/settings core/formula core/model core/search
    core/operations core/exchange core/report)
set(all_core "")
foreach(folder IN LISTS core_folders)
  list(APPEND all_core core/${folder})
endforeach()
set(allowed_cli/framework ${all_core})
set(allowed_cli/commands ${all_core} cli/framework)
set(allowed_cli/application ${all_core} cli/framework cli/commands)
set(allowed_cli ${all_core} cli/framework cli/application)
# "settings/" names the core's folder or the GUI's property view, which stands on the core
# alone; both lie below the views.
set(allowed_gui/settings ${all_core})
set(allowed_gui/styles ${all_core})
set(allowed_gui/views ${all_core} gui/styles)
set(allowed_gui/dialogs ${all_core} gui/views gui/styles)
set(allowed_gui/wizards ${all_core} gui/views gui/styles gui/dialogs)

# The layer of a file: "core/<folder>", "cli/<folder>", or "cli" for the tool's main file.
function(layer_of source result)
  file(RELATIVE_PATH relative ${SOURCE_DIR}/src ${source})
  string(REGEX MATCH "^(core|cli|gui)/([^/]+)/" match ${relative})
  if(match)
    set(${result} "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}" PARENT_SCOPE)
  else()
    string(REGEX MATCH "^[^/]+" top ${relative})
    set(${result} ${top} PARENT_SCOPE)
  endif()
endfunction()

# The layer an include names, or "" for a file of the same folder or a generated one.
function(layer_of_include include result)
  set(${result} "" PARENT_SCOPE)
  if(include MATCHES "^([^/]+)/")
    set(folder ${CMAKE_MATCH_1})
    if(folder IN_LIST core_folders)
      set(${result} core/${folder} PARENT_SCOPE)
    elseif(folder IN_LIST cli_folders)
      set(${result} cli/${folder} PARENT_SCOPE)
    elseif(folder IN_LIST gui_folders)
      set(${result} gui/${folder} PARENT_SCOPE)
    else()
      set(${result} ${folder} PARENT_SCOPE)
    endif()
  endif()
endfunction()

file(GLOB_RECURSE sources ${SOURCE_DIR}/src/core/*.h ${SOURCE_DIR}/src/core/*.cpp
     ${SOURCE_DIR}/src/cli/*.h ${SOURCE_DIR}/src/cli/*.cpp ${SOURCE_DIR}/src/gui/settings/*.h
     ${SOURCE_DIR}/src/gui/settings/*.cpp ${SOURCE_DIR}/src/gui/views/*.h
     ${SOURCE_DIR}/src/gui/views/*.cpp ${SOURCE_DIR}/src/gui/dialogs/*.h
     ${SOURCE_DIR}/src/gui/dialogs/*.cpp ${SOURCE_DIR}/src/gui/styles/*.h
     ${SOURCE_DIR}/src/gui/styles/*.cpp ${SOURCE_DIR}/src/gui/wizards/*.h
     ${SOURCE_DIR}/src/gui/wizards/*.cpp)
set(offenders "")
foreach(source IN LISTS sources)
  layer_of(${source} layer)
  file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" include "${line}")
    if(line MATCHES "<(Q[A-Za-z]|qt)" AND NOT layer MATCHES "^gui/")
      list(APPEND offenders "${source}: Qt header <${include}>")
      continue()
    endif()
    if(NOT line MATCHES "\"")
      continue()
    endif()
    layer_of_include(${include} target)
    if(target STREQUAL "" OR target STREQUAL layer OR target IN_LIST allowed_${layer})
      continue()
    endif()
    list(APPEND offenders "${source}: ${layer} may not include ${include} (${target})")
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" text)
  message(FATAL_ERROR "Includes against the layering:\n${text}")
endif()
