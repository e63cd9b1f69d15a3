# A listing site as every program takes it: "http://" or "https://", a host,
# optionally ":port", and nothing after it. Addresses and links are the site
# followed directly by a path, so a path or a trailing slash here would end up
# in every one of them. A real site has no port; loopback builds use one.

set(_listing_site_form "^(https?)://([A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?)*)(:([0-9]+))?$")

# Stops the configure when `value` (named `name` in the message) is not a site.
function(listing_check_site name value)
  set(problem "")
  if(NOT value MATCHES "${_listing_site_form}")
    set(problem "is \"${value}\"")
  elseif(DEFINED CMAKE_MATCH_7 AND NOT CMAKE_MATCH_7 STREQUAL "")
    if(CMAKE_MATCH_7 LESS 1 OR CMAKE_MATCH_7 GREATER 65535 OR CMAKE_MATCH_7 MATCHES "^0")
      set(problem "is \"${value}\", whose port is not 1 to 65535")
    endif()
  endif()
  if(problem)
    message(FATAL_ERROR
      "${name} ${problem}. Expected \"http://\" or \"https://\", "
      "a host, optionally \":port\", and nothing after it (no path, no trailing "
      "slash), for example http://www.example.com")
  endif()
endfunction()

# The host of a site that listing_check_site accepted, without its port.
function(listing_site_host out value)
  string(REGEX REPLACE "${_listing_site_form}" "\\2" host "${value}")
  set(${out} "${host}" PARENT_SCOPE)
endfunction()
