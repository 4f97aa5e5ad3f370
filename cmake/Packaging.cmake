# The Debian package (`make package`): what goes into it beside the two
# programs (manual pages, file types, metainfo, icons, copyright, changelog)
# and the CPack settings that make the .deb.

set(TESSARON_REPOSITORY_URL "https://example.org/tessaron" CACHE STRING
    "Web address of the project's repository: the metainfo's home page and screenshot")
set(TESSARON_MAINTAINER "Tessaron developers <packages@example.org>" CACHE STRING
    "Maintainer named in the Debian package")
set(TESSARON_APP_ID org.tessaron.tessaron)
# The package's own revision of a version: a new package of the same sources
# counts it up.
set(TESSARON_DEB_RELEASE 1)
set(TESSARON_DEB_VERSION ${PROJECT_VERSION}-${TESSARON_DEB_RELEASE})

# Installed folders are readable by everyone whatever the builder's umask, so
# a package made in a private folder installs usable.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(packaging_source ${CMAKE_SOURCE_DIR}/packaging)
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
set(make_manpage ${SYSTEM_PYTHON3} ${packaging_source}/make-manpage.py)
file(MAKE_DIRECTORY ${packaging_out})

# Dates of the release and the changelog entry; SOURCE_DATE_EPOCH fixes them
# for a reproducible package.
string(TIMESTAMP TESSARON_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP TESSARON_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${packaging_source}/tessaron.metainfo.xml.in
    ${packaging_out}/${TESSARON_APP_ID}.metainfo.xml @ONLY)
configure_file(${packaging_source}/changelog.in ${packaging_out}/changelog @ONLY)

# The manual pages quote the programs' own --help, so they are made from the
# programs just built.
add_custom_command(OUTPUT ${packaging_out}/tessaron.1.gz
    COMMAND ${make_manpage} manpage tessaron $<TARGET_FILE:tessaron>
            ${packaging_out}/tessaron.1.gz --version ${PROJECT_VERSION} --see-also tessaron-cli
            --more ${packaging_source}/tessaron.1.more
            --summary "3D viewer for triangulated surface models of human anatomy"
    DEPENDS tessaron ${packaging_source}/make-manpage.py ${packaging_source}/tessaron.1.more
    COMMENT "Manual page of tessaron")
add_custom_command(OUTPUT ${packaging_out}/tessaron-cli.1.gz
    COMMAND ${make_manpage} manpage tessaron-cli $<TARGET_FILE:tessaron-cli>
            ${packaging_out}/tessaron-cli.1.gz --version ${PROJECT_VERSION} --commands
            --see-also tessaron
            --summary "convert, measure, render and print surface models of anatomy"
    DEPENDS tessaron-cli ${packaging_source}/make-manpage.py
    COMMENT "Manual page of tessaron-cli")
add_custom_command(OUTPUT ${packaging_out}/changelog.Debian.gz
    COMMAND ${make_manpage} gzip ${packaging_out}/changelog ${packaging_out}/changelog.Debian.gz
    DEPENDS ${packaging_out}/changelog ${packaging_source}/make-manpage.py)
set(packaging_files ${packaging_out}/tessaron.1.gz ${packaging_out}/tessaron-cli.1.gz
    ${packaging_out}/changelog.Debian.gz)

# The 256-pixel icon is rendered from the scalable one.
find_program(RSVG_CONVERT rsvg-convert)
set(icon_svg ${CMAKE_SOURCE_DIR}/src/app/icons/tessaron.svg)
if(RSVG_CONVERT)
    add_custom_command(OUTPUT ${packaging_out}/tessaron-256.png
        COMMAND ${RSVG_CONVERT} --width 256 --height 256 --output
                ${packaging_out}/tessaron-256.png ${icon_svg}
        DEPENDS ${icon_svg}
        COMMENT "Icon of 256 pixels")
    list(APPEND packaging_files ${packaging_out}/tessaron-256.png)
    install(FILES ${packaging_out}/tessaron-256.png DESTINATION share/icons/hicolor/256x256/apps
        RENAME tessaron.png)
else()
    message(STATUS "No rsvg-convert: the package has no 256-pixel icon")
endif()
add_custom_target(tessaron_package_files ALL DEPENDS ${packaging_files})

install(FILES ${packaging_out}/tessaron.1.gz ${packaging_out}/tessaron-cli.1.gz
    DESTINATION share/man/man1)
install(FILES ${packaging_source}/tessaron-mime.xml DESTINATION share/mime/packages
    RENAME tessaron.xml)
install(FILES ${packaging_out}/${TESSARON_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${packaging_source}/copyright ${packaging_out}/changelog.Debian.gz
    DESTINATION share/doc/tessaron)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaron)
set(CPACK_PACKAGE_VENDOR "Tessaron developers")
set(CPACK_PACKAGE_CONTACT ${TESSARON_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D viewer for surface models of human anatomy")
set(CPACK_PACKAGE_DESCRIPTION
    "Tessaron shows the triangulated surfaces that segmentation produces (kidney,\n"
    "renal pelvis, stones, vessels, tumour, skin, bone) in one OpenGL view to\n"
    "turn, cut, measure and print. It opens .surf surfaces and .hx scenes, imports\n"
    "mesh files, label maps and DICOM series, measures volumes, gaps and\n"
    "nephrometry scores, and writes a case sheet. tessaron-cli converts, measures\n"
    "and renders the same files without a window.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TESSARON_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TESSARON_REPOSITORY_URL})
# The libraries the programs link come from dpkg-shlibdeps; Qt's platform
# plugins are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libgl1-mesa-dri")
include(CPack)
