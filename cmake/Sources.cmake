# Source sorting shared by src/ and tests/.
#
# Every folder of src/ holds headless logic and, beside it, its windows.
# A file belongs to the GUI library when its name says it is a window
# (tform*, t*dialog*, t*box*, tlngform*) or ends in _ui; everything else is
# logic that links no widgets. Entry points (main.cpp, cli_main.cpp) belong
# to their executables only.
function(orvanel_sort_sources folder logic_var gui_var)
  file(GLOB _all CONFIGURE_DEPENDS
       ${folder}/*.cpp ${folder}/*.h)
  set(_logic)
  set(_gui)
  foreach(_f IN LISTS _all)
    get_filename_component(_n ${_f} NAME)
    if(_n MATCHES "^(main|cli_main)\\.cpp$")
      continue()
    elseif(_n MATCHES "^t[a-z0-9]*(form|dialog|box)[a-z0-9]*\\.(cpp|h)$"
           OR _n MATCHES "_ui\\.(cpp|h)$")
      list(APPEND _gui ${_f})
    else()
      list(APPEND _logic ${_f})
    endif()
  endforeach()
  set(${logic_var} ${_logic} PARENT_SCOPE)
  set(${gui_var} ${_gui} PARENT_SCOPE)
endfunction()
