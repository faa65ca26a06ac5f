# Writes the manual pages marn.1 and marn-viewer.1 and the bash completion of
# marn from the programs' own --help and --version, with help2man.
#   cmake -DHELP2MAN=... -DMARN=... -DVIEWER=... -DOUT=dir -P ManPages.cmake

function(run_help out_var)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed: ${status}")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# Text as roff lines: backslashes escaped, no line taken for a request.
function(as_roff out_var text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

set(include "")
set(completion_cases "")
foreach(command height render profile import)
  run_help(help ${MARN} help ${command})
  as_roff(roff "${help}")
  string(TOUPPER "${command}" title)
  string(APPEND include "[MARN ${title}]\n.nf\n${roff}\n.fi\n\n")
  string(REGEX MATCHALL "--[a-z][a-z-]*" options "${help}")
  list(APPEND options --help)
  list(REMOVE_DUPLICATES options)
  list(JOIN options " " options)
  string(APPEND completion_cases "    ${command}) options=\"${options}\" ;;\n")
endforeach()
file(WRITE "${OUT}/marn.h2m" "${include}")

execute_process(COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1
                  --name=command-line\ tool\ of\ the\ terrain-height\ viewer
                  --include=${OUT}/marn.h2m --output=${OUT}/marn.1 ${MARN}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed for marn")
endif()
execute_process(COMMAND ${HELP2MAN} --no-info --section=1 --name=terrain-height\ viewer
                  --output=${OUT}/marn-viewer.1 ${VIEWER}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed for marn-viewer")
endif()

file(WRITE "${OUT}/marn.bash" "# bash completion for marn, made from its commands' --help
_marn()
{
    local word=\${COMP_WORDS[COMP_CWORD]} options
    if [ \"\$COMP_CWORD\" -eq 1 ]; then
        COMPREPLY=(\$(compgen -W 'height render profile import help --help --version' -- \"\$word\"))
        return
    fi
    case \${COMP_WORDS[1]} in
${completion_cases}    help) COMPREPLY=(\$(compgen -W 'height render profile import' -- \"\$word\")); return ;;
    *) return ;;
    esac
    if [[ \$word == -* ]]; then
        COMPREPLY=(\$(compgen -W \"\$options\" -- \"\$word\"))
    else
        COMPREPLY=(\$(compgen -f -- \"\$word\"))
    fi
}
complete -o filenames -F _marn marn
")
