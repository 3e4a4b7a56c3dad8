# Read by cpack before it builds a package. Without dpkg-shlibdeps CPack would quietly leave the
# linked libraries out of the Debian package's Depends, and the package would not start on a
# machine that lacks one of them: refuse instead.
if(CPACK_GENERATOR STREQUAL "DEB" AND CPACK_DEBIAN_PACKAGE_SHLIBDEPS)
    find_program(BDX4_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT BDX4_DPKG_SHLIBDEPS)
        message(FATAL_ERROR
                "dpkg-shlibdeps is needed to find the package's Depends: install dpkg-dev "
                "(sudo apt-get install dpkg-dev)")
    endif()
endif()
