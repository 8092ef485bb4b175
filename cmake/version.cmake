# The version line of src/core/util/version.h in the forms the resources and the packages need:
#   HALYARD_VERSION_NUMBERS  "6,0,117,3"  the four numbers of a version resource: major, minor
#                            and the build's last two numbers (its first, the "08", stays in the text)
#   HALYARD_VERSION_DOTTED   "6.0.117.3"
#   HALYARD_VERSION_SHORT    "6.0 Build 08.0117.3"  the line without the product name
#   HALYARD_VERSION_FILE     "6.0-Build-08.0117.3"  the same for file names
# and a header for the resource scripts, ${HALYARD_GENERATED}/version_numbers.h.
set(version_header ${CMAKE_SOURCE_DIR}/src/core/util/version.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${version_header})
file(STRINGS ${version_header} version_line REGEX "#define HALYARD_VERSION_TEXT ")
if(NOT version_line MATCHES "\"Halyard (([0-9]+)\\.([0-9]+) Build [0-9]+\\.([0-9]+)\\.([0-9]+))\"")
  message(FATAL_ERROR "version.h: the version line is not \"Halyard N.N Build N.N.N\": ${version_line}")
endif()
set(HALYARD_VERSION_SHORT ${CMAKE_MATCH_1})
set(numbers)
foreach(i 2 3 4 5)
  math(EXPR n "${CMAKE_MATCH_${i}}")   # decimal, also with leading zeros
  if(n GREATER 65535)
    message(FATAL_ERROR "version.h: ${n} does not fit a version resource (at most 65535)")
  endif()
  list(APPEND numbers ${n})
endforeach()
string(REPLACE ";" "," HALYARD_VERSION_NUMBERS "${numbers}")
string(REPLACE ";" "." HALYARD_VERSION_DOTTED "${numbers}")
string(REPLACE " " "-" HALYARD_VERSION_FILE "${HALYARD_VERSION_SHORT}")
file(CONFIGURE OUTPUT ${HALYARD_GENERATED}/version_numbers.h CONTENT
"// Generated from src/core/util/version.h by cmake/version.cmake.
#define HALYARD_VERSION_NUMBERS ${HALYARD_VERSION_NUMBERS}
#define HALYARD_VERSION_SHORT \"${HALYARD_VERSION_SHORT}\"
")
