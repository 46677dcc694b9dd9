# The core libraries (infra .. online) must run without SDL, Qt or curl.
# This fails the configure step when one of them links such a library,
# directly or through another target. The include side is checked by the
# test "core_purity" (cmake/CheckCoreIncludes.cmake).

set(_VANTOREL_FORBIDDEN_LINK_PATTERN "(SDL|Qt[0-9]*::|Qt[0-9]*[A-Z]|curl|CURL)")

function(_vantorel_collect_links target out_var)
  set(seen ${${out_var}})
  foreach(prop LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
    get_target_property(libs ${target} ${prop})
    if(NOT libs)
      continue()
    endif()
    foreach(lib IN LISTS libs)
      if(lib IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${lib})
      if(TARGET ${lib})
        _vantorel_collect_links(${lib} seen)
      endif()
    endforeach()
  endforeach()
  set(${out_var} ${seen} PARENT_SCOPE)
endfunction()

function(vantorel_check_core_purity)
  foreach(target IN LISTS ARGN)
    set(links "")
    _vantorel_collect_links(${target} links)
    foreach(lib IN LISTS links)
      if(lib MATCHES "${_VANTOREL_FORBIDDEN_LINK_PATTERN}")
        message(FATAL_ERROR "Core target '${target}' links '${lib}'. The core must not use SDL, Qt or curl: "
                            "declare an interface in the core and implement it in src/platform.")
      endif()
    endforeach()
  endforeach()
endfunction()
