# The host package's own version answer.
set(_tarvex_json_version_file /usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake)
if(EXISTS ${_tarvex_json_version_file})
  include(${_tarvex_json_version_file})
else()
  set(PACKAGE_VERSION "unknown")
  set(PACKAGE_VERSION_COMPATIBLE FALSE)
endif()
