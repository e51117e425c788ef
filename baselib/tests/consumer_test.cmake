# Installs the Gravik and GravikDev components of BUILD_DIR into WORK_DIR/prefix, then
# configures, builds and runs the consumer project in SOURCE_DIR against it.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  message(STATUS "${what}: ok")
  set(step_output "${out}" PARENT_SCOPE)
endfunction()

run_step("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --component Gravik --prefix ${prefix})
run_step("install (development files)" ${CMAKE_COMMAND} --install ${BUILD_DIR} --component GravikDev
  --prefix ${prefix})
run_step("configure consumer" ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build
  -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_PREFIX_PATH=${prefix}
  "-DCMAKE_CXX_FLAGS=${EXTRA_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${EXTRA_FLAGS}"
  -DCMAKE_BUILD_TYPE=Release)
run_step("build consumer" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run_step("run consumer (find_package)" ${WORK_DIR}/build/gravik_consumer)
message(STATUS "${step_output}")

# The same program, compiled and linked with the flags that pkg-config reports.
find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG)
  file(GLOB_RECURSE pc_files ${prefix}/gravik.pc)
  list(GET pc_files 0 pc_file)
  get_filename_component(pc_dir ${pc_file} DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} ${pc_dir})
  run_step("pkg-config" ${PKG_CONFIG} --cflags --libs gravik)
  string(STRIP "${step_output}" pc_flags)
  separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
  separate_arguments(extra UNIX_COMMAND "${EXTRA_FLAGS}")
  run_step("build consumer (pkg-config)" ${CXX_COMPILER} -std=c++17 ${extra}
    ${SOURCE_DIR}/main.cpp ${pc_flags} -o ${WORK_DIR}/consumer_pc)
  set(ENV{LD_LIBRARY_PATH} ${pc_dir}/..)
  run_step("run consumer (pkg-config)" ${WORK_DIR}/consumer_pc)
endif()
