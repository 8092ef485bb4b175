# DOS programs of our own, assembled with nasm at build time into one folder: <name>.asm gives
# NAME.COM, and <name>.exe.asm (an MZ program that writes its own header) gives NAME.EXE. They
# share the routines of tests/dos/*.inc (output in hex, starting the child program).
find_program(HALYARD_NASM nasm)
file(GLOB HALYARD_DOS_INCLUDES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/dos/*.inc)

function(halyard_dos_programs target folder)
  set(outputs)
  foreach(src ${ARGN})
    get_filename_component(name ${src} NAME_WLE)
    string(TOUPPER ${name} upper)
    if(NOT upper MATCHES "\\.EXE$")
      set(upper ${upper}.COM)
    endif()
    add_custom_command(OUTPUT ${folder}/${upper}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${HALYARD_NASM} -f bin -i ${CMAKE_SOURCE_DIR}/tests/dos/ -o ${folder}/${upper} ${src}
      DEPENDS ${src} ${HALYARD_DOS_INCLUDES}
      COMMENT "Assembling ${upper}")
    list(APPEND outputs ${folder}/${upper})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
