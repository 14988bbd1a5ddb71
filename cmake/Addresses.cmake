# Every web address and contact of the program and its package, set here at
# configure time, e.g. cmake -DQUORVEX_HOMEPAGE_URL=https://... .
# Left empty (as they are by default), the About window's links and the
# contact line open pages of the help book compiled into the program, so a
# click always leads somewhere that exists, even offline; the package then
# names no homepage.
set(QUORVEX_HOMEPAGE_URL "" CACHE STRING
    "The project's page: first About link, default page, package Homepage, metainfo")
set(QUORVEX_NEWS_URL "" CACHE STRING "What is new in this version: second About link")
set(QUORVEX_DOWNLOAD_URL "" CACHE STRING "Where to get and install Quorvex: third About link")
set(QUORVEX_EXERCISES_URL "" CACHE STRING "Exercises to try: fourth About link")
set(QUORVEX_CONTACT_EMAIL "" CACHE STRING
    "The address users write to, shown in the About window and the credits")

# The package's maintainer, as Debian's own tools pick it: DEBFULLNAME and
# DEBEMAIL from the environment. Without them the address lies in the
# reserved .invalid domain, which plainly reaches nobody.
if(DEFINED ENV{DEBEMAIL} AND NOT "$ENV{DEBEMAIL}" STREQUAL "")
  set(quorvex_default_maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
  set(quorvex_default_maintainer "Quorvex team <maintainer@quorvex.invalid>")
endif()
set(QUORVEX_MAINTAINER "${quorvex_default_maintainer}" CACHE STRING
    "The package's maintainer: Name <address>")

# The addresses are shown as links and handed to the browser as they are:
# a quote or a blank in one would break them.
foreach(var QUORVEX_HOMEPAGE_URL QUORVEX_NEWS_URL QUORVEX_DOWNLOAD_URL QUORVEX_EXERCISES_URL)
  if(NOT "${${var}}" STREQUAL "" AND NOT "${${var}}" MATCHES "^https?://[^ '\"<>]+$")
    message(FATAL_ERROR "${var} must be an http or https address without blanks or quotes")
  endif()
endforeach()
