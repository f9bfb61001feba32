# Writes the help of every quelvar-cli command as a help2man include section: under
# COMMANDS, each command's usage, what it does and its arguments and options, as
# `quelvar-cli COMMAND --help` prints them.
#   cmake -DCLI=... -DOUTPUT=... -P command_help.cmake
function(run_cli output)
    execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${CLI} ${ARGN} failed: ${status}")
    endif()
    set(${output} "${text}" PARENT_SCOPE)
endfunction()

# Text as roff takes it verbatim: backslashes escaped, no line taken as a request, nor
# ("[Option Group: output]") as the start of a section by help2man.
function(roff_escape output text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'[])" "\\1\\\\&\\2" text "${text}")
    set(${output} "${text}" PARENT_SCOPE)
endfunction()

run_cli(top --help)
string(REGEX REPLACE "^.*\nSubcommands:\n" "" listed "${top}")
string(REGEX MATCHALL "(^|\n)  [a-z-]+" commands "${listed}")
set(section "[COMMANDS]\n")
foreach(command IN LISTS commands)
    string(STRIP "${command}" command)
    run_cli(help ${command} --help)
    # The first line says what the command does, the second is its usage.
    string(REGEX MATCH "^([^\n]*)\nusage: ([^\n]*)\n\n?(.*)$" _ "${help}")
    set(does "${CMAKE_MATCH_1}")
    set(usage "${CMAKE_MATCH_2}")
    string(REGEX REPLACE "\n  -h,--help[^\n]*" "" rest "${CMAKE_MATCH_3}")
    string(REGEX REPLACE "(^|\n)Options:\n*$" "\\1" rest "${rest}")
    roff_escape(does "${does}")
    roff_escape(usage "${usage}")
    roff_escape(rest "${rest}")
    string(APPEND section ".SS \"${usage}\"\n${does}\n.PP\n.nf\n${rest}.fi\n")
endforeach()
file(WRITE ${OUTPUT} "${section}")
