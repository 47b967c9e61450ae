# A Debian package of what cmake/Install.cmake installs: `cpack -G DEB` in the build folder
# (scripts/package.sh does it).
set(CPACK_PACKAGE_NAME mervanta)
set(CPACK_PACKAGE_VENDOR "The Mervanta developers")
set(CPACK_PACKAGE_CONTACT "The Mervanta developers <mervanta@users.noreply.github.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://mervanta.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop manager of personal flat tables")
set(CPACK_PACKAGE_DESCRIPTION
    "Mervanta keeps personal flat tables: addresses, collections, inventories,
notes. A table has named columns and any number of text records, kept as a
delimited text file with a small XML description file beside it.
.
You add and edit records in a card, view them in a fast list, sort and search
them, compute virtual columns with formulas, change many records at once,
import, export and print, and protect a table with a password.
.
The command-line tool mervanta-cli works with the same tables from a
terminal.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The office formats of the export go through LibreOffice when it is there.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-calc, libreoffice-writer")
include(CPack)
