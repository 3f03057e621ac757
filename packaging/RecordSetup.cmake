# The root-time setup of the computer's record (packaging/quorvane-record-setup.in): installed beside the service
# program, root's, for the package's postinst; run at once by `make install` as root onto the system. Included last,
# so that it runs after the service program and its units are installed.
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorvane-record-setup.in quorvane-record-setup @ONLY)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/quorvane-record-setup DESTINATION ${QUORVANE_RECORD_SERVICE_DIR})
# A staged install (DESTDIR, as the package build does) leaves the setup to the package's postinst; an install by
# another account or under another prefix keeps each account's own record and changes nothing on the system.
install(CODE "
    set(setup \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUORVANE_RECORD_SERVICE_DIR}/quorvane-record-setup\")
    execute_process(COMMAND id -u OUTPUT_VARIABLE user OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT \"\$ENV{DESTDIR}\" STREQUAL \"\" OR NOT user STREQUAL 0 OR
       NOT (CMAKE_INSTALL_PREFIX STREQUAL /usr OR CMAKE_INSTALL_PREFIX STREQUAL /usr/local))
        message(STATUS \"Not as root onto the system: the record's account, ${QUORVANE_SHARED_RECORD_DIR} and the service's socket are left to the package or the administrator\")
    else()
        execute_process(COMMAND \${setup} --enable COMMAND_ERROR_IS_FATAL ANY)
        message(STATUS \"Shared record: ${QUORVANE_SHARED_RECORD_DIR}, kept by the service quorvane-record as the account ${QUORVANE_RECORD_ACCOUNT}\")
    endif()
")
