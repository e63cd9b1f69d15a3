# cmake -DSITE=VALUE -P check_site.cmake: the configure's check of a site,
# alone, so that a table of sites can be tried without configuring.
include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/ListingSite.cmake")
listing_check_site(LISTING_SITE_BASE "${SITE}")
listing_site_host(host "${SITE}")
message("host ${host}")
