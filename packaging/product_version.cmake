# The product version that Lumesca shows to its users and that its packages carry: the major
# version, a full stop, and the minor version on two digits, so that 4.1.0.0 reads "4.01".
# The two lower parts of the project version (build and revision) are not part of it.
function(lumesca_product_version out_var major minor)
  if(NOT major MATCHES "^[0-9]+$" OR NOT minor MATCHES "^[0-9]+$")
    message(FATAL_ERROR "Product version: major and minor must be whole numbers, got "
                        "'${major}' and '${minor}'")
  endif()
  # Drop leading zeros so that "01" and "1" read the same, but keep a lone "0".
  string(REGEX REPLACE "^0+([0-9])" "\\1" major "${major}")
  string(REGEX REPLACE "^0+([0-9])" "\\1" minor "${minor}")
  string(LENGTH "${minor}" minor_digits)
  if(minor_digits GREATER 2)
    message(FATAL_ERROR "Product version: the minor version ${minor} does not fit in two digits")
  elseif(minor_digits EQUAL 1)
    set(minor "0${minor}")
  endif()
  set(${out_var} "${major}.${minor}" PARENT_SCOPE)
endfunction()
