# Each src/ folder builds a logic library from its own *.cpp (QtCore and the
# listed libraries only) and a widget library from widgets/*.cpp on top of it.
# The split is enforced here, so logic code cannot include a widget header.
function(barlabel_folder name)
    cmake_parse_arguments(ARG "" "" "LOGIC_LINKS;WIDGET_LINKS" ${ARGN})
    file(GLOB logic_sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    file(GLOB widget_sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/widgets/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/widgets/*.h)
    if(logic_sources)
        add_library(barlabel_${name} STATIC ${logic_sources})
        target_include_directories(barlabel_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(barlabel_${name} PUBLIC Qt6::Core ${ARG_LOGIC_LINKS})
    endif()
    if(widget_sources)
        add_library(barlabel_${name}_widgets STATIC ${widget_sources})
        target_include_directories(barlabel_${name}_widgets PUBLIC ${PROJECT_SOURCE_DIR}/src)
        set(own_logic)
        if(logic_sources)
            set(own_logic barlabel_${name})
        endif()
        target_link_libraries(barlabel_${name}_widgets PUBLIC ${own_logic} Qt6::Widgets ${ARG_WIDGET_LINKS})
    endif()
endfunction()

# One GoogleTest executable per test folder; logic tests get a QCoreApplication,
# tests under widgets/ a QApplication on the offscreen platform.
function(barlabel_tests name)
    cmake_parse_arguments(ARG "" "" "LOGIC_LINKS;WIDGET_LINKS" ${ARGN})
    file(GLOB logic_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    file(GLOB widget_tests CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/widgets/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/widgets/*.h)
    if(logic_tests)
        add_executable(test_${name} ${logic_tests} ${PROJECT_SOURCE_DIR}/tests/common/main_core.cpp)
        target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
        target_link_libraries(test_${name} PRIVATE ${ARG_LOGIC_LINKS} Qt6::Test GTest::gtest GTest::gmock)
        add_test(NAME ${name} COMMAND test_${name})
        set_tests_properties(${name} PROPERTIES TIMEOUT 600
            ENVIRONMENT "BARLABEL_BIN_DIR=${PROJECT_BINARY_DIR}/bin")
    endif()
    if(widget_tests)
        add_executable(test_${name}_widgets ${widget_tests} ${PROJECT_SOURCE_DIR}/tests/common/main_gui.cpp)
        target_include_directories(test_${name}_widgets PRIVATE ${PROJECT_SOURCE_DIR}/tests)
        target_link_libraries(test_${name}_widgets PRIVATE ${ARG_WIDGET_LINKS} Qt6::Test GTest::gtest GTest::gmock)
        add_test(NAME ${name}_widgets COMMAND test_${name}_widgets)
        set_tests_properties(${name}_widgets PROPERTIES TIMEOUT 600
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;BARLABEL_BIN_DIR=${PROJECT_BINARY_DIR}/bin")
    endif()
endfunction()
