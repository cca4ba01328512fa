# Installs kelutil from BUILD_DIR into a temporary prefix, then configures,
# builds and runs the consumer project against it.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... [-DTOOLCHAIN=...] [-DEMULATOR=...]
#         [-DCXX_FLAGS=...] [-DLINKER_FLAGS=...] -P check.cmake
# The flags are the library's own build flags (a sanitizer build needs them
# in the consumer too).
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
set(configure -S ${CMAKE_CURRENT_LIST_DIR} -B ${WORK_DIR}/build -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}")
if(TOOLCHAIN)
  # A cross toolchain searches packages under its own root only.
  list(APPEND configure -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -Dkelutil_DIR=${prefix}/lib/cmake/kelutil)
endif()
run(${CMAKE_COMMAND} ${configure})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
file(GLOB program ${WORK_DIR}/build/consumer ${WORK_DIR}/build/consumer.exe)
run(${EMULATOR} ${program})
string(REPLACE "\r" "" out "${out}")
if(NOT out STREQUAL "1234 1 kelutil\n")
  message(FATAL_ERROR "unexpected output: '${out}'")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
