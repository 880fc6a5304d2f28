# The program stripped of its symbols, against its goal (under 400 KB).
#   cmake -DSTRIP=strip -DPROGRAM=build/app/lumesca -P executable_size.cmake
set(_stripped ${CMAKE_CURRENT_BINARY_DIR}/lumesca.stripped)
execute_process(COMMAND ${STRIP} -o ${_stripped} ${PROGRAM} COMMAND_ERROR_IS_FATAL ANY)
file(SIZE ${_stripped} _size)
file(REMOVE ${_stripped})
math(EXPR _kb "${_size} / 1000")
if(_size LESS 400000)
  set(_verdict "met")
else()
  set(_verdict "NOT met")
endif()
message("Executable, stripped: ${_size} bytes (${_kb} KB)   goal under 400 KB: ${_verdict}")
