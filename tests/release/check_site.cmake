# LISTING_SITE_CASE=VALUE cmake -P check_site.cmake: the configure's check of a
# site, alone, so that a table of sites can be tried without configuring. The
# site travels in the environment: a -D value loses its trailing blanks.
include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/ListingSite.cmake")
listing_check_site(LISTING_SITE_BASE "$ENV{LISTING_SITE_CASE}")
listing_site_host(host "$ENV{LISTING_SITE_CASE}")
message("host ${host}")
