# Where an installed program's files go: the GNU layout under the prefix, and
# the package's own folder under share/ (the postal dictionary), which the
# program finds from its own folder.
include(GNUInstallDirs)
set(ROV2_PACKAGE_NAME vavaruv)
set(ROV2_PACKAGE_DATADIR "${CMAKE_INSTALL_DATADIR}/${ROV2_PACKAGE_NAME}")
