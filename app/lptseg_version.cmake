# Writes lptseg_version.h, which lptseg.rc reads, into out_dir from a version
# "MAJOR.MINOR[.PATCH]"; missing parts are 0. Also sets LPTSEG_VERSION_MAJOR,
# _MINOR and _PATCH for the caller.
function(lptseg_version_header version out_dir)
  string(REPLACE "." ";" parts "${version}.0.0")
  list(GET parts 0 LPTSEG_VERSION_MAJOR)
  list(GET parts 1 LPTSEG_VERSION_MINOR)
  list(GET parts 2 LPTSEG_VERSION_PATCH)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/lptseg_version.h.in
                 ${out_dir}/lptseg_version.h @ONLY)
  foreach(part MAJOR MINOR PATCH)
    set(LPTSEG_VERSION_${part} ${LPTSEG_VERSION_${part}} PARENT_SCOPE)
  endforeach()
endfunction()
