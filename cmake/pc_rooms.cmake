# The PC's rooms, and the one way their includes may point: cpu <- devices <- bios <- dos <- the
# machine in core/pc itself <- debug, which drives the machine. A file may include its own room and the rooms below it; the host
# interfaces (core/pc/host*.h) are open to every room but the processor's, which knows only its
# bus and interrupt line. Run as a script: cmake -DROOT=<folder holding core/pc> -P pc_rooms.cmake
# It fails with one line per wrong include.
if(NOT ROOT)
  message(FATAL_ERROR "pc_rooms: ROOT is not set")
endif()
get_filename_component(ROOT "${ROOT}" ABSOLUTE)

set(PC_ROOMS cpu devices bios dos)

# The rank of a path below core/pc ("cpu/cpu.h", "machine.h"): the index of its room; the host
# interfaces share the devices' rank, and the machine is above every room.
function(pc_rank out path)
  if(path MATCHES "^host[a-z_]*\\.h$")
    set(${out} 1 PARENT_SCOPE)
    return()
  endif()
  if(NOT path MATCHES "/")
    list(LENGTH PC_ROOMS top)
    set(${out} ${top} PARENT_SCOPE)
    return()
  endif()
  string(REGEX REPLACE "/.*" "" room "${path}")
  if(room STREQUAL "debug")
    list(LENGTH PC_ROOMS top)
    math(EXPR above "${top} + 1")
    set(${out} ${above} PARENT_SCOPE)
    return()
  endif()
  list(FIND PC_ROOMS "${room}" rank)
  if(rank EQUAL -1)
    message(FATAL_ERROR "pc_rooms: core/pc/${path} is in no room (${PC_ROOMS})")
  endif()
  set(${out} ${rank} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${ROOT}/core/pc ${ROOT}/core/pc/*.h ${ROOT}/core/pc/*.cpp)
set(faults "")
foreach(source ${sources})
  pc_rank(own "${source}")
  file(STRINGS ${ROOT}/core/pc/${source} includes REGEX "^#include \"core/pc/")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"core/pc/([^\"]*)\".*" "\\1" target "${line}")
    pc_rank(theirs "${target}")
    if(theirs GREATER own)
      string(APPEND faults "  core/pc/${source} includes core/pc/${target}, a room above its own\n")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "The PC's rooms include one way only (cpu <- devices <- bios <- dos <- machine <- debug):\n${faults}")
endif()
