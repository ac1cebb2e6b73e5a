# Our own code is built with many warnings on; third-party headers come in as SYSTEM includes.
# Warnings stop the build only when TARVEX_WARNINGS_AS_ERRORS is on (`make run`, `make test`
# and CI turn it on): a packager's compiler or optimiser may warn where ours doesn't.
option(TARVEX_WARNINGS_AS_ERRORS "Treat compiler warnings in Tarvex's own code as errors" OFF)

function(tarvex_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${TARVEX_WARNINGS_AS_ERRORS}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wsign-conversion
                                             $<$<BOOL:${TARVEX_WARNINGS_AS_ERRORS}>:-Werror>)
  endif()
endfunction()
