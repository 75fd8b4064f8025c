# The package that ships a file, as dpkg knows it; fails the configuration when none does.
function(sorvane_owner_package out file)
  execute_process(COMMAND ${DPKG_QUERY} --search ${file}
    OUTPUT_VARIABLE owner RESULT_VARIABLE found ERROR_QUIET)
  if(NOT found EQUAL 0)
    message(FATAL_ERROR "No installed package ships ${file}")
  endif()
  # "qml6-module-qtquick:amd64: /usr/lib/..." (a diversion line may come first)
  string(REGEX MATCH "(^|\n)([a-z0-9][a-z0-9.+-]*)(:[a-z0-9]+)?: " owner_line "${owner}")
  if(NOT CMAKE_MATCH_2)
    message(FATAL_ERROR "Cannot read the owner of ${file} from: ${owner}")
  endif()
  set(${out} ${CMAKE_MATCH_2} PARENT_SCOPE)
endfunction()

# sorvane_runtime_packages(<out> QML_ROOTS <folder>... QML_MODULES <uri>... PLUGINS <plugin>...
#                          LINKED <target>...)
#
# The Debian packages, with a lower version bound, that ship what the programs load at run time
# without linking it: every Qt QML module that the QML files under QML_ROOTS import (as Qt's
# import scanner finds them, through the modules' own imports too), each of QML_MODULES (those
# that Qt's modules import from files compiled into their libraries, where the scanner cannot
# see them) and each named Qt plugin (a path below Qt's plugin folder). Each is mapped to its package by dpkg. Packages that ship
# a LINKED library are left out: dpkg-shlibdeps declares those. Without dpkg (not a Debian
# system) the list is empty and the package declares its libraries only.
function(sorvane_runtime_packages out)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "QML_ROOTS;QML_MODULES;PLUGINS;LINKED")
  set(${out} "" PARENT_SCOPE)
  find_program(DPKG_QUERY dpkg-query)
  if(NOT DPKG_QUERY)
    message(STATUS "No dpkg-query: the package declares its library dependencies only")
    return()
  endif()

  set(qml_dir ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_QML})
  set(scanner ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS}/qmlimportscanner)
  set(scan_arguments)
  foreach(root IN LISTS arg_QML_ROOTS)
    list(APPEND scan_arguments -rootPath ${root})
  endforeach()
  execute_process(COMMAND ${scanner} ${scan_arguments} -importPath ${qml_dir}
    OUTPUT_VARIABLE imports ERROR_QUIET RESULT_VARIABLE scanned)
  if(NOT scanned EQUAL 0)
    message(FATAL_ERROR "qmlimportscanner failed (${scanned}): cannot tell which QML modules the package needs")
  endif()

  set(files)
  string(JSON count LENGTH "${imports}")
  if(count GREATER 0)
    math(EXPR last "${count} - 1")
    foreach(index RANGE ${last})
      # Modules of other platforms' styles and our own, built into the programs, have no path.
      string(JSON path ERROR_VARIABLE no_path GET "${imports}" ${index} path)
      if(NOT no_path AND EXISTS "${path}/qmldir")
        list(APPEND files "${path}/qmldir")
      endif()
    endforeach()
  endif()
  foreach(module IN LISTS arg_QML_MODULES)
    string(REPLACE "." "/" module_path ${module})
    if(NOT EXISTS ${qml_dir}/${module_path}/qmldir)
      message(FATAL_ERROR "The QML module ${module} is not installed")
    endif()
    list(APPEND files ${qml_dir}/${module_path}/qmldir)
  endforeach()
  set(plugin_dir ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
  foreach(plugin IN LISTS arg_PLUGINS)
    if(NOT EXISTS ${plugin_dir}/${plugin})
      message(FATAL_ERROR "The Qt plugin ${plugin_dir}/${plugin} is not installed")
    endif()
    list(APPEND files ${plugin_dir}/${plugin})
  endforeach()

  set(packages)
  foreach(file IN LISTS files)
    sorvane_owner_package(package ${file})
    list(APPEND packages ${package})
  endforeach()
  foreach(target IN LISTS arg_LINKED)
    get_target_property(library ${target} LOCATION)
    # The versioned file, not the development link, belongs to the library's package.
    file(REAL_PATH ${library} library)
    sorvane_owner_package(package ${library})
    list(REMOVE_ITEM packages ${package})
  endforeach()
  list(REMOVE_DUPLICATES packages)
  list(SORT packages)

  set(result)
  foreach(package IN LISTS packages)
    execute_process(COMMAND ${DPKG_QUERY} --showformat=\${Version} --show ${package}
      OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
    # The upstream version: Qt's QML modules must be at least as new as the libraries that the
    # programs were built against, whatever the Debian revision.
    string(REGEX REPLACE "^([0-9]+:)?([0-9.]+).*$" "\\2" upstream "${version}")
    list(APPEND result "${package} (>= ${upstream})")
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
