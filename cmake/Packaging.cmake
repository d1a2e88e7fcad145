# make package: ikuji-techo_<version>_<arch>.deb through CPack's DEB generator. The version is
# the project's; the dependencies are computed from the binary (dpkg-shlibdeps), plus the fonts
# the screens and prints use. The man page, changelog and copyright go where Debian wants them.
set(TECHO_RELEASE_DATE 2026-12-08) # the release of this version
configure_file(packaging/ikuji-techo.1.in ${CMAKE_BINARY_DIR}/ikuji-techo.1 @ONLY)
configure_file(packaging/debian/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
find_program(GZIP gzip REQUIRED)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/ikuji-techo.1.gz ${CMAKE_BINARY_DIR}/changelog.gz
    COMMAND ${GZIP} -9nc ${CMAKE_BINARY_DIR}/ikuji-techo.1 > ${CMAKE_BINARY_DIR}/ikuji-techo.1.gz
    COMMAND ${GZIP} -9nc ${CMAKE_BINARY_DIR}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
    DEPENDS ${CMAKE_BINARY_DIR}/ikuji-techo.1 ${CMAKE_BINARY_DIR}/changelog
    VERBATIM)
add_custom_target(techo_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/ikuji-techo.1.gz ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/ikuji-techo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz packaging/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ikuji-techo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The ikuji-techo developers <ikuji-techo@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "notebook for your baby: diary, growth chart and baby-food recipes")
set(CPACK_PACKAGE_DESCRIPTION
    "育児手帖 is a Japanese notebook that a parent keeps for one baby: a diary\nwith one page and one photo per day, a table and chart of height and weight,\na schedule, anniversaries, gift registers, photo albums, the child's birth\nprofile and a baby-food recipe book. The notebook is a folder of Shift-JIS\ntext files and pictures laid out as on Windows.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/ikuji-techo/ikuji-techo")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The screens and prints are drawn in IPA fonts; Qt's JPEG and GIF readers come with Qt itself.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
