# Runs the table generator into a fresh directory and compares its files byte for byte
# with the committed ones. Variables: GENERATOR, OUTPUT_DIR, EXPECTED_DIR.
file(REMOVE_RECURSE ${OUTPUT_DIR})
file(MAKE_DIRECTORY ${OUTPUT_DIR})
execute_process(COMMAND ${GENERATOR} ${OUTPUT_DIR} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_tables failed with status ${status}")
endif()
foreach(table MUs3.dat Mo-STP.dat Materials.dat)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                    ${OUTPUT_DIR}/${table} ${EXPECTED_DIR}/${table}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${table}: the regenerated file differs from data/${table}")
  endif()
  message(STATUS "${table}: identical")
endforeach()
file(REMOVE_RECURSE ${OUTPUT_DIR})
