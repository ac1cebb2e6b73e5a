# Warnings are errors in our own code; third-party headers come in as SYSTEM includes.
function(tarvex_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wsign-conversion -Werror)
  endif()
endfunction()
