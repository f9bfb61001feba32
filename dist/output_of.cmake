# Runs PROGRAM with the arguments in ARGS (a list) and writes what it prints to
# OUTPUT; the build stops when the program fails.
#   cmake -DPROGRAM=... -DARGS=... -DOUTPUT=... -P output_of.cmake
execute_process(COMMAND ${PROGRAM} ${ARGS} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "${PROGRAM} ${ARGS} failed: ${status}")
endif()
