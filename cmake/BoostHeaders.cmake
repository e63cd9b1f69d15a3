# Boost.Regex is header-only. The cross compiler must see Boost's headers and
# nothing else of the host's /usr/include, so it gets a folder that holds only
# a link named boost.
find_path(LISTING_BOOST_INCLUDE_DIR boost/regex.hpp
  PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT LISTING_BOOST_INCLUDE_DIR)
  message(FATAL_ERROR "Boost headers not found: run scripts/setup.sh")
endif()

set(_listing_boost_dir "${CMAKE_BINARY_DIR}/boost-headers")
file(MAKE_DIRECTORY "${_listing_boost_dir}")
file(CREATE_LINK "${LISTING_BOOST_INCLUDE_DIR}/boost" "${_listing_boost_dir}/boost" SYMBOLIC)

add_library(listing_boost_headers INTERFACE)
target_include_directories(listing_boost_headers SYSTEM INTERFACE "${_listing_boost_dir}")
