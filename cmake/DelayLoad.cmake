# System libraries that the program's start does not call are loaded at their first call instead of with
# the program: a delay-load import library, made by dlltool from the names of the system import library,
# takes the place of the system one. Under Wine every library loaded with the program adds its own start
# and its dependencies' (shell32 brings shcore and shlwapi, winmm brings msacm32) before the first window.
# Windows loads delay-loaded libraries the same way. The result is the name of a library to link.
function(tarn_delay_loaded out name)
  find_library(import_${name} ${name})
  set(dir ${CMAKE_BINARY_DIR}/delay-load)
  set(def ${dir}/${name}.def)
  set(lib ${dir}/lib${name}_delayed.a)
  if(NOT EXISTS ${lib} OR ${import_${name}} IS_NEWER_THAN ${lib})
    execute_process(COMMAND ${CMAKE_NM} -g ${import_${name}} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "cannot read ${import_${name}}")
    endif()
    string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@]+" imports "${symbols}")
    list(TRANSFORM imports REPLACE "^ I __imp_" "")
    list(REMOVE_DUPLICATES imports)
    list(JOIN imports "\n" exports)
    file(MAKE_DIRECTORY ${dir})
    file(WRITE ${def} "LIBRARY ${name}.dll\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${name}.dll --output-delaylib ${lib}
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "dlltool could not make ${lib}")
    endif()
  endif()
  set(${out} ${lib} PARENT_SCOPE)
endfunction()
