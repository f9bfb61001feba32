# Renders the editor's windows without a display and keeps the ones named in KEEP
# (a list of names without .png) in OUTPUT_DIR.
#   cmake -DEDITOR=... -DKEEP=... -DOUTPUT_DIR=... -P screenshots.cmake
set(all ${OUTPUT_DIR}/all)
file(REMOVE_RECURSE ${all})
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${EDITOR} --screenshots ${all} OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${EDITOR} --screenshots failed: ${status}")
endif()
foreach(name IN LISTS KEEP)
    file(COPY_FILE ${all}/${name}.png ${OUTPUT_DIR}/${name}.png)
endforeach()
file(REMOVE_RECURSE ${all})
