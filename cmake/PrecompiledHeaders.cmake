# Qt's headers are most of what each file of the game and of its tests compiles. Precompiled once, they are read
# ready-made by every file of a group of targets compiled with the same macros (GCC checks them): each of the two
# largest libraries, the narrator and the window, and for the tests each group of suites of one folder that link the
# same libraries, which read the first one's (QTest brings the widgets' headers along where a suite links them). Off in
# the Debian package's build (no tests there), which so compiles exactly as before.
option(QUORVANE_PRECOMPILED_HEADERS "Compile Qt's headers once per group of targets" ${BUILD_TESTING})

# quorvane_precompile_widgets(<target>): a library of many files that uses the widgets.
function(quorvane_precompile_widgets target)
    if(QUORVANE_PRECOMPILED_HEADERS)
        target_precompile_headers(${target} PRIVATE <QApplication> <QLabel> <QLineEdit> <QList> <QObject> <QPainter>
                                  <QPushButton> <QString> <QTimer> <QWidget>)
    endif()
endfunction()

# quorvane_precompile_test(<suite> <libraries it links...>): notes the suite in the group of its folder and libraries.
function(quorvane_precompile_test suite)
    string(MD5 group "${CMAKE_CURRENT_SOURCE_DIR} ${ARGN}")
    set_property(GLOBAL APPEND PROPERTY quorvane_test_groups ${group})
    set_property(GLOBAL APPEND PROPERTY quorvane_test_group_${group} ${suite})
endfunction()

# Once every suite is known: in each group of two or more, the first suite without macros of its own precompiles QTest
# and the others read it (GCC, and with -Werror the build, refuses headers precompiled with a macro the reader lacks;
# macros only the reader has are fine). A suite alone would only pay for it.
function(quorvane_precompile_test_groups)
    if(NOT QUORVANE_PRECOMPILED_HEADERS)
        return()
    endif()
    get_property(groups GLOBAL PROPERTY quorvane_test_groups)
    list(REMOVE_DUPLICATES groups)
    foreach(group IN LISTS groups)
        get_property(suites GLOBAL PROPERTY quorvane_test_group_${group})
        set(owner "")
        foreach(suite IN LISTS suites)
            get_target_property(macros ${suite} COMPILE_DEFINITIONS)
            if(NOT owner AND NOT macros)
                set(owner ${suite})
            endif()
        endforeach()
        list(LENGTH suites count)
        if(owner AND count GREATER 1)
            list(REMOVE_ITEM suites ${owner})
            target_precompile_headers(${owner} PRIVATE <QTest>)
            foreach(suite IN LISTS suites)
                target_precompile_headers(${suite} REUSE_FROM ${owner})
            endforeach()
        endif()
    endforeach()
endfunction()
