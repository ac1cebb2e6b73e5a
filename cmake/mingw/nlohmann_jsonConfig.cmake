# nlohmann_json for the cross build: the host's header-only package, whose headers can't be
# reached through /usr/include (that would put the host's C library before mingw's).
find_path(TARVEX_NLOHMANN_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT TARVEX_NLOHMANN_JSON_INCLUDE)
  set(nlohmann_json_FOUND FALSE)
  set(nlohmann_json_NOT_FOUND_MESSAGE "nlohmann/json.hpp not found (Debian package nlohmann-json3-dev)")
  return()
endif()
if(NOT TARGET nlohmann_json::nlohmann_json)
  # A folder that holds nothing but a link to the nlohmann headers.
  set(_tarvex_json_dir "${CMAKE_BINARY_DIR}/cross-include/nlohmann_json")
  file(MAKE_DIRECTORY "${_tarvex_json_dir}")
  if(NOT EXISTS "${_tarvex_json_dir}/nlohmann")
    file(CREATE_LINK "${TARVEX_NLOHMANN_JSON_INCLUDE}/nlohmann" "${_tarvex_json_dir}/nlohmann" SYMBOLIC)
  endif()
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${_tarvex_json_dir}")
endif()
