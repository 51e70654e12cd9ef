# Every library and program the build and the tests need, each REQUIRED, so
# that a package missing from scripts/packages.txt fails the configure step.
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets Test DBus Multimedia)
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBBURN REQUIRED IMPORTED_TARGET libburn-1)
pkg_check_modules(DVDREAD REQUIRED IMPORTED_TARGET dvdread)
pkg_check_modules(UDFREAD REQUIRED IMPORTED_TARGET libudfread)
# the image's SHA-256 while it is written
pkg_check_modules(LIBCRYPTO REQUIRED IMPORTED_TARGET libcrypto)
# Asks whether the X server answers before Qt's platform plugin would abort.
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
find_package(Threads REQUIRED)

if(ORVANE_BUILD_TESTS)
    find_package(GTest REQUIRED)
    find_program(ISOINFO_EXECUTABLE isoinfo REQUIRED)
    find_program(DBUS_DAEMON_EXECUTABLE dbus-daemon REQUIRED)
    find_program(DBUS_RUN_SESSION_EXECUTABLE dbus-run-session REQUIRED)
endif()
if(ORVANE_BUILD_BENCH AND NOT ORVANE_ANY_SANITIZER)
    find_package(benchmark REQUIRED)
endif()
find_program(CHMCMD_EXECUTABLE chmcmd REQUIRED)
